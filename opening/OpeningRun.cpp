#include "OpeningRun.h"

#include "BillLayouts.h"
#include "BillWorkspace.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "PostingWalk.h"
#include "RunClaim.h"
#include "RunRecord.h"

#include <exception>

namespace opening {

namespace {

// The documents of an earlier opening run are replaced only with the operator's consent, and
// all of them or none: deleted one statement at a time, a failure in between would leave lines
// whose header is gone. Returns false when the operator keeps them.
bool clearEarlierRun(TSimpleDataMod& dm, db::Statement& query, const EarlierRun& earlier, RunObserver& observer)
{
    if (!earlier.exists())
        return true;
    if (!observer.replaceEarlierRun(earlier))
        return false;

    db::TransactionScope transaction(dm.SQLConnection1);
    query.execute({QStringLiteral("DELETE FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PURCHASE_DETAIL WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    transaction.commit();
    return true;
}

// While the run lasts, a wait for another workstation's lock is told to the observer.
class WaitNotices {
public:
    WaitNotices(TSimpleDataMod& dm, RunObserver& observer) : dm_(dm)
    {
        dm_.setWaitNotice([&observer](const QString& what) { observer.waiting(what); });
    }
    ~WaitNotices() { dm_.setWaitNotice({}); }
    WaitNotices(const WaitNotices&) = delete;
    WaitNotices& operator=(const WaitNotices&) = delete;

private:
    TSimpleDataMod& dm_;
};

// What the run did not come to stays unwritten.
void markNotReached(QVector<SupplierEntry>& suppliers)
{
    for (SupplierEntry& entry : suppliers)
        for (Document* document : {&entry.bill, &entry.payment})
            if (document->outcome == Outcome::Planned)
                document->outcome = Outcome::NotReached;
}

RunResult runUnrecorded(TSimpleDataMod& dm, BillWorkspace& bill, const SupplierList& suppliers, const QDate& baseDate,
                        RunObserver& observer)
{
    RunResult result;
    if (!suppliers.loaded()) {
        result.end = RunEnd::Refused;
        result.stopError = suppliers.refusal();
        return result;
    }

    const WaitNotices notices(dm, observer);
    // The run sends the same few statements for every supplier.
    const db::StatementReuse reuse(dm.SQLConnection1);
    // The document under way, so that a failure is booked on the document it hit.
    Document* current = nullptr;
    OpeningPlan& plan = result.plan;
    try {
        RunClaim claim(dm);
        // Planned while the claim keeps every other run away, so nothing changes under the plan.
        plan = planOpening(dm, bill.query, suppliers, baseDate);
        if (plan.refused()) {
            result.end = RunEnd::Refused;
            result.stopError = plan.refusal;
            return result;
        }
        applyBillLayouts(bill);
        if (!clearEarlierRun(dm, bill.query, plan.earlier, observer)) {
            result.end = RunEnd::Declined;
            return result;
        }
        result.replaced = plan.earlier;
        ensureOpeningProduct(bill.query);

        PostingWalk walk(dm, bill, plan, observer);
        const int total = static_cast<int>(plan.suppliers.size());
        for (int i = 0; i < total; ++i) {
            SupplierEntry& entry = plan.suppliers[i];
            result.stoppedAt = entry.supplier.position;
            walk.post(entry, current);
            observer.supplierDone(entry, i + 1, total);
            claim.keepFresh();
        }
        walk.finish();
        result.stoppedAt = 0;
    } catch (const ClaimHeld& held) {
        result.end = RunEnd::Busy;
        result.stopError = QString::fromUtf8(held.what());
    } catch (const std::exception& failure) {
        result.end = RunEnd::Stopped;
        result.stopError = QString::fromUtf8(failure.what());
        if (current) {
            current->outcome = Outcome::Failed;
            current->detail = result.stopError;
        }
        markNotReached(plan.suppliers);
    }
    return result;
}

} // namespace

RunResult runOpening(TSimpleDataMod& dm, BillWorkspace& bill, const SupplierList& suppliers, const QDate& baseDate,
                     RunObserver& observer)
{
    const QDateTime started = QDateTime::currentDateTime();
    RunResult result = runUnrecorded(dm, bill, suppliers, baseDate, observer);
    const QString host = result.plan.stamp.host.isEmpty() ? dm.LocalIP() : result.plan.stamp.host;
    result.recordWarning = recordRun(bill.query, recordOf(result, started, baseDate, host));
    // The account ends with what the database holds now: what another program changed, or a
    // connection that broke off, shows here rather than at the next look.
    if (result.end == RunEnd::Completed || result.end == RunEnd::Stopped) {
        try {
            result.check = checkOpening(bill.query, result.plan);
        } catch (const std::exception&) {
            // Left unchecked: the account says what the run did, the check can be made later.
        }
    }
    return result;
}

} // namespace opening
