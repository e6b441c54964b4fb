#pragma once

#include <QString>
#include <optional>

namespace balanceimport {

// A balance as accountants type it into a spreadsheet: surrounding blanks, full-width digits and
// signs, thousands separators, a leading or trailing minus, or parentheses for a negative amount
// ("（1,234.50）", "1234-", "１２３４"). A decimal comma is taken where it cannot be a thousands
// separator ("1234,5", "1.234,50"). Nothing when the text is no number; an empty text is no
// number either (the caller decides what an empty cell means).
std::optional<double> accountantNumber(const QString& text);

} // namespace balanceimport
