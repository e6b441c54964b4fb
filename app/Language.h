#pragma once

#include <QStringList>

class QTranslator;

namespace app {

enum class Language { Chinese, English };

// The language the program speaks: the one --lang names (zh or en), else the workstation's; a
// workstation that names none (the C locale) gets the system's own, Traditional Chinese.
Language chosenLanguage(const QStringList& arguments);

// Installs the translations of the language in the running application: Chinese keeps the
// program's own texts and gives Qt's buttons and dialogs their Traditional Chinese; English gives
// the program's English catalogue. Returns the translator installed (the application owns it),
// or none when its catalogue was not found.
QTranslator* useLanguage(Language language);

} // namespace app
