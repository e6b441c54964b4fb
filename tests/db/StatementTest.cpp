#include "Connection.h"
#include "DbError.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <gtest/gtest.h>

using testsupport::TempDatabase;

class StatementTest : public ::testing::Test {
protected:
    StatementTest() { database.configure(connection); }
    TempDatabase database;
    db::Connection connection;
};

TEST_F(StatementTest, ParametersRebuildFromTextAndBindEveryPlaceOfAName)
{
    db::Statement insert(&connection);
    insert.addLine("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP)");
    EXPECT_EQ(insert.paramCount(), 0);
    insert.addLine(" VALUES(:ID,:NAME,:ID)");
    ASSERT_EQ(insert.paramCount(), 2);
    EXPECT_EQ(insert.paramName(0), "ID");
    EXPECT_EQ(insert.paramName(1), "NAME");
    EXPECT_THROW(insert.setParamText("NOPE", "x"), db::DbError);
    insert.setParamText("ID", "S'01");
    try {
        insert.execute();
        FAIL() << "unset parameter was sent";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), "No value for parameter 'NAME'");
    }
    insert.setParamText("name", "大同五金行 '引號' 12:30");
    insert.execute();
    // By position, found as the names are: the same rows again under another code.
    EXPECT_EQ(insert.paramIndex("name"), 1);
    EXPECT_THROW(insert.paramIndex("NOPE"), db::DbError);
    insert.setParam(insert.paramIndex("ID"), QString("S'02"));
    insert.execute();

    const auto rows = database.rows("SELECT CORP_ID, CORP_NAME, PARANT_CORP FROM SUPPLIER ORDER BY CORP_ID");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0].toString(), "S'01");
    EXPECT_EQ(rows[0][1].toString(), "大同五金行 '引號' 12:30");
    EXPECT_EQ(rows[0][2].toString(), "S'01");
    EXPECT_EQ(rows[1][1].toString(), "大同五金行 '引號' 12:30");
    EXPECT_EQ(rows[1][2].toString(), "S'02");
}

TEST_F(StatementTest, TextIsConvertedToNumericColumnsAndValuesReadBack)
{
    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO PURCHASE_NUM(BILL_DATE,LAST_ID,CHG_DATE) VALUES(:D,:L,:C)"});
    insert.setParamText("D", "2011/02/19");
    insert.setParamText("L", "42");
    insert.setParamNull("C");
    insert.execute();
    insert.setParamText("D", "2011/02/20");
    insert.setParamInteger("L", 7);
    insert.setParamText("C", "");
    insert.execute();

    db::Statement query(&connection);
    query.setLines({"SELECT BILL_DATE, LAST_ID, CHG_DATE FROM PURCHASE_NUM ORDER BY BILL_DATE"});
    query.open();
    ASSERT_FALSE(query.isEmpty());
    EXPECT_EQ(query.asInteger("last_id"), 42);
    EXPECT_TRUE(query.isNull("CHG_DATE"));
    EXPECT_EQ(query.asText("CHG_DATE"), "");
    query.next();
    EXPECT_EQ(query.asText("LAST_ID"), "7");
    EXPECT_FALSE(query.isNull("CHG_DATE"));
    EXPECT_EQ(query.asText("CHG_DATE"), "");
    query.next();
    EXPECT_TRUE(query.eof());
    query.first();
    EXPECT_EQ(query.asText(0), "2011/02/19");
    EXPECT_THROW(query.asText("NOPE"), db::DbError);
}

TEST_F(StatementTest, DoublesAndNullsReadAsTextIntegerAndFloat)
{
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES('A',1234.5,NULL)");
    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('B',:V)"});
    insert.setParamDouble("V", 1.0 / 3.0);
    insert.execute();

    db::Statement query(&connection);
    query.setLines({"SELECT BEFORE_NOTPAY, BEFORE_ADVPAY FROM SUPPLIER_ACCOUNTS ORDER BY CORP_ID"});
    query.open();
    EXPECT_EQ(query.asText("BEFORE_NOTPAY"), "1234.5");
    EXPECT_DOUBLE_EQ(query.asDouble("BEFORE_NOTPAY"), 1234.5);
    EXPECT_EQ(query.asText("BEFORE_ADVPAY"), "");
    EXPECT_EQ(query.asInteger("BEFORE_ADVPAY"), 0);
    EXPECT_EQ(query.asDouble("BEFORE_ADVPAY"), 0.0);
    query.next();
    EXPECT_EQ(query.asText("BEFORE_NOTPAY"), "0.333333333333333");
    EXPECT_EQ(query.asDouble("BEFORE_NOTPAY"), 1.0 / 3.0);
}

TEST_F(StatementTest, AQueryWithoutRowsReadsEmptyInEveryColumn)
{
    db::Statement query(&connection);
    query.setLines({"SELECT CORP_ID, BEFORE_NOTPAY FROM SUPPLIER_ACCOUNTS WHERE CORP_ID = 'none'"});
    query.open();
    EXPECT_TRUE(query.isEmpty());
    EXPECT_TRUE(query.eof());
    EXPECT_TRUE(query.isNull("CORP_ID"));
    EXPECT_EQ(query.asText("CORP_ID"), "");
    EXPECT_EQ(query.asInteger("BEFORE_NOTPAY"), 0);
    EXPECT_EQ(query.asDouble("BEFORE_NOTPAY"), 0.0);
    EXPECT_EQ(query.asText(0), "");
}

TEST_F(StatementTest, ServerRejectionCarriesTheServersMessage)
{
    db::Statement query(&connection);
    query.setLines({"SELECT NO_COLUMN FROM SUPPLIER"});
    try {
        query.open();
        FAIL();
    } catch (const db::DbError& e) {
        EXPECT_NE(e.message().indexOf("NO_COLUMN"), -1) << e.what();
    }
    db::Statement tooLong(&connection);
    tooLong.setLines({"INSERT INTO SUPPLIER(TAX_FLAG) VALUES(:F)"});
    tooLong.setParamText("F", "12");
    EXPECT_THROW(tooLong.execute(), db::DbError);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM SUPPLIER").toInt(), 0);
}

TEST_F(StatementTest, BlobParameterIsStoredWhole)
{
    database.exec("CREATE TABLE BLOBS (B BLOB SUB_TYPE 0, T BLOB SUB_TYPE 1)");
    QByteArray bytes(100000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i % 251);
    db::Statement insert(&connection);
    insert.setLines({"INSERT INTO BLOBS(B,T) VALUES(:B,:T)"});
    insert.setParamBlob("B", bytes);
    insert.setParamText("T", "期初帳款");
    insert.execute();
    db::Statement query(&connection);
    query.setLines({"SELECT B, T FROM BLOBS"});
    query.open();
    EXPECT_EQ(query.result().rows[0][0].toByteArray(), bytes);
    EXPECT_EQ(query.asText("T"), "期初帳款");
}

TEST_F(StatementTest, AReuseScopePreparesEachTextOnceAndLetsGoBeforeMetadataChanges)
{
    db::Statement create(&connection);
    create.execute({"CREATE TABLE SCRATCH (A INTEGER)"});
    const QString text = "SELECT A FROM SCRATCH WHERE A = ?";
    {
        const db::StatementReuse reuse(connection);
        EXPECT_EQ(connection.prepare(text), connection.prepare(text));
        // Far more texts than are kept: the first is let go and prepared again when it comes back.
        db::Statement many(&connection);
        for (int i = 0; i <= 100; ++i) {
            many.open({QStringLiteral("SELECT %1 FROM RDB$DATABASE").arg(i % 100)});
            EXPECT_EQ(many.asInteger(0), i % 100);
        }

        // Two statement objects sending one text share it; a text set again starts without values.
        db::Statement insert(&connection);
        db::Statement again(&connection);
        for (db::Statement* statement : {&insert, &again}) {
            statement->setLines({"INSERT INTO SCRATCH(A) VALUES(:A)"});
            statement->setParamInteger("A", 1);
            statement->execute();
        }
        insert.setLines({"INSERT INTO SCRATCH(A) VALUES(:A)"});
        EXPECT_THROW(insert.execute(), db::DbError);
        {
            db::TransactionScope reading(connection);  // the connection's reader would keep the table in use
            db::Statement count(&connection);
            count.open({"SELECT COUNT(*) FROM SCRATCH"});
            EXPECT_EQ(count.asInteger(0), 2);
            reading.commit();
        }

        // The table's statements held prepared would keep it in use.
        db::Statement drop(&connection);
        EXPECT_NO_THROW(drop.execute({"DROP TABLE SCRATCH"}));
        create.execute({"CREATE TABLE SCRATCH (A INTEGER)"});
    }
    EXPECT_NE(connection.prepare(text), connection.prepare(text));
}

TEST_F(StatementTest, ValuesOfChangingKindsAndSizesTravelExactlyThroughOnePreparedStatement)
{
    database.exec("CREATE TABLE T_SIZES (N INTEGER, V VARCHAR(8191), D DOUBLE PRECISION)");
    // Texts on both sides of the sizes that share a message layout, in and out of turn, then a
    // number, a null and texts again: each is stored as given.
    const QVector<QVariant> values{QString(""),         QString(63, u'a'),    QString(64, u'b'),
                                   QString(65, u'c'),    QString(22, u'字'),   QString(8191, u'e'),
                                   QVariant(qint64(42)), QVariant(),           QString("短"),
                                   QString(200, u'f'),   QString(1000, u'字'), QString("x")};
    db::Statement insert(&connection);
    const db::StatementReuse reuse(connection);
    for (int i = 0; i < values.size(); ++i) {
        insert.setLines({"INSERT INTO T_SIZES(N, V, D) VALUES(:N, :V, :D)"});
        insert.setParamInteger("N", i);
        const QVariant& value = values.at(i);
        if (value.typeId() == QMetaType::QString)
            insert.setParamText("V", value.toString());
        else if (value.isValid())
            insert.setParamInteger("V", value.toLongLong());
        else
            insert.setParamNull("V");
        insert.setParamDouble("D", i + 0.5);
        insert.execute();
    }
    // Too long for the column: refused, and the statement goes on working.
    insert.setLines({"INSERT INTO T_SIZES(N, V, D) VALUES(:N, :V, :D)"});
    insert.setParamInteger("N", 99);
    insert.setParamText("V", QString(8192, u'g'));
    insert.setParamDouble("D", 0);
    EXPECT_THROW(insert.execute(), db::DbError);
    insert.setParamText("V", "after");
    insert.execute();

    const auto rows = database.rows("SELECT V, D FROM T_SIZES ORDER BY N");
    ASSERT_EQ(rows.size(), values.size() + 1);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant expected = values.at(i).isValid() ? QVariant(values.at(i).toString()) : QVariant();
        EXPECT_EQ(rows[i][0], expected) << i;
        EXPECT_EQ(rows[i][1].toDouble(), i + 0.5) << i;
    }
    EXPECT_EQ(rows.back()[0].toString(), "after");
}
