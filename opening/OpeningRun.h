#pragma once

#include "RunObserver.h"
#include "RunResult.h"
#include "SupplierRow.h"

#include <QDate>

class TSimpleDataMod;

namespace opening {

struct BillWorkspace;

// The opening run of "確定開帳" on the supplier rows, for the base date, one at a time per
// database (RunClaim: while another workstation runs, this one writes nothing and ends Busy).
// It replaces an earlier run
// when the observer consents (all opening documents at once), makes sure the placeholder product
// exists, then writes per supplier its opening purchase bill (unpaid balance above 0, one
// transaction each) and its opening payment record (prepaid balance above 0, unless it keeps
// one). A failed bill save is reported and the run goes on; any other failure stops the run and
// is returned with what was done before it, which stays committed.
RunResult runOpening(TSimpleDataMod& dm, BillWorkspace& bill, const QVector<SupplierRow>& suppliers,
                     const QDate& baseDate, RunObserver& observer);

} // namespace opening
