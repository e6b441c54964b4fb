#include "Connection.h"
#include "DbError.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::TempDatabase;

TEST(Connection, HoldsTheDriversLoadingEntriesBeforeAnyConfiguration)
{
    db::Connection connection;
    EXPECT_TRUE(connection.params().contains("VendorLib"));
    EXPECT_FALSE(connection.connected());
}

TEST(Connection, FailedConnectStaysClosedAndTheNextUseRetries)
{
    TempDatabase database;
    const QString moved = database.folder() + "/later.fdb";
    db::Connection connection;
    database.configure(connection);
    connection.params().setValue("Database", moved);
    int afterConnect = 0;
    connection.setAfterConnect([&] { ++afterConnect; });

    db::Statement query(&connection);
    query.setLines({"SELECT COUNT(*) FROM SUPPLIER"});
    try {
        query.open();
        FAIL() << "connect did not fail";
    } catch (const db::DbError& e) {
        EXPECT_NE(e.message().indexOf("later.fdb"), -1) << e.what();
    }
    EXPECT_FALSE(connection.connected());
    EXPECT_EQ(afterConnect, 0);

    ASSERT_TRUE(QFile::rename(database.database(), moved));
    query.open();
    EXPECT_TRUE(connection.connected());
    EXPECT_EQ(afterConnect, 1);
    query.open();
    EXPECT_EQ(afterConnect, 1);
}

TEST(Connection, WrongUserOrEmptyListGivesTheServersText)
{
    db::Connection empty;
    db::Statement query(&empty);
    query.setLines({"SELECT 1 FROM RDB$DATABASE"});
    EXPECT_THROW(query.open(), db::DbError);
    EXPECT_FALSE(empty.connected());
}

TEST(Connection, FailureInsideAfterConnectTravelsOutAndIsNotRepeated)
{
    TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    int calls = 0;
    connection.setAfterConnect([&] {
        ++calls;
        db::Statement broken(&connection);
        broken.setLines({"SELECT * FROM NO_SUCH_TABLE"});
        broken.open();
    });
    db::Statement query(&connection);
    query.setLines({"SELECT COUNT(*) FROM SUPPLIER"});
    try {
        query.open();
        FAIL() << "after-connect failure was swallowed";
    } catch (const db::DbError& e) {
        EXPECT_NE(e.message().indexOf("NO_SUCH_TABLE"), -1) << e.what();
    }
    EXPECT_TRUE(connection.connected());
    query.open();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(query.asInteger(0), 0);
}

TEST(Connection, TransactionsCommitRollBackAndAutoCommit)
{
    TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    try {
        connection.commit(1);
        FAIL();
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), "There is no active transaction");
    }
    EXPECT_THROW(connection.rollback(1), db::DbError);

    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO SUPPLIER(CORP_ID) VALUES(:ID)"});

    // Outside a transaction each statement commits on its own: another attachment sees it.
    insert.setParamText("ID", "AUTO");
    insert.execute();
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER WHERE CORP_ID='AUTO'").toInt(), 1);

    connection.startTransaction(1, db::Isolation::ReadCommitted);
    EXPECT_TRUE(connection.inTransaction());
    insert.setParamText("ID", "GONE");
    insert.execute();
    connection.rollback(1);
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER WHERE CORP_ID='GONE'").toInt(), 0);

    connection.startTransaction(1, db::Isolation::ReadCommitted);
    insert.setParamText("ID", "KEPT");
    insert.execute();
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER WHERE CORP_ID='KEPT'").toInt(), 0);
    connection.commit(1);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER WHERE CORP_ID='KEPT'").toInt(), 1);
}

TEST(Connection, StatementObserverSeesEveryTextSent)
{
    TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    QStringList sent;
    connection.setStatementObserver([&](const QString& text) { sent << text; });
    db::Statement query(&connection);
    query.addLine("SELECT CORP_ID ");
    query.addLine(" FROM SUPPLIER");
    query.open();
    query.open();
    EXPECT_EQ(sent, (QStringList{"SELECT CORP_ID \n FROM SUPPLIER", "SELECT CORP_ID \n FROM SUPPLIER"}));
}

TEST(Connection, TransactionScopeRollsBackUnlessCommitted)
{
    TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO SUPPLIER(CORP_ID) VALUES(:ID)"});
    try {
        db::TransactionScope transaction(connection);
        insert.setParamText("ID", "LOST");
        insert.execute();
        throw std::runtime_error("failure inside the block");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(connection.inTransaction());
    {
        db::TransactionScope transaction(connection);
        insert.setParamText("ID", "KEPT");
        insert.execute();
        transaction.commit();
    }
    EXPECT_EQ(database.scalar("SELECT LIST(CORP_ID) FROM SUPPLIER").toString(), "KEPT");

    // Committed by the server statement by statement: what a statement wrote is seen by others at
    // once and stays though the scope ends without commit; a statement that fails leaves nothing.
    try {
        db::TransactionScope transaction(connection, db::Isolation::ReadCommitted, 1, db::Commits::EachStatement);
        insert.setParamText("ID", "EACH");
        insert.execute();
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER WHERE CORP_ID = 'EACH'").toInt(), 1);
        db::Statement both(&connection);
        both.execute({"EXECUTE BLOCK AS BEGIN INSERT INTO SUPPLIER(CORP_ID) VALUES('HALF');",
                      "INSERT INTO SUPPLIER(CORP_ID) VALUES('A CODE FAR TOO LONG FOR ITS COLUMN'); END"});
    } catch (const db::DbError&) {
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(database.scalar("SELECT LIST(CORP_ID) FROM (SELECT CORP_ID FROM SUPPLIER ORDER BY 1)").toString(),
              "EACH,KEPT");
}

TEST(Connection, QueriesOutsideATransactionSeeWhatOthersCommitSinceAndCanLock)
{
    TempDatabase database;
    db::Connection connection;
    database.configure(connection);
    db::Statement count(&connection);
    count.setLines({"SELECT COUNT(*) FROM SUPPLIER"});
    count.open();
    EXPECT_EQ(count.asInteger(0), 0);
    database.exec("INSERT INTO SUPPLIER(CORP_ID) VALUES('LATER')");
    count.open();
    EXPECT_EQ(count.asInteger(0), 1);

    db::Statement locking(&connection);
    locking.setLines({"SELECT CORP_ID FROM SUPPLIER WITH LOCK"});
    locking.open();
    EXPECT_EQ(locking.asText(0), "LATER");
    EXPECT_FALSE(connection.inTransaction());
}

TEST(Connection, AMissingDatabaseEntryOrASilentHostIsToldClearlyAndInBoundedTime)
{
    QTemporaryDir folder;
    QFile config(folder.path() + "/dbconfig.txt");
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("user_name=SYSDBA\r\npassword=x\r\n");
    config.close();
    db::Connection unnamed;
    unnamed.params().loadFromFile(config.fileName());
    try {
        unnamed.open();
        FAIL() << "connected without a database";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(config.fileName()) && e.message().contains("Database")) << e.what();
    }

    // A host that accepts the connection and never answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const QString database = QString("127.0.0.1/%1:/nowhere.fdb").arg(silent.serverPort());
    db::Connection waiting;
    waiting.params().setValue("Database", database);
    waiting.params().setValue("user_name", "SYSDBA");
    QElapsedTimer clock;
    clock.start();
    try {
        waiting.open();
        FAIL() << "connected to a silent host";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(database)) << e.what();
    }
    EXPECT_LT(clock.elapsed(), 60000);  // gave up on its own, not after the client's minutes
}
