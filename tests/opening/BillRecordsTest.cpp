#include "BillLayouts.h"
#include "DbError.h"
#include "OpeningFixture.h"

#include <cmath>

using db::FieldType;

namespace {

// The table's columns with their kind and width in characters, from the database itself.
QMap<QString, QPair<FieldType, int>> tableColumns(testsupport::TempDatabase& database, const QString& table)
{
    QMap<QString, QPair<FieldType, int>> columns;
    const auto rows = database.rows(QStringLiteral(
        "SELECT TRIM(rf.RDB$FIELD_NAME), f.RDB$FIELD_TYPE, f.RDB$CHARACTER_LENGTH FROM RDB$RELATION_FIELDS rf "
        "JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE WHERE rf.RDB$RELATION_NAME = '%1'").arg(table));
    for (const auto& r : rows) {
        const int type = r.at(1).toInt();
        const FieldType kind = type == 37 ? FieldType::Text : type == 8 ? FieldType::Integer : FieldType::Float;
        columns.insert(r.at(0).toString(), {kind, kind == FieldType::Text ? r.at(2).toInt() : 0});
    }
    return columns;
}

} // namespace

class BillRecordsTest : public OpeningTest {
protected:
    BillRecordsTest()
    {
        applyBillLayouts(form->billWorkspace);
        useSettings();
    }

    // Opens the bill's record sets on its stored rows (none for a new number) and starts the header.
    void openBill(const QString& bill)
    {
        form->CDS_DataMaster.setCommandText(QStringLiteral("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = '%1'").arg(bill));
        form->CDS_DataMaster.open();
        form->CDS_DataSub.setCommandText(QStringLiteral("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = '%1'").arg(bill));
        form->CDS_DataSub.open();
        form->CDS_DataMaster.edit();
        form->CDS_DataMaster.setAsText("MASTERBILLID", bill);
        form->CDS_DataMaster.setAsText("FLAG_ID", "0");
        form->CDS_DataMaster.post();
    }
    void addLine(const QString& bill, const QString& name, double price)
    {
        form->CDS_DataSub.append();
        form->CDS_DataSub.setAsText("MASTERBILLID", bill);
        form->CDS_DataSub.setAsText("V_NAME", name);
        form->CDS_DataSub.setAsDouble("V_PRICE", price);
        form->CDS_DataSub.post();
    }
    void storeBill(const QString& bill, const QString& note, int lines)
    {
        database.exec(QStringLiteral("INSERT INTO PURCHASE_MASTER(MASTERBILLID,NOTE,FLAG_ID) VALUES('%1','%2','0')").arg(bill, note));
        for (int i = 1; i <= lines; ++i)
            database.exec(QStringLiteral("INSERT INTO PURCHASE_DETAIL(MASTERBILLID,V_NAME,AMT) VALUES('%1','old %2',%2)").arg(bill).arg(i));
    }
    QVector<QVector<QVariant>> stored(const QString& bill)
    {
        auto rows = database.rows(QStringLiteral("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = '%1'").arg(bill));
        rows += database.rows(QStringLiteral("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = '%1' ORDER BY AMT").arg(bill));
        return rows;
    }
};

TEST_F(BillRecordsTest, LayoutsMatchTheTablesAndOpeningNeedsEveryColumn)
{
    openBill("0201102190001");
    const db::RecordSet& header = form->CDS_DataMaster;
    const db::RecordSet& lines = form->CDS_DataSub;
    ASSERT_EQ(header.fieldCount(), 49);
    ASSERT_EQ(lines.fieldCount(), 56);

    // Every stored column of a bill is carried, with the table's kind and three times its width.
    for (const auto& [records, table] : {std::pair{&header, QStringLiteral("PURCHASE_MASTER")},
                                         std::pair{&lines, QStringLiteral("PURCHASE_DETAIL")}}) {
        const auto columns = tableColumns(database, table);
        int storedColumns = 0;
        for (int i = 0; i < records->fieldCount(); ++i) {
            const db::FieldDef& def = records->fieldDef(i);
            if (def.calculated)
                continue;
            ++storedColumns;
            ASSERT_TRUE(columns.contains(def.name)) << qPrintable(def.name);
            EXPECT_EQ(def.type, columns.value(def.name).first) << qPrintable(def.name);
            EXPECT_EQ(def.size, 3 * columns.value(def.name).second) << qPrintable(def.name);
        }
        EXPECT_EQ(storedColumns, columns.size()) << qPrintable(table);
    }

    EXPECT_EQ(header.fieldDef(0).name, "MASTERBILLID");
    EXPECT_EQ(header.fieldDef(0).size, 60);
    EXPECT_EQ(header.fieldDef(0).caption, "單據編號");
    EXPECT_EQ(header.fieldDef(8).name, "PRICE_NO");
    EXPECT_EQ(header.fieldDef(41).name, "FLAG_ID");
    EXPECT_EQ(header.fieldDef(41).caption, "");
    EXPECT_EQ(header.fieldDef(48).name, "WUID");
    EXPECT_EQ(lines.fieldDef(7).caption, "折扣%");
    EXPECT_EQ(lines.fieldDef(44).caption, "廠商編號");
    EXPECT_EQ(lines.fieldDef(54).name, "PRFS");
    EXPECT_EQ(lines.fieldDef(55).name, "RECNO");
    EXPECT_EQ(lines.fieldDef(55).caption, "序");
    EXPECT_TRUE(lines.fieldDef(55).calculated);
    EXPECT_EQ(lines.fieldDef(55).type, FieldType::Integer);

    form->CDS_DataSub.close();
    form->CDS_DataSub.setCommandText("SELECT MASTERBILLID, V_NAME FROM PURCHASE_DETAIL");
    EXPECT_THROW(form->CDS_DataSub.open(), db::DbError);
}

TEST_F(BillRecordsTest, SaveReplacesTheStoredBillAndBindsByColumnKind)
{
    storeBill("B1", "old", 3);
    storeBill("B2", "other bill", 1);
    database.exec("INSERT INTO PROD_CHGDATA(MASTERBILLID,FLAG_ID,PROD_ID) VALUES('B1','0','P1')");
    database.exec("INSERT INTO PROD_CHGDATA(MASTERBILLID,FLAG_ID,PROD_ID) VALUES('B1','5','P2')");
    database.exec("INSERT INTO PROD_CHGDATA(MASTERBILLID,FLAG_ID,PROD_ID) VALUES('B2','0','P3')");

    // The header as the stored rows hand it over, changed: its NOTE cleared, a padded name.
    openBill("B1");
    EXPECT_EQ(form->CDS_DataSub.recordCount(), 3);
    form->CDS_DataMaster.edit();
    form->CDS_DataMaster.setAsText("NOTE", "");
    form->CDS_DataMaster.setAsText("SUPP_CORP_NAME", " 大同 ");
    form->CDS_DataMaster.post();
    form->CDS_DataSub.createDataSet(billSubLayout());
    addLine("B1", " 期初帳款\t", 1.0 / 3.0);
    addLine("B1", "第二行", 2);

    form->SaveBill();

    EXPECT_TRUE(shown->shown().empty());
    EXPECT_FALSE(dm.SQLConnection1.inTransaction());
    EXPECT_TRUE(form->CDS_DataSub.eof());
    EXPECT_EQ(form->CDS_DataMaster.asText("SUPP_CORP_NAME"), " 大同 ");

    const auto header = row("SELECT SUPP_CORP_NAME, NOTE, TOTAL_DISCOUNT, PRICE_NO, FLAG_ID, COUNT(*) OVER () "
                            "FROM PURCHASE_MASTER WHERE MASTERBILLID = 'B1'");
    ASSERT_EQ(header.size(), 6);
    EXPECT_EQ(header.at(0).toString(), " 大同 ");  // header texts as they stand
    EXPECT_FALSE(header.at(1).isNull());
    EXPECT_EQ(header.at(1).toString(), "");       // empty text is never null
    EXPECT_FALSE(header.at(2).isNull());
    EXPECT_EQ(header.at(2).toDouble(), 0.0);      // empty numbers are 0
    EXPECT_EQ(header.at(3).toInt(), 0);
    EXPECT_EQ(header.at(5).toInt(), 1);

    const auto lines = database.rows("SELECT V_NAME, V_PRICE, REMARK, QTY FROM PURCHASE_DETAIL "
                                     "WHERE MASTERBILLID = 'B1' ORDER BY V_PRICE");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).at(0).toString(), "期初帳款");  // line texts lose blanks and control characters
    EXPECT_EQ(lines.at(0).at(1).toDouble(), 0.333333333333333);  // 15 significant digits
    EXPECT_EQ(lines.at(0).at(2).toString(), "");
    EXPECT_EQ(lines.at(0).at(3).toDouble(), 0.0);
    EXPECT_EQ(lines.at(1).at(0).toString(), "第二行");

    // Change rows of the bill's own type go with it; another type and another bill stay.
    const auto changes = database.rows("SELECT MASTERBILLID, FLAG_ID FROM PROD_CHGDATA ORDER BY MASTERBILLID, FLAG_ID");
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes.at(0).at(1).toString(), "5");
    EXPECT_EQ(changes.at(1).at(0).toString(), "B2");
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_DETAIL WHERE MASTERBILLID = 'B2'"), 1);

    // A bill without lines stores its header alone.
    openBill("B3");
    form->SaveBill();
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_MASTER WHERE MASTERBILLID = 'B3'"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_DETAIL WHERE MASTERBILLID = 'B3'"), 0);
}

// Records whether the save's transaction was still open when the warning appeared.
class WatchingBoxes : public toolkit::ScriptedBoxes {
public:
    void warning(const QString& text, const QString& details) override
    {
        openWhileWarning.push_back(SimpleDataMod->SQLConnection1.inTransaction());
        ScriptedBoxes::warning(text, details);
    }
    std::vector<bool> openWhileWarning;
};

TEST_F(BillRecordsTest, AFailedSaveRollsBackThenWarnsOnceAndLeavesTheDatabaseAsItWas)
{
    auto watching = std::make_shared<WatchingBoxes>();
    toolkit::setBoxes(watching);
    storeBill("B1", "kept", 2);
    const auto before = stored("B1");

    openBill("B1");
    form->CDS_DataSub.createDataSet(billSubLayout());
    addLine("B1", "fits", 1);
    addLine("B1", QString(101, u'長'), 2);  // longer than V_NAME holds: the second insert fails
    form->SaveBill();

    // The suite's text, then what the operator needs to act on it: the supplier and the database's message.
    ASSERT_EQ(watching->texts(Kind::Warning).size(), 1u);
    EXPECT_TRUE(watching->texts(Kind::Warning).front().startsWith("資料存檔失敗..!\n"));
    EXPECT_TRUE(watching->texts(Kind::Warning).front().contains("string right truncation"));
    EXPECT_EQ(watching->openWhileWarning, std::vector<bool>{false});
    EXPECT_EQ(watching->shown().size(), 1u);
    EXPECT_FALSE(dm.SQLConnection1.inTransaction());
    EXPECT_EQ(stored("B1"), before);  // the copy the save had deleted is back, nothing new added
}

TEST_F(BillRecordsTest, AnActiveTransactionOnEntryLeavesEverythingAsItWas)
{
    storeBill("B1", "kept", 1);
    const auto before = stored("B1");
    openBill("B1");
    dm.SQLConnection1.startTransaction(7, db::Isolation::ReadCommitted);
    form->SaveBill();

    EXPECT_TRUE(shown->shown().empty());
    ASSERT_TRUE(dm.SQLConnection1.inTransaction());
    // Seen from inside that transaction too: nothing was deleted or written in it.
    db::Statement inside(&dm.SQLConnection1);
    inside.setLines({"SELECT COUNT(*) FROM PURCHASE_DETAIL"});
    inside.open();
    EXPECT_EQ(inside.asInteger(0), 1);
    dm.SQLConnection1.rollback(7);
    EXPECT_EQ(stored("B1"), before);
}

class BillTotalsTest : public OpeningTest {
protected:
    void bill(const QString& supplierFlag, const std::vector<double>& amounts, const QString& headerFlag = "0")
    {
        form->ClientDataSet1.createDataSet({{"CORP_ID", FieldType::Text, 60}, {"TAX_FLAG", FieldType::Text, 3}});
        form->ClientDataSet1.append();
        form->ClientDataSet1.setAsText("TAX_FLAG", supplierFlag);
        form->ClientDataSet1.post();
        form->CDS_DataSub.createDataSet(billSubLayout());
        for (double amount : amounts) {
            form->CDS_DataSub.append();
            form->CDS_DataSub.setAsDouble("AMT", amount);
            form->CDS_DataSub.post();
        }
        form->CDS_DataMaster.createDataSet(billMasterLayout());
        form->CDS_DataMaster.edit();
        form->CDS_DataMaster.setAsText("TAX_FLAG", headerFlag);
    }
    double header(const char* field) { return form->CDS_DataMaster.asDouble(field); }
};

TEST_F(BillTotalsTest, NetTaxAndTotalFollowTheSuppliersFlag)
{
    struct Case {
        QString flag;
        std::vector<double> amounts;
        int places;
        double rate;
        double net, tax, total;
    };
    const Case cases[] = {
        {"0", {1000}, 0, 0.05, 1000, 50, 1050},
        {"0", {600, 400.4}, 0, 0.05, 1000, 50, 1050},
        {"1", {1050}, 0, 0.05, 1000, 50, 1050},
        {"1", {100}, 0, 0.05, 95, 5, 100},
        {"1", {100}, 2, 0.05, 95.24, 4.76, 100},
        {"1", {110}, 0, 0.10, 100, 10, 110},  // divided by one plus the configured rate
        {"0", {333.33}, 2, 0.05, 333.33, 16.67, 350},
        {"2", {1000.4}, 0, 0.05, 1000, 0, 1000},
        {"3", {1000.5}, 0, 0.05, 1001, 0, 1001},
        {"0", {}, 0, 0.05, 0, 0, 0},
        {"", {1050}, 0, 0.05, 1000, 50, 1050},   // empty counts as tax included
        {"x", {1050}, 0, 0.05, 1000, 50, 1050},  // so does a flag that is no whole number
        {"4", {1000.4}, 0, 0.05, 1000, 0, 1000},  // unknown flags carry no tax
        {"-1", {1000.5}, 0, 0.05, 1001, 0, 1001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(QStringLiteral("flag '%1' places %2 rate %3").arg(c.flag).arg(c.places).arg(c.rate)));
        dm.settings.in_totdot = c.places;
        dm.settings.in_tax = c.rate;
        bill(c.flag, c.amounts, "0");
        form->CalcBillTotals();
        EXPECT_NEAR(header("TOTAL_NETAMT"), c.net, 1e-9);
        EXPECT_NEAR(header("TOTAL_TAXAMT"), c.tax, 1e-9);
        EXPECT_NEAR(header("TOTAL_TOTAMT"), c.total, 1e-9);
        // With nothing discounted or paid, every derived amount is the total.
        EXPECT_EQ(header("TOTAL_MONEY"), header("TOTAL_TOTAMT"));
        EXPECT_EQ(header("TOTAL_SURPLUS"), header("TOTAL_TOTAMT"));
        EXPECT_EQ(header("SURPLUS"), header("TOTAL_TOTAMT"));
    }
}

TEST_F(BillTotalsTest, DerivedAmountsAndTheLinesPositionAreKept)
{
    dm.settings.in_totdot = 0;
    dm.settings.in_tax = 0.05;
    bill("0", {500, 300, 200});
    form->CDS_DataMaster.setAsDouble("TOTAL_DISCOUNT", 10);
    form->CDS_DataMaster.setAsDouble("TOTAL_DISTAX", 0.5);
    form->CDS_DataMaster.setAsDouble("NOW_PAY", 100);
    form->CDS_DataMaster.setAsDouble("PAYED_AMT", 40);
    form->CDS_DataSub.setRecNo(2);

    form->CalcBillTotals();

    EXPECT_EQ(header("TOTAL_TOTAMT"), 1050);
    EXPECT_NEAR(header("TOTAL_MONEY"), 1039.5, 1e-9);
    EXPECT_NEAR(header("TOTAL_SURPLUS"), 939.5, 1e-9);
    EXPECT_NEAR(header("SURPLUS"), 899.5, 1e-9);
    EXPECT_EQ(form->CDS_DataSub.recNo(), 2);
    EXPECT_EQ(form->CDS_DataSub.asDouble("AMT"), 300);
    EXPECT_FALSE(form->CDS_DataSub.controlsDisabled());
}
