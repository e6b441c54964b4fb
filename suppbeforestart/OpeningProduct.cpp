#include "FrmSuppBeforeStart.h"

// Makes sure the placeholder product "X99X" ("期初帳款") that every opening bill line names
// exists. An existing row is left as it is: the bills copy whatever it holds.
void TFormSuppBeforeStart::EnsureOpeningProduct()
{
    SQLQuery1.close();
    SQLQuery1.clearText();
    SQLQuery1.addLine(QStringLiteral("SELECT PROD_ID FROM PRODUCT WHERE PROD_ID = 'X99X' "));
    SQLQuery1.open();
    if (!SQLQuery1.isEmpty())
        return;

    SQLQuery1.close();
    SQLQuery1.clearText();
    SQLQuery1.setLines({
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
    SQLQuery1.setParamText(QStringLiteral("PROD_ID"), QStringLiteral("X99X"));
    SQLQuery1.setParamText(QStringLiteral("PROD_BARCODE"), QStringLiteral("X99X"));
    SQLQuery1.setParamText(QStringLiteral("PROD_NAME"), name);
    SQLQuery1.setParamText(QStringLiteral("PROD_SNAME"), name);
    SQLQuery1.setParamText(QStringLiteral("UNIT_ID"), QStringLiteral("PC"));
    SQLQuery1.setParamText(QStringLiteral("TAX_KIND"), QStringLiteral("Y"));
    for (const char* flag : {"STK_QTY_YN", "MS_YN", "WEBSHOW_YN", "STOP_IN_YN", "STOP_SALE_YN", "DEL_FLAG_YN"})
        SQLQuery1.setParamText(QString::fromLatin1(flag), QStringLiteral("N"));
    SQLQuery1.setParamDouble(QStringLiteral("SALE_PRICE"), 0.0);
    // Empty texts, not nulls; the placeholder carries no audit trail of a user or workstation.
    for (const char* empty : {"PROD_SCALE", "PROD_ID2", "PD_ITEMID", "PD_ITEMNAME", "CHG_DATETIME", "CHG_USER",
                              "CHG_HOST", "CR_DATETIME", "CR_USER", "CR_HOST", "WUID"})
        SQLQuery1.setParamText(QString::fromLatin1(empty), QString());
    SQLQuery1.execute();
}
