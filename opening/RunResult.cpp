#include "RunResult.h"

namespace opening {

namespace {

void count(RunTotals& totals, const DocumentResult& document, DocumentKind kind)
{
    const bool bill = kind == DocumentKind::Bill;
    switch (document.outcome) {
    case Outcome::Written:
        (bill ? totals.billsWritten : totals.paymentsWritten) += 1;
        (bill ? totals.billsTotal : totals.paymentsTotal) += document.total;
        break;
    case Outcome::Failed:
        (bill ? totals.billsFailed : totals.paymentsFailed) += 1;
        break;
    case Outcome::NotReached:
        ++totals.notReached;
        break;
    case Outcome::Empty:
        ++totals.empty;
        break;
    case Outcome::Zero:
        ++totals.zero;
        break;
    case Outcome::Negative:
        ++totals.negative;
        break;
    case Outcome::NotANumber:
        ++totals.notANumber;
        break;
    case Outcome::Kept:
        ++totals.kept;
        break;
    case Outcome::Duplicate:
        ++totals.duplicate;
        break;
    }
}

} // namespace

RunTotals RunResult::totals() const
{
    RunTotals totals;
    for (const SupplierResult& supplier : suppliers) {
        count(totals, supplier.bill, DocumentKind::Bill);
        count(totals, supplier.payment, DocumentKind::Payment);
    }
    return totals;
}

QString kindText(DocumentKind kind)
{
    return kind == DocumentKind::Bill ? QStringLiteral("進貨單") : QStringLiteral("預付單");
}

QString outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Written:
        return QStringLiteral("已開立");
    case Outcome::Failed:
        return QStringLiteral("失敗");
    case Outcome::NotReached:
        return QStringLiteral("未執行");
    case Outcome::Empty:
        return QStringLiteral("無餘額");
    case Outcome::Zero:
        return QStringLiteral("餘額為零");
    case Outcome::Negative:
        return QStringLiteral("負數餘額");
    case Outcome::NotANumber:
        return QStringLiteral("非數值");
    case Outcome::Kept:
        return QStringLiteral("保留前次預付單");
    case Outcome::Duplicate:
        return QStringLiteral("重複廠商代號");
    }
    return {};
}

} // namespace opening
