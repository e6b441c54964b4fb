#include "Connection.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "ScriptedBoxes.h"
#include "Startup.h"
#include "TempDatabase.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using testsupport::TempDatabase;
using toolkit::ScriptedBoxes;

namespace {
// Presses "離開" once the event loop runs, noting what the window looked like then.
struct Closer {
    bool visible = false;
    int rows = -1;
    QDate date;
    void arm()
    {
        QTimer::singleShot(0, qApp, [this] {
            visible = FormSuppBeforeStart->isVisible();
            rows = FormSuppBeforeStart->DBGrid1->model()->rowCount();
            date = FormSuppBeforeStart->DateTimePicker1->date();
            FormSuppBeforeStart->SpeedButton2->click();
        });
    }
};

void writeConfig(const QString& folder, const QStringList& lines)
{
    QFile file(folder + "/dbconfig.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join("\r\n").toUtf8());
}
} // namespace

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { toolkit::setBoxes(boxes); }
    ~StartupTest() override { toolkit::setBoxes(nullptr); }

    std::shared_ptr<ScriptedBoxes> boxes = std::make_shared<ScriptedBoxes>();
};

TEST_F(StartupTest, WindowFirstThenDataModuleAndNoDatabaseUseUntilTheWindowShows)
{
    TempDatabase database(true);
    database.writeDbConfig();
    const int demoSuppliers = database.scalar("SELECT COUNT(*) FROM SUPPLIER").toInt();
    Closer closer;
    int exitCode = -1;
    {
        app::Startup startup(database.folder());
        ASSERT_EQ(FormSuppBeforeStart, &startup.window());
        ASSERT_EQ(SimpleDataMod, &startup.dataModule());
        db::Connection* connection = &SimpleDataMod->SQLConnection1;
        for (const db::Statement* statement : {&FormSuppBeforeStart->SQLQuery1, &FormSuppBeforeStart->SQLDataSet1,
                                               &FormSuppBeforeStart->SQLDataMaster, &FormSuppBeforeStart->SQLDataSub})
            EXPECT_EQ(statement->connection(), connection);
        // DataModuleCreate has read dbconfig.txt, and nothing has touched the database.
        EXPECT_EQ(connection->params().value("Database"), database.database());
        EXPECT_FALSE(connection->connected());
        EXPECT_FALSE(FormSuppBeforeStart->isVisible());
        EXPECT_FALSE(FormSuppBeforeStart->ClientDataSet1.isOpen());

        bool visibleAtFirstStatement = false;
        int statements = 0;
        connection->setStatementObserver([&](const QString&) {
            if (statements++ == 0)
                visibleAtFirstStatement = FormSuppBeforeStart->isVisible();
        });
        closer.arm();
        exitCode = startup.exec();
        EXPECT_GT(statements, 0);
        EXPECT_TRUE(visibleAtFirstStatement);
        EXPECT_TRUE(connection->connected());
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(closer.visible);
    EXPECT_EQ(closer.rows, demoSuppliers);
    EXPECT_EQ(closer.date, QDate::currentDate());
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_EQ(FormSuppBeforeStart, nullptr);
    EXPECT_EQ(SimpleDataMod, nullptr);
}

TEST_F(StartupTest, UnreachableDatabaseIsReportedWithTheServersTextAndClosingEndsNormally)
{
    QTemporaryDir folder;
    // Nothing listens on this port.
    const QStringList config{"Database=127.0.0.1/3999:" + folder.path() + "/none.fdb", "user_name=SYSDBA",
                             "password=x", "servercharset=UTF8", "sqldialect=3"};
    writeConfig(folder.path(), config);
    QString serverText;
    {
        db::Connection probe;
        probe.params().setValues(config);
        try {
            probe.open();
        } catch (const db::DbError& failure) {
            serverText = failure.message();
        }
    }
    ASSERT_FALSE(serverText.isEmpty());

    Closer closer;
    int exitCode = -1;
    {
        app::Startup startup(folder.path());
        EXPECT_TRUE(boxes->shown().empty());
        closer.arm();
        exitCode = startup.exec();
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(boxes->texts(ScriptedBoxes::Kind::Error), std::vector<QString>{serverText});
    EXPECT_TRUE(closer.visible);
    EXPECT_EQ(closer.rows, 0);
    EXPECT_EQ(closer.date, QDate::currentDate());
}

TEST_F(StartupTest, FailingDataModuleCreateIsReportedAndStartUpGoesOn)
{
    QTemporaryDir folder;
    // A folder where the parameter file should be: present, but unreadable as a file.
    ASSERT_TRUE(QDir(folder.path()).mkdir("dbconfig.txt"));
    Closer closer;
    int exitCode = -1;
    {
        app::Startup startup(folder.path());
        const auto errors = boxes->texts(ScriptedBoxes::Kind::Error);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_TRUE(errors.front().contains("dbconfig.txt")) << errors.front().toStdString();
        EXPECT_EQ(FormSuppBeforeStart, &startup.window());
        closer.arm();
        exitCode = startup.exec();
    }
    // The first connect reports its own failure; the window still opens and closes normally.
    EXPECT_EQ(boxes->texts(ScriptedBoxes::Kind::Error).size(), 2u);
    EXPECT_TRUE(closer.visible);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(StartupTest, AnInstalledProgramWithoutConfigurationSaysWhereItBelongsOnceAndConnectsNowhere)
{
    QTemporaryDir prefix, home;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/applications"));
    QFile(prefix.path() + "/share/applications/tw.com.corvane.suppbeforestart.desktop").open(QIODevice::WriteOnly);
    // Beside an installed program a dbconfig.txt is nobody's: it is not read.
    writeConfig(prefix.path() + "/bin", {"Database=/nowhere/beside.fdb"});
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME"),
                     savedDirs = qgetenv("XDG_CONFIG_DIRS");
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    Closer closer;
    {
        app::Startup startup(prefix.path() + "/bin");
        closer.arm();
        startup.exec();
        EXPECT_TRUE(startup.dataModule().configMissing());
        EXPECT_FALSE(startup.dataModule().SQLConnection1.params().contains("Database"));
        EXPECT_FALSE(startup.window().SpeedButton1->isEnabled());
    }
    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("XDG_CONFIG_DIRS", savedDirs);
    const auto errors = boxes->texts(ScriptedBoxes::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().contains("~/.config/suppbeforestart/dbconfig.txt") &&
                errors.front().contains("/etc/xdg/suppbeforestart/dbconfig.txt"))
        << errors.front().toStdString();
    EXPECT_TRUE(closer.visible);
    EXPECT_EQ(closer.rows, 0);
}
