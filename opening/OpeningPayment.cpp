#include "ClockTexts.h"
#include "OpeningPlan.h"
#include "PostingSteps.h"
#include "Statement.h"
#include "TableColumns.h"

namespace opening {

QString paymentNumber(const QString& day, int position)
{
    return openingCode() + day + QString::asprintf("%.4d", position);
}

Document postOpeningPayment(db::Statement& query, const OpeningPlan& plan, const SupplierEntry& entry)
{
    static const QStringList insert = insertLines(payMasterColumns());
    Document payment = entry.payment;
    const RunStamp& stamp = plan.stamp;
    query.setLines(insert);
    query.setParamText(QStringLiteral("MASTERBILLID"), payment.number);
    for (const char* date : {"BILL_DATE", "PAY_DATE", "INI_DATE", "END_DATE"})
        query.setParamText(QString::fromLatin1(date), stamp.billDate);
    query.setParamText(QStringLiteral("EMPLOYEE_ID"), QStringLiteral("SYSDBA"));
    query.setParamText(QStringLiteral("EMPLOYEE_NAME"), QStringLiteral("SYSDBA"));
    query.setParamText(QStringLiteral("DEPART_ID"), QString());
    query.setParamText(QStringLiteral("SUPP_CORP_ID"), entry.supplier.code);
    query.setParamText(QStringLiteral("SUPP_CORP_NAME"), entry.supplier.name);
    // The amount as the list holds it.
    query.setParamDouble(QStringLiteral("CASH_AMT"), payment.balance.amount());
    query.setParamDouble(QStringLiteral("OVER_PAY"), payment.balance.amount());
    for (const char* zero : {"MONTHCASH_DIS", "PRE_PAY", "TOT_NPAY", "TOTAL_PLUS", "BANK_IO", "PAGE_AMT", "TAKE_PRE",
                             "TOT_DISCOUNT", "TOT_PATCH", "TOT_PATCHEDAMT"})
        query.setParamDouble(QString::fromLatin1(zero), 0.0);
    query.setParamText(QStringLiteral("REMARK"), QStringLiteral("期初預收"));
    query.setParamText(QStringLiteral("PROJ_ID"), QString());
    query.setParamText(QStringLiteral("AGREE_YN"), QStringLiteral("Y"));
    query.setParamText(QStringLiteral("CHG_USER"), plan.settings.operator_id);
    query.setParamText(QStringLiteral("CR_USER"), plan.settings.operator_id);
    query.setParamText(QStringLiteral("CHG_HOST"), stamp.host);
    query.setParamText(QStringLiteral("CR_HOST"), stamp.host);
    const QString now = changeTimeText(QDateTime::currentDateTime());
    query.setParamText(QStringLiteral("CHG_DATETIME"), now);
    query.setParamText(QStringLiteral("CR_DATETIME"), now);
    query.setParamText(QStringLiteral("WUID"), QString());
    query.execute();
    payment.outcome = Outcome::Written;
    return payment;
}

} // namespace opening
