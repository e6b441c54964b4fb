#include "ColumnBinding.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TableColumns.h"

namespace opening {

bool saveBill(TSimpleDataMod& dm, const db::RecordSet& header, db::RecordSet& lines, Stored stored)
{
    db::Connection& connection = dm.SQLConnection1;
    if (connection.inTransaction())
        return false;
    // Left without commit, the scope rolls back before the failure travels on: no lock is held
    // while the caller tells the operator.
    db::TransactionScope transaction(connection);

    // Whatever is stored under the bill's number goes first, so that saving again replaces it.
    if (stored == Stored::Maybe) {
        const QString bill = header.asText(QStringLiteral("MASTERBILLID"));
        db::Statement& remove = dm.SQLQueryD;
        for (const char* table : {"PURCHASE_MASTER", "PURCHASE_DETAIL"}) {
            remove.setLines({QStringLiteral("DELETE FROM %1 ").arg(QLatin1String(table)),
                             QStringLiteral(" WHERE MASTERBILLID = :MASTERBILLID")});
            remove.setParamText(QStringLiteral("MASTERBILLID"), bill);
            remove.execute();
        }
        remove.setLines({QStringLiteral("DELETE FROM PROD_CHGDATA "),
                         QStringLiteral(" WHERE MASTERBILLID = :MASTERBILLID"), QStringLiteral(" and FLAG_ID = :FLAG_ID")});
        remove.setParamText(QStringLiteral("MASTERBILLID"), bill);
        remove.setParamText(QStringLiteral("FLAG_ID"), header.asText(QStringLiteral("FLAG_ID")));
        remove.execute();
    }

    db::Statement& headerInsert = dm.SQL_Master;
    static const QStringList headerLines = insertLines(purchaseMasterColumns());
    headerInsert.setLines(headerLines);
    ColumnBinding(headerInsert, purchaseMasterColumns(), {}, header).bind(headerInsert, header);
    headerInsert.execute();

    db::Statement& lineInsert = dm.SQL_Sub;
    static const QStringList lineLines = insertLines(purchaseDetailColumns());
    lineInsert.setLines(lineLines);
    const ColumnBinding lineBinding(lineInsert, purchaseDetailColumns(), {}, lines);
    for (lines.first(); !lines.eof(); lines.next()) {
        lineBinding.bind(lineInsert, lines);
        lineInsert.execute();
    }

    transaction.commit();
    return true;
}

} // namespace opening
