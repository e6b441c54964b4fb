#pragma once

#include "SupplierRow.h"

#include <QSet>

namespace opening {

// A supplier code listed twice (the suite's SUPPLIER table does not forbid it) would have its
// balances posted twice. The first row of a code wins; every later row with the same code is a
// repeat, posted nothing. Notes the code as seen and says whether it was seen before.
bool isRepeat(QSet<QString>& seen, const SupplierRow& supplier);

} // namespace opening
