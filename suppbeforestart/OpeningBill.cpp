#include "ClockTexts.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "PostingSteps.h"
#include "SqlText.h"
#include "TextNumbers.h"

namespace {

// Loads the stored rows of the bill number into the bill's record sets: none for a fresh number.
void openBill(TFormSuppBeforeStart& form, const QString& bill)
{
    const QString quoted = db::escapeQuotes(bill) + u'\'';
    form.CDS_DataMaster.close();
    form.CDS_DataMaster.setCommandText(QStringLiteral("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = '") + quoted);
    form.CDS_DataMaster.open();
    form.CDS_DataSub.close();
    form.CDS_DataSub.setCommandText(QStringLiteral("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = '") + quoted);
    form.CDS_DataSub.open();
}

void fillHeader(db::RecordSet& header, const db::RecordSet& supplier, const QString& bill, const QString& billDate)
{
    header.edit();
    header.setAsText(QStringLiteral("BILL_DATE"), billDate);
    header.setAsText(QStringLiteral("ACC_DATE"), billDate);
    header.setAsText(QStringLiteral("MASTERBILLID"), bill);
    header.setAsText(QStringLiteral("SUPP_CORP_ID"), supplier.asText(QStringLiteral("CORP_ID")));
    header.setAsText(QStringLiteral("SUPP_CORP_NAME"), supplier.asText(QStringLiteral("CORP_NAME")));
    header.setAsText(QStringLiteral("MONEY_ID"), in_money_id);
    header.setAsText(QStringLiteral("AGREE_YN"), QStringLiteral("Y"));
    header.setAsText(QStringLiteral("FLAG"), QStringLiteral("進貨單"));
    header.setAsText(QStringLiteral("FLAG_ID"), opening::openingCode());
    header.setAsText(QStringLiteral("STOCK_ID"), main_stockid);
    header.setAsText(QStringLiteral("SUPP_CORP_IDAC"), supplier.asText(QStringLiteral("PARANT_CORP")));
    const qint64 taxFlag = db::parseInteger(supplier.asText(QStringLiteral("TAX_FLAG"))).value_or(0);
    header.setAsText(QStringLiteral("TAX_FLAG"), QString::number(taxFlag));
    header.setAsInteger(QStringLiteral("PRICE_NO"), 1);
    header.setAsText(QStringLiteral("EMPLOYEE_ID"), operator_id);
}

// The placeholder product's row, read anew for every bill so each line copies what is stored.
const db::Statement& readPlaceholder(db::Statement& query)
{
    query.open({QStringLiteral("SELECT * FROM PRODUCT WHERE PROD_ID = 'X99X' ")});
    return query;
}

void fillLine(db::RecordSet& line, const db::RecordSet& header, const db::Statement& product, double unpaid)
{
    auto fromHeader = [&](const char* field) {
        const QString name = QString::fromLatin1(field);
        line.setAsText(name, header.asText(name));
    };
    auto fromProduct = [&](const char* lineField, const char* productField) {
        line.setAsText(QString::fromLatin1(lineField), product.asText(QString::fromLatin1(productField)));
    };

    line.setAsText(QStringLiteral("MASTERBILLID"), header.asText(QStringLiteral("MASTERBILLID")));
    line.setAsText(QStringLiteral("KEYINTIME"), opening::entryTimeText(QDateTime::currentDateTime()));
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
    line.setAsText(QStringLiteral("CHG_HOST"), SimpleDataMod->LocalIP());
    line.setAsText(QStringLiteral("CHG_DATETIME"), opening::changeTimeText(QDateTime::currentDateTime()));
}

} // namespace

namespace opening {

void postOpeningBill(TFormSuppBeforeStart& form, const QString& billDate, double unpaid)
{
    const QString bill = SimpleDataMod->GetMaxBillID(QStringLiteral("PURCHASE_NUM"), billDate, openingCode());
    openBill(form, bill);
    fillHeader(form.CDS_DataMaster, form.ClientDataSet1, bill, billDate);
    form.CDS_DataSub.edit();
    fillLine(form.CDS_DataSub, form.CDS_DataMaster, readPlaceholder(form.SQLQuery1), unpaid);
    form.CDS_DataSub.post();
    // The totals read the supplier list's current row, the supplier being posted.
    form.CalcBillTotals();
    form.CDS_DataMaster.post();
    form.SaveBill();
}

} // namespace opening
