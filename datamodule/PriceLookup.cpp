#include "FrmSimpleDataMod.h"
#include "SqlText.h"
#include "XmlDataPacket.h"

#include <optional>

// Price look-ups: each builds a one-row price record, fills it from the database and returns it
// as an XML data packet. Values spliced between quotes have their quotes doubled, so a product
// text or partner code holding a quote is looked up as it stands.

namespace {

using db::FieldDef;
using db::FieldType;

// A number of the first row; no row or null gives the default.
double readNumber(const db::Statement& query, const QString& field, double defaultValue)
{
    return query.isNull(field) ? defaultValue : query.asDouble(field);
}

// The product and its costs, found by product number, second code or barcode.
void openProductCost(db::Statement& query, const QString& sTempprodid)
{
    const QString p = db::escapeQuotes(sTempprodid);
    query.open({QStringLiteral("SELECT a.PROD_ID,a.STD_COST,a.LAST_COST,b.prod_id2,b.prod_barcode FROM PRODUCT2 a "),
                QStringLiteral("INNER JOIN PRODUCT b on a.prod_id = b.prod_id "),
                QStringLiteral("where a.PROD_ID = '") + p + u'\'',
                QStringLiteral("or b.prod_id2 = '") + p + u'\'',
                QStringLiteral("or b.PROD_BARCODE = '") + p + u'\''});
}

// The purchase or cost price of a price condition; none for a condition outside 0..3.
std::optional<double> costPrice(db::Statement& query, const QString& sTempprodid, int iPriceno)
{
    switch (iPriceno) {
    case 0:
    case 1:
    case 3:
        openProductCost(query, sTempprodid);
        return readNumber(query, QStringLiteral("STD_COST"), 0);
    case 2: {
        openProductCost(query, sTempprodid);
        const double lastCost = readNumber(query, QStringLiteral("LAST_COST"), 0);
        return lastCost != 0 ? lastCost : readNumber(query, QStringLiteral("STD_COST"), 0);
    }
    default:
        return std::nullopt;
    }
}

// Price, discount and bill number of a quotation or sale line, when the query found one.
void takePriceLine(const db::Statement& query, db::RecordSet& record)
{
    if (query.isEmpty())
        return;
    record.setAsDouble(QStringLiteral("B_PRICE"), readNumber(query, QStringLiteral("B_PRICE"), 0));
    record.setAsDouble(QStringLiteral("U_DIS"), readNumber(query, QStringLiteral("U_DIS"), 100));
    record.setAsText(QStringLiteral("MASTERBILLID"), query.asText(QStringLiteral("MASTERBILLID")));
}

QString packetOf(db::RecordSet& record)
{
    record.post();
    return writeXmlDataPacket(record.data());
}

} // namespace

QString TSimpleDataMod::GetInPrice(const QString& sCorp_id, const QString& sTempprodid, int iPriceno)
{
    db::RecordSet record;
    record.createDataSet({FieldDef{QStringLiteral("TEMPPRODID"), FieldType::Text, 20},
                          FieldDef{QStringLiteral("SUPP_CORP_ID"), FieldType::Text, 20},
                          FieldDef{QStringLiteral("B_PRICE"), FieldType::Float},
                          FieldDef{QStringLiteral("U_DIS"), FieldType::Float}});
    record.append();
    record.setAsText(QStringLiteral("TEMPPRODID"), sTempprodid);
    record.setAsText(QStringLiteral("SUPP_CORP_ID"), sCorp_id);
    if (const auto price = costPrice(SQLQuery1, sTempprodid, iPriceno))
        record.setAsDouble(QStringLiteral("B_PRICE"), *price);
    record.setAsDouble(QStringLiteral("U_DIS"), 100);
    return packetOf(record);
}

QString TSimpleDataMod::GetCostPrice(const QString& sTempprodid, int iPriceno)
{
    db::RecordSet record;
    record.createDataSet({FieldDef{QStringLiteral("TEMPPRODID"), FieldType::Text, 20},
                          FieldDef{QStringLiteral("COST_PRICE"), FieldType::Float}});
    record.append();
    record.setAsText(QStringLiteral("TEMPPRODID"), sTempprodid);
    if (const auto price = costPrice(SQLQuery1, sTempprodid, iPriceno))
        record.setAsDouble(QStringLiteral("COST_PRICE"), *price);
    return packetOf(record);
}

QString TSimpleDataMod::GetSalePrice(const QString& sCorp_id, const QString& sTempprodid, int iPriceno,
                                     const QString& sDate)
{
    db::RecordSet record;
    record.createDataSet({FieldDef{QStringLiteral("TEMPPRODID"), FieldType::Text, 20},
                          FieldDef{QStringLiteral("CUST_CORP_ID"), FieldType::Text, 20},
                          FieldDef{QStringLiteral("HISTPRICE_YN"), FieldType::Text, 1},
                          FieldDef{QStringLiteral("B_PRICE"), FieldType::Float},
                          FieldDef{QStringLiteral("U_DIS"), FieldType::Float},
                          FieldDef{QStringLiteral("MASTERBILLID"), FieldType::Text, 20}});
    record.append();
    record.setAsText(QStringLiteral("TEMPPRODID"), sTempprodid);
    record.setAsText(QStringLiteral("CUST_CORP_ID"), sCorp_id);
    const QString p = db::escapeQuotes(sTempprodid);
    const QString c = db::escapeQuotes(sCorp_id);

    SQLQuery1.open({QStringLiteral("SELECT CORP_ID,HISTPRICE_YN FROM CUSTOMER "),
                    QStringLiteral("WHERE CORP_ID = '") + c + u'\''});
    record.setAsText(QStringLiteral("HISTPRICE_YN"), SQLQuery1.asText(QStringLiteral("HISTPRICE_YN")));

    // The sub-select names the outer product row by its alias "a"; the server accepts no other.
    SQLQuery1.open({QStringLiteral("SELECT a.PROD_ID,a.PROD_BARCODE,a.PROD_NAME,a.PROD_SCALE,a.PROD_ENAME,a.PD_ITEMID,"
                                   "a.PD_CLASSID,a.UNIT_ID,a.TAX_KIND,a.STK_QTY_YN,a.MS_YN,a.STOP_SALE_YN,"),
                    QStringLiteral("b.STD_COST,b.LAST_COST, "),
                    QStringLiteral("(SELECT case when DEFINE_PRICE is null then 0 else DEFINE_PRICE end FROM PROD_PRICE "
                                   "where PROD_ID = a.PROD_ID AND PRICE_NO = ") +
                        QString::number(iPriceno) + QStringLiteral(") as B_PRICE "),
                    QStringLiteral("from PRODUCT a INNER JOIN PRODUCT2 b "),
                    QStringLiteral("on a.PROD_ID=b.PROD_ID "),
                    QStringLiteral("where a.PROD_ID = '") + p + u'\'',
                    QStringLiteral("or a.prod_id2 = '") + p + u'\'',
                    QStringLiteral("or a.PROD_BARCODE = '") + p + u'\''});
    record.setAsDouble(QStringLiteral("B_PRICE"), readNumber(SQLQuery1, QStringLiteral("B_PRICE"), 0));
    record.setAsDouble(QStringLiteral("U_DIS"), 100);

    SQLQuery1.open({QStringLiteral("SELECT MASTERBILLID,B_PRICE,U_DIS,V_PRICE FROM CUSTQUOTE_DETAIL "),
                    QStringLiteral("WHERE TEMPPRODID = '") + p + u'\'',
                    QStringLiteral("AND CUST_CORP_ID = '") + c + u'\'',
                    QStringLiteral("AND '") + db::escapeQuotes(sDate) + u'\'' +
                        QStringLiteral(" BETWEEN INI_DATE AND END_DATE ")});
    takePriceLine(SQLQuery1, record);

    if (record.asText(QStringLiteral("HISTPRICE_YN")) == QStringLiteral("Y")) {
        SQLQuery1.open({QStringLiteral("SELECT FIRST 1 MASTERBILLID,B_PRICE,U_DIS,V_PRICE FROM CUSTSALE_DETAIL "),
                        QStringLiteral("WHERE TEMPPRODID = '") + p + u'\'',
                        QStringLiteral("AND CUST_CORP_ID = '") + c + u'\'',
                        QStringLiteral("ORDER BY MASTERBILLID DESC ")});
        takePriceLine(SQLQuery1, record);
    }
    return packetOf(record);
}
