#pragma once

#include "OpeningPlan.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "開帳預覽": every document "確定開帳" would write, in order, with the number it would get, its
// balance and amounts, and every balance skipped for a fault with its reason; the totals and how
// they tie to the balances; what an earlier run would lose. The table can be copied and saved as
// CSV.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    PreviewDialog(opening::OpeningPlan plan, QWidget* parent);

    // The table as tab-separated text on the clipboard.
    void copy() const;
    bool saveCsv(const QString& path) const;

    QLabel* heading = nullptr;
    QTableWidget* table = nullptr;
    QLabel* reconciliation = nullptr;
    QPlainTextEdit* notes = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* saveButton = nullptr;

private:
    void askAndSave();

    opening::OpeningPlan plan_;
};
