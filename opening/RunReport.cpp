#include "RunReport.h"
#include "Text.h"

#include "Check.h"

namespace opening {

namespace {

QString count(int n)
{
    return QString::number(n);
}

QString billsText(const DocumentTotals& bills, int places)
{
    return Text::tr("進貨單 %1 張　未稅 %2　稅額 %3　合計 %4")
        .arg(count(bills.count), bills.net.text(places), bills.tax.text(places), bills.total.text(places));
}

// The same in the bottom panel's narrow room.
QString billsInPanel(const DocumentTotals& bills, int places)
{
    return Text::tr("進貨單 %1 張 未稅 %2 稅額 %3 合計 %4")
        .arg(count(bills.count), bills.net.text(places), bills.tax.text(places), bills.total.text(places));
}

QString paymentsText(const DocumentTotals& payments, int places)
{
    return Text::tr("預付單 %1 筆 %2").arg(count(payments.count), payments.total.text(places));
}

// The balances not posted, by reason, in one line.
QString notPostedText(const Totals& totals)
{
    QStringList parts;
    for (auto it = totals.notPosted.cbegin(); it != totals.notPosted.cend(); ++it)
        parts << outcomeText(it.key()) + u' ' + count(it.value());
    return parts.join(Text::tr("、"));
}

QString faultReason(const Document& document)
{
    QString reason = outcomeText(document.outcome);
    if (!document.detail.isEmpty())
        reason += Text::tr("（%1）").arg(document.detail);
    else if (document.outcome == Outcome::Negative)
        reason += u' ' + document.balance.plainText();
    return reason;
}

void addFailures(QStringList& lines, const QVector<SupplierEntry>& suppliers)
{
    for (const SupplierEntry& entry : suppliers)
        for (const Document* document : {&entry.bill, &entry.payment})
            if (document->outcome == Outcome::Failed)
                lines << Text::tr("  %1 %2：%3")
                             .arg(supplierText(entry.supplier), kindText(document->kind),
                                  QString(document->detail).replace(u'\n', u' '));
}

// An amount for a file, or for the operator with the accounting format's decimals.
class AmountText {
public:
    AmountText(Amounts style, const Settings& settings) : shown_(style == Amounts::Shown), places_(moneyPlaces(settings)) {}
    QString operator()(const MoneySum& amount) const { return shown_ ? amount.text(places_) : amount.plainText(); }

private:
    bool shown_;
    int places_;
};

// Which columns a document shows amounts in: a bill all four, a payment record its amount.
QStringList amountCells(const Document& document, bool computed, const AmountText& text)
{
    const QString balance = document.outcome == Outcome::NotANumber ? QString() : text(document.balance);
    if (!computed)
        return {balance, {}, {}, {}};
    if (document.kind == DocumentKind::Payment)
        return {balance, {}, {}, text(document.total)};
    return {balance, text(document.net), text(document.tax), text(document.total)};
}

bool computed(Outcome outcome)
{
    return outcome == Outcome::Planned || outcome == Outcome::Written || outcome == Outcome::Failed ||
           outcome == Outcome::NotReached;
}

QStringList totalsRow(const DocumentTotals& totals, DocumentKind kind, const AmountText& text)
{
    const bool bill = kind == DocumentKind::Bill;
    return {QString(),
            Text::tr("合計"),
            bill ? Text::tr("進貨單 %1 張").arg(totals.count) : Text::tr("預付單 %1 筆").arg(totals.count),
            kindText(kind),
            QString(),
            text(totals.balance),
            bill ? text(totals.net) : QString(),
            bill ? text(totals.tax) : QString(),
            text(totals.total),
            QString(),
            QString()};
}

} // namespace

int moneyPlaces(const Settings& settings)
{
    const qsizetype point = settings.account_amt_format.indexOf(u'.');
    return point < 0 ? 0 : static_cast<int>(settings.account_amt_format.size() - point - 1);
}

QString saveFailedText(const QString& supplier, const QString& message)
{
    return Text::tr("資料存檔失敗..!\n廠商代號：%1\n%2").arg(supplier, message);
}

QString stoppedByOperatorText(int done, int total)
{
    return Text::tr("操作人員已中止開帳：%1 家廠商中已完成 %2 家，已寫入的保留，其餘未寫入。").arg(total).arg(done);
}

QString planPanelText(const OpeningPlan& plan)
{
    if (plan.refused())
        return Text::tr("無法開帳：") + plan.refusal.section(u'\n', 0, 0);
    const Totals totals = totalsOf(plan.suppliers);
    const int places = moneyPlaces(plan.settings);
    QString text = Text::tr("未付 %1 → %2\n預付 %3 → %4")
                       .arg(totals.bills.balance.text(places), billsInPanel(totals.bills, places),
                            totals.payments.balance.text(places), paymentsText(totals.payments, places));
    if (totals.faultySuppliers > 0)
        text += Text::tr("　有誤 %1 家").arg(totals.faultySuppliers);
    return text;
}

QString reconciliationText(const Totals& totals, const Settings& settings)
{
    const int places = moneyPlaces(settings);
    const bool down = totals.rounding.isNegative();
    const MoneySum rounding = down ? MoneySum() - totals.rounding : totals.rounding;
    return Text::tr("調節：期初未付 %1 ＋ 外加稅額 %2（%3 張）%4 尾數 %5（取至小數 %6 位）＝ 進貨單合計 %7；"
                          "其中未稅 %8、稅額 %9（外加 %2，含稅餘額內含 %10，%11 張）")
        .arg(totals.bills.balance.text(places), totals.taxOnTop.text(places), count(totals.billsTaxOnTop),
             down ? QStringLiteral("−") : Text::tr("＋"), rounding.text(places),
             count(settings.in_totdot), totals.bills.total.text(places), totals.bills.net.text(places))
        .arg(totals.bills.tax.text(places), totals.taxInside.text(places), count(totals.billsTaxInside));
}

QStringList faultLines(const QVector<SupplierEntry>& suppliers)
{
    QStringList lines;
    for (const SupplierEntry& entry : suppliers) {
        QStringList kinds;
        QString reason;
        for (const Document* document : {&entry.bill, &entry.payment}) {
            if (!isFault(document->outcome))
                continue;
            const QString why = faultReason(*document);
            if (!reason.isEmpty() && why != reason) {
                lines << Text::tr("略過 %1 %2：%3").arg(supplierText(entry.supplier), kinds.join(Text::tr("、")), reason);
                kinds.clear();
            }
            kinds << kindText(document->kind);
            reason = why;
        }
        if (!kinds.isEmpty())
            lines << Text::tr("略過 %1 %2：%3").arg(supplierText(entry.supplier), kinds.join(Text::tr("、")), reason);
    }
    return lines;
}

QString earlierRunText(const EarlierRun& earlier)
{
    const QString when = earlier.record ? Text::tr("%1 於 %2 開帳，")
                                              .arg(earlier.record->started.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
                                                   earlier.record->host)
                                        : QString();
    return Text::tr("將取代前次開帳：%1進貨單 %2 張 合計 %3、明細 %4 筆、預付單 %5 筆 合計 %6")
        .arg(when)
        .arg(earlier.bills)
        .arg(earlier.billsTotal.text())
        .arg(earlier.lines)
        .arg(earlier.payments)
        .arg(earlier.paymentsTotal.text());
}

QString previewSummary(const OpeningPlan& plan)
{
    if (plan.refused())
        return Text::tr("無法開帳，不會寫入任何資料。");
    const Totals totals = totalsOf(plan.suppliers);
    const int places = moneyPlaces(plan.settings);
    return Text::tr("將開立 進貨單 %1 張，合計 %2；預付單 %3 筆，合計 %4。尚未寫入資料庫。")
        .arg(count(totals.bills.count), totals.bills.total.text(places), count(totals.payments.count),
             totals.payments.total.text(places));
}

QString previewNotes(const OpeningPlan& plan)
{
    QStringList lines;
    if (plan.refused())
        lines << plan.refusal;
    if (plan.earlier.exists())
        lines << earlierRunText(plan.earlier) + Text::tr("（重新開帳時先全部刪除）");
    lines << faultLines(plan.suppliers);
    return lines.join(u'\n');
}

QVector<QStringList> documentTable(const OpeningPlan& plan, Amounts amounts)
{
    const AmountText text(amounts, plan.settings);
    QVector<QStringList> rows{{Text::tr("序號"), Text::tr("廠商代號"), Text::tr("廠商名稱"),
                               Text::tr("單據"), Text::tr("單號"), Text::tr("餘額"),
                               Text::tr("未稅"), Text::tr("稅額"), Text::tr("合計"),
                               Text::tr("結果"), Text::tr("說明")}};
    for (const SupplierEntry& entry : plan.suppliers) {
        for (const Document* document : {&entry.bill, &entry.payment}) {
            if (document->outcome == Outcome::Empty || document->outcome == Outcome::Zero)
                continue;
            QStringList cells{count(entry.supplier.position), entry.supplier.code, entry.supplier.name,
                              kindText(document->kind), document->number};
            cells << amountCells(*document, computed(document->outcome), text);
            cells << outcomeText(document->outcome) << QString(document->detail).replace(u'\n', u' ');
            rows << cells;
        }
    }
    const Totals totals = totalsOf(plan.suppliers);
    rows << totalsRow(totals.bills, DocumentKind::Bill, text) << totalsRow(totals.payments, DocumentKind::Payment, text);
    QStringList reconciliation(rows.first().size());
    reconciliation[1] = Text::tr("調節");
    reconciliation.last() = reconciliationText(totals, plan.settings);
    rows << reconciliation;
    return rows;
}

QString lostConnectionAdvice(const RunResult& result)
{
    const Totals totals = totalsOf(result.plan.suppliers);
    return Text::tr("已寫入 進貨單 %1 張、預付單 %2 筆；中斷時正在寫入的那一張，資料庫已整張撤回或已整張寫入，"
                    "不會只寫一半。連線恢復後請重新開帳並選擇取代（命令列加上 --replace），以取代已寫入的單據。")
        .arg(totals.bills.count)
        .arg(totals.payments.count);
}

QString runAccount(const RunResult& result)
{
    const Totals totals = totalsOf(result.plan.suppliers);
    const int places = moneyPlaces(result.plan.settings);
    QStringList lines;
    if (result.replaced.exists())
        lines << Text::tr("取代前次開帳：進貨單 %1 張、明細 %2 筆、預付單 %3 筆")
                     .arg(result.replaced.bills)
                     .arg(result.replaced.lines)
                     .arg(result.replaced.payments);
    lines << Text::tr("已開立 ") + billsText(totals.bills, places);
    lines << Text::tr("已開立 ") + paymentsText(totals.payments, places);
    lines << reconciliationText(totals, result.plan.settings);
    if (const QString notPosted = notPostedText(totals); !notPosted.isEmpty())
        lines << Text::tr("未開立：") + notPosted;
    lines << faultLines(result.plan.suppliers);
    if (totals.failed > 0) {
        lines << Text::tr("失敗：%1 筆").arg(totals.failed);
        addFailures(lines, result.plan.suppliers);
    }
    if (result.end == RunEnd::Stopped) {
        lines << Text::tr("開帳中止：%1").arg(QString(result.stopError).replace(u'\n', u' '));
        if (totals.notReached > 0)
            lines << Text::tr("未執行：%1 筆").arg(totals.notReached);
    }
    if (!result.recordWarning.isEmpty())
        lines << result.recordWarning;
    if (result.check)
        lines << checkVerdict(*result.check, result.plan.settings);
    return lines.join(u'\n');
}

QString runSummaryLine(const RunResult& result)
{
    const Totals totals = totalsOf(result.plan.suppliers);
    const int places = moneyPlaces(result.plan.settings);
    // What needs the operator comes first: a long line is cut at its end.
    QString first;
    if (result.end == RunEnd::Stopped)
        first += Text::tr("開帳中止　");
    if (totals.failed > 0)
        first += Text::tr("失敗 %1　").arg(totals.failed);
    QString second = Text::tr("已開立 ") + paymentsText(totals.payments, places);
    if (totals.faultySuppliers > 0)
        second += Text::tr("　有誤 %1 家").arg(totals.faultySuppliers);
    return first + Text::tr("已開立 ") + billsInPanel(totals.bills, places) + u'\n' + second;
}

} // namespace opening
