#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace db {

// A statement text with its ":NAME" markers found outside quoted literals, quoted identifiers
// and comments, and rewritten to the positional form the server prepares.
struct ParsedSql {
    QString positional;               // every marker replaced by "?"
    QStringList names;                // distinct names, in order of first appearance
    std::vector<int> markerNames;     // for each "?" in order, its index into names
};

ParsedSql parseSql(const QString& text);

} // namespace db
