#include "Totals.h"

namespace opening {

namespace {

void add(DocumentTotals& totals, const Document& document)
{
    ++totals.count;
    totals.balance += document.balance;
    totals.net += document.net;
    totals.tax += document.tax;
    totals.total += document.total;
}

} // namespace

Totals totalsOf(const QVector<SupplierEntry>& suppliers)
{
    Totals totals;
    totals.suppliers = static_cast<int>(suppliers.size());
    for (const SupplierEntry& entry : suppliers) {
        bool faulty = false;
        for (const Document* document : {&entry.bill, &entry.payment}) {
            const bool bill = document->kind == DocumentKind::Bill;
            switch (document->outcome) {
            case Outcome::Planned:
            case Outcome::Written:
                add(bill ? totals.bills : totals.payments, *document);
                if (bill && document->taxFlag == 0) {
                    ++totals.billsTaxOnTop;
                    totals.taxOnTop += document->tax;
                } else if (bill && document->taxFlag == 1) {
                    ++totals.billsTaxInside;
                    totals.taxInside += document->tax;
                }
                break;
            case Outcome::Failed:
                ++totals.failed;
                break;
            case Outcome::NotReached:
                ++totals.notReached;
                break;
            default:
                ++totals.notPosted[document->outcome];
                faulty = faulty || isFault(document->outcome);
                break;
            }
        }
        totals.faultySuppliers += faulty ? 1 : 0;
    }
    totals.rounding = totals.bills.total - totals.bills.balance - totals.taxOnTop;
    return totals;
}

} // namespace opening
