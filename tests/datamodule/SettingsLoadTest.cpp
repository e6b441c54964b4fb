#include "DbError.h"
#include "ModuleHarness.h"
#include "Statement.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

class SettingsLoad : public ::testing::Test {
protected:
    void store(const QString& key, const QString& value)
    {
        db::Statement insert(&database.admin());
        insert.setLines({"INSERT INTO PARAM_DEFINE (PARAM_ID, PARAM_VALUE) VALUES (:ID, :VALUE)"});
        insert.setParamText("ID", key);
        insert.setParamText("VALUE", value);
        insert.execute();
    }
    // Replaces a key's value, then connects anew so that the load runs again.
    void storeAndReconnect(const QString& key, const QString& value)
    {
        database.exec("DELETE FROM PARAM_DEFINE WHERE PARAM_ID = '" + key + "'");
        store(key, value);
        logged.reconnect();
    }

    TempDatabase database;
    LoggedModule logged{database};
};

} // namespace

TEST_F(SettingsLoad, EmptyTableGivesEveryDefaultBeforeTheFirstQueryGoesOn)
{
    for (int* setting : integerSettings(logged.module.settings))
        *setting = 9;
    for (QString* setting : textSettings(logged.module.settings))
        *setting = "earlier";
    logged.module.settings.in_tax = logged.module.settings.in_tax2 = 0.5;
    logged.module.settings.price_format = logged.module.settings.cost_format = logged.module.settings.account_amt_format = "earlier";

    logged.firstUse();

    for (int* setting : integerSettings(logged.module.settings))
        EXPECT_EQ(*setting, 0);
    for (QString* setting : textSettings(logged.module.settings))
        EXPECT_TRUE(setting->isEmpty()) << setting->toStdString();
    EXPECT_DOUBLE_EQ(logged.module.settings.in_tax, 0.05);
    EXPECT_DOUBLE_EQ(logged.module.settings.in_tax2, 0.05);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0");
    EXPECT_EQ(logged.module.settings.cost_format, "#,##0");
    EXPECT_EQ(logged.module.settings.account_amt_format, "#,##0");
    EXPECT_TRUE(logged.module.settings.operator_id.isEmpty());

    // The upgrade first, then the 40 queries in key order, then the query that connected.
    const QStringList expectedTail = settingsLoadQueries() << firstUseQuery;
    ASSERT_GT(logged.log.size(), expectedTail.size());
    const qsizetype upgradeCount = logged.log.size() - expectedTail.size();
    EXPECT_EQ(logged.log.mid(upgradeCount), expectedTail);
    for (const QString& statement : logged.log.first(upgradeCount))
        EXPECT_FALSE(statement.contains("PARAM_DEFINE")) << statement.toStdString();
}

TEST_F(SettingsLoad, StoredValuesAreConvertedByKind)
{
    store("cost_dot", "+4");
    store("price_dot", "2");
    store("in_tax", "0");
    store("account_amtdot", "5");
    store("in_money_id", "NTD");
    store("corp_title", "金豐貿易股份有限公司");
    store("corp_email", "boss@corvane.tw   ");

    logged.firstUse();

    EXPECT_EQ(logged.module.settings.cost_dot, 4);
    EXPECT_EQ(logged.module.settings.price_dot, 2);
    EXPECT_EQ(logged.module.settings.in_tax, 0.0);  // a stored 0 wins over the default
    EXPECT_EQ(logged.module.settings.in_tax2, 0.0);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0.00");
    EXPECT_EQ(logged.module.settings.cost_format, "#,##0.0000");
    EXPECT_EQ(logged.module.settings.account_amt_format, "#,##0.00000");
    EXPECT_EQ(logged.module.settings.in_money_id, "NTD");
    EXPECT_EQ(logged.module.settings.corp_title, "金豐貿易股份有限公司");
    EXPECT_EQ(logged.module.settings.corp_email, "boss@corvane.tw   ");
    EXPECT_TRUE(logged.module.settings.sal_money_id.isEmpty());
}

TEST_F(SettingsLoad, PlacesOutOfRangeKeepTheEarlierFormat)
{
    store("price_dot", "7");
    logged.firstUse();
    EXPECT_EQ(logged.module.settings.price_dot, 7);
    EXPECT_TRUE(logged.module.settings.price_format.isEmpty());
    EXPECT_EQ(logged.module.settings.cost_format, "#,##0");

    storeAndReconnect("price_dot", "2");
    EXPECT_EQ(logged.module.settings.price_format, "#,##0.00");
    storeAndReconnect("price_dot", "-1");
    EXPECT_EQ(logged.module.settings.price_dot, -1);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0.00");
    storeAndReconnect("price_dot", "2.5");
    EXPECT_EQ(logged.module.settings.price_dot, 0);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0");
    storeAndReconnect("price_dot", "1");
    EXPECT_EQ(logged.module.settings.price_format, "#,##0.0");
    storeAndReconnect("price_dot", "two");
    EXPECT_EQ(logged.module.settings.price_dot, 0);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0");
}

TEST_F(SettingsLoad, FailingQueryStopsTheLoadAtItsKey)
{
    // PARAM_DEFINE as a view whose logged.module.settings.corp_title row cannot be read.
    database.exec("DROP TABLE PARAM_DEFINE");
    database.exec("CREATE TABLE PARAM_ROWS (PARAM_ID VARCHAR(50), PARAM_VALUE VARCHAR(200))");
    database.exec("CREATE VIEW PARAM_DEFINE (PARAM_ID, PARAM_VALUE) AS SELECT PARAM_ID, CASE WHEN PARAM_ID = "
                  "'corp_title' THEN CAST(CAST(PARAM_VALUE AS INTEGER) AS VARCHAR(200)) ELSE PARAM_VALUE END "
                  "FROM PARAM_ROWS");
    database.exec("INSERT INTO PARAM_ROWS VALUES ('price_dot', '3')");
    database.exec("INSERT INTO PARAM_ROWS VALUES ('bank_loan', '2101')");
    database.exec("INSERT INTO PARAM_ROWS VALUES ('corp_title', 'broken')");
    database.exec("INSERT INTO PARAM_ROWS VALUES ('corp_email', 'boss@corvane.tw')");
    logged.module.settings.corp_title = "earlier title";

    EXPECT_THROW(logged.firstUse(), db::DbError);

    EXPECT_EQ(logged.module.settings.price_dot, 3);
    EXPECT_EQ(logged.module.settings.bank_loan, "2101");
    EXPECT_DOUBLE_EQ(logged.module.settings.in_tax, 0.05);
    EXPECT_EQ(logged.module.settings.price_format, "#,##0.000");
    EXPECT_EQ(logged.module.settings.corp_title, "earlier title");
    EXPECT_TRUE(logged.module.settings.corp_email.isEmpty());
    EXPECT_EQ(logged.log.last(), paramQuery("corp_title"));
}

TEST_F(SettingsLoad, MissingTableTravelsOutOfTheOpenAfterTheUpgrade)
{
    database.exec("DROP TABLE PARAM_DEFINE");
    try {
        logged.firstUse();
        FAIL() << "the failing load was swallowed";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("PARAM_DEFINE")) << e.what();
    }
    EXPECT_EQ(logged.log.last(), paramQuery("cost_rule"));
    EXPECT_EQ(logged.module.settings.in_tax, 0.0);
    EXPECT_TRUE(logged.module.settings.price_format.isEmpty());
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'STORY_CUSTSALE'").toInt(), 1);

    // The connection stays open: the handling does not run again in this run.
    ASSERT_TRUE(logged.module.SQLConnection1.connected());
    logged.log.clear();
    logged.firstUse();
    EXPECT_EQ(logged.log, QStringList{firstUseQuery});
}

TEST_F(SettingsLoad, LoadParamReadsOneKeyWithItsQuotesDoubled)
{
    store("it's", "quoted");
    store("nothing", "");
    database.exec("INSERT INTO PARAM_DEFINE (PARAM_ID, PARAM_VALUE) VALUES ('unset', NULL)");
    logged.firstUse();

    EXPECT_EQ(logged.module.LoadParam("it's"), "quoted");
    EXPECT_EQ(logged.log.last(), "SELECT PARAM_VALUE FROM PARAM_DEFINE where PARAM_ID='it''s'");
    EXPECT_TRUE(logged.module.SQLQuery1.isOpen());
    EXPECT_EQ(logged.module.LoadParam("no_such_key"), "");
    EXPECT_EQ(logged.module.LoadParam("unset"), "");
    EXPECT_EQ(logged.module.LoadParam("x' OR PARAM_ID='it''s"), "");
}

TEST(FirstUse, AServiceCalledFirstGetsItsOwnAnswer)
{
    TempDatabase database;
    database.exec("INSERT INTO PARAM_DEFINE (PARAM_ID, PARAM_VALUE) VALUES ('corp_title', '金豐貿易')");
    database.exec("INSERT INTO PARAM_DEFINE (PARAM_ID, PARAM_VALUE) VALUES ('price_dot', '2')");
    TSimpleDataMod module(database.folder());
    database.configure(module.SQLConnection1);
    // The connect runs the schema upgrade and the settings load on SQLQuery1 under the service.
    EXPECT_EQ(module.LoadParam("corp_title"), "金豐貿易");
    EXPECT_EQ(module.settings.price_dot, 2);
    EXPECT_EQ(module.LoadParam("price_dot"), "2");
}
