// Statement text as any bytes: the ":NAME" parser must take every text, and what it returns
// must hang together (each marker names a known parameter, names are distinct).
#include "SqlText.h"

#include <QByteArray>
#include <QSet>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const db::ParsedSql parsed = db::parseSql(text);
    for (int index : parsed.markerNames)
        if (index < 0 || index >= parsed.names.size())
            std::abort();
    if (QSet<QString>(parsed.names.begin(), parsed.names.end()).size() != parsed.names.size())
        std::abort();
    if (parsed.positional.count(u'?') < static_cast<qsizetype>(parsed.markerNames.size()))
        std::abort();  // every marker became a "?"
    (void)db::escapeQuotes(text);
    (void)db::isIdentifier(text);
    return 0;
}
