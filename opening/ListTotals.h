#pragma once

#include "SupplierRow.h"

namespace opening {

// What the supplier list asks the run to post, before anything is written.
struct ListTotals {
    int suppliers = 0;
    int bills = 0;          // unpaid balances above 0
    double unpaid = 0.0;    // their sum
    int payments = 0;       // prepaid balances above 0
    double prepaid = 0.0;   // their sum
    int doubtful = 0;       // suppliers with a negative balance or one that is no number: skipped
    int repeats = 0;        // rows whose supplier code stands earlier in the list: posted once, there
};

ListTotals listTotals(const QVector<SupplierRow>& suppliers);

} // namespace opening
