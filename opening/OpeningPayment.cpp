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

QString billNumber(const QString& day, qint64 sequence)
{
    return openingCode() + day + QString::asprintf("%.4lld", static_cast<long long>(sequence));
}

void bindOpeningPayment(db::Statement& query, const QString& prefix, const OpeningPlan& plan,
                        const SupplierEntry& entry, const QDateTime& now)
{
    const Document& payment = entry.payment;
    const RunStamp& stamp = plan.stamp;
    const auto text = [&](const char* column, const QString& value) {
        query.setParamText(prefix + QLatin1String(column), value);
    };
    const auto number = [&](const char* column, double value) {
        query.setParamDouble(prefix + QLatin1String(column), value);
    };
    text("MASTERBILLID", payment.number);
    for (const char* date : {"BILL_DATE", "PAY_DATE", "INI_DATE", "END_DATE"})
        text(date, stamp.billDate);
    text("EMPLOYEE_ID", QStringLiteral("SYSDBA"));
    text("EMPLOYEE_NAME", QStringLiteral("SYSDBA"));
    text("DEPART_ID", QString());
    text("SUPP_CORP_ID", entry.supplier.code);
    text("SUPP_CORP_NAME", entry.supplier.name);
    // The amount as the list holds it.
    number("CASH_AMT", payment.balance.amount());
    number("OVER_PAY", payment.balance.amount());
    for (const char* zero : {"MONTHCASH_DIS", "PRE_PAY", "TOT_NPAY", "TOTAL_PLUS", "BANK_IO", "PAGE_AMT", "TAKE_PRE",
                             "TOT_DISCOUNT", "TOT_PATCH", "TOT_PATCHEDAMT"})
        number(zero, 0.0);
    text("REMARK", QStringLiteral("期初預收"));
    text("PROJ_ID", QString());
    text("AGREE_YN", QStringLiteral("Y"));
    text("CHG_USER", plan.settings.operator_id);
    text("CR_USER", plan.settings.operator_id);
    text("CHG_HOST", stamp.host);
    text("CR_HOST", stamp.host);
    const QString changed = changeTimeText(now);
    text("CHG_DATETIME", changed);
    text("CR_DATETIME", changed);
    text("WUID", QString());
}

Document postOpeningPayment(db::Statement& query, const OpeningPlan& plan, const SupplierEntry& entry)
{
    static const QStringList insert = insertLines(payMasterColumns());
    Document payment = entry.payment;
    query.setLines(insert);
    bindOpeningPayment(query, {}, plan, entry, QDateTime::currentDateTime());
    query.execute();
    payment.outcome = Outcome::Written;
    return payment;
}

} // namespace opening
