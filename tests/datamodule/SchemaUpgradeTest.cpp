#include "DbError.h"
#include "ModuleHarness.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

namespace {

const QString productPlaceTable = "CREATE TABLE PRODUCT_PLACE (\n"
                                  "  PRODUCTION_PLACE VARCHAR(50) not null ,\n"
                                  "  CHG_DATETIME Varchar(20), \n"
                                  "  CHG_USER Varchar(10), \n"
                                  "  CHG_HOST Varchar(20), \n"
                                  "  CR_DATETIME Varchar(20) ,\n"
                                  "  CR_USER Varchar(10) ,\n"
                                  "  CR_HOST Varchar(20) ,\n"
                                  "  WUID Varchar(50) \n"
                                  " )";
const QString productPlaceIndex = "CREATE INDEX IX_PROD_PLACE_0 ON PRODUCT_PLACE(PRODUCTION_PLACE) ";

class SchemaUpgrade : public ::testing::Test {
protected:
    bool tableExists(const QString& table)
    {
        return database.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '" + table + "'").toInt() == 1;
    }
    QStringList columnsOf(const QString& table)
    {
        QStringList names;
        for (const auto& row : database.rows("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE "
                                             "RDB$RELATION_NAME = '" + table + "' ORDER BY RDB$FIELD_POSITION"))
            names << row.first().toString();
        return names;
    }
    // The statements the upgrade sent: everything before the first parameter query.
    QStringList upgradeLog() const
    {
        QStringList sent;
        for (const QString& statement : logged.log) {
            if (statement.contains("PARAM_DEFINE"))
                break;
            sent << statement;
        }
        return sent;
    }

    TempDatabase database{true};  // the demo database, as the main job opens it
    LoggedModule logged{database};
};

} // namespace

TEST_F(SchemaUpgrade, FirstConnectAddsWhatIsMissingAndTheNextOnlyLooks)
{
    logged.firstUse();

    const QStringList sent = upgradeLog();
    ASSERT_EQ(sent.size(), 15) << sent.join("\n;\n").toStdString();
    EXPECT_EQ(sent[0], tableQuery("PRODUCT_PLACE"));
    EXPECT_EQ(sent[1], productPlaceTable);
    EXPECT_EQ(sent[2], productPlaceIndex);
    EXPECT_EQ(sent[3], tableQuery("PRINTLABELBAR"));
    EXPECT_TRUE(sent[4].startsWith("CREATE TABLE PRINTLABELBAR (\n   OID integer not null, \n"));
    EXPECT_EQ(sent[5], tableQuery("STORY_PURCHASE"));
    EXPECT_EQ(sent[7], tableQuery("STORY_CUSTSALE"));
    EXPECT_EQ(sent.mid(9), QStringList({columnQuery("CUSTORDER_DETAIL"), addColumn("CUSTORDER_DETAIL"),
                                        columnQuery("CUSTSALE_DETAIL"), addColumn("CUSTSALE_DETAIL"),
                                        columnQuery("CUSTSALEBK_DETAIL"), addColumn("CUSTSALEBK_DETAIL")}));

    // The sales history is the purchase history with the customer in place of the supplier.
    const QStringList purchase = sent[6].split('\n');
    QStringList sales = sent[8].split('\n');
    ASSERT_EQ(purchase.size(), 31);
    ASSERT_EQ(sales.size(), 31);
    EXPECT_EQ(purchase[0], "CREATE TABLE STORY_PURCHASE (");
    EXPECT_EQ(purchase[25], "  SUPP_CORP_ID Varchar(20),");
    EXPECT_EQ(purchase[26], "  SUPP_CORP_IDAC Varchar(20),");
    EXPECT_EQ(sales[0], "CREATE TABLE STORY_CUSTSALE (");
    EXPECT_EQ(sales[25], "  CUST_CORP_ID Varchar(20),");
    EXPECT_EQ(sales[26], "  CUST_CORP_IDAC Varchar(20),");
    sales[0] = purchase[0];
    sales[25] = purchase[25];
    sales[26] = purchase[26];
    EXPECT_EQ(sales, purchase);

    EXPECT_EQ(columnsOf("PRODUCT_PLACE"), QStringList({"PRODUCTION_PLACE", "CHG_DATETIME", "CHG_USER", "CHG_HOST",
                                                       "CR_DATETIME", "CR_USER", "CR_HOST", "WUID"}));
    EXPECT_EQ(database.scalar("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$INDEX_SEGMENTS WHERE RDB$INDEX_NAME = "
                              "'IX_PROD_PLACE_0'")
                  .toString(),
              "PRODUCTION_PLACE");
    const QStringList labels = columnsOf("PRINTLABELBAR");
    EXPECT_EQ(labels.size(), 20);
    EXPECT_EQ(labels.first(), "OID");
    EXPECT_EQ(labels.last(), "KEYINTIME");
    EXPECT_EQ(columnsOf("STORY_PURCHASE").size(), 29);
    EXPECT_TRUE(columnsOf("STORY_CUSTSALE").contains("CUST_CORP_IDAC"));
    // Each PUT_ID: VARCHAR(10), nullable, the last column.
    for (const QString table : {"CUSTORDER_DETAIL", "CUSTSALE_DETAIL", "CUSTSALEBK_DETAIL"}) {
        const auto rows = database.rows(
            "SELECT F.RDB$FIELD_TYPE, F.RDB$CHARACTER_LENGTH, COALESCE(R.RDB$NULL_FLAG, 0) FROM RDB$RELATION_FIELDS R "
            "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE WHERE R.RDB$RELATION_NAME = '" + table +
            "' AND R.RDB$FIELD_NAME = 'PUT_ID'");
        ASSERT_EQ(rows.size(), 1) << table.toStdString();
        EXPECT_EQ(rows[0][0].toInt(), 37);  // VARCHAR
        EXPECT_EQ(rows[0][1].toInt(), 10);
        EXPECT_EQ(rows[0][2].toInt(), 0);
        EXPECT_EQ(columnsOf(table).last(), "PUT_ID") << table.toStdString();
    }

    logged.reconnect();
    EXPECT_EQ(logged.log, catalogueQueries() + settingsLoadQueries() + QStringList{firstUseQuery});
}

TEST_F(SchemaUpgrade, IndexComesOnlyWithItsTable)
{
    logged.firstUse();
    logged.module.SQLConnection1.close();
    database.exec("DROP TABLE PRODUCT_PLACE");
    logged.reconnect();
    QStringList expected = catalogueQueries();
    expected.insert(1, productPlaceTable);
    expected.insert(2, productPlaceIndex);
    EXPECT_EQ(upgradeLog(), expected);

    logged.module.SQLConnection1.close();
    database.exec("DROP INDEX IX_PROD_PLACE_0");
    logged.reconnect();
    EXPECT_EQ(upgradeLog(), catalogueQueries());
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_PROD_PLACE_0'").toInt(), 0);
}

TEST_F(SchemaUpgrade, FailingTableStepStopsTheConnectAndKeepsWhatWasDone)
{
    // The index name is taken, so the index fails right after its table was created.
    database.exec("CREATE INDEX IX_PROD_PLACE_0 ON SUPPLIER (CORP_ID)");
    try {
        logged.firstUse();
        FAIL() << "the failing upgrade was swallowed";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("IX_PROD_PLACE_0")) << e.what();
    }
    // The failed index is looked for on its table: made there by another workstation it would count.
    EXPECT_EQ(logged.log, QStringList({tableQuery("PRODUCT_PLACE"), productPlaceTable, productPlaceIndex,
                                       "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_PROD_PLACE_0' "
                                       "AND RDB$RELATION_NAME = 'PRODUCT_PLACE'"}));
    EXPECT_TRUE(tableExists("PRODUCT_PLACE"));
    EXPECT_FALSE(tableExists("PRINTLABELBAR"));
    EXPECT_EQ(logged.module.settings.in_tax, 0.0);
    EXPECT_TRUE(logged.module.SQLConnection1.connected());

    logged.reconnect();
    EXPECT_FALSE(logged.log.join('\n').contains("CREATE INDEX"));
    EXPECT_TRUE(tableExists("STORY_CUSTSALE"));
    EXPECT_DOUBLE_EQ(logged.module.settings.in_tax, 0.05);
}

TEST_F(SchemaUpgrade, ColumnStepFailsSilentlyAndTheNextOneRuns)
{
    database.exec("DROP TABLE CUSTSALE_DETAIL");
    logged.firstUse();

    const QStringList sent = upgradeLog();
    EXPECT_EQ(sent.mid(sent.size() - 4), QStringList({columnQuery("CUSTSALE_DETAIL"), addColumn("CUSTSALE_DETAIL"),
                                                      columnQuery("CUSTSALEBK_DETAIL"), addColumn("CUSTSALEBK_DETAIL")}));
    EXPECT_TRUE(columnsOf("CUSTSALEBK_DETAIL").contains("PUT_ID"));
    EXPECT_FALSE(tableExists("CUSTSALE_DETAIL"));
    EXPECT_EQ(logged.log.last(), firstUseQuery);
    EXPECT_EQ(logged.module.settings.in_money_id, "NTD");  // the demo's parameters were loaded after it
}

TEST_F(SchemaUpgrade, SearchTableComparesInCapitalsWithQuotesDoubled)
{
    logged.firstUse();
    TSimpleDataMod& module = logged.module;
    EXPECT_TRUE(module.Search_Table("product_place"));
    EXPECT_EQ(logged.log.last(), tableQuery("PRODUCT_PLACE"));
    EXPECT_TRUE(module.SQLQuery1.isOpen());
    EXPECT_TRUE(module.Search_Table("Supplier"));
    EXPECT_FALSE(module.Search_Table("no_such_table"));
    EXPECT_FALSE(module.Search_Table("o'brien"));
    EXPECT_EQ(logged.log.last(), tableQuery("O''BRIEN"));
    EXPECT_FALSE(module.Search_Table("straße"));
    EXPECT_EQ(logged.log.last(), tableQuery("STRAßE"));
}
