#include "SettingsCheck.h"

#include "DbError.h"
#include "Settings.h"
#include "Statement.h"

namespace opening {

namespace {

// The narrowest width, in characters, of the column in the bill's header and lines.
qint64 columnWidth(db::Statement& query, const QString& column)
{
    query.open({QStringLiteral("SELECT MIN(f.RDB$CHARACTER_LENGTH) FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f "
                               "ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE WHERE rf.RDB$RELATION_NAME IN "
                               "('PURCHASE_MASTER', 'PURCHASE_DETAIL') AND rf.RDB$FIELD_NAME = '%1'")
                    .arg(column)});
    return query.isNull(QStringLiteral("MIN")) ? -1 : query.asInteger(0);
}

void checkFits(db::Statement& query, const char* setting, const QString& value, const QString& column)
{
    const qint64 width = columnWidth(query, column);
    if (width >= 0 && value.size() > width)
        throw db::DbError(QStringLiteral("系統參數 %1（%2）長於進貨單欄位 %3 的 %4 字，無法開帳。")
                              .arg(QString::fromLatin1(setting), value, column)
                              .arg(width));
}

} // namespace

void checkPurchaseSettings(db::Statement& query)
{
    if (in_tax < 0)
        throw db::DbError(QStringLiteral("系統參數 in_tax（%1）為負數，無法開帳。").arg(in_tax));
    checkFits(query, "in_money_id", in_money_id, QStringLiteral("MONEY_ID"));
    checkFits(query, "main_stockid", main_stockid, QStringLiteral("STOCK_ID"));
}

} // namespace opening
