#pragma once

#include "Sheet.h"

namespace balanceimport {

// The first sheet of an .xlsx workbook (an Office Open XML zip archive): every cell as the text
// it holds, shared strings and inline strings as text, numbers as Excel stores them. Row and
// column positions are kept, so row numbers match what the operator sees in Excel.
Sheet readXlsx(const QByteArray& bytes, const QString& name);

} // namespace balanceimport
