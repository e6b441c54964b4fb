#pragma once

#include "Documents.h"

#include <QMap>
#include <QVector>

namespace opening {

// The documents of one kind that a plan will write, or a run wrote.
struct DocumentTotals {
    int count = 0;
    MoneySum balance;  // the balances they carry
    MoneySum net;
    MoneySum tax;
    MoneySum total;
};

// The figures of a plan or a run, tied together: the bills' total is their balances, plus the tax
// added on top of tax-exclusive balances, plus what rounding to the purchase totals' places gave;
// their net is their balances less the tax taken out of tax-inclusive balances, plus the same
// rounding.
struct Totals {
    int suppliers = 0;
    DocumentTotals bills;
    DocumentTotals payments;
    int billsTaxOnTop = 0;  // tax flag 0
    MoneySum taxOnTop;
    int billsTaxInside = 0;  // tax flag 1
    MoneySum taxInside;
    MoneySum rounding;
    int faultySuppliers = 0;       // suppliers with a document skipped for a fault
    QMap<Outcome, int> notPosted;  // documents skipped, by reason (faults and balances without amount)
    int failed = 0;                // documents tried and not stored
    int notReached = 0;            // documents the run stopped before
};

// Counts the documents planned (in a plan) or written (after a run).
Totals totalsOf(const QVector<SupplierEntry>& suppliers);

} // namespace opening
