// Opening balances in from spreadsheets: every kind of file an accountant has, read and compared
// with the demo suppliers' accounts, and applied all or nothing.
#include "BalanceImport.h"
#include "FrmSimpleDataMod.h"
#include "RunClaim.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace balanceimport;

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(IMPORT_FIXTURES "/") + QString::fromUtf8(name);
}

// "S001 1234.5/300 不變": each row's code, the file's balances (- for an empty cell) and result.
QStringList rowsOf(const ImportDifference& difference)
{
    QStringList rows;
    for (const QStringList& cells : differenceTable(difference).mid(1))
        rows << QStringLiteral("%1 %2/%3 %4").arg(cells.at(1), cells.at(4).isEmpty() ? "-" : cells.at(4),
                                                  cells.at(6).isEmpty() ? "-" : cells.at(6), cells.at(7));
    return rows;
}

} // namespace

class ImportTest : public ::testing::Test {
protected:
    ImportTest()
    {
        database.writeDbConfig();
        dm.DataModuleCreate();
        dm.SQLConnection1.open();
        query.setConnection(&dm.SQLConnection1);
    }

    ImportDifference difference(const QString& path, Encoding encoding = Encoding::Automatic)
    {
        const Sheet sheet = readSheet(path, encoding);
        return compareWithStored(sheet, findColumns(sheet), query, path);
    }
    QVector<QVector<QVariant>> accounts()
    {
        return database.rows("SELECT CORP_ID, BEFORE_NOTPAY, BEFORE_ADVPAY FROM SUPPLIER_ACCOUNTS ORDER BY CORP_ID");
    }
    // A copy of a fixture in a folder of the test's own, where the backup may be written.
    QString copied(const char* name)
    {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QFile::copy(fixture(name), path);
        return path;
    }

    testsupport::TempDatabase database{true};
    TSimpleDataMod dm{database.folder()};
    db::Statement query;
    QTemporaryDir folder;
};

TEST_F(ImportTest, EveryKindOfFileReadsTheSameBalances)
{
    struct Case {
        const char* file;
        const char* encoding;
        QStringList rows;
    };
    const Case cases[] = {
        {"utf8-bom-comma.csv", "UTF-8", {"S001 1234.5/300 不變", "S002 -100/- 變更", "S003 -50/123 變更"}},
        {"utf8-semicolon.txt", "UTF-8", {"S001 1234.5/0 變更", "S002 2000/12.25 變更", "S003 -/7 變更"}},
        {"utf16-tab.txt", "UTF-16", {"S001 1000/10 變更", "S002 2000/20 變更", "S003 3000/30 變更"}},
        {"big5.csv", "Big5", {"S001 1111/11 變更", "S002 2222/22 變更", "S003 3333/33 變更"}},
        {"headerless.csv", "UTF-8", {"S001 5/6 變更", "S002 7/8 變更"}},
        {"balances.xlsx", "xlsx", {"S001 1234.5/300 不變", "S002 1000/- 變更", "S003 1500/0 變更"}},
    };
    for (const Case& c : cases) {
        const ImportDifference found = difference(fixture(c.file));
        EXPECT_TRUE(found.clean()) << c.file << " " << found.error.toStdString();
        EXPECT_EQ(found.encoding, c.encoding) << c.file;
        EXPECT_EQ(rowsOf(found), c.rows) << c.file << "\n" << rowsOf(found).join('\n').toStdString();
    }
    // The workbook's row numbers are Excel's, across the blank row.
    EXPECT_EQ(difference(fixture("balances.xlsx")).rows.at(1).row, 4);
    // The names come from the suppliers, the totals from the file and from what would be stored.
    const ImportDifference first = difference(fixture("utf8-bom-comma.csv"));
    EXPECT_EQ(first.rows.at(1).name, "永豐紙業台中分公司");
    EXPECT_EQ(first.fileUnpaid.text(), "1,084.5");
    EXPECT_EQ(first.resultingUnpaid.text(), (first.storedUnpaid - opening::Money(5000) + opening::Money(-100) -
                                             opening::Money(0) + opening::Money(-50))
                                                .text());
    // Read as UTF-8 although it is Big5, the file does not read: the operator's override is needed.
    EXPECT_FALSE(difference(fixture("big5.csv"), Encoding::Utf8).error.isEmpty());
}

TEST_F(ImportTest, FaultyRowsAndFilesAreNamedAndNothingIsWritten)
{
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('S003 ',1)");  // the same code twice
    const auto before = accounts();
    const ImportDifference faulty = difference(copied("faults.csv"));
    EXPECT_FALSE(faulty.clean());
    EXPECT_EQ(faultLines(faulty), QStringList({"第 3 列：「X999」不是廠商代號", "第 4 列：廠商代號「S001」與第 2 列重複",
                                               "第 5 列：期初未付「12x」不是數字", "第 6 列：沒有廠商代號",
                                               "第 7 列：廠商「S003」在 SUPPLIER_ACCOUNTS 有 2 筆帳款列"}));
    const ImportApplied refused = applyImport(dm, faulty, folder.filePath("faults.csv"));
    EXPECT_TRUE(refused.error.contains("5 列錯誤"));
    EXPECT_TRUE(refused.backupFile.isEmpty());
    EXPECT_EQ(accounts(), before);

    QFile empty(folder.filePath("empty.csv"));
    empty.open(QIODevice::WriteOnly);
    empty.close();
    const std::pair<QString, const char*> files[] = {{fixture("no-columns.csv"), "沒有廠商代號欄"},
                                                     {fixture("garbage.bin"), "不是試算表"},
                                                     {folder.filePath("empty.csv"), "是空的檔案"},
                                                     {folder.filePath("none.csv"), "無法開啟"},
                                                     {fixture("utf8-bom-comma.csv") + ".xlsx", "無法開啟"}};
    for (const auto& [file, why] : files) {
        const ImportDifference unread = difference(file);
        EXPECT_TRUE(unread.error.contains(QString::fromUtf8(why))) << file.toStdString() << ": " << unread.error.toStdString();
        EXPECT_FALSE(applyImport(dm, unread, file).error.isEmpty());
    }
    // A zip that is no workbook is not taken for one.
    QFile zip(folder.filePath("other.xlsx"));
    zip.open(QIODevice::WriteOnly);
    zip.write(QByteArray("PK\x03\x04", 4) + QByteArray(200, 'x'));
    zip.close();
    EXPECT_TRUE(difference(zip.fileName()).error.contains("不是可讀的 Excel 活頁簿"));
    EXPECT_EQ(accounts(), before);
}

TEST_F(ImportTest, AnApplyWritesAllOrNothingAndItsBackupPutsTheBalancesBack)
{
    const auto original = accounts();
    const QString file = copied("utf8-bom-comma.csv");
    const ImportDifference planned = difference(file);

    // A row the database refuses undoes the rows before it.
    database.exec("CREATE EXCEPTION E_LOCKED 'accounts are locked'");
    database.exec("CREATE TRIGGER T_LOCK FOR SUPPLIER_ACCOUNTS BEFORE UPDATE AS BEGIN "
                  "IF (NEW.CORP_ID = 'S003') THEN EXCEPTION E_LOCKED; END");
    const ImportApplied failed = applyImport(dm, planned, file);
    EXPECT_TRUE(failed.error.contains("accounts are locked")) << failed.error.toStdString();
    EXPECT_EQ(accounts(), original);
    database.exec("DROP TRIGGER T_LOCK");

    // While an opening run holds the database nothing is imported.
    {
        TSimpleDataMod other(database.folder());
        other.DataModuleCreate();
        const opening::RunClaim running(other);
        const ImportApplied busy = applyImport(dm, planned, file);
        EXPECT_TRUE(busy.busy);
        EXPECT_EQ(accounts(), original);
    }

    // The balances of the file, and an account row for a supplier that had none.
    QFile more(file);
    ASSERT_TRUE(more.open(QIODevice::Append));
    more.write("S007,永豐紙業股份有限公司,77,\r\n");
    more.close();
    const ImportApplied applied = applyImport(dm, difference(file), file);
    ASSERT_TRUE(applied.error.isEmpty()) << applied.error.toStdString();
    EXPECT_EQ(std::pair(applied.updated, applied.inserted), std::pair(2, 1));
    auto expected = original;
    expected[1] = {"S002", -100.0, 0.0};
    expected[2] = {"S003", -50.0, 123.0};
    expected.push_back({"S007", 77.0, QVariant()});
    EXPECT_EQ(accounts(), expected);
    EXPECT_EQ(QFileInfo(applied.backupFile).dir(), QFileInfo(file).dir());

    // The backup is a file the same import reads: it puts the replaced balances back (and gives
    // the new account row the balances it lacked: none).
    const ImportDifference back = difference(applied.backupFile);
    ASSERT_TRUE(back.clean()) << back.error.toStdString();
    ASSERT_TRUE(applyImport(dm, back, applied.backupFile).error.isEmpty());
    expected = original;
    expected.push_back({"S007", 0.0, 0.0});
    EXPECT_EQ(accounts(), expected);
}
