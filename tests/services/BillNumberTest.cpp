#include "DbError.h"
#include "ServiceModule.h"
#include "Statement.h"

#include <gtest/gtest.h>

namespace {

QVariant lastId(ServiceModule& s, const QString& table, const QString& date)
{
    return s.database.scalar(QStringLiteral("SELECT LAST_ID FROM %1 WHERE BILL_DATE = '%2'").arg(table, date));
}

} // namespace

TEST(BillNumbers, DailySequenceSharedByPrefixesAndStartedByTheFirstAllocation)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190001");
    // Looked for, created, locked and advanced; the date always goes as a parameter.
    ASSERT_EQ(s.log.size(), 4);
    EXPECT_TRUE(s.log[0].startsWith("SELECT LAST_ID FROM PURCHASE_NUM"));
    EXPECT_TRUE(s.log[1].startsWith("INSERT INTO PURCHASE_NUM"));
    EXPECT_TRUE(s.log[2].endsWith("WITH LOCK"));
    EXPECT_TRUE(s.log[3].startsWith("UPDATE PURCHASE_NUM SET LAST_ID = :LASTID"));
    for (const QString& sent : s.log)
        EXPECT_FALSE(sent.contains("2011")) << sent.toStdString();
    const auto row = s.database.rows("SELECT BILL_DATE, LAST_ID, CHG_DATE FROM PURCHASE_NUM");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0][0].toString(), "2011/02/19");
    EXPECT_EQ(row[0][1].toLongLong(), 2);
    EXPECT_EQ(row[0][2].toString(), "2011/02/19");
    EXPECT_FALSE(m.SQLConnection1.inTransaction());

    s.log.clear();
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190002");
    EXPECT_EQ(s.log.size(), 2) << "locked and advanced: no insert once the day's row exists";
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "P"), "P201102190003");
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", ""), "201102190004");
    EXPECT_EQ(lastId(s, "PURCHASE_NUM", "2011/02/19").toLongLong(), 5);
    // Numbers for many bills at once: the first is returned, the counter stands beyond the last.
    EXPECT_EQ(m.TakeBillSequences("PURCHASE_NUM", "2011/02/19", 32), 5);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190037");
    EXPECT_THROW(m.TakeBillSequences("PURCHASE_NUM", "2011/02/19", 0), db::DbError);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/20", "0"), "0201102200001");
    EXPECT_EQ(s.database.scalar("SELECT COUNT(*) FROM PURCHASE_NUM").toLongLong(), 2);
    // After the call the shared statement still stands on the counter row.
    EXPECT_TRUE(m.SQLQuery1.isOpen());
}

TEST(BillNumbers, NullCounterTenThousandthNumberAndIndependentTables)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    s.database.exec("CREATE TABLE SALE_NUM (BILL_DATE VARCHAR(10), LAST_ID INTEGER, CHG_DATE VARCHAR(10))");
    s.database.exec("INSERT INTO SALE_NUM VALUES ('2011/02/19', NULL, '2011/02/19')");
    s.database.exec("INSERT INTO PURCHASE_NUM VALUES ('2011/02/19', 10000, '2011/02/19')");

    EXPECT_EQ(m.GetMaxBillID("SALE_NUM", "2011/02/19", "S"), "S201102190001");
    EXPECT_EQ(lastId(s, "SALE_NUM", "2011/02/19").toLongLong(), 2);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "02011021910000");
    EXPECT_EQ(lastId(s, "PURCHASE_NUM", "2011/02/19").toLongLong(), 10001);
    EXPECT_EQ(m.GetMaxBillID("SALE_NUM", "2011/02/19", "S"), "S201102190002");
    EXPECT_EQ(s.database.scalar("SELECT COUNT(*) FROM SALE_NUM").toLongLong(), 1);
}

TEST(BillNumbers, InsideTheCallersTransactionTheCounterMovesWithItsWork)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    m.SQLConnection1.startTransaction(1, db::Isolation::ReadCommitted);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190001");
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190002");
    ASSERT_TRUE(m.SQLConnection1.inTransaction()) << "the caller's transaction stays the caller's";
    m.SQLConnection1.commit(1);
    EXPECT_EQ(lastId(s, "PURCHASE_NUM", "2011/02/19").toLongLong(), 3);

    // Rolled back with the caller's work: the numbers were never used, so they come again.
    m.SQLConnection1.startTransaction(1, db::Isolation::ReadCommitted);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190003");
    m.SQLConnection1.rollback(1);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190003");
}

TEST(BillNumbers, FailuresLeaveNoTransactionAndNoNumber)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    s.database.exec("CREATE TABLE SMALL_NUM (BILL_DATE VARCHAR(10), LAST_ID INTEGER CHECK (LAST_ID < 3), "
                    "CHG_DATE VARCHAR(10))");
    EXPECT_EQ(m.GetMaxBillID("SMALL_NUM", "2011/02/19", ""), "201102190001");
    EXPECT_THROW(m.GetMaxBillID("SMALL_NUM", "2011/02/19", ""), db::DbError);
    EXPECT_FALSE(m.SQLConnection1.inTransaction());
    EXPECT_EQ(lastId(s, "SMALL_NUM", "2011/02/19").toLongLong(), 2);

    EXPECT_THROW(m.GetMaxBillID("NO_SUCH_NUM", "2011/02/19", "0"), db::DbError);
    EXPECT_FALSE(m.SQLConnection1.inTransaction());

    // Inside the caller's transaction a failure leaves that transaction to the caller.
    m.SQLConnection1.startTransaction(1, db::Isolation::ReadCommitted);
    EXPECT_THROW(m.GetMaxBillID("SMALL_NUM", "2011/02/19", ""), db::DbError);
    EXPECT_TRUE(m.SQLConnection1.inTransaction());
    m.SQLConnection1.rollback(1);
}

TEST(BillNumbers, QuotesInTheDateAreStoredAsGivenAndTableNamesChecked)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011'02/19", "0"), "0201102190001");
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011'02/19", "0"), "0201102190002");
    EXPECT_EQ(lastId(s, "PURCHASE_NUM", "2011''02/19").toLongLong(), 3);

    s.log.clear();
    for (const QString& table : {QStringLiteral("PURCHASE_NUM WHERE 1=1 --"), QStringLiteral("PURCHASE_NUM;"),
                                 QStringLiteral(""), QStringLiteral("\"PURCHASE_NUM\"")}) {
        try {
            m.GetMaxBillID(table, "2011/02/19", "0");
            ADD_FAILURE() << "accepted " << table.toStdString();
        } catch (const db::DbError& error) {
            EXPECT_TRUE(error.message().contains("not a valid")) << error.what();
        }
    }
    EXPECT_TRUE(s.log.isEmpty()) << "refused before any statement is sent";
}

TEST(BillNumbers, ACounterHeldByAnotherWorkstationIsWaitedForABoundedTimeThenToldClearly)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190001");
    db::Connection& other = s.database.admin();
    other.startTransaction(1, db::Isolation::ReadCommitted);
    db::Statement hold(&other);
    hold.execute({"UPDATE PURCHASE_NUM SET LAST_ID = LAST_ID WHERE BILL_DATE = '2011/02/19'"});

    m.SQLConnection1.params().setValue("locktimeout", "3");
    QStringList told;
    m.setWaitNotice([&told](const QString& what) { told << what; });
    try {
        m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0");
        FAIL() << "a held counter handed out a number";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("逾時") && e.message().contains("2011/02/19")) << e.what();
    }
    // Told while it waited, in steps.
    ASSERT_FALSE(told.isEmpty());
    EXPECT_TRUE(told.first().startsWith("等候其他工作站釋放 PURCHASE_NUM 2011/02/19 的單號")) << told.first().toStdString();
    EXPECT_FALSE(m.SQLConnection1.inTransaction());
    other.rollback(1);
    EXPECT_EQ(m.GetMaxBillID("PURCHASE_NUM", "2011/02/19", "0"), "0201102190002");
}
