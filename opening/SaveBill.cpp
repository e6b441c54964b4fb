#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TableColumns.h"
#include "TextNumbers.h"
#include "Value.h"

#include <optional>

namespace opening {

void bindColumns(db::Statement& statement, const TableColumns& table, const QString& prefix, const db::RecordSet& row)
{
    for (const Column& column : table.columns()) {
        const QString& name = column.name;
        const QString param = prefix + name;
        const QVariant cell = row.value(name);
        switch (row.fieldType(name)) {
        case db::FieldType::Integer:
            statement.setParamInteger(param, cell.typeId() == QMetaType::LongLong
                                                 ? cell.toLongLong()
                                                 : db::parseInteger(db::valueToText(cell)).value_or(0));
            break;
        case db::FieldType::Float: {
            std::optional<double> number;
            if (cell.typeId() == QMetaType::Double)
                number = db::fifteenDigitsAsIs(cell.toDouble());
            statement.setParamDouble(param, number ? *number : db::parseDouble(db::valueToText(cell)).value_or(0.0));
            break;
        }
        default: {
            const QString text = db::valueToText(cell);
            statement.setParamText(param, table.textsTrimmed ? trimmedLineText(text) : text);
            break;
        }
        }
    }
}

// Leading and trailing blanks and control characters removed, as line texts are stored.
QString trimmedLineText(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= u' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= u' ')
        --to;
    return text.mid(from, to - from);
}

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
    bindColumns(headerInsert, purchaseMasterColumns(), {}, header);
    headerInsert.execute();

    db::Statement& lineInsert = dm.SQL_Sub;
    static const QStringList lineLines = insertLines(purchaseDetailColumns());
    for (lines.first(); !lines.eof(); lines.next()) {
        lineInsert.setLines(lineLines);
        bindColumns(lineInsert, purchaseDetailColumns(), {}, lines);
        lineInsert.execute();
    }

    transaction.commit();
    return true;
}

} // namespace opening
