#include "Balance.h"

#include "TextNumbers.h"
#include "Value.h"

namespace opening {

Balance readBalance(const QVariant& cell)
{
    const QString text = db::valueToText(cell);
    if (text.trimmed().isEmpty())
        return {BalanceReading::Empty, 0.0};
    const std::optional<double> value = db::parseDouble(text);
    if (!value)
        return {BalanceReading::NotANumber, 0.0};
    if (*value > 0)
        return {BalanceReading::Positive, *value};
    return {*value < 0 ? BalanceReading::Negative : BalanceReading::Zero, *value};
}

} // namespace opening
