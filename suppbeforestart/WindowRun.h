#pragma once

#include "InputBlock.h"
#include "RunObserver.h"

#include <QElapsedTimer>

class RunStatusPanel;
class QWidget;

// The window's side of an opening run: the operator answers the question with the suite's
// confirmation box, sees each failed bill in a warning box at once, and watches the progress in
// the bottom panel. For as long as it lives the window takes no input; closing it (its close
// button, or SIGTERM and SIGINT) stops the run after the supplier under way.
class WindowRun : public opening::RunObserver {
public:
    WindowRun(QWidget& window, RunStatusPanel& panel, int suppliers);
    ~WindowRun() override;
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;

    bool replaceEarlierRun(const opening::EarlierRun& earlier) override;
    void billFailed(const opening::SupplierEntry& supplier) override;
    void supplierDone(const opening::SupplierEntry& supplier, int done, int total) override;
    void waiting(const QString& what) override;
    bool stopRequested() override { return closeAsked_; }
    // Whether the window was asked to close during the run.
    bool closeAsked() const { return closeAsked_; }

private:
    toolkit::InputBlock block_;
    RunStatusPanel& panel_;
    QElapsedTimer elapsed_;
    QElapsedTimer sinceShown_;
    int bills_ = 0;
    int payments_ = 0;
    bool closeAsked_ = false;
};
