#include "BillLayouts.h"

#include "BillWorkspace.h"
#include "TableColumns.h"

namespace {

using db::FieldDef;

// A column of the table as the record set carries it: a text column declared with three times
// its width in the table.
FieldDef fieldOf(const opening::TableColumns& table, const char* name, const char* caption)
{
    const opening::Column& column = table.column(QString::fromLatin1(name));
    return {column.name, column.type, column.type == db::FieldType::Text ? 3 * column.width : 0,
            QString::fromUtf8(caption)};
}
FieldDef header(const char* name, const char* caption = "")
{
    return fieldOf(opening::purchaseMasterColumns(), name, caption);
}
FieldDef line(const char* name, const char* caption = "")
{
    return fieldOf(opening::purchaseDetailColumns(), name, caption);
}

} // namespace

QVector<FieldDef> billMasterLayout()
{
    return {
        header("MASTERBILLID", "單據編號"),
        header("BILL_DATE", "單據日期"),
        header("FLAG", "單別"),
        header("EMPLOYEE_ID", "採購人員"),
        header("EMPLOYEE_NAME", "人員姓名"),
        header("SUPP_CORP_ID", "廠商代號"),
        header("SUPP_CORP_NAME", "廠商名稱"),
        header("TAX_FLAG", "稅別"),
        header("PRICE_NO", "取價條件"),
        header("SOURCE_TYPE", "來源單別"),
        header("SOURCE_ID", "來源單號"),
        header("TOTAL_NETAMT", "未稅合計"),
        header("TOTAL_TAXAMT", "稅額"),
        header("TOTAL_TOTAMT", "含稅總計"),
        header("TOTAL_DISCOUNT", "折讓"),
        header("TOTAL_DISTAX", "折讓稅額"),
        header("TOTAL_MONEY", "單據合計"),
        header("NOW_PAY", "現付金額"),
        header("PAYED_AMT", "已付金額"),
        header("TOTAL_SURPLUS", "應付總額"),
        header("SURPLUS", "未付總額"),
        header("STOCK_ID", "分倉代號"),
        header("STOCK_NAME", "分倉名稱"),
        header("NOTE", "備註"),
        header("FR_FLAG", "送貨方式"),
        header("FR_NAME", "收貨人"),
        header("FR_ADDRESS", "收貨人地址"),
        header("FR_PHONE", "收貨電話"),
        header("INVOICE_CLASS", "發票種類"),
        header("INVOICE_DATE", "發票日期"),
        header("INVOICE_NUM", "發票號碼"),
        header("BILL_KIND", "單據類別"),
        header("ACC_DATE", "帳款日期"),
        header("PROJ_ID", "專案代號"),
        header("DEPART_ID", "部門代號"),
        header("SUPP_CORP_IDAC", "付款廠商"),
        header("SECBILLID", "憑證號碼"),
        header("AGREE_YN", "覆核"),
        header("MONEY_ID", "幣別"),
        header("MONEY_NAME", "幣別名稱"),
        header("MONEY_RATE", "匯率"),
        header("FLAG_ID"),
        header("CHG_DATETIME", "異動時間"),
        header("CHG_USER", "異動人員"),
        header("CHG_HOST", "異動IP"),
        header("CR_DATETIME", "建檔時間"),
        header("CR_USER", "建檔人員"),
        header("CR_HOST", "建檔IP"),
        header("WUID"),
    };
}

QVector<FieldDef> billSubLayout()
{
    // A display sequence only: never read from or written to the table.
    const FieldDef recno{QStringLiteral("RECNO"), db::FieldType::Integer, 0, QStringLiteral("序"), true};
    return {
        line("MASTERBILLID", "單據編號"),
        line("KEYINTIME", "輸入時間"),
        line("TEMPPRODID", "品號條碼"),
        line("V_NAME", "商品名稱"),
        line("V_QTY", "數量"),
        line("V_UNIT", "單位"),
        line("B_PRICE", "單價"),
        line("U_DIS", "折扣%"),
        line("V_PRICE", "金額"),
        line("AMT", "小計"),
        line("MONEY_ID", "幣別"),
        line("MONEY_RATE", "匯率"),
        line("TAX_FLAG", "稅別"),
        line("TAX_KIND", "應免稅商品"),
        line("TAX_AMT", "稅額"),
        line("NET_PRICE", "未稅單價"),
        line("TOT_PRICE", "含稅單價"),
        line("TOT_AMT", "單筆小計"),
        line("V_GIVE_QTY", "贈品數量"),
        line("REMARK", "備忘錄"),
        line("PD_SERNO", "產品序號"),
        line("PH_NO", "批號"),
        line("PACK_REMARK", "包裝說明"),
        line("PROD_ID", "單品編號"),
        line("PROD_BARCODE", "單品條碼"),
        line("PROD_NAME", "單品名稱"),
        line("PROD_SCALE", "單品規格"),
        line("UNIT_ID", "單品單位"),
        line("STK_QTY_YN", "庫存計算"),
        line("PD_ITEMID", "分類代號"),
        line("SALE_PRICE", "建議售價"),
        line("PACK_QTY", "包裝數"),
        line("QTY", "單品數量"),
        line("GIVE_QTY", "單品贈量"),
        line("U_V_PRICE"),
        line("U_TAX_FLAG"),
        line("U_TAX_KIND"),
        line("U_SAL_TAX"),
        line("U_NET_PRICE"),
        line("U_TOT_PRICE"),
        line("BILL_DATE", "單據日期"),
        line("STOCK_ID", "分倉代號"),
        line("FLAG", "單別"),
        line("FLAG_ID"),
        line("SUPP_CORP_ID", "廠商編號"),
        line("ACC_DATE", "帳款日期"),
        line("SOURCE_TYPE", "來源單別"),
        line("SOURCE_ID", "來源單號"),
        line("SOURCE_QTY", "來源數量"),
        line("SOURCE_UNIT", "來源單位"),
        line("CHG_DATETIME", "異動時間"),
        line("CHG_USER", "異動人員"),
        line("CHG_HOST", "異動IP"),
        line("BK_DATE", "退貨日期"),
        line("PRFS", "毛利率%"),
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
