#pragma once

#include <QString>
#include <optional>

// How the text of a PARAM_DEFINE value becomes a setting of each kind.

// A 32-bit integer: the whole text with an optional sign, leading blanks allowed; empty or any
// other text (a fraction such as "2.5" included) gives 0.
int integerSetting(const QString& text);
// A rate: a decimal number in the system locale's form with an optional exponent; empty text or
// text that is no number gives 0.05, while a stored 0 stays 0.
double rateSetting(const QString& text);
// The display format for a number of decimal places from 0 to 5 ("#,##0" to "#,##0.00000");
// nothing for any other number.
std::optional<QString> displayFormat(int places);
