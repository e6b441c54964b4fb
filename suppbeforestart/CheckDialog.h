#pragma once

#include "Check.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// "開帳核對": the stored opening documents against the list, a line saying every document ties
// with the totals, or the table of every difference.
class CheckDialog : public QDialog {
    Q_OBJECT
public:
    CheckDialog(const opening::CheckResult& result, const Settings& settings, QWidget* parent);

    QLabel* verdict = nullptr;
    QTableWidget* table = nullptr;
};
