#include "RunReport.h"

#include "MoneyText.h"
#include "TextNumbers.h"
#include "Value.h"

namespace opening {

namespace {

QString count(int n)
{
    return QString::number(n);
}

// A plain number for a spreadsheet: no separators, up to 15 significant digits.
QString plain(double value)
{
    return db::formatDouble(value);
}

QString skippedText(const RunTotals& totals)
{
    QStringList parts;
    const std::pair<int, Outcome> reasons[] = {{totals.empty, Outcome::Empty},
                                               {totals.zero, Outcome::Zero},
                                               {totals.negative, Outcome::Negative},
                                               {totals.notANumber, Outcome::NotANumber},
                                               {totals.duplicate, Outcome::Duplicate}};
    for (const auto& [n, reason] : reasons)
        if (n > 0)
            parts << outcomeText(reason) + u' ' + count(n);
    return parts.join(QStringLiteral("、"));
}

void addFailure(QStringList& lines, const SupplierResult& supplier, DocumentKind kind, const DocumentResult& document)
{
    if (document.outcome != Outcome::Failed)
        return;
    lines << QStringLiteral("  %1 %2 %3：%4")
                 .arg(supplier.supplier.code, supplier.supplier.name, kindText(kind),
                      QString(document.error).replace(u'\n', QStringLiteral(" ")));
}

// What became of the document, its number and, once written, its amounts.
QStringList documentCells(const DocumentResult& document, DocumentKind kind)
{
    const auto amount = [&document](double value) {
        return document.outcome == Outcome::Written ? plain(value) : QString();
    };
    QStringList cells{outcomeText(document.outcome), document.number};
    if (kind == DocumentKind::Bill)
        cells << amount(document.net) << amount(document.tax);
    return cells << amount(document.total);
}

} // namespace

QString saveFailedText(const QString& supplier, const QString& message)
{
    return QStringLiteral("資料存檔失敗..!\n廠商代號：%1\n%2").arg(supplier, message);
}

QString listTotalsText(const ListTotals& totals)
{
    QString text = QStringLiteral("廠商 %1 家　進貨單 %2 張 %3　預付單 %4 筆 %5")
                       .arg(count(totals.suppliers), count(totals.bills), moneyText(totals.unpaid),
                            count(totals.payments), moneyText(totals.prepaid));
    if (totals.doubtful > 0)
        text += QStringLiteral("　負數或非數值 %1 家").arg(totals.doubtful);
    if (totals.repeats > 0)
        text += QStringLiteral("　重複代號 %1 筆").arg(totals.repeats);
    return text;
}

QString runAccount(const RunResult& result)
{
    const RunTotals totals = result.totals();
    QStringList lines;
    if (result.replacedBills > 0)
        lines << QStringLiteral("取代前次開帳：進貨單 %1 張").arg(result.replacedBills);
    lines << QStringLiteral("進貨單：已開立 %1 張，合計 %2").arg(count(totals.billsWritten), moneyText(totals.billsTotal));
    lines << QStringLiteral("預付單：已開立 %1 筆，合計 %2")
                 .arg(count(totals.paymentsWritten), moneyText(totals.paymentsTotal));
    if (totals.kept > 0)
        lines << QStringLiteral("保留前次預付單：%1 筆").arg(totals.kept);
    if (const QString skipped = skippedText(totals); !skipped.isEmpty())
        lines << QStringLiteral("未開立：") + skipped;
    if (const int failed = totals.billsFailed + totals.paymentsFailed; failed > 0) {
        lines << QStringLiteral("失敗：%1 筆").arg(failed);
        for (const SupplierResult& supplier : result.suppliers) {
            addFailure(lines, supplier, DocumentKind::Bill, supplier.bill);
            addFailure(lines, supplier, DocumentKind::Payment, supplier.payment);
        }
    }
    if (result.end == RunEnd::Stopped) {
        lines << QStringLiteral("開帳中止：%1").arg(QString(result.stopError).replace(u'\n', QStringLiteral(" ")));
        if (totals.notReached > 0)
            lines << QStringLiteral("未執行：%1 筆").arg(totals.notReached);
    }
    return lines.join(u'\n');
}

QString runSummaryLine(const RunResult& result)
{
    const RunTotals totals = result.totals();
    // What needs the operator comes first: a long line is cut at its end.
    QString line;
    if (result.end == RunEnd::Stopped)
        line += QStringLiteral("開帳中止　");
    if (const int failed = totals.billsFailed + totals.paymentsFailed; failed > 0)
        line += QStringLiteral("失敗 %1　").arg(failed);
    return line + QStringLiteral("已開立：進貨單 %1 張 %2　預付單 %3 筆 %4")
                      .arg(count(totals.billsWritten), moneyText(totals.billsTotal), count(totals.paymentsWritten),
                           moneyText(totals.paymentsTotal));
}

QVector<QStringList> accountTable(const RunResult& result)
{
    QVector<QStringList> rows{{QStringLiteral("序號"), QStringLiteral("廠商代號"), QStringLiteral("廠商名稱"),
                               QStringLiteral("期初未付"), QStringLiteral("期初預付"), QStringLiteral("進貨單"),
                               QStringLiteral("進貨單號"), QStringLiteral("未稅"), QStringLiteral("稅額"),
                               QStringLiteral("合計"), QStringLiteral("預付單"), QStringLiteral("預付單號"),
                               QStringLiteral("預付金額"), QStringLiteral("訊息")}};
    for (const SupplierResult& supplier : result.suppliers) {
        const SupplierRow& row = supplier.supplier;
        QStringList cells{count(row.position), row.code, row.name, db::valueToText(row.unpaid),
                          db::valueToText(row.prepaid)};
        cells << documentCells(supplier.bill, DocumentKind::Bill)
              << documentCells(supplier.payment, DocumentKind::Payment);
        cells << (supplier.bill.error.isEmpty() ? supplier.payment.error : supplier.bill.error);
        rows << cells;
    }
    return rows;
}

QVector<QStringList> previewTable(const Preview& preview)
{
    QVector<QStringList> rows{{QStringLiteral("序號"), QStringLiteral("廠商代號"), QStringLiteral("廠商名稱"),
                               QStringLiteral("單據"), QStringLiteral("單號"), QStringLiteral("未稅"),
                               QStringLiteral("稅額"), QStringLiteral("合計")}};
    for (const PlannedDocument& document : preview.documents)
        rows << QStringList{count(document.supplier.position), document.supplier.code, document.supplier.name,
                            kindText(document.kind), document.number, plain(document.net), plain(document.tax),
                            plain(document.total)};
    return rows;
}

QString previewSummary(const Preview& preview)
{
    int bills = 0;
    int payments = 0;
    double billTotal = 0.0;
    double paymentTotal = 0.0;
    for (const PlannedDocument& document : preview.documents) {
        const bool bill = document.kind == DocumentKind::Bill;
        (bill ? bills : payments) += 1;
        (bill ? billTotal : paymentTotal) += document.total;
    }
    return QStringLiteral("將開立 進貨單 %1 張，合計 %2；預付單 %3 筆，合計 %4。尚未寫入資料庫。")
        .arg(count(bills), moneyText(billTotal), count(payments), moneyText(paymentTotal));
}

QString previewNotes(const Preview& preview)
{
    QStringList lines;
    if (preview.earlierBills > 0)
        lines << QStringLiteral("前次開帳：進貨單 %1 張、預付單 %2 筆，重新開帳時先全部刪除")
                     .arg(preview.earlierBills)
                     .arg(preview.earlierPayments);
    for (const SkippedDocument& skipped : preview.skipped) {
        // A repeated code skips the whole row: its balances are posted at the code's first row.
        const QString what = skipped.reason == Outcome::Duplicate
                                 ? QStringLiteral("第 %1 列").arg(skipped.supplier.position)
                                 : kindText(skipped.kind);
        lines << QStringLiteral("略過 %1 %2 %3：%4")
                     .arg(skipped.supplier.code, skipped.supplier.name, what, outcomeText(skipped.reason));
    }
    return lines.join(u'\n');
}

} // namespace opening
