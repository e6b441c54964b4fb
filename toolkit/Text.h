#pragma once

#include <QCoreApplication>

// The program's texts, for Qt's translation system: written in Traditional Chinese, the system's
// own language (as it shows them, byte for byte), and translated for other locales
// (translations/). Text::tr("期初帳款開立完成..!") is one text of the catalogue.
class Text {
    Q_DECLARE_TR_FUNCTIONS(suppbeforestart)
};
