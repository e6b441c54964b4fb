#include "TableColumns.h"

#include "DbError.h"

namespace opening {

namespace {

using db::FieldType;

Column text(const char* name, int width = 0)
{
    return {QString::fromLatin1(name), FieldType::Text, width};
}
Column number(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Float, 0};
}
Column integer(const char* name)
{
    return {QString::fromLatin1(name), FieldType::Integer, 0};
}

QString joined(const QVector<Column>& columns, const QString& prefix)
{
    QStringList names;
    for (const Column& column : columns)
        names << prefix + column.name;
    return names.join(u',');
}

} // namespace

QVector<Column> TableColumns::columns() const
{
    QVector<Column> all;
    for (const QVector<Column>& line : lines)
        all += line;
    return all;
}

const Column& TableColumns::column(const QString& name) const
{
    for (const QVector<Column>& line : lines)
        for (const Column& column : line)
            if (column.name == name)
                return column;
    throw db::DbError(QStringLiteral("%1 has no column %2").arg(table, name));
}

const TableColumns& purchaseMasterColumns()
{
    static const TableColumns table{
        QStringLiteral("PURCHASE_MASTER"),
        {{text("MASTERBILLID", 20), text("BILL_DATE", 10), text("FLAG", 20), text("FLAG_ID", 2), text("EMPLOYEE_ID", 10),
          text("EMPLOYEE_NAME", 20)},
         {text("SUPP_CORP_ID", 20), text("SUPP_CORP_NAME", 100), text("TAX_FLAG", 1), integer("PRICE_NO"),
          text("SOURCE_TYPE", 20), text("SOURCE_ID", 20), number("TOTAL_NETAMT")},
         {number("TOTAL_TAXAMT"), number("TOTAL_TOTAMT"), number("TOTAL_DISCOUNT"), number("TOTAL_DISTAX"),
          number("TOTAL_MONEY"), number("NOW_PAY"), number("PAYED_AMT")},
         {number("TOTAL_SURPLUS"), number("SURPLUS"), text("STOCK_ID", 10), text("STOCK_NAME", 20), text("NOTE", 100),
          text("FR_FLAG", 10), text("FR_NAME", 50), text("FR_ADDRESS", 50), text("FR_PHONE", 20)},
         {text("INVOICE_CLASS", 10), text("INVOICE_DATE", 10), text("INVOICE_NUM", 10), text("BILL_KIND", 4),
          text("ACC_DATE", 10), text("PROJ_ID", 20), text("DEPART_ID", 10)},
         {text("SUPP_CORP_IDAC", 10), text("SECBILLID", 20), text("AGREE_YN", 1), text("MONEY_ID", 10),
          text("MONEY_NAME", 50), number("MONEY_RATE"), text("CHG_DATETIME", 20)},
         {text("CHG_USER", 10), text("CHG_HOST", 20), text("CR_DATETIME", 20), text("CR_USER", 10), text("CR_HOST", 20),
          text("WUID", 50)}},
        QStringLiteral(") "),
        QStringLiteral(" VALUES ("),
        true,
        QStringLiteral(") ")};
    return table;
}

const TableColumns& purchaseDetailColumns()
{
    static const TableColumns table{
        QStringLiteral("PURCHASE_DETAIL"),
        {{text("MASTERBILLID", 20), text("KEYINTIME", 20), text("TEMPPRODID", 20), text("V_NAME", 100)},
         {number("V_QTY"), text("V_UNIT", 10), number("B_PRICE"), number("U_DIS"), number("V_PRICE"), number("AMT"),
          text("MONEY_ID", 10), number("MONEY_RATE"), text("TAX_FLAG", 1)},
         {text("TAX_KIND", 1), number("TAX_AMT"), number("NET_PRICE"), number("TOT_PRICE"), number("TOT_AMT"),
          number("V_GIVE_QTY"), text("REMARK", 50)},
         {text("PD_SERNO", 50), text("PH_NO", 50), text("PACK_REMARK", 20), text("PROD_ID", 20),
          text("PROD_BARCODE", 20), text("PROD_NAME", 100), text("PROD_SCALE", 30)},
         {text("UNIT_ID", 10), text("STK_QTY_YN", 1), text("PD_ITEMID", 10), number("SALE_PRICE"), number("PACK_QTY"),
          number("QTY"), number("GIVE_QTY")},
         {number("U_V_PRICE"), text("U_TAX_FLAG", 1), text("U_TAX_KIND", 1), number("U_SAL_TAX"),
          number("U_NET_PRICE"), number("U_TOT_PRICE")},
         {text("BILL_DATE", 10), text("STOCK_ID", 10), text("FLAG", 10), text("FLAG_ID", 2), text("SUPP_CORP_ID", 20),
          text("ACC_DATE", 10), text("SOURCE_TYPE", 20), text("SOURCE_ID", 20)},
         {number("SOURCE_QTY"), text("SOURCE_UNIT", 10), text("CHG_DATETIME", 20), text("CHG_USER", 10),
          text("CHG_HOST", 20), text("BK_DATE", 10), number("PRFS")}},
        QStringLiteral(") "),
        QStringLiteral(" VALUES ("),
        true,
        QStringLiteral(")"),
        true};
    return table;
}

const TableColumns& payMasterColumns()
{
    static const TableColumns table{
        QStringLiteral("PAY_MASTER"),
        {{text("MASTERBILLID"), text("BILL_DATE"), text("PAY_DATE")},
         {text("EMPLOYEE_ID"), text("EMPLOYEE_NAME"), text("DEPART_ID"), text("SUPP_CORP_ID"), text("SUPP_CORP_NAME")},
         {number("MONTHCASH_DIS"), number("PRE_PAY"), text("INI_DATE"), text("END_DATE"), number("TOT_NPAY"),
          number("TOTAL_PLUS"), number("CASH_AMT")},
         {number("BANK_IO"), number("PAGE_AMT"), number("TAKE_PRE"), number("TOT_DISCOUNT"), number("TOT_PATCH"),
          number("OVER_PAY"), text("REMARK")},
         {number("TOT_PATCHEDAMT"), text("PROJ_ID"), text("AGREE_YN"), text("CHG_DATETIME"), text("CHG_USER"),
          text("CHG_HOST")},
         {text("CR_DATETIME"), text("CR_USER"), text("CR_HOST"), text("WUID")}},
        QStringLiteral(")"),
        QStringLiteral(" values("),
        false,
        QStringLiteral(") ")};
    return table;
}

QStringList insertLines(const TableColumns& table, const QString& prefix)
{
    const int last = static_cast<int>(table.lines.size()) - 1;
    QStringList lines;
    for (int i = 0; i <= last; ++i) {
        QString line = (i == 0 ? QStringLiteral("INSERT INTO %1(").arg(table.table) : QString()) +
                       joined(table.lines.at(i), QString());
        lines << line + (i < last ? QStringLiteral(",") : table.columnsEnd);
    }
    for (int i = 0; i <= last; ++i) {
        const QString values = joined(table.lines.at(i), u':' + prefix) +
                               (i < last ? QStringLiteral(",") : table.valuesEnd);
        if (i == 0 && !table.valuesOnNewLine)
            lines.last() += table.valuesStart + values;
        else
            lines << (i == 0 ? table.valuesStart : QString()) + values;
    }
    return lines;
}

} // namespace opening
