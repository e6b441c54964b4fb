#pragma once

#include "Check.h"
#include "OpeningPlan.h"

#include <QString>

namespace opening {

enum class RunEnd {
    Completed,  // every supplier was handled (some bills may have failed)
    Declined,   // the operator kept the earlier run: nothing was written
    Stopped,    // a failure ended the run; what was committed before it stays
    Busy,       // another workstation's run is in progress on the database: nothing was written
    Refused,    // the plan found a fault that no supplier can be posted past: nothing was written
};

// What a run did: the plan it walked, each document's outcome turned from Planned into Written,
// Failed or NotReached.
struct RunResult {
    RunEnd end = RunEnd::Completed;
    QString stopError;   // why the run stopped, or could not start
    EarlierRun replaced; // the earlier run's documents, replaced with the operator's consent
    int stoppedAt = 0;   // position of the supplier the run stopped on; 0 when it stopped before the walk
    bool byOperator = false;  // Stopped because the operator asked (the window closed, a signal)
    bool connectionLost = false;  // it stopped because the server stopped answering or the connection broke
    OpeningPlan plan;
    QString recordWarning;  // why the run could not be recorded; empty when it was
    std::optional<CheckResult> check;  // what the database holds after a run that wrote, tied to it
};

} // namespace opening
