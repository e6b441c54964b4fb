#include "DuplicateCodes.h"

namespace opening {

bool isRepeat(QSet<QString>& seen, const SupplierRow& supplier)
{
    const qsizetype before = seen.size();
    seen.insert(supplier.code);
    return seen.size() == before;
}

} // namespace opening
