#pragma once

#include <QVariant>

namespace opening {

// How a balance cell of the supplier list reads. Only a positive balance is posted; the other
// readings say why a document was not written.
enum class BalanceReading { Positive, Empty, Zero, Negative, NotANumber };

struct Balance {
    BalanceReading reading = BalanceReading::Empty;
    double amount = 0.0;  // the balance as a number; 0 unless it reads as one
};

// The cell read as text and converted to a decimal number: empty (or null) and text that is no
// finite number count as 0 and produce nothing.
Balance readBalance(const QVariant& cell);

} // namespace opening
