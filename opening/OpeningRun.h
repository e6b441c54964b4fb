#pragma once

#include "RunObserver.h"
#include "RunResult.h"
#include "SupplierList.h"

#include <QDate>

class TSimpleDataMod;

namespace opening {

struct BillWorkspace;

// The opening run of "確定開帳" on the supplier list, for the base date, one at a time per
// database (RunClaim: while another workstation runs, this one writes nothing and ends Busy).
// It plans first, with what the database holds then, and writes nothing when the plan is
// refused (a list that did not load, a setting or a table that no bill could be written with).
// It replaces an earlier run when the observer consents (all opening documents at once), makes
// sure the placeholder product exists, then writes per supplier exactly what the plan says: its
// opening purchase bill and its opening payment record, committed together (PostingWalk). A
// failed bill save is reported and the run goes on; any other failure stops the run and is
// returned with what was done before it, which stays committed.
RunResult runOpening(TSimpleDataMod& dm, BillWorkspace& bill, const SupplierList& suppliers, const QDate& baseDate,
                     RunObserver& observer);

} // namespace opening
