#include "RunClaim.h"
#include "Text.h"

#include "ClockTexts.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "OwnTables.h"

namespace opening {

namespace {

const QString kTable = QStringLiteral("OPENING_RUN_CLAIM");
constexpr int kLockRows[] = {1, 3};
constexpr int kHolderRow = 2;
constexpr qint64 kRelayMs = 200;
// A workstation failing to claim holds the first lock row for an instant; the run waits that out.
constexpr int kRelayWaitSeconds = 1;

std::unique_ptr<db::RowLock> lockRow(db::Connection& connection, int row, int waitSeconds)
{
    return std::make_unique<db::RowLock>(
        connection, QStringLiteral("UPDATE %1 SET SINCE = SINCE WHERE ID = %2").arg(kTable).arg(row), waitSeconds);
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
    ensureTable(query, kTable, QStringLiteral("ID INTEGER NOT NULL PRIMARY KEY, HOST VARCHAR(60), SINCE VARCHAR(30)"));
    for (int id : {kLockRows[0], kHolderRow, kLockRows[1]}) {
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
    : std::runtime_error(Text::tr("另一工作站（%1）自 %2 起正在執行期初開帳，本次未寫入任何資料。")
                             .arg(holder, from)
                             .toStdString()),
      host(holder),
      since(from)
{
}

RunClaim::RunClaim(TSimpleDataMod& dm) : connection_(dm.SQLConnection1), heldRow_(kLockRows[0])
{
    db::Statement query(&dm.SQLConnection1);
    try {
        ensureClaimRows(query);
    } catch (const db::DbError& refused) {
        if (tableExists(query, kTable))
            throw;
        // Without the claim two workstations could post the same balances twice.
        throw db::DbError(Text::tr("期初開帳需要資料表 %1（同時只讓一個工作站開帳），此登入無權建立它："
                                         "請系統管理員先執行一次期初開帳。\n%2")
                              .arg(kTable, refused.message()),
                          refused.errorCodes());
    }
    try {
        lock_ = lockRow(connection_, kLockRows[0], 0);
        lockRow(connection_, kLockRows[1], 0);  // free as well: nobody is running
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
    held_.start();
}

RunClaim::~RunClaim() = default;

void RunClaim::keepFresh()
{
    if (held_.elapsed() < kRelayMs)
        return;
    const int next = heldRow_ == kLockRows[0] ? kLockRows[1] : kLockRows[0];
    try {
        lock_ = lockRow(connection_, next, kRelayWaitSeconds);  // the other row first, then this one goes
        heldRow_ = next;
    } catch (const db::DbError& error) {
        // Still held on the row it was: the hand-over is tried again later.
        if (!error.isUpdateConflict() && !error.isLockTimeout())
            throw;
    }
    held_.restart();
}

} // namespace opening
