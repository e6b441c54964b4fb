#include "OpeningRun.h"

#include "BillLayouts.h"
#include "BillWorkspace.h"
#include "Connection.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "PostingWalk.h"
#include "RunClaim.h"
#include "RunLog.h"
#include "RunRecord.h"
#include "RunReport.h"
#include "Text.h"

#include <QElapsedTimer>
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

// One supplier's documents, as the run's log tells them.
QString documentsText(const SupplierEntry& entry)
{
    const auto document = [](const Document& d) {
        return d.number.isEmpty() ? outcomeText(d.outcome) : d.number + u' ' + outcomeText(d.outcome);
    };
    return QStringLiteral("%1 %2: bill %3, payment %4")
        .arg(entry.supplier.position)
        .arg(entry.supplier.code, document(entry.bill), document(entry.payment));
}

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
        qCDebug(lcRun).noquote() << QStringLiteral("run for %1 on %2 suppliers: claiming the database")
                                        .arg(baseDate.toString(Qt::ISODate))
                                        .arg(suppliers.rows.size());
        RunClaim claim(dm);
        // Planned while the claim keeps every other run away, so nothing changes under the plan.
        plan = planOpening(dm, bill.query, suppliers, baseDate);
        if (plan.refused()) {
            qCDebug(lcRun).noquote() << "plan refused:" << plan.refusal;
            result.end = RunEnd::Refused;
            result.stopError = plan.refusal;
            return result;
        }
        qCDebug(lcRun).noquote() << QStringLiteral("planned %1 bills and %2 payment records; earlier run: %3 bills, "
                                                   "%4 lines, %5 payment records")
                                        .arg(totalsOf(plan.suppliers).bills.count)
                                        .arg(totalsOf(plan.suppliers).payments.count)
                                        .arg(plan.earlier.bills)
                                        .arg(plan.earlier.lines)
                                        .arg(plan.earlier.payments);
        applyBillLayouts(bill);
        if (!clearEarlierRun(dm, bill.query, plan.earlier, observer)) {
            qCDebug(lcRun) << "the earlier run is kept: nothing written";
            result.end = RunEnd::Declined;
            return result;
        }
        result.replaced = plan.earlier;
        ensureOpeningProduct(bill.query);
        qCDebug(lcRun) << "placeholder product in place; posting";

        PostingWalk walk(dm, bill, plan, observer);
        const int total = static_cast<int>(plan.suppliers.size());
        int done = 0;
        for (; done < total && !observer.stopRequested(); ++done) {
            SupplierEntry& entry = plan.suppliers[done];
            result.stoppedAt = entry.supplier.position;
            walk.post(entry, current);
            qCDebug(lcRun).noquote() << documentsText(entry);
            observer.supplierDone(entry, done + 1, total);
            claim.keepFresh();
        }
        walk.finish();
        if (done < total) {
            // Each supplier's documents are committed with it: the run ends between two.
            result.end = RunEnd::Stopped;
            result.byOperator = true;
            result.stopError = stoppedByOperatorText(done, total);
            markNotReached(plan.suppliers);
        } else {
            result.stoppedAt = 0;
        }
    } catch (const ClaimHeld& held) {
        result.end = RunEnd::Busy;
        result.stopError = QString::fromUtf8(held.what());
    } catch (const std::exception& failure) {
        result.end = RunEnd::Stopped;
        result.stopError = QString::fromUtf8(failure.what());
        const auto* dbFailure = dynamic_cast<const db::DbError*>(&failure);
        result.connectionLost = dbFailure && dbFailure->isConnectionLost();
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
    QElapsedTimer took;
    took.start();
    RunResult result = runUnrecorded(dm, bill, suppliers, baseDate, observer);
    qCDebug(lcRun).noquote() << QStringLiteral("run ended %1 after %2 ms%3")
                                    .arg(outcomeCode(result.end))
                                    .arg(took.elapsed())
                                    .arg(result.stopError.isEmpty() ? QString() : QStringLiteral(": ") + result.stopError);
    if (result.connectionLost) {
        // Neither the record nor the check could reach the database now; connecting again
        // through a link that stopped answering would only make the operator wait longer.
        result.stopError += u'\n' + lostConnectionAdvice(result);
        result.recordWarning = Text::tr("本次開帳未記錄：與資料庫的連線已中斷。");
        return result;
    }
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
