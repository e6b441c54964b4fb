#include "BillWorkspace.h"
#include "ClockTexts.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TextNumbers.h"

namespace {

// Whether anything is stored under the bill number: a header, a line, or the stock changes of an
// opening bill. A number just handed out normally has nothing there, and one query says so.
bool anythingStoredUnder(db::Statement& query, const QString& bill)
{
    query.setLines({QStringLiteral("SELECT 1 FROM RDB$DATABASE WHERE"),
                    QStringLiteral(" EXISTS (SELECT 1 FROM PURCHASE_MASTER WHERE MASTERBILLID = :MASTERBILLID)"),
                    QStringLiteral(" OR EXISTS (SELECT 1 FROM PURCHASE_DETAIL WHERE MASTERBILLID = :MASTERBILLID)"),
                    QStringLiteral(" OR EXISTS (SELECT 1 FROM PROD_CHGDATA WHERE MASTERBILLID = :MASTERBILLID"),
                    QStringLiteral("   AND FLAG_ID = :FLAG_ID)")});
    query.setParamText(QStringLiteral("MASTERBILLID"), bill);
    query.setParamText(QStringLiteral("FLAG_ID"), opening::openingCode());
    query.open();
    return !query.isEmpty();
}

// Loads the rows stored under the bill number into the bill's record sets. With nothing stored
// there, record sets already laid out by an earlier open start empty without asking again.
opening::Stored openBill(opening::BillWorkspace& records, const QString& bill)
{
    const bool stored = anythingStoredUnder(records.query, bill);
    const std::pair<db::RecordSet*, QString> sets[] = {
        {&records.header, QStringLiteral("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = :MASTERBILLID")},
        {&records.lines, QStringLiteral("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = :MASTERBILLID")}};
    for (const auto& [set, select] : sets) {
        set->setCommandText(select);
        set->setParamText(QStringLiteral("MASTERBILLID"), bill);
        if (stored || !set->isOpen()) {
            set->close();
            set->open();
        } else {
            set->clearRows();
        }
    }
    return stored ? opening::Stored::Maybe : opening::Stored::NothingUnderItsNumber;
}

void fillHeader(db::RecordSet& header, const opening::SupplierRow& supplier, const QString& bill,
                const QString& billDate)
{
    header.edit();
    header.setAsText(QStringLiteral("BILL_DATE"), billDate);
    header.setAsText(QStringLiteral("ACC_DATE"), billDate);
    header.setAsText(QStringLiteral("MASTERBILLID"), bill);
    header.setAsText(QStringLiteral("SUPP_CORP_ID"), supplier.code);
    header.setAsText(QStringLiteral("SUPP_CORP_NAME"), supplier.name);
    header.setAsText(QStringLiteral("MONEY_ID"), in_money_id);
    header.setAsText(QStringLiteral("AGREE_YN"), QStringLiteral("Y"));
    header.setAsText(QStringLiteral("FLAG"), QStringLiteral("進貨單"));
    header.setAsText(QStringLiteral("FLAG_ID"), opening::openingCode());
    header.setAsText(QStringLiteral("STOCK_ID"), main_stockid);
    header.setAsText(QStringLiteral("SUPP_CORP_IDAC"), supplier.parent);
    // The flag stored is the one the totals use: an unreadable flag is totalled as tax included,
    // so the bill says "1", and a program that recomputes it from its flag gets the same debt.
    const qint64 taxFlag = db::parseInteger(supplier.taxFlag).value_or(1);
    header.setAsText(QStringLiteral("TAX_FLAG"), QString::number(taxFlag));
    header.setAsInteger(QStringLiteral("PRICE_NO"), 1);
    header.setAsText(QStringLiteral("EMPLOYEE_ID"), operator_id);
}

void fillLine(db::RecordSet& line, const db::RecordSet& header, const db::Statement& product, const QString& host,
              double unpaid)
{
    const QDateTime now = QDateTime::currentDateTime();
    auto fromHeader = [&](const char* field) {
        const QString name = QString::fromLatin1(field);
        line.setAsText(name, header.asText(name));
    };
    auto fromProduct = [&](const char* lineField, const char* productField) {
        line.setAsText(QString::fromLatin1(lineField), product.asText(QString::fromLatin1(productField)));
    };

    line.setAsText(QStringLiteral("MASTERBILLID"), header.asText(QStringLiteral("MASTERBILLID")));
    line.setAsText(QStringLiteral("KEYINTIME"), opening::entryTimeText(now));
    fromProduct("TEMPPRODID", "PROD_ID");
    fromProduct("V_NAME", "PROD_NAME");
    line.setAsDouble(QStringLiteral("V_QTY"), 1);
    fromProduct("V_UNIT", "UNIT_ID");
    line.setAsDouble(QStringLiteral("U_DIS"), 100);
    line.setAsDouble(QStringLiteral("V_PRICE"), unpaid);
    line.setAsDouble(QStringLiteral("AMT"), unpaid);
    fromHeader("MONEY_ID");
    line.setAsDouble(QStringLiteral("MONEY_RATE"),
                     db::parseDouble(header.asText(QStringLiteral("MONEY_RATE"))).value_or(1.0));
    fromHeader("TAX_FLAG");
    fromProduct("TAX_KIND", "TAX_KIND");
    fromProduct("PROD_ID", "PROD_ID");
    fromProduct("PROD_BARCODE", "PROD_BARCODE");
    fromProduct("PROD_NAME", "PROD_NAME");
    fromProduct("PROD_SCALE", "PROD_SCALE");
    fromProduct("UNIT_ID", "UNIT_ID");
    fromProduct("STK_QTY_YN", "STK_QTY_YN");
    fromProduct("PD_ITEMID", "PD_ITEMID");
    line.setAsDouble(QStringLiteral("SALE_PRICE"),
                     db::parseDouble(product.asText(QStringLiteral("SALE_PRICE"))).value_or(0.0));
    line.setAsDouble(QStringLiteral("PACK_QTY"), 1);
    fromHeader("BILL_DATE");
    fromHeader("STOCK_ID");
    fromHeader("FLAG");
    line.setAsText(QStringLiteral("FLAG_ID"), opening::openingCode());
    fromHeader("SUPP_CORP_ID");
    fromHeader("ACC_DATE");
    fromHeader("SOURCE_TYPE");
    fromHeader("SOURCE_ID");
    line.setAsText(QStringLiteral("CHG_USER"), operator_id);
    line.setAsText(QStringLiteral("CHG_HOST"), host);
    line.setAsText(QStringLiteral("CHG_DATETIME"), opening::changeTimeText(now));
}

} // namespace

namespace opening {

void readPlaceholder(db::Statement& product)
{
    product.open({QStringLiteral("SELECT * FROM PRODUCT WHERE PROD_ID = 'X99X' ")});
}

DocumentResult postOpeningBill(TSimpleDataMod& dm, BillWorkspace& records, const SupplierRow& supplier,
                               const RunStamp& stamp, double unpaid)
{
    DocumentResult result;
    result.number = dm.GetMaxBillID(QStringLiteral("PURCHASE_NUM"), stamp.billDate, openingCode());
    const Stored stored = openBill(records, result.number);
    fillHeader(records.header, supplier, result.number, stamp.billDate);
    records.lines.edit();
    fillLine(records.lines, records.header, records.product, stamp.host, unpaid);
    records.lines.post();
    calcBillTotals(dm, records.header, records.lines, supplier.taxFlag);
    records.header.post();

    try {
        if (!saveBill(dm, records.header, records.lines, stored)) {
            result.outcome = Outcome::Failed;
            result.error = QStringLiteral("另一交易進行中，進貨單未存檔");
            return result;
        }
    } catch (const std::exception& failure) {
        result.outcome = Outcome::Failed;
        result.error = QString::fromUtf8(failure.what());
        return result;
    }
    result.outcome = Outcome::Written;
    result.net = records.header.asDouble(QStringLiteral("TOTAL_NETAMT"));
    result.tax = records.header.asDouble(QStringLiteral("TOTAL_TAXAMT"));
    result.total = records.header.asDouble(QStringLiteral("TOTAL_TOTAMT"));
    return result;
}

} // namespace opening
