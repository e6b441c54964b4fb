#pragma once

#include <QString>
#include <optional>

namespace db {

// Conversions between numbers and their text, as the workstation writes them: the system
// locale's decimal separator, no thousands separators.

// The whole text as an integer: optional sign, leading blanks allowed; anything else fails.
std::optional<qint64> parseInteger(const QString& text);
// The whole text as a decimal number with an optional exponent; surrounding blanks allowed.
std::optional<double> parseDouble(const QString& text);
// General decimal form with at most 15 significant digits ("0.333333333333333", "1234.5").
QString formatDouble(double value);
// What parseDouble(formatDouble(value)) gives, known without making the text when the value has
// nothing to round (zero without its sign); nothing when the text has to decide: a rounding, or
// an infinity or NaN, whose text is no number.
std::optional<double> fifteenDigitsAsIs(double value);

} // namespace db
