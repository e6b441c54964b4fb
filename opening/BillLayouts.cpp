#include "BillLayouts.h"

#include "BillWorkspace.h"

namespace {

using db::FieldDef;
using db::FieldType;

// A text column declared with three times its width in the table.
FieldDef text(const char* name, int width, const char* caption = "")
{
    return {QString::fromLatin1(name), FieldType::Text, 3 * width, QString::fromUtf8(caption)};
}
FieldDef number(const char* name, const char* caption = "")
{
    return {QString::fromLatin1(name), FieldType::Float, 0, QString::fromUtf8(caption)};
}
FieldDef integer(const char* name, const char* caption = "")
{
    return {QString::fromLatin1(name), FieldType::Integer, 0, QString::fromUtf8(caption)};
}

} // namespace

QVector<FieldDef> billMasterLayout()
{
    return {
        text("MASTERBILLID", 20, "單據編號"),
        text("BILL_DATE", 10, "單據日期"),
        text("FLAG", 20, "單別"),
        text("EMPLOYEE_ID", 10, "採購人員"),
        text("EMPLOYEE_NAME", 20, "人員姓名"),
        text("SUPP_CORP_ID", 20, "廠商代號"),
        text("SUPP_CORP_NAME", 100, "廠商名稱"),
        text("TAX_FLAG", 1, "稅別"),
        integer("PRICE_NO", "取價條件"),
        text("SOURCE_TYPE", 20, "來源單別"),
        text("SOURCE_ID", 20, "來源單號"),
        number("TOTAL_NETAMT", "未稅合計"),
        number("TOTAL_TAXAMT", "稅額"),
        number("TOTAL_TOTAMT", "含稅總計"),
        number("TOTAL_DISCOUNT", "折讓"),
        number("TOTAL_DISTAX", "折讓稅額"),
        number("TOTAL_MONEY", "單據合計"),
        number("NOW_PAY", "現付金額"),
        number("PAYED_AMT", "已付金額"),
        number("TOTAL_SURPLUS", "應付總額"),
        number("SURPLUS", "未付總額"),
        text("STOCK_ID", 10, "分倉代號"),
        text("STOCK_NAME", 20, "分倉名稱"),
        text("NOTE", 100, "備註"),
        text("FR_FLAG", 10, "送貨方式"),
        text("FR_NAME", 50, "收貨人"),
        text("FR_ADDRESS", 50, "收貨人地址"),
        text("FR_PHONE", 20, "收貨電話"),
        text("INVOICE_CLASS", 10, "發票種類"),
        text("INVOICE_DATE", 10, "發票日期"),
        text("INVOICE_NUM", 10, "發票號碼"),
        text("BILL_KIND", 4, "單據類別"),
        text("ACC_DATE", 10, "帳款日期"),
        text("PROJ_ID", 20, "專案代號"),
        text("DEPART_ID", 10, "部門代號"),
        text("SUPP_CORP_IDAC", 10, "付款廠商"),
        text("SECBILLID", 20, "憑證號碼"),
        text("AGREE_YN", 1, "覆核"),
        text("MONEY_ID", 10, "幣別"),
        text("MONEY_NAME", 50, "幣別名稱"),
        number("MONEY_RATE", "匯率"),
        text("FLAG_ID", 2),
        text("CHG_DATETIME", 20, "異動時間"),
        text("CHG_USER", 10, "異動人員"),
        text("CHG_HOST", 20, "異動IP"),
        text("CR_DATETIME", 20, "建檔時間"),
        text("CR_USER", 10, "建檔人員"),
        text("CR_HOST", 20, "建檔IP"),
        text("WUID", 50),
    };
}

QVector<FieldDef> billSubLayout()
{
    FieldDef recno = integer("RECNO", "序");
    recno.calculated = true;  // a display sequence only: never read from or written to the table
    return {
        text("MASTERBILLID", 20, "單據編號"),
        text("KEYINTIME", 20, "輸入時間"),
        text("TEMPPRODID", 20, "品號條碼"),
        text("V_NAME", 100, "商品名稱"),
        number("V_QTY", "數量"),
        text("V_UNIT", 10, "單位"),
        number("B_PRICE", "單價"),
        number("U_DIS", "折扣%"),
        number("V_PRICE", "金額"),
        number("AMT", "小計"),
        text("MONEY_ID", 10, "幣別"),
        number("MONEY_RATE", "匯率"),
        text("TAX_FLAG", 1, "稅別"),
        text("TAX_KIND", 1, "應免稅商品"),
        number("TAX_AMT", "稅額"),
        number("NET_PRICE", "未稅單價"),
        number("TOT_PRICE", "含稅單價"),
        number("TOT_AMT", "單筆小計"),
        number("V_GIVE_QTY", "贈品數量"),
        text("REMARK", 50, "備忘錄"),
        text("PD_SERNO", 50, "產品序號"),
        text("PH_NO", 50, "批號"),
        text("PACK_REMARK", 20, "包裝說明"),
        text("PROD_ID", 20, "單品編號"),
        text("PROD_BARCODE", 20, "單品條碼"),
        text("PROD_NAME", 100, "單品名稱"),
        text("PROD_SCALE", 30, "單品規格"),
        text("UNIT_ID", 10, "單品單位"),
        text("STK_QTY_YN", 1, "庫存計算"),
        text("PD_ITEMID", 10, "分類代號"),
        number("SALE_PRICE", "建議售價"),
        number("PACK_QTY", "包裝數"),
        number("QTY", "單品數量"),
        number("GIVE_QTY", "單品贈量"),
        number("U_V_PRICE"),
        text("U_TAX_FLAG", 1),
        text("U_TAX_KIND", 1),
        number("U_SAL_TAX"),
        number("U_NET_PRICE"),
        number("U_TOT_PRICE"),
        text("BILL_DATE", 10, "單據日期"),
        text("STOCK_ID", 10, "分倉代號"),
        text("FLAG", 10, "單別"),
        text("FLAG_ID", 2),
        text("SUPP_CORP_ID", 20, "廠商編號"),
        text("ACC_DATE", 10, "帳款日期"),
        text("SOURCE_TYPE", 20, "來源單別"),
        text("SOURCE_ID", 20, "來源單號"),
        number("SOURCE_QTY", "來源數量"),
        text("SOURCE_UNIT", 10, "來源單位"),
        text("CHG_DATETIME", 20, "異動時間"),
        text("CHG_USER", 10, "異動人員"),
        text("CHG_HOST", 20, "異動IP"),
        text("BK_DATE", 10, "退貨日期"),
        number("PRFS", "毛利率%"),
        recno,
    };
}

void applyBillLayouts(opening::BillWorkspace& bill)
{
    bill.header.setFieldDefs(billMasterLayout());
    bill.lines.setFieldDefs(billSubLayout());
    bill.header.close();
    bill.lines.close();
}
