#pragma once

#include "Preview.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "開帳預覽": every document "確定開帳" would write, in order, with the number it would get and
// its amounts; what an earlier run would lose and which balances are skipped. The table can be
// copied and saved as CSV.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    PreviewDialog(opening::Preview preview, QWidget* parent);

    // The table as tab-separated text on the clipboard.
    void copy() const;
    bool saveCsv(const QString& path) const;

    QLabel* heading = nullptr;
    QTableWidget* table = nullptr;
    QPlainTextEdit* notes = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* saveButton = nullptr;

private:
    void askAndSave();

    opening::Preview preview_;
};
