#include "RunClaim.h"

#include "ClockTexts.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"

namespace opening {

namespace {

const QString kTable = QStringLiteral("OPENING_RUN_CLAIM");
constexpr int kLockRow = 1;
constexpr int kHolderRow = 2;

bool tableExists(db::Statement& query)
{
    query.open({QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%1'").arg(kTable)});
    return query.asInteger(0) > 0;
}

bool rowExists(db::Statement& query, int id)
{
    query.open({QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID = %2").arg(kTable).arg(id)});
    return query.asInteger(0) > 0;
}

// Another workstation may be making the table or its rows at the same moment: losing that race
// counts as "it is there".
void ensureClaimRows(db::Statement& query)
{
    if (!tableExists(query)) {
        try {
            query.execute({QStringLiteral("CREATE TABLE %1 (ID INTEGER NOT NULL PRIMARY KEY, HOST VARCHAR(60), "
                                          "SINCE VARCHAR(30))")
                               .arg(kTable)});
        } catch (const db::DbError&) {
            if (!tableExists(query))
                throw;
        }
    }
    for (int id : {kLockRow, kHolderRow}) {
        if (rowExists(query, id))
            continue;
        try {
            query.execute({QStringLiteral("INSERT INTO %1 (ID, HOST, SINCE) VALUES (%2, '', '')").arg(kTable).arg(id)});
        } catch (const db::DbError&) {
            if (!rowExists(query, id))
                throw;
        }
    }
}

} // namespace

ClaimHeld::ClaimHeld(const QString& holder, const QString& from)
    : std::runtime_error(QStringLiteral("另一工作站（%1）自 %2 起正在執行期初開帳，本次未寫入任何資料。")
                             .arg(holder, from)
                             .toStdString()),
      host(holder),
      since(from)
{
}

RunClaim::RunClaim(TSimpleDataMod& dm)
{
    db::Statement query(&dm.SQLConnection1);
    ensureClaimRows(query);
    try {
        lock_ = std::make_unique<db::RowLock>(
            dm.SQLConnection1, QStringLiteral("UPDATE %1 SET SINCE = SINCE WHERE ID = %2").arg(kTable).arg(kLockRow));
    } catch (const db::DbError& error) {
        if (!error.isUpdateConflict())
            throw;
        query.open({QStringLiteral("SELECT HOST, SINCE FROM %1 WHERE ID = %2").arg(kTable).arg(kHolderRow)});
        throw ClaimHeld(query.asText(0), query.asText(1));
    }
    query.setLines({QStringLiteral("UPDATE %1 SET HOST = :HOST, SINCE = :SINCE WHERE ID = %2").arg(kTable).arg(kHolderRow)});
    query.setParamText(QStringLiteral("HOST"), dm.LocalIP());
    query.setParamText(QStringLiteral("SINCE"), changeTimeText(QDateTime::currentDateTime()));
    query.execute();
}

RunClaim::~RunClaim() = default;

} // namespace opening
