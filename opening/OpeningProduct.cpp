#include "Placeholder.h"
#include "PostingSteps.h"
#include "Statement.h"
#include "TextNumbers.h"

namespace opening {

namespace {
const QString kId = QStringLiteral("X99X");
const QString kName = QStringLiteral("期初帳款");
const QString kUnit = QStringLiteral("PC");
const QString kTaxKind = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");
} // namespace

Placeholder insertedPlaceholder()
{
    return {kId, kId, kName, QString(), kUnit, kTaxKind, kNo, QString(), Money(0.0)};
}

Placeholder storedPlaceholder(const db::Statement& row)
{
    const auto text = [&row](const char* column) { return row.asText(QString::fromLatin1(column)); };
    return {text("PROD_ID"),    text("PROD_BARCODE"), text("PROD_NAME"), text("PROD_SCALE"),
            text("UNIT_ID"),    text("TAX_KIND"),     text("STK_QTY_YN"), text("PD_ITEMID"),
            Money(db::parseDouble(text("SALE_PRICE")).value_or(0.0))};
}

// Makes sure the placeholder product "X99X" ("期初帳款") that every opening bill line names
// exists. An existing row is left as it is: the bills copy whatever it holds.
void ensureOpeningProduct(db::Statement& query)
{
    query.close();
    query.clearText();
    query.addLine(QStringLiteral("SELECT PROD_ID FROM PRODUCT WHERE PROD_ID = 'X99X' "));
    query.open();
    if (!query.isEmpty())
        return;

    query.close();
    query.clearText();
    query.setLines({
        QStringLiteral("INSERT INTO PRODUCT (PROD_ID,PROD_BARCODE,PROD_NAME,PROD_SNAME,"),
        QStringLiteral("PROD_SCALE,PROD_ID2,PD_ITEMID,PD_ITEMNAME,UNIT_ID,TAX_KIND,"),
        QStringLiteral("STK_QTY_YN,MS_YN,WEBSHOW_YN,STOP_IN_YN,STOP_SALE_YN,DEL_FLAG_YN,"),
        QStringLiteral("SALE_PRICE,CHG_DATETIME,CHG_USER,CHG_HOST,CR_DATETIME,CR_USER,CR_HOST,WUID)"),
        QStringLiteral(" VALUES (:PROD_ID,:PROD_BARCODE,:PROD_NAME,:PROD_SNAME,"),
        QStringLiteral(":PROD_SCALE,:PROD_ID2,:PD_ITEMID,:PD_ITEMNAME,:UNIT_ID,:TAX_KIND,"),
        QStringLiteral(":STK_QTY_YN,:MS_YN,:WEBSHOW_YN,:STOP_IN_YN,:STOP_SALE_YN,:DEL_FLAG_YN,"),
        QStringLiteral(":SALE_PRICE,:CHG_DATETIME,:CHG_USER,:CHG_HOST,:CR_DATETIME,:CR_USER,:CR_HOST,:WUID)"),
    });
    query.setParamText(QStringLiteral("PROD_ID"), kId);
    query.setParamText(QStringLiteral("PROD_BARCODE"), kId);
    query.setParamText(QStringLiteral("PROD_NAME"), kName);
    query.setParamText(QStringLiteral("PROD_SNAME"), kName);
    query.setParamText(QStringLiteral("UNIT_ID"), kUnit);
    query.setParamText(QStringLiteral("TAX_KIND"), kTaxKind);
    for (const char* flag : {"STK_QTY_YN", "MS_YN", "WEBSHOW_YN", "STOP_IN_YN", "STOP_SALE_YN", "DEL_FLAG_YN"})
        query.setParamText(QString::fromLatin1(flag), kNo);
    query.setParamDouble(QStringLiteral("SALE_PRICE"), 0.0);
    // Empty texts, not nulls; the placeholder carries no audit trail of a user or workstation.
    for (const char* empty : {"PROD_SCALE", "PROD_ID2", "PD_ITEMID", "PD_ITEMNAME", "CHG_DATETIME", "CHG_USER",
                              "CHG_HOST", "CR_DATETIME", "CR_USER", "CR_HOST", "WUID"})
        query.setParamText(QString::fromLatin1(empty), QString());
    query.execute();
}

} // namespace opening
