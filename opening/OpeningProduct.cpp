#include "PostingSteps.h"
#include "Statement.h"

namespace opening {

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
    const QString name = QStringLiteral("期初帳款");
    query.setParamText(QStringLiteral("PROD_ID"), QStringLiteral("X99X"));
    query.setParamText(QStringLiteral("PROD_BARCODE"), QStringLiteral("X99X"));
    query.setParamText(QStringLiteral("PROD_NAME"), name);
    query.setParamText(QStringLiteral("PROD_SNAME"), name);
    query.setParamText(QStringLiteral("UNIT_ID"), QStringLiteral("PC"));
    query.setParamText(QStringLiteral("TAX_KIND"), QStringLiteral("Y"));
    for (const char* flag : {"STK_QTY_YN", "MS_YN", "WEBSHOW_YN", "STOP_IN_YN", "STOP_SALE_YN", "DEL_FLAG_YN"})
        query.setParamText(QString::fromLatin1(flag), QStringLiteral("N"));
    query.setParamDouble(QStringLiteral("SALE_PRICE"), 0.0);
    // Empty texts, not nulls; the placeholder carries no audit trail of a user or workstation.
    for (const char* empty : {"PROD_SCALE", "PROD_ID2", "PD_ITEMID", "PD_ITEMNAME", "CHG_DATETIME", "CHG_USER",
                              "CHG_HOST", "CR_DATETIME", "CR_USER", "CR_HOST", "WUID"})
        query.setParamText(QString::fromLatin1(empty), QString());
    query.execute();
}

} // namespace opening
