#include "Boxes.h"
#include "Text.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "SqlText.h"
#include "TextNumbers.h"

#include <exception>

// Query loading, the wuid value, parameter splitting and the organisation permission checks.

namespace {

// The permission column of a function for an organisation, in one of the permission tables.
// The column and the function number stand unquoted in the text, so they are checked first.
bool powerState(db::Statement& query, const QString& table, const QString& sOrg_id, const QString& sItem_no,
                const QString& sCol)
{
    if (!db::isIdentifier(sCol))
        throw db::DbError(QStringLiteral("'%1' is not a valid permission column name").arg(sCol));
    if (!db::parseInteger(sItem_no))
        throw db::DbError(QStringLiteral("'%1' is not a valid function number").arg(sItem_no));
    query.close();
    query.clearText();
    query.addLine(QStringLiteral("SELECT ") + sCol + QStringLiteral(" FROM ") + table + u' ');
    query.addLine(QStringLiteral(" WHERE ORG_ID='") + db::escapeQuotes(sOrg_id) + u'\'');
    query.addLine(QStringLiteral(" AND  ITEM_NO=") + sItem_no);
    query.open();
    return CheckPowerValue(static_cast<int>(query.asInteger(sCol)));
}

} // namespace

// The copy into the caller's record set is guarded: a failure there is reported as
// "<type> error raised, with message : <message>", the type being "DbError" for a failure of
// the data-access layer and "Exception" for any other, and the call returns normally. The text
// runs in a read-only transaction: one that would change data is refused, having changed nothing.
void TSimpleDataMod::CDS_Query(db::RecordSet& ACDS, const QString& ASQL)
{
    SQLConnection1.params().setValue(QStringLiteral("servercharset"), QStringLiteral("UTF8"));
    ClientDataSet1.close();
    ClientDataSet1.setCommandText(ASQL);
    try {
        ClientDataSet1.open();
    } catch (const db::DbError& refused) {
        if (!refused.isReadOnlyViolation())
            throw;
        throw db::DbError(Text::tr("CDS_Query 只載入查詢的資料，這段指令會變更資料，未執行：\n%1\n%2")
                              .arg(ASQL.left(200), refused.message()),
                          refused.errorCodes());
    }
    try {
        ACDS.setData(ClientDataSet1.data());
    } catch (const db::DbError& error) {
        toolkit::boxes().message(QStringLiteral("DbError error raised, with message : ") + error.message());
    } catch (const std::exception& error) {
        toolkit::boxes().message(QStringLiteral("Exception error raised, with message : ") +
                                 QString::fromLocal8Bit(error.what()));
    }
}

QString TSimpleDataMod::wuid()
{
    return settings.corp_email;
}

void TSimpleDataMod::SplitParams(const QString& Params, QStringList* Dest)
{
    if (!Dest)
        return;
    *Dest = Params.split(u'&');
}

bool TSimpleDataMod::GetOrgPowerState(const QString& sOrg_id, const QString& sItem_no, const QString& sCol)
{
    return powerState(SQLQuery1, QStringLiteral("ORG_POWER"), sOrg_id, sItem_no, sCol);
}

bool TSimpleDataMod::GetOrgPowerReportState(const QString& sOrg_id, const QString& sItem_no, const QString& sCol)
{
    return powerState(SQLQuery1, QStringLiteral("ORG_POWER_REPORT"), sOrg_id, sItem_no, sCol);
}

bool CheckPowerValue(int value)
{
    if (value == 0)
        return false;
    if (value == 1)
        return true;
    toolkit::boxes().message(Text::tr("輸入異常..!"));
    return false;
}
