#pragma once

#include "RunResult.h"

namespace opening {

// The caller's side of a run: the one decision the run needs, and what happened at each step.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Opening documents of an earlier run exist. True replaces every opening document (all at
    // once); false ends the run before anything is written.
    virtual bool replaceEarlierRun(const EarlierRun& earlier) = 0;
    // A bill could not be saved and nothing of it stays; the run goes on.
    virtual void billFailed(const SupplierEntry& supplier) { (void)supplier; }
    // The run waits for something another workstation holds; what it waits for.
    virtual void waiting(const QString& what) { (void)what; }
    // Asked before each supplier: true ends the run there, as stopped by the operator, with what
    // was written kept.
    virtual bool stopRequested() { return false; }
    // The supplier is handled: done of total so far.
    virtual void supplierDone(const SupplierEntry& supplier, int done, int total)
    {
        (void)supplier;
        (void)done;
        (void)total;
    }
};

} // namespace opening
