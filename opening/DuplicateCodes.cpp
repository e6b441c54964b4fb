#include "DuplicateCodes.h"

namespace opening {

int SupplierCodes::earlierRow(const SupplierRow& supplier)
{
    QString code = supplier.code;
    while (code.endsWith(u' '))
        code.chop(1);
    if (const auto found = first_.constFind(code); found != first_.constEnd())
        return *found;
    first_.insert(code, supplier.position);
    return 0;
}

} // namespace opening
