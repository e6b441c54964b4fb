#pragma once

#include "Money.h"

#include <QString>

struct Settings;

namespace opening {

// A bill's net, tax and total.
struct BillAmounts {
    Money net;
    Money tax;
    Money total;
    bool isFinite() const { return net.isFinite() && tax.isFinite() && total.isFinite(); }
};

// The tax flag a bill is totalled by: the supplier list's, read as a whole number; an empty or
// unreadable one counts as tax included (1).
qint64 totalsTaxFlag(const QString& supplierTaxFlag);

// The bill's amounts for the sum of its lines by the tax flag and the purchase settings (in_tax,
// in_totdot): 0 tax on top, 1 tax included, any other flag no tax.
BillAmounts billAmounts(const Settings& settings, qint64 taxFlag, Money sum);

} // namespace opening
