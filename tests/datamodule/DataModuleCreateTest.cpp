#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeConfig(const QString& folder, const QByteArray& bytes)
{
    QFile file(folder + "/dbconfig.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST(DataModuleCreate, WithoutConfigFileSetsTheThirteenDefaultsInOrder)
{
    QTemporaryDir folder;
    TSimpleDataMod module(folder.path());
    const QStringList before = module.SQLConnection1.params().lines();
    ASSERT_TRUE(module.SQLConnection1.params().contains("VendorLib"));

    module.DataModuleCreate();
    const QString expectedDatabase = "localhost:" + QDir::toNativeSeparators(folder.path() + "/") + "data" +
                                     QDir::separator() + "corvane.fdb";
    // The driver's own "DriverName" entry is the first line named drivername: its value is replaced.
    const QStringList expected{before.at(0),
                               "DriverName=FIREBIRD",
                               "blobsize=-1",
                               "commitretain=False",
                               "Database=" + expectedDatabase,
                               "localecode=0000",
                               "password=quillrock",
                               "rolename=RoleName",
                               "sqldialect=3",
                               "isolationlevel=ReadCommitted",
                               "user_name=sysdba",
                               "waitonlocks=True",
                               "trim char=False",
                               "servercharset=UTF8"};
    EXPECT_EQ(module.SQLConnection1.params().lines(), expected);
    EXPECT_EQ(module.SQLConnection1.params().value("database"), expectedDatabase);
    EXPECT_FALSE(module.SQLConnection1.connected());
}

TEST(DataModuleCreate, ConfigFileReplacesTheListAndNothingConnects)
{
    QTemporaryDir folder;
    writeConfig(folder.path(), "DATABASE=localhost:/nowhere/none.fdb\r\nuser_name=sysdba\r\n\r\n");
    TSimpleDataMod module(folder.path());
    module.DataModuleCreate();
    EXPECT_EQ(module.SQLConnection1.params().lines(),
              (QStringList{"DATABASE=localhost:/nowhere/none.fdb", "user_name=sysdba", ""}));
    EXPECT_EQ(module.SQLConnection1.params().value("Database"), "localhost:/nowhere/none.fdb");
    EXPECT_FALSE(module.SQLConnection1.params().contains("password"));
    EXPECT_FALSE(module.SQLConnection1.connected());
}

TEST(DataModuleCreate, EmptyConfigFileGivesAnEmptyListAndTheFirstConnectFails)
{
    QTemporaryDir folder;
    writeConfig(folder.path(), "");
    TSimpleDataMod module(folder.path());
    module.DataModuleCreate();
    EXPECT_TRUE(module.SQLConnection1.params().lines().isEmpty());
    db::Statement query(&module.SQLConnection1);
    query.setLines({"SELECT 1 FROM RDB$DATABASE"});
    EXPECT_THROW(query.open(), db::DbError);
    EXPECT_FALSE(module.SQLConnection1.connected());
}

TEST(DataModuleCreate, UnreadableConfigFileFailsAndKeepsTheEarlierList)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("dbconfig.txt"));
    TSimpleDataMod module(folder.path());
    const QStringList before = module.SQLConnection1.params().lines();
    EXPECT_THROW(module.DataModuleCreate(), std::runtime_error);
    EXPECT_EQ(module.SQLConnection1.params().lines(), before);
}

TEST(DataModuleCreate, AProgramOutsideAnInstallationFindsItsOwnConfigurationFirstThenTheUsersThenTheSystems)
{
    QTemporaryDir executable, user, system;
    ASSERT_TRUE(QDir(user.path()).mkpath("suppbeforestart") && QDir(system.path()).mkpath("suppbeforestart"));
    writeConfig(system.path() + "/suppbeforestart", "Database=/system.fdb\r\n");
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME"), savedDirs = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_HOME", user.path().toUtf8());
    qputenv("XDG_CONFIG_DIRS", system.path().toUtf8());
    TSimpleDataMod module(executable.path());
    const auto databaseRead = [&] {
        module.DataModuleCreate();
        return module.SQLConnection1.params().value("Database") + " from " + module.configFile();
    };

    EXPECT_EQ(databaseRead(), "/system.fdb from " + system.path() + "/suppbeforestart/dbconfig.txt");
    writeConfig(user.path() + "/suppbeforestart", "Database=/user.fdb\r\n");
    EXPECT_EQ(databaseRead(), "/user.fdb from " + user.path() + "/suppbeforestart/dbconfig.txt");
    writeConfig(executable.path(), "Database=/beside.fdb\r\n");
    EXPECT_EQ(databaseRead(), "/beside.fdb from " + executable.path() + "/dbconfig.txt");
    qputenv("XDG_CONFIG_HOME", savedHome);
    qputenv("XDG_CONFIG_DIRS", savedDirs);
}
