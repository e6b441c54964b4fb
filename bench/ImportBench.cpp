// The balance import on a generated suite database of 100,000 suppliers (embedded, forced writes
// on): the time to read the spreadsheet (CSV in UTF-8 and in Big5, and .xlsx), to compare it with
// SUPPLIER_ACCOUNTS, and to apply it in its one transaction.
// Usage: import_bench [SUPPLIERS]
#include "BalanceImport.h"
#include "BenchDatabase.h"
#include "FrmSimpleDataMod.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstdio>
#include <quazip.h>
#include <quazipfile.h>

namespace {

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

QString supplierCode(int i)
{
    return QStringLiteral("S%1").arg(i, 5, 10, QChar(u'0'));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

QString csvText(int suppliers)
{
    QString text = QStringLiteral("廠商代號,廠商名稱,期初未付,期初預付\r\n");
    for (int i = 1; i <= suppliers; ++i)
        text += QStringLiteral("%1,廠商%2,\"%3\",%4\r\n").arg(supplierCode(i)).arg(i).arg(i * 10 + 0.5, 0, 'f', 1).arg(i % 7);
    return text;
}

// A workbook as Excel writes its parts: the balances as numbers, the codes as shared strings.
void writeXlsx(const QString& path, int suppliers)
{
    QString rows = QStringLiteral(R"(<row r="1"><c r="A1" t="inlineStr"><is><t>廠商代號</t></is></c>)"
                                  R"(<c r="B1" t="inlineStr"><is><t>期初未付</t></is></c>)"
                                  R"(<c r="C1" t="inlineStr"><is><t>期初預付</t></is></c></row>)");
    QString strings;
    for (int i = 1; i <= suppliers; ++i) {
        const int r = i + 1;
        rows += QStringLiteral(R"(<row r="%1"><c r="A%1" t="s"><v>%2</v></c><c r="B%1"><v>%3</v></c><c r="C%1"><v>%4</v></c></row>)")
                    .arg(r)
                    .arg(i - 1)
                    .arg(i * 10 + 0.5, 0, 'f', 1)
                    .arg(i % 7);
        strings += QStringLiteral("<si><t>%1</t></si>").arg(supplierCode(i));
    }
    const std::pair<const char*, QString> parts[] = {
        {"xl/workbook.xml", QStringLiteral(R"(<workbook xmlns:r="r"><sheets><sheet name="1" r:id="rId1"/></sheets></workbook>)")},
        {"xl/_rels/workbook.xml.rels",
         QStringLiteral(R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)")},
        {"xl/worksheets/sheet1.xml", QStringLiteral("<worksheet><sheetData>%1</sheetData></worksheet>").arg(rows)},
        {"xl/sharedStrings.xml", QStringLiteral("<sst>%1</sst>").arg(strings)}};
    QuaZip zip(path);
    zip.open(QuaZip::mdCreate);
    for (const auto& [name, text] : parts) {
        QuaZipFile part(&zip);
        part.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(name)));
        part.write(text.toUtf8());
        part.close();
    }
    zip.close();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int suppliers = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const bench::BenchDatabase database = bench::makeBenchDatabase(dir, QStringLiteral("bench.fdb"), suppliers, false, false);
    if (database.database.isEmpty())
        return 1;

    const QString utf8 = dir.filePath(QStringLiteral("balances-utf8.csv"));
    const QString big5 = dir.filePath(QStringLiteral("balances-big5.csv"));
    const QString xlsx = dir.filePath(QStringLiteral("balances.xlsx"));
    const QString text = csvText(suppliers);
    writeFile(utf8, text.toUtf8());
    writeFile(big5, QStringEncoder("CP950").encode(text));
    writeXlsx(xlsx, suppliers);

    TSimpleDataMod dm(dir.path());
    dm.DataModuleCreate();
    dm.SQLConnection1.open();
    std::printf("%d suppliers, embedded\n", suppliers);
    int failures = 0;
    for (const QString& file : {utf8, big5, xlsx}) {
        QElapsedTimer timer;
        timer.start();
        const balanceimport::Sheet sheet = balanceimport::readSheet(file);
        const double readMs = msSince(timer);
        timer.restart();
        const balanceimport::ImportDifference difference =
            balanceimport::compareWithStored(sheet, balanceimport::findColumns(sheet), dm.SQLQuery1, file);
        const double compareMs = msSince(timer);
        std::printf("  %-20s %8.1f KB  read %7.1f ms  compare %7.1f ms  (%d rows, %d changed, %d faults)\n",
                    qPrintable(QFileInfo(file).fileName()), double(QFileInfo(file).size()) / 1024.0, readMs, compareMs,
                    int(difference.rows.size()), difference.changed, difference.faults);
        failures += difference.clean() ? 0 : 1;
    }
    // Applied once: afterwards every balance is the file's and nothing would change.
    const balanceimport::Sheet sheet = balanceimport::readSheet(utf8);
    const balanceimport::ImportDifference difference =
        balanceimport::compareWithStored(sheet, balanceimport::findColumns(sheet), dm.SQLQuery1, utf8);
    QElapsedTimer timer;
    timer.start();
    const balanceimport::ImportApplied applied = balanceimport::applyImport(dm, difference, utf8);
    std::printf("  apply %d updated, %d inserted in %.1f ms%s\n", applied.updated, applied.inserted, msSince(timer),
                applied.error.isEmpty() ? "" : qPrintable(QStringLiteral("  (failed: ") + applied.error + u')'));
    std::printf("  peak %.1f MB\n", double(bench::peakMemoryKb()) / 1024.0);
    return failures == 0 && applied.error.isEmpty() ? 0 : 1;
}
