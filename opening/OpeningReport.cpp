#include "OpeningReport.h"
#include "Text.h"

#include "RunReport.h"

namespace opening {

namespace {

QStringList headingOf(const Settings& settings, const QString& database, const QDate& baseDate,
                      const std::optional<RunRecord>& run)
{
    QStringList lines;
    if (!settings.corp_title.isEmpty())
        lines << settings.corp_title;
    if (!settings.corp_idno.isEmpty())
        lines << Text::tr("統一編號：%1").arg(settings.corp_idno);
    if (!settings.corp_addr.isEmpty())
        lines << Text::tr("地址：%1").arg(settings.corp_addr);
    lines << Text::tr("資料庫：%1").arg(database);
    lines << Text::tr("期初基準日期：%1").arg(baseDate.toString(QStringLiteral("yyyy/MM/dd")));
    if (run)
        lines << Text::tr("開帳：%1 至 %2　工作站 %3　登入 %4（%5）　%6")
                     .arg(run->started.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                          run->ended.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")), run->host, run->login,
                          run->osUser, outcomeName(run->outcome));
    else
        lines << Text::tr("開帳：沒有紀錄");
    return lines;
}

} // namespace

OpeningReport openingReport(const QVector<SupplierEntry>& suppliers, const Settings& settings, const QString& database,
                            const QDate& baseDate, const std::optional<RunRecord>& run, const CheckResult& check)
{
    OpeningReport report;
    report.title = Text::tr("廠商期初帳款開帳報表");
    report.heading = headingOf(settings, database, baseDate, run);
    report.columns = {Text::tr("廠商代號"), Text::tr("廠商名稱"), Text::tr("單據"),
                      Text::tr("單號"),     Text::tr("餘額"),     Text::tr("未稅"),
                      Text::tr("稅額"),     Text::tr("合計")};
    report.places = moneyPlaces(settings);
    for (const SupplierEntry& entry : suppliers) {
        for (const Document* document : {&entry.bill, &entry.payment}) {
            const bool bill = document->kind == DocumentKind::Bill;
            if (document->outcome == Outcome::Written)
                report.documents.push_back({entry.supplier.code, entry.supplier.name, kindText(document->kind),
                                            document->number, document->balance, document->net, document->tax,
                                            document->total, bill});
            else if (document->outcome == Outcome::Failed)
                report.failures << Text::tr("%1 %2：%3")
                                       .arg(supplierText(entry.supplier), kindText(document->kind),
                                            QString(document->detail).replace(u'\n', u' '));
        }
    }
    report.skipped = faultLines(suppliers);
    const Totals totals = totalsOf(suppliers);
    report.totals << Text::tr("進貨單 %1 張　期初未付 %2　未稅 %3　稅額 %4　合計 %5")
                         .arg(totals.bills.count)
                         .arg(totals.bills.balance.text(report.places), totals.bills.net.text(report.places),
                              totals.bills.tax.text(report.places), totals.bills.total.text(report.places))
                  << Text::tr("預付單 %1 筆　合計 %2").arg(totals.payments.count).arg(totals.payments.total.text(report.places))
                  << reconciliationText(totals, settings);
    report.verdict = checkVerdict(check, settings);
    report.signatures = {Text::tr("製表"), Text::tr("覆核")};
    return report;
}

} // namespace opening
