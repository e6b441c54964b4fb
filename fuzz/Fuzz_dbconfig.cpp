// dbconfig.txt as any bytes: the loader must read every file without failing, and the list
// must answer what it holds.
#include "ParamList.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    db::ParamList list;
    list.loadFromBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QString& line : list.lines()) {
        const QString name = line.section(u'=', 0, 0);
        if (!list.contains(name))
            std::abort();  // every line's name is found
        (void)list.value(name);
    }
    list.setValue(QStringLiteral("Database"), QStringLiteral("x"));
    if (list.value(QStringLiteral("database")) != QStringLiteral("x"))
        std::abort();  // names are found whatever their case
    return 0;
}
