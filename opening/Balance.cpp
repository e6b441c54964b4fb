#include "Balance.h"

#include "TextNumbers.h"
#include "Value.h"

#include <optional>

namespace opening {

namespace {

Balance classify(double value)
{
    if (value > 0)
        return {BalanceReading::Positive, value};
    return {value < 0 ? BalanceReading::Negative : BalanceReading::Zero, value};
}

} // namespace

Balance readBalance(const QVariant& cell)
{
    // The list's totals read 200,000 balances at once: a number with nothing to round is taken
    // as it is, without making its text.
    if (cell.typeId() == QMetaType::Double)
        if (const std::optional<double> value = db::fifteenDigitsAsIs(cell.toDouble()))
            return classify(*value);
    const QString text = db::valueToText(cell);
    if (text.trimmed().isEmpty())
        return {BalanceReading::Empty, 0.0};
    const std::optional<double> value = db::parseDouble(text);
    if (!value)
        return {BalanceReading::NotANumber, 0.0};
    return classify(*value);
}

} // namespace opening
