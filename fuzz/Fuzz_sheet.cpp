// A spreadsheet as any bytes (text in any encoding, or a zip that claims to be a workbook): the
// reader must read or refuse every file without failing, and every cell must read as a number
// or as none.
#include "AccountantNumber.h"
#include "Sheet.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const balanceimport::Encoding encoding : {balanceimport::Encoding::Automatic, balanceimport::Encoding::Big5}) {
        const balanceimport::Sheet sheet = balanceimport::readSheetBytes(bytes, QStringLiteral("fuzz"), encoding);
        if (sheet.read() == !sheet.error.isEmpty())
            std::abort();  // a sheet is read, or says why not
        for (const QStringList& row : sheet.rows)
            for (const QString& cell : row)
                if (const std::optional<double> number = balanceimport::accountantNumber(cell); number && !std::isfinite(*number))
                    std::abort();  // a balance is a finite amount
    }
    return 0;
}
