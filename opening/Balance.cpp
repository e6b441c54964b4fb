#include "Balance.h"

#include "TextNumbers.h"
#include "Value.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace opening {

namespace {

// A number cell reads as its text of 15 significant digits would. When that text gives back the
// very same number there is nothing to round, and the number is taken as it is without making
// the text: the list's totals read 200,000 balances at once.
std::optional<double> alreadyFifteenDigits(const QVariant& cell)
{
    if (cell.typeId() != QMetaType::Double)
        return std::nullopt;
    const double value = cell.toDouble();
    // From 10^15 on, a tie between two 15-digit texts is possible and the text decides.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return std::nullopt;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    double back = 0.0;
    if (written.ec != std::errc() || std::from_chars(text, written.ptr, back).ec != std::errc() || back != value)
        return std::nullopt;
    return value == 0.0 ? 0.0 : value;  // "0" has no sign
}

Balance classify(double value)
{
    if (value > 0)
        return {BalanceReading::Positive, value};
    return {value < 0 ? BalanceReading::Negative : BalanceReading::Zero, value};
}

} // namespace

Balance readBalance(const QVariant& cell)
{
    if (const std::optional<double> value = alreadyFifteenDigits(cell))
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
