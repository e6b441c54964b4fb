#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace db {

// A statement text with its ":NAME" markers found outside quoted literals, quoted identifiers
// and comments, and rewritten to the positional form the server prepares. In an EXECUTE BLOCK
// only its input parameters ("NAME type = :NAME") are markers: its body is sent as it stands.
struct ParsedSql {
    QString positional;               // every marker replaced by "?"
    QStringList names;                // distinct names, in order of first appearance
    std::vector<int> markerNames;     // for each "?" in order, its index into names
};

ParsedSql parseSql(const QString& text);

// A value to be placed between single quotes in SQL text, with its quotes doubled so that it
// stays one literal whatever it holds.
QString escapeQuotes(const QString& value);
// True for a plain SQL identifier (a letter, then letters, digits, "_" or "$"), the only text
// that may be placed unquoted where a table or column name stands.
bool isIdentifier(const QString& text);

} // namespace db
