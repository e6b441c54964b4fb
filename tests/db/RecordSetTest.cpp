#include "Connection.h"
#include "DbError.h"
#include "RecordSet.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using db::FieldType;
using testsupport::TempDatabase;

class RecordSetTest : public ::testing::Test {
protected:
    RecordSetTest()
    {
        database.configure(connection);
        records.setProvider(&provider);
    }
    TempDatabase database;
    db::Connection connection;
    db::Statement source{&connection};
    db::Provider provider{&source};
    db::RecordSet records;
};

TEST_F(RecordSetTest, OpensEveryRowWithTheQuerysNamesAndTypes)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('S2','乙',NULL)");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('S1','甲','1')");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('S1',10.5)");
    records.setCommandText("SELECT a.CORP_ID, a.CORP_NAME, (SELECT BEFORE_NOTPAY FROM SUPPLIER_ACCOUNTS "
                           "WHERE CORP_ID=a.CORP_ID) AS BEFORE_NOTPAY, 1 AS ONE FROM SUPPLIER a ORDER BY a.CORP_ID");
    records.open();
    ASSERT_EQ(records.fieldCount(), 4);
    EXPECT_EQ(records.fieldDef(2).name, "BEFORE_NOTPAY");
    EXPECT_EQ(records.fieldType("CORP_ID"), FieldType::Text);
    EXPECT_EQ(records.fieldType("BEFORE_NOTPAY"), FieldType::Float);
    EXPECT_EQ(records.fieldType("ONE"), FieldType::Integer);
    EXPECT_EQ(records.recordCount(), 2);
    EXPECT_EQ(records.recNo(), 1);
    EXPECT_EQ(records.asText("CORP_NAME"), "甲");
    EXPECT_EQ(records.asText("BEFORE_NOTPAY"), "10.5");
    EXPECT_EQ(records.value(1), records.value("CORP_NAME"));
    EXPECT_EQ(records.currentRow(), (QVector<QVariant>{QString("S1"), QString("甲"), 10.5, QVariant::fromValue(qint64(1))}));
    EXPECT_THROW(records.value(4), db::DbError);
    records.next();
    EXPECT_EQ(records.recNo(), 2);
    EXPECT_TRUE(records.isNull("BEFORE_NOTPAY"));
    EXPECT_EQ(records.asText("BEFORE_NOTPAY"), "");
    records.next();
    EXPECT_TRUE(records.eof());
    EXPECT_EQ(records.recNo(), 2);
}

TEST_F(RecordSetTest, FixedLayoutKeepsItsColumnsAndFailsWhenTheQueryLacksOne)
{
    const QVector<db::FieldDef> layout{{"CORP_ID", FieldType::Text, 60, "廠商代號"},
                                       {"TAX_FLAG", FieldType::Integer},
                                       {"RECNO", FieldType::Integer, 0, "序", true}};
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('S1','甲','3')");
    records.setFieldDefs(layout);
    records.setCommandText("SELECT * FROM SUPPLIER");
    records.open();
    ASSERT_EQ(records.fieldCount(), 3);
    EXPECT_EQ(records.fieldDef(0).caption, "廠商代號");
    EXPECT_EQ(records.fieldDef(0).size, 60);
    EXPECT_EQ(records.asInteger("TAX_FLAG"), 3);
    EXPECT_EQ(records.fieldIndex("CORP_NAME"), -1);
    EXPECT_TRUE(records.isNull("RECNO"));

    records.setCommandText("SELECT CORP_ID FROM SUPPLIER");
    EXPECT_THROW(records.open(), db::DbError);
}

TEST_F(RecordSetTest, EditOnAnEmptySetStartsARowAndWritesNeedEditMode)
{
    records.createDataSet({{"NAME", FieldType::Text, 30}, {"QTY", FieldType::Float}, {"N", FieldType::Integer}});
    EXPECT_TRUE(records.isEmpty());
    EXPECT_THROW(records.setAsText("NAME", "x"), db::DbError);
    records.edit();
    EXPECT_EQ(records.state(), db::RecordSet::State::Insert);
    records.setAsText("NAME", "期初");
    records.setAsText("QTY", "1234.5");
    records.setValue("N", 7);
    records.post();
    EXPECT_EQ(records.recordCount(), 1);
    EXPECT_DOUBLE_EQ(records.asDouble("QTY"), 1234.5);
    EXPECT_EQ(records.asText("N"), "7");
    EXPECT_THROW(records.asInteger("NAME"), db::DbError);
    records.edit();
    EXPECT_EQ(records.state(), db::RecordSet::State::Edit);
    EXPECT_THROW(records.setAsText("QTY", "abc"), db::DbError);
    records.setAsText("QTY", "");
    records.post();
    EXPECT_TRUE(records.isNull("QTY"));
}

TEST_F(RecordSetTest, BookmarksAndSuspendedDisplayUpdates)
{
    records.createDataSet({{"V", FieldType::Integer}});
    for (int i = 1; i <= 3; ++i) {
        records.append();
        records.setAsInteger("V", i);
        records.post();
    }
    records.setRecNo(2);
    const auto mark = records.bookmark();
    QSignalSpy current(&records, &db::RecordSet::currentChanged);
    records.disableControls();
    for (records.first(); !records.eof(); records.next()) {
    }
    records.gotoBookmark(mark);
    EXPECT_EQ(current.count(), 0);
    records.enableControls();
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(records.recNo(), 2);
    EXPECT_EQ(records.asInteger("V"), 2);
}

TEST_F(RecordSetTest, DataPacketRoundTripReplacesColumnsAndRows)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES('S1','甲')");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES('S2',NULL)");
    records.setCommandText("SELECT CORP_ID, CORP_NAME FROM SUPPLIER ORDER BY CORP_ID");
    records.open();
    records.next();

    db::RecordSet copy;
    copy.createDataSet({{"OTHER", FieldType::Float}});
    copy.setData(records.data());
    EXPECT_EQ(copy.fieldCount(), 2);
    EXPECT_EQ(copy.fieldDef(1).name, "CORP_NAME");
    EXPECT_EQ(copy.recordCount(), 2);
    EXPECT_EQ(copy.recNo(), 1);
    EXPECT_EQ(copy.asText("CORP_NAME"), "甲");
    copy.next();
    EXPECT_TRUE(copy.isNull("CORP_NAME"));
    EXPECT_EQ(records.recNo(), 2);

    records.setCommandText("SELECT CORP_ID FROM SUPPLIER WHERE 1=0");
    records.open();
    copy.setData(records.data());
    EXPECT_EQ(copy.fieldCount(), 1);
    EXPECT_TRUE(copy.isEmpty());
    EXPECT_TRUE(copy.eof());
}
