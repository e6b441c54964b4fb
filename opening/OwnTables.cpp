#include "OwnTables.h"

#include "DbError.h"
#include "Statement.h"

namespace opening {

bool tableExists(db::Statement& query, const QString& table)
{
    query.setLines({QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :TABLE_NAME")});
    query.setParamText(QStringLiteral("TABLE_NAME"), table);
    query.open();
    return query.asInteger(0) > 0;
}

void ensureTable(db::Statement& query, const QString& table, const QString& columns)
{
    if (tableExists(query, table))
        return;
    try {
        query.execute({QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns)});
    } catch (const db::DbError&) {
        if (!tableExists(query, table))
            throw;
    }
}

} // namespace opening
