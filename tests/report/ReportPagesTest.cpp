// The printed opening report as the accountant files it: its pages, read back from the PDF.
#include "ReportPages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using opening::Money;
using opening::OpeningReport;

namespace {

// The text of one page of the PDF, blanks folded.
QString pageText(const QString& pdf, int page)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

} // namespace

TEST(ReportPages, EveryPageHasItsHeaderItsSubtotalAndItsNumberAndTheSubtotalsAddUp)
{
    OpeningReport report;
    report.title = "廠商期初帳款開帳報表";
    report.heading = {"金豐貿易股份有限公司", "期初基準日期：2011/02/19"};
    report.columns = {"廠商代號", "廠商名稱", "單據", "單號", "餘額", "未稅", "稅額", "合計"};
    for (int i = 1; i <= 150; ++i) {
        const double balance = 1000 + i + 0.5;
        report.documents.push_back({QString("S%1").arg(i, 4, 10, QChar('0')),
                                    i == 7 ? QString(60, u'長') : QString("廠商%1").arg(i), "進貨單",
                                    QString("020110219%1").arg(i, 4, 10, QChar('0')), Money(balance),
                                    Money(balance + 0.5), Money(50), Money(balance + 50.5)});
    }
    report.totals = {"進貨單 150 張"};
    report.verdict = "基準日 2011/02/19 核對相符";
    report.signatures = {"製表", "覆核"};
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    ASSERT_TRUE(writeReportPdf(pdf, report));

    const QString first = pageText(pdf, 1);
    const QRegularExpression footer("第 (\\d+) 頁，共 (\\d+) 頁");
    const QRegularExpressionMatch numbered = footer.match(first);
    ASSERT_TRUE(numbered.hasMatch()) << first.toStdString();
    const int pages = numbered.captured(2).toInt();
    ASSERT_GE(pages, 3);
    EXPECT_TRUE(first.startsWith("廠商期初帳款開帳報表 金豐貿易股份有限公司 期初基準日期：2011/02/19"));
    EXPECT_TRUE(first.contains("長長長…") || first.contains("長長長..."));  // a long name is cut, and shows it

    int rows = 0;
    double totals = 0;
    const QRegularExpression subtotal("本頁小計 (\\d+) 筆 ([\\d,.]+) ([\\d,.]+) ([\\d,.]+) ([\\d,.]+)");
    for (int page = 1; page <= pages; ++page) {
        const QString text = pageText(pdf, page);
        EXPECT_TRUE(text.contains(QString("第 %1 頁，共 %2 頁").arg(page).arg(pages))) << page;
        EXPECT_TRUE(text.contains("廠商代號 廠商名稱 單據 單號 餘額 未稅 稅額 合計")) << page;
        const QRegularExpressionMatch sums = subtotal.match(text);
        ASSERT_TRUE(sums.hasMatch()) << page << text.toStdString();
        rows += sums.captured(1).toInt();
        totals += QString(sums.captured(5)).remove(',').toDouble();
    }
    EXPECT_EQ(rows, 150);
    EXPECT_DOUBLE_EQ(totals, 150 * 1050.5 + 150 * 151 / 2.0 + 150 * 0.5);
    const QString last = pageText(pdf, pages);
    EXPECT_TRUE(last.contains("核對 基準日 2011/02/19 核對相符"));
    EXPECT_TRUE(last.contains("製表：") && last.contains("覆核："));

    // A file that cannot be written leaves nothing behind and says so.
    EXPECT_FALSE(writeReportPdf(dir.filePath("no/such/folder/report.pdf"), report));
}
