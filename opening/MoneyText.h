#pragma once

#include <QString>

namespace opening {

// An amount as the operator reads it: thousands separators and the decimal places of the
// accounting amount format of the settings ("#,##0.00"); whole units when that format is unset.
QString moneyText(double amount);

} // namespace opening
