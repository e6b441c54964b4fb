#include "ClockTexts.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "Value.h"

namespace {

const QStringList kPaymentInsert{
    QStringLiteral("INSERT INTO PAY_MASTER(MASTERBILLID,BILL_DATE,PAY_DATE,"),
    QStringLiteral("EMPLOYEE_ID,EMPLOYEE_NAME,DEPART_ID,SUPP_CORP_ID,SUPP_CORP_NAME,"),
    QStringLiteral("MONTHCASH_DIS,PRE_PAY,INI_DATE,END_DATE,TOT_NPAY,TOTAL_PLUS,CASH_AMT,"),
    QStringLiteral("BANK_IO,PAGE_AMT,TAKE_PRE,TOT_DISCOUNT,TOT_PATCH,OVER_PAY,REMARK,"),
    QStringLiteral("TOT_PATCHEDAMT,PROJ_ID,AGREE_YN,CHG_DATETIME,CHG_USER,CHG_HOST,"),
    QStringLiteral("CR_DATETIME,CR_USER,CR_HOST,WUID) values(:MASTERBILLID,:BILL_DATE,:PAY_DATE,"),
    QStringLiteral(":EMPLOYEE_ID,:EMPLOYEE_NAME,:DEPART_ID,:SUPP_CORP_ID,:SUPP_CORP_NAME,"),
    QStringLiteral(":MONTHCASH_DIS,:PRE_PAY,:INI_DATE,:END_DATE,:TOT_NPAY,:TOTAL_PLUS,:CASH_AMT,"),
    QStringLiteral(":BANK_IO,:PAGE_AMT,:TAKE_PRE,:TOT_DISCOUNT,:TOT_PATCH,:OVER_PAY,:REMARK,"),
    QStringLiteral(":TOT_PATCHEDAMT,:PROJ_ID,:AGREE_YN,:CHG_DATETIME,:CHG_USER,:CHG_HOST,"),
    QStringLiteral(":CR_DATETIME,:CR_USER,:CR_HOST,:WUID) "),
};

} // namespace

namespace opening {

// A supplier keeps the opening payment record it already has, whatever its amount.
bool hasOpeningPayment(db::Statement& query, const QString& supplier)
{
    query.setLines({QStringLiteral("SELECT BILL_DATE FROM PAY_MASTER "), QStringLiteral(" WHERE SUPP_CORP_ID = :SUPP_CORP_ID"),
                    QStringLiteral(" AND MASTERBILLID LIKE '0%' ")});
    query.setParamText(QStringLiteral("SUPP_CORP_ID"), supplier);
    query.open();
    return !query.isEmpty() && !query.isNull(QStringLiteral("BILL_DATE"));
}

QString paymentNumber(const QString& day, int position)
{
    return openingCode() + day + QString::asprintf("%.4d", position);
}

DocumentResult postOpeningPayment(db::Statement& query, const SupplierRow& supplier, const RunStamp& stamp)
{
    DocumentResult result;
    if (hasOpeningPayment(query, supplier.code)) {
        result.outcome = Outcome::Kept;
        return result;
    }

    result.number = paymentNumber(stamp.day, supplier.position);
    // The amount as the list holds it, not through its text.
    result.total = db::valueToDouble(supplier.prepaid);
    result.net = result.total;
    query.setLines(kPaymentInsert);
    query.setParamText(QStringLiteral("MASTERBILLID"), result.number);
    for (const char* date : {"BILL_DATE", "PAY_DATE", "INI_DATE", "END_DATE"})
        query.setParamText(QString::fromLatin1(date), stamp.billDate);
    query.setParamText(QStringLiteral("EMPLOYEE_ID"), QStringLiteral("SYSDBA"));
    query.setParamText(QStringLiteral("EMPLOYEE_NAME"), QStringLiteral("SYSDBA"));
    query.setParamText(QStringLiteral("DEPART_ID"), QString());
    query.setParamText(QStringLiteral("SUPP_CORP_ID"), supplier.code);
    query.setParamText(QStringLiteral("SUPP_CORP_NAME"), supplier.name);
    query.setParamDouble(QStringLiteral("CASH_AMT"), result.total);
    query.setParamDouble(QStringLiteral("OVER_PAY"), result.total);
    for (const char* zero : {"MONTHCASH_DIS", "PRE_PAY", "TOT_NPAY", "TOTAL_PLUS", "BANK_IO", "PAGE_AMT", "TAKE_PRE",
                             "TOT_DISCOUNT", "TOT_PATCH", "TOT_PATCHEDAMT"})
        query.setParamDouble(QString::fromLatin1(zero), 0.0);
    query.setParamText(QStringLiteral("REMARK"), QStringLiteral("期初預收"));
    query.setParamText(QStringLiteral("PROJ_ID"), QString());
    query.setParamText(QStringLiteral("AGREE_YN"), QStringLiteral("Y"));
    query.setParamText(QStringLiteral("CHG_USER"), operator_id);
    query.setParamText(QStringLiteral("CR_USER"), operator_id);
    query.setParamText(QStringLiteral("CHG_HOST"), stamp.host);
    query.setParamText(QStringLiteral("CR_HOST"), stamp.host);
    const QString now = changeTimeText(QDateTime::currentDateTime());
    query.setParamText(QStringLiteral("CHG_DATETIME"), now);
    query.setParamText(QStringLiteral("CR_DATETIME"), now);
    query.setParamText(QStringLiteral("WUID"), QString());
    query.execute();
    result.outcome = Outcome::Written;
    return result;
}

} // namespace opening
