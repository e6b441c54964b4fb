#include "DbError.h"
#include "LocalIP.h"
#include "ServiceModule.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using Kind = toolkit::ScriptedBoxes::Kind;

TEST(QueryServices, SplitParamsKeepsEveryPieceAsItStands)
{
    TSimpleDataMod m(QStringLiteral("."));
    QStringList dest{"left over"};
    m.SplitParams("a=1&b= 2 &c", &dest);
    EXPECT_EQ(dest, QStringList({"a=1", "b= 2 ", "c"}));
    m.SplitParams("", &dest);
    EXPECT_EQ(dest, QStringList({""}));
    m.SplitParams("a&", &dest);
    EXPECT_EQ(dest, QStringList({"a", ""}));
    m.SplitParams("&a", &dest);
    EXPECT_EQ(dest, QStringList({"", "a"}));
    m.SplitParams("a&&b", &dest);
    EXPECT_EQ(dest, QStringList({"a", "", "b"}));
    m.SplitParams("a&b", nullptr);
}

TEST(QueryServices, PowerValuesAndTheirMessage)
{
    auto boxes = std::make_shared<toolkit::ScriptedBoxes>();
    toolkit::setBoxes(boxes);
    EXPECT_FALSE(CheckPowerValue(0));
    EXPECT_TRUE(CheckPowerValue(1));
    EXPECT_TRUE(boxes->shown().empty());
    EXPECT_FALSE(CheckPowerValue(2));
    EXPECT_FALSE(CheckPowerValue(-1));
    EXPECT_EQ(boxes->texts(Kind::Message), std::vector<QString>({"輸入異常..!", "輸入異常..!"}));
    EXPECT_EQ(boxes->shown().size(), 2u);
    toolkit::setBoxes(nullptr);
}

TEST(QueryServices, OrganisationPermissions)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    s.database.exec("INSERT INTO ORG_POWER (ORG_ID, ITEM_NO, P_RUN, P_ADD, P_EDIT, P_DEL) VALUES ('O1', 5, 1, 0, 2, NULL)");
    s.database.exec("INSERT INTO ORG_POWER (ORG_ID, ITEM_NO, P_RUN) VALUES ('O''2', 6, 1)");
    s.database.exec("INSERT INTO ORG_POWER_REPORT (ORG_ID, ITEM_NO, P_RUN, P_PRINT) VALUES ('O1', 5, 0, 1)");

    EXPECT_TRUE(m.GetOrgPowerState("O1", "5", "P_RUN"));
    EXPECT_EQ(s.log.last(), "SELECT P_RUN FROM ORG_POWER \n WHERE ORG_ID='O1'\n AND  ITEM_NO=5");
    EXPECT_FALSE(m.GetOrgPowerState("O1", "5", "P_ADD"));
    EXPECT_FALSE(m.GetOrgPowerState("O1", "5", "P_DEL"));
    EXPECT_FALSE(m.GetOrgPowerState("O1", "7", "P_RUN"));
    EXPECT_FALSE(m.GetOrgPowerState("O9", "5", "P_RUN"));
    EXPECT_TRUE(s.boxes->shown().empty());
    EXPECT_FALSE(m.GetOrgPowerState("O1", "5", "P_EDIT"));
    EXPECT_EQ(s.boxes->texts(Kind::Message), std::vector<QString>({"輸入異常..!"}));
    EXPECT_TRUE(m.GetOrgPowerState("O'2", "6", "P_RUN"));

    EXPECT_TRUE(m.GetOrgPowerReportState("O1", "5", "P_PRINT"));
    EXPECT_EQ(s.log.last(), "SELECT P_PRINT FROM ORG_POWER_REPORT \n WHERE ORG_ID='O1'\n AND  ITEM_NO=5");
    EXPECT_FALSE(m.GetOrgPowerReportState("O1", "5", "P_RUN"));

    EXPECT_THROW(m.GetOrgPowerState("O1", "5", "NO_SUCH_COLUMN"), db::DbError) << "the server's refusal";
    s.log.clear();
    const std::pair<QString, QString> refused[] = {
        {"5 OR 1=1", "P_RUN"}, {"", "P_RUN"}, {"5.5", "P_RUN"}, {"5", "P_RUN FROM ORG_POWER --"}, {"5", ""}};
    for (const auto& [item, column] : refused)
        EXPECT_THROW(m.GetOrgPowerReportState("O1", item, column), db::DbError)
            << item.toStdString() << " / " << column.toStdString();
    EXPECT_TRUE(s.log.isEmpty()) << "refused before any statement is sent";
}

TEST(QueryServices, CdsQueryCopiesColumnsAndRows)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    s.database.exec("INSERT INTO CUSTOMER VALUES ('K1', '甲', 'Y')");
    s.database.exec("INSERT INTO CUSTOMER VALUES ('K2', '乙', NULL)");
    m.SQLConnection1.params().setValue("servercharset", "NONE");

    db::RecordSet target;
    m.CDS_Query(target, "SELECT CORP_ID, CORP_NAME, HISTPRICE_YN FROM CUSTOMER ORDER BY CORP_ID");
    EXPECT_EQ(m.SQLConnection1.params().value("servercharset"), "UTF8");
    ASSERT_TRUE(target.isOpen());
    ASSERT_EQ(target.fieldCount(), 3);
    EXPECT_EQ(target.recordCount(), 2);
    EXPECT_EQ(target.recNo(), 1);
    EXPECT_EQ(target.asText("CORP_NAME"), "甲");
    target.next();
    EXPECT_TRUE(target.isNull("HISTPRICE_YN"));
    EXPECT_TRUE(m.ClientDataSet1.isOpen());
    EXPECT_EQ(m.ClientDataSet1.recordCount(), 2);
    EXPECT_TRUE(s.boxes->shown().empty());

    m.CDS_Query(target, "SELECT CORP_ID, HISTPRICE_YN FROM CUSTOMER WHERE CORP_ID = 'none'");
    EXPECT_EQ(target.fieldCount(), 2);
    EXPECT_EQ(target.fieldDef(1).name, "HISTPRICE_YN");
    EXPECT_TRUE(target.isEmpty());

    EXPECT_THROW(m.CDS_Query(target, "SELECT NO_SUCH_COLUMN FROM CUSTOMER"), db::DbError);
    EXPECT_EQ(target.fieldCount(), 2) << "a rejected query leaves the caller's record set as it was";
}

TEST(QueryServices, CdsQueryOnlyLoadsAndRefusesWhatWouldChangeData)
{
    ServiceModule s;
    TSimpleDataMod& m = s.module;
    s.database.exec("INSERT INTO CUSTOMER VALUES ('K1', '甲', 'Y')");
    db::RecordSet target;
    // Inside the caller's own transaction too: the loader never writes through it.
    m.SQLConnection1.startTransaction(1, db::Isolation::ReadCommitted);
    for (const char* changing : {"DELETE FROM CUSTOMER", "UPDATE CUSTOMER SET CORP_NAME = 'x'",
                                 "EXECUTE BLOCK AS BEGIN DELETE FROM CUSTOMER; END",
                                 "EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN DELETE FROM CUSTOMER; N = 1; SUSPEND; END",
                                 "SELECT CORP_ID FROM CUSTOMER WITH LOCK", "CREATE TABLE T_LOADED (A INTEGER)", "COMMIT"}) {
        try {
            m.CDS_Query(target, changing);
            ADD_FAILURE() << changing << " was run";
        } catch (const db::DbError& refused) {
            EXPECT_TRUE(refused.message().startsWith("CDS_Query 只載入查詢的資料")) << refused.message().toStdString();
        }
    }
    EXPECT_TRUE(m.SQLConnection1.inTransaction());
    m.CDS_Query(target, "SELECT CORP_ID, CORP_NAME FROM CUSTOMER");
    m.SQLConnection1.commit(1);
    EXPECT_EQ(target.recordCount(), 1);
    EXPECT_EQ(s.database.scalar("SELECT CORP_NAME FROM CUSTOMER").toString(), "甲");
    EXPECT_EQ(s.database.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'T_LOADED'").toInt(), 0);
}

TEST(QueryServices, WuidIsTheCorpEmailSetting)
{
    TSimpleDataMod m(QStringLiteral("."));
    m.settings.corp_email = "office@example.com  ";
    EXPECT_EQ(m.wuid(), "office@example.com  ");
}

TEST(QueryServices, LocalIPIsTheLastIPv4AddressOrEmpty)
{
    EXPECT_EQ(lastIPv4Address({QHostAddress("192.0.2.1"), QHostAddress("2001:db8::1"), QHostAddress("198.51.100.7"),
                               QHostAddress("2001:db8::2")}),
              "198.51.100.7");
    EXPECT_EQ(lastIPv4Address({QHostAddress("2001:db8::1")}), "");
    EXPECT_EQ(lastIPv4AddressOf("localhost"), "127.0.0.1");
    EXPECT_EQ(lastIPv4AddressOf(""), "");
    // A name that resolves only to loopback names no workstation: an interface's address does.
    const QList<QHostAddress> interfaces{QHostAddress("10.1.2.3"), QHostAddress("192.168.7.9")};
    EXPECT_EQ(workstationAddress("127.0.1.1", interfaces), "10.1.2.3");
    EXPECT_EQ(workstationAddress("127.0.1.1", {}), "");
    EXPECT_EQ(workstationAddress("198.51.100.7", interfaces), "198.51.100.7");
    EXPECT_EQ(workstationAddress("", interfaces), "");
    for (const QHostAddress& address : interfaceIPv4Addresses())
        EXPECT_FALSE(address.isLoopback()) << address.toString().toStdString();

    TSimpleDataMod m(QStringLiteral("."));
    const QString ip = m.LocalIP();
    const QRegularExpression dotted(R"(^(\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3})$)");
    EXPECT_TRUE(ip.isEmpty() || dotted.match(ip).hasMatch()) << ip.toStdString();
}
