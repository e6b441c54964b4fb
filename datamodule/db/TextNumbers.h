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

} // namespace db
