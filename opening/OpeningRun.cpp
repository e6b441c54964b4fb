#include "OpeningRun.h"

#include "Balance.h"
#include "BillLayouts.h"
#include "BillWorkspace.h"
#include "ClockTexts.h"
#include "DuplicateCodes.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "RunClaim.h"
#include "SettingsCheck.h"

#include <QSet>
#include <exception>
#include <optional>

namespace opening {

namespace {

Outcome notPosted(BalanceReading reading)
{
    switch (reading) {
    case BalanceReading::Zero:
        return Outcome::Zero;
    case BalanceReading::Negative:
        return Outcome::Negative;
    case BalanceReading::NotANumber:
        return Outcome::NotANumber;
    default:
        return Outcome::Empty;
    }
}

// The documents of an earlier opening run are replaced only with the operator's consent, and
// all of them or none: deleted one statement at a time, a failure in between would leave lines
// whose header is gone, which no later run would notice. Returns the number of earlier bills
// replaced, or nothing when the operator keeps them.
std::optional<int> clearEarlierRun(TSimpleDataMod& dm, db::Statement& query, RunObserver& observer)
{
    query.open({QStringLiteral("SELECT MASTERBILLID FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    const int earlierBills = static_cast<int>(query.result().rows.size());
    if (earlierBills == 0)
        return 0;
    if (!observer.replaceEarlierRun(earlierBills))
        return std::nullopt;

    db::TransactionScope transaction(dm.SQLConnection1);
    query.execute({QStringLiteral("DELETE FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PURCHASE_DETAIL WHERE MASTERBILLID LIKE '0%' ")});
    query.execute({QStringLiteral("DELETE FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%' ")});
    transaction.commit();
    return earlierBills;
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

// The supplier's bill, then its payment record. `current` names the document under way, so
// that a failure thrown from here is booked on it.
void postSupplier(TSimpleDataMod& dm, BillWorkspace& bill, SupplierResult& supplier, const RunStamp& stamp,
                  RunObserver& observer, DocumentResult*& current)
{
    current = &supplier.bill;
    const Balance unpaid = readBalance(supplier.supplier.unpaid);
    if (unpaid.reading == BalanceReading::Positive) {
        supplier.bill = postOpeningBill(dm, bill, supplier.supplier, stamp, unpaid.amount);
        if (supplier.bill.outcome == Outcome::Failed)
            observer.billFailed(supplier);
    } else {
        supplier.bill.outcome = notPosted(unpaid.reading);
    }

    current = &supplier.payment;
    const Balance prepaid = readBalance(supplier.supplier.prepaid);
    if (prepaid.reading == BalanceReading::Positive)
        supplier.payment = postOpeningPayment(bill.query, supplier.supplier, stamp);
    else
        supplier.payment.outcome = notPosted(prepaid.reading);
    current = nullptr;
}

} // namespace

RunResult runOpening(TSimpleDataMod& dm, BillWorkspace& bill, const QVector<SupplierRow>& suppliers,
                     const QDate& baseDate, RunObserver& observer)
{
    RunResult result;
    result.suppliers.reserve(suppliers.size());
    for (const SupplierRow& supplier : suppliers)
        result.suppliers.push_back({supplier, {}, {}});

    const WaitNotices notices(dm, observer);
    // The run sends the same few statements for every supplier.
    const db::StatementReuse reuse(dm.SQLConnection1);
    // The step under way, so that a failure is booked on the document it hit.
    DocumentResult* current = nullptr;
    try {
        RunClaim claim(dm);
        checkPurchaseSettings(bill.query);
        applyBillLayouts(bill);
        const std::optional<int> replaced = clearEarlierRun(dm, bill.query, observer);
        if (!replaced) {
            result.end = RunEnd::Declined;
            return result;
        }
        result.replacedBills = *replaced;
        ensureOpeningProduct(bill.query);
        readPlaceholder(bill.product);

        const RunStamp stamp{billDateText(baseDate), dayText(baseDate), dm.LocalIP()};
        const int total = static_cast<int>(result.suppliers.size());
        QSet<QString> posted;
        for (int i = 0; i < total; ++i) {
            SupplierResult& supplier = result.suppliers[i];
            result.stoppedAt = supplier.supplier.position;
            if (isRepeat(posted, supplier.supplier)) {
                supplier.bill.outcome = supplier.payment.outcome = Outcome::Duplicate;
                observer.supplierDone(supplier, i + 1, total);
                continue;
            }

            postSupplier(dm, bill, supplier, stamp, observer, current);
            observer.supplierDone(supplier, i + 1, total);
            claim.keepFresh();
        }
        result.stoppedAt = 0;
    } catch (const ClaimHeld& held) {
        result.end = RunEnd::Busy;
        result.stopError = QString::fromUtf8(held.what());
    } catch (const std::exception& failure) {
        result.end = RunEnd::Stopped;
        result.stopError = QString::fromUtf8(failure.what());
        if (current) {
            current->outcome = Outcome::Failed;
            current->error = result.stopError;
        }
    }
    return result;
}

} // namespace opening
