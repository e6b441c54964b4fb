#pragma once

#include <QString>

class QFrame;
class QLabel;
class QProgressBar;
class QToolButton;

// The window's bottom panel: what the list asks the run to post before it, the run's progress
// during it, its account after it; beside them the preview, the check against the database, the
// printed report, the import of balances and, after a run, saving the account.
class RunStatusPanel {
public:
    explicit RunStatusPanel(QFrame* panel);

    // A text of at most two lines; the details unfold as its tooltip.
    void showText(const QString& line, const QString& details = {});
    void startProgress(int total);
    // done of total suppliers handled, the documents written so far and the time still needed.
    void showProgress(int done, int total, int bills, int payments, qint64 msLeft);
    void endProgress();

    QLabel* text = nullptr;
    QProgressBar* progress = nullptr;
    QToolButton* preview = nullptr;
    QToolButton* check = nullptr;
    QToolButton* print = nullptr;
    QToolButton* importBalances = nullptr;
    QToolButton* saveAccount = nullptr;
};
