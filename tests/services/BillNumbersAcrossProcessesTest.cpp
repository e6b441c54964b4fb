#include "FrmSimpleDataMod.h"
#include "TempDatabase.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <array>
#include <memory>

using testsupport::TempDatabase;

namespace {

constexpr int kPerProcess = 250;

QString processReport(QProcess& process)
{
    return QString::fromLocal8Bit(process.readAllStandardError());
}

} // namespace

// Two workstations on one server database number purchase bills of the same day at the same
// time, starting on a day that has no counter row yet.
TEST(BillNumbersAcrossProcesses, TwoWorkstationsNeverShareOrSkipANumber)
{
    TempDatabase database(false, TempDatabase::Engine::Server);
    database.writeDbConfig();
    {
        // The schema upgrade of the first connect is done before the workstations start.
        TSimpleDataMod module(database.folder());
        module.DataModuleCreate();
        module.SQLConnection1.open();
    }

    std::array<std::unique_ptr<QProcess>, 2> workstations;
    for (auto& process : workstations) {
        process = std::make_unique<QProcess>();
        process->start(QStringLiteral(ALLOCATE_NUMBERS_PROGRAM),
                       {database.folder(), "PURCHASE_NUM", "2011/03/01", QString::number(kPerProcess)});
        ASSERT_TRUE(process->waitForStarted(10000));
    }
    // Both connected before either allocates.
    for (auto& process : workstations) {
        while (!process->canReadLine())
            ASSERT_TRUE(process->waitForReadyRead(30000)) << processReport(*process).toStdString();
        ASSERT_EQ(process->readLine().trimmed(), "ready");
    }
    for (auto& process : workstations) {
        process->write("go\n");
        ASSERT_TRUE(process->waitForBytesWritten(10000));
    }

    QStringList numbers;
    for (auto& process : workstations) {
        ASSERT_TRUE(process->waitForFinished(60000));
        ASSERT_EQ(process->exitCode(), 0) << processReport(*process).toStdString();
        const QStringList lines = QString::fromLatin1(process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), kPerProcess);
        numbers += lines;
    }

    const int total = 2 * kPerProcess;
    QSet<QString> expected;
    for (int n = 1; n <= total; ++n)
        expected.insert(QStringLiteral("020110301") + QString::asprintf("%.4d", n));
    const QSet<QString> handedOut(numbers.begin(), numbers.end());
    EXPECT_EQ(handedOut.size(), total) << "a number was handed out twice";
    EXPECT_EQ(handedOut, expected) << "a number was skipped";
    const auto rows = database.rows("SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = '2011/03/01'");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toLongLong(), total + 1);
}
