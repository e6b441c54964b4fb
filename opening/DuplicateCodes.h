#pragma once

#include "SupplierRow.h"

#include <QHash>

namespace opening {

// A supplier code listed twice (the suite's SUPPLIER table does not forbid it) would have its
// balances posted twice. The database takes codes that differ only in trailing blanks as equal
// (each such row's balances come from the same account row), so they count as one code. The
// first row of a code wins; every later row with the same code is a repeat, posted nothing.
class SupplierCodes {
public:
    // Notes the supplier's code; the position of the earlier row with the same code, or 0 when
    // the code is new.
    int earlierRow(const SupplierRow& supplier);

private:
    QHash<QString, int> first_;
};

} // namespace opening
