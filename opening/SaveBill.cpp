#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TextNumbers.h"
#include "Value.h"

#include <optional>

namespace {

const QStringList kHeaderInsert{
    QStringLiteral("INSERT INTO PURCHASE_MASTER(MASTERBILLID,BILL_DATE,FLAG,FLAG_ID,EMPLOYEE_ID,EMPLOYEE_NAME,"),
    QStringLiteral("SUPP_CORP_ID,SUPP_CORP_NAME,TAX_FLAG,PRICE_NO,SOURCE_TYPE,SOURCE_ID,TOTAL_NETAMT,"),
    QStringLiteral("TOTAL_TAXAMT,TOTAL_TOTAMT,TOTAL_DISCOUNT,TOTAL_DISTAX,TOTAL_MONEY,NOW_PAY,PAYED_AMT,"),
    QStringLiteral("TOTAL_SURPLUS,SURPLUS,STOCK_ID,STOCK_NAME,NOTE,FR_FLAG,FR_NAME,FR_ADDRESS,FR_PHONE,"),
    QStringLiteral("INVOICE_CLASS,INVOICE_DATE,INVOICE_NUM,BILL_KIND,ACC_DATE,PROJ_ID,DEPART_ID,"),
    QStringLiteral("SUPP_CORP_IDAC,SECBILLID,AGREE_YN,MONEY_ID,MONEY_NAME,MONEY_RATE,CHG_DATETIME,"),
    QStringLiteral("CHG_USER,CHG_HOST,CR_DATETIME,CR_USER,CR_HOST,WUID) "),
    QStringLiteral(" VALUES (:MASTERBILLID,:BILL_DATE,:FLAG,:FLAG_ID,:EMPLOYEE_ID,:EMPLOYEE_NAME,"),
    QStringLiteral(":SUPP_CORP_ID,:SUPP_CORP_NAME,:TAX_FLAG,:PRICE_NO,:SOURCE_TYPE,:SOURCE_ID,:TOTAL_NETAMT,"),
    QStringLiteral(":TOTAL_TAXAMT,:TOTAL_TOTAMT,:TOTAL_DISCOUNT,:TOTAL_DISTAX,:TOTAL_MONEY,:NOW_PAY,:PAYED_AMT,"),
    QStringLiteral(":TOTAL_SURPLUS,:SURPLUS,:STOCK_ID,:STOCK_NAME,:NOTE,:FR_FLAG,:FR_NAME,:FR_ADDRESS,:FR_PHONE,"),
    QStringLiteral(":INVOICE_CLASS,:INVOICE_DATE,:INVOICE_NUM,:BILL_KIND,:ACC_DATE,:PROJ_ID,:DEPART_ID,"),
    QStringLiteral(":SUPP_CORP_IDAC,:SECBILLID,:AGREE_YN,:MONEY_ID,:MONEY_NAME,:MONEY_RATE,:CHG_DATETIME,"),
    QStringLiteral(":CHG_USER,:CHG_HOST,:CR_DATETIME,:CR_USER,:CR_HOST,:WUID) "),
};

const QStringList kLineInsert{
    QStringLiteral("INSERT INTO PURCHASE_DETAIL(MASTERBILLID,KEYINTIME,TEMPPRODID,V_NAME,"),
    QStringLiteral("V_QTY,V_UNIT,B_PRICE,U_DIS,V_PRICE,AMT,MONEY_ID,MONEY_RATE,TAX_FLAG,"),
    QStringLiteral("TAX_KIND,TAX_AMT,NET_PRICE,TOT_PRICE,TOT_AMT,V_GIVE_QTY,REMARK,"),
    QStringLiteral("PD_SERNO,PH_NO,PACK_REMARK,PROD_ID,PROD_BARCODE,PROD_NAME,PROD_SCALE,"),
    QStringLiteral("UNIT_ID,STK_QTY_YN,PD_ITEMID,SALE_PRICE,PACK_QTY,QTY,GIVE_QTY,"),
    QStringLiteral("U_V_PRICE,U_TAX_FLAG,U_TAX_KIND,U_SAL_TAX,U_NET_PRICE,U_TOT_PRICE,"),
    QStringLiteral("BILL_DATE,STOCK_ID,FLAG,FLAG_ID,SUPP_CORP_ID,ACC_DATE,SOURCE_TYPE,SOURCE_ID,"),
    QStringLiteral("SOURCE_QTY,SOURCE_UNIT,CHG_DATETIME,CHG_USER,CHG_HOST,BK_DATE,PRFS) "),
    QStringLiteral(" VALUES (:MASTERBILLID,:KEYINTIME,:TEMPPRODID,:V_NAME,"),
    QStringLiteral(":V_QTY,:V_UNIT,:B_PRICE,:U_DIS,:V_PRICE,:AMT,:MONEY_ID,:MONEY_RATE,:TAX_FLAG,"),
    QStringLiteral(":TAX_KIND,:TAX_AMT,:NET_PRICE,:TOT_PRICE,:TOT_AMT,:V_GIVE_QTY,:REMARK,"),
    QStringLiteral(":PD_SERNO,:PH_NO,:PACK_REMARK,:PROD_ID,:PROD_BARCODE,:PROD_NAME,:PROD_SCALE,"),
    QStringLiteral(":UNIT_ID,:STK_QTY_YN,:PD_ITEMID,:SALE_PRICE,:PACK_QTY,:QTY,:GIVE_QTY,"),
    QStringLiteral(":U_V_PRICE,:U_TAX_FLAG,:U_TAX_KIND,:U_SAL_TAX,:U_NET_PRICE,:U_TOT_PRICE,"),
    QStringLiteral(":BILL_DATE,:STOCK_ID,:FLAG,:FLAG_ID,:SUPP_CORP_ID,:ACC_DATE,:SOURCE_TYPE,:SOURCE_ID,"),
    QStringLiteral(":SOURCE_QTY,:SOURCE_UNIT,:CHG_DATETIME,:CHG_USER,:CHG_HOST,:BK_DATE,:PRFS)"),
};

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

enum class Texts { AsTheyStand, Trimmed };

// Binds every parameter from the same-named column of the record set's current row, by the
// column's kind, as its text would read: texts are never bound as null; numbers that do not read
// count as 0. A floating-point column reads with 15 significant digits, and so is stored.
void bindFrom(db::Statement& statement, const db::RecordSet& row, Texts texts)
{
    for (int i = 0; i < statement.paramCount(); ++i) {
        const QString name = statement.paramName(i);
        const QVariant cell = row.value(name);
        switch (row.fieldType(name)) {
        case db::FieldType::Integer:
            statement.setParamInteger(name, cell.typeId() == QMetaType::LongLong
                                                ? cell.toLongLong()
                                                : db::parseInteger(db::valueToText(cell)).value_or(0));
            break;
        case db::FieldType::Float: {
            std::optional<double> number;
            if (cell.typeId() == QMetaType::Double)
                number = db::fifteenDigitsAsIs(cell.toDouble());
            statement.setParamDouble(name, number ? *number : db::parseDouble(db::valueToText(cell)).value_or(0.0));
            break;
        }
        default: {
            const QString text = db::valueToText(cell);
            statement.setParamText(name, texts == Texts::Trimmed ? trimmedLineText(text) : text);
            break;
        }
        }
    }
}

} // namespace

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
    headerInsert.setLines(kHeaderInsert);
    bindFrom(headerInsert, header, Texts::AsTheyStand);
    headerInsert.execute();

    db::Statement& lineInsert = dm.SQL_Sub;
    for (lines.first(); !lines.eof(); lines.next()) {
        lineInsert.setLines(kLineInsert);
        bindFrom(lineInsert, lines, Texts::Trimmed);
        lineInsert.execute();
    }

    transaction.commit();
    return true;
}

} // namespace opening
