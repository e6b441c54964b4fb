#include "DbError.h"
#include "ModuleHarness.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

// A clerk's login on the server: it may read the parameters, but neither create nor alter
// tables. The name is unique per process, since users belong to the whole server.
class ClerkLogin : public ::testing::Test {
protected:
    void SetUp() override
    {
        database.exec("create or alter user " + clerk + " password '" + password + "'");
        database.exec("GRANT SELECT ON PARAM_DEFINE TO " + clerk);
        database.exec("INSERT INTO PARAM_DEFINE (PARAM_ID, PARAM_VALUE) VALUES ('corp_title', '金豐貿易')");
        clerkModule.useLogin(clerk, password);
    }
    void TearDown() override
    {
        clerkModule.module.SQLConnection1.close();
        database.exec("drop user " + clerk);
    }

    const QString clerk = "UPG_CLERK_" + QString::number(QCoreApplication::applicationPid());
    const QString password = "clerk5";
    TempDatabase database{false, TempDatabase::Engine::Server};
    LoggedModule clerkModule{database};
};

} // namespace

TEST_F(ClerkLogin, FailsAtAMissingTableAndConnectsOnceEveryTableIsThere)
{
    try {
        clerkModule.firstUse();
        FAIL() << "a clerk created a table";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("PRODUCT_PLACE")) << e.what();
    }
    // After the refused CREATE the catalogue is asked again: another workstation might have made
    // the table meanwhile.
    ASSERT_EQ(clerkModule.log.size(), 3);
    EXPECT_EQ(clerkModule.log.first(), tableQuery("PRODUCT_PLACE"));
    EXPECT_TRUE(clerkModule.log.at(1).startsWith("CREATE TABLE PRODUCT_PLACE ("));
    EXPECT_EQ(clerkModule.log.last(), tableQuery("PRODUCT_PLACE"));
    EXPECT_TRUE(clerkModule.module.settings.corp_title.isEmpty());
    EXPECT_EQ(clerkModule.module.settings.in_tax, 0.0);

    {
        LoggedModule owner(database);
        owner.firstUse();
    }
    // The clerk may not add a missing column either; that step stays silent.
    database.exec("ALTER TABLE CUSTSALEBK_DETAIL DROP PUT_ID");
    clerkModule.reconnect();
    EXPECT_TRUE(clerkModule.log.contains(addColumn("CUSTSALEBK_DETAIL")));
    EXPECT_EQ(clerkModule.log.last(), firstUseQuery);
    EXPECT_EQ(clerkModule.module.settings.corp_title, "金豐貿易");
    EXPECT_DOUBLE_EQ(clerkModule.module.settings.in_tax, 0.05);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = "
                              "'CUSTSALEBK_DETAIL' AND RDB$FIELD_NAME = 'PUT_ID'")
                  .toInt(),
              0);
}
