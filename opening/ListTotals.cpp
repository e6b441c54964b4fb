#include "ListTotals.h"

#include "Balance.h"
#include "DuplicateCodes.h"

namespace opening {

namespace {
bool doubtful(const Balance& balance)
{
    return balance.reading == BalanceReading::Negative || balance.reading == BalanceReading::NotANumber;
}
} // namespace

ListTotals listTotals(const QVector<SupplierRow>& suppliers)
{
    ListTotals totals;
    totals.suppliers = static_cast<int>(suppliers.size());
    QSet<QString> seen;
    for (const SupplierRow& supplier : suppliers) {
        if (isRepeat(seen, supplier)) {
            ++totals.repeats;
            continue;
        }
        const Balance unpaid = readBalance(supplier.unpaid);
        const Balance prepaid = readBalance(supplier.prepaid);
        if (unpaid.reading == BalanceReading::Positive) {
            ++totals.bills;
            totals.unpaid += unpaid.amount;
        }
        if (prepaid.reading == BalanceReading::Positive) {
            ++totals.payments;
            totals.prepaid += prepaid.amount;
        }
        if (doubtful(unpaid) || doubtful(prepaid))
            ++totals.doubtful;
    }
    return totals;
}

} // namespace opening
