#pragma once

#include <QString>

namespace db {
class Statement;
}

namespace opening {

// The tables this program keeps for itself (OPENING_RUN_...), made on first use.
bool tableExists(db::Statement& query, const QString& table);
// Makes the table with these column definitions unless it exists. Another workstation may be
// making it at the same moment: losing that race counts as "it is there". A login without the
// right to make it gets the database's refusal.
void ensureTable(db::Statement& query, const QString& table, const QString& columns);

} // namespace opening
