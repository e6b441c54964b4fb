// The opening engine without a window: its plan and its result must say exactly what the
// database holds.
#include "BillWorkspace.h"
#include "Check.h"
#include "Csv.h"
#include "FrmSimpleDataMod.h"
#include "Money.h"
#include "OpeningPlan.h"
#include "OpeningRun.h"
#include "RunClaim.h"
#include "RunRecord.h"
#include "RunReport.h"
#include "TempDatabase.h"
#include "TextNumbers.h"
#include "Totals.h"

#include <QThread>
#include <gtest/gtest.h>

using namespace opening;

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << (value.isNull() ? std::string("NULL") : value.toString().toStdString());
}

namespace {

// Answers the question as told and records every event.
class Recorder : public RunObserver {
public:
    explicit Recorder(bool replace) : replace_(replace) {}
    bool replaceEarlierRun(const EarlierRun& earlier) override
    {
        asked.push_back(earlier.bills + earlier.lines + earlier.payments);
        return replace_;
    }
    void billFailed(const SupplierEntry& supplier) override { failedBills << supplier.supplier.code; }
    void supplierDone(const SupplierEntry& supplier, int done, int total) override
    {
        done_ << QStringLiteral("%1 %2/%3").arg(supplier.supplier.code).arg(done).arg(total);
    }

    std::vector<int> asked;
    QStringList failedBills;
    QStringList done_;

private:
    bool replace_;
};

SupplierRow supplier(int position, const QString& code, const QVariant& unpaid, const QVariant& prepaid,
                     const QString& taxFlag = QStringLiteral("0"))
{
    return {position, code, QStringLiteral("廠商") + code, QString(), taxFlag, unpaid, prepaid};
}

QStringList planned(const OpeningPlan& plan)
{
    QStringList documents;
    for (const SupplierEntry& entry : plan.suppliers)
        for (const Document* d : {&entry.bill, &entry.payment})
            if (d->outcome == Outcome::Planned)
                documents << QStringLiteral("%1 %2 %3 %4")
                                 .arg(entry.supplier.code, kindText(d->kind), d->number, d->total.plainText());
    return documents;
}

} // namespace

class OpeningEngineTest : public ::testing::Test {
protected:
    OpeningEngineTest()
    {
        database.writeDbConfig();
        dm.DataModuleCreate();
        bill.bindConnection(&dm.SQLConnection1);
        dm.SQLConnection1.open();
        dm.settings.in_tax = 0.05;
        dm.settings.in_totdot = 0;
        dm.settings.in_money_id = QStringLiteral("NTD");
        dm.settings.main_stockid = QStringLiteral("A01");
        dm.settings.account_amt_format = QStringLiteral("#,##0.00");
    }

    RunResult run(const QVector<SupplierRow>& rows, Recorder& recorder)
    {
        return runOpening(dm, bill, {rows, {}}, QDate(2011, 2, 19), recorder);
    }
    OpeningPlan plan(const QVector<SupplierRow>& rows)
    {
        return planOpening(dm, bill.query, {rows, {}}, QDate(2011, 2, 19));
    }
    QVector<QVector<QVariant>> stored()
    {
        auto all = database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT "
                                 "FROM PURCHASE_MASTER ORDER BY 1");
        all += database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, AMT FROM PURCHASE_DETAIL ORDER BY 1, 2");
        all += database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER ORDER BY 1, 2");
        all += database.rows("SELECT BILL_DATE, LAST_ID FROM PURCHASE_NUM");
        all += database.rows("SELECT PROD_ID FROM PRODUCT");
        return all;
    }

    testsupport::TempDatabase database;
    TSimpleDataMod dm{database.folder()};
    BillWorkspace bill;
};

TEST_F(OpeningEngineTest, TheResultAndThePlanSayWhatTheDatabaseHolds)
{
    database.exec("CREATE EXCEPTION E_REFUSED 'line refused'");
    database.exec("CREATE TRIGGER T_REFUSE FOR PURCHASE_DETAIL BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'E') THEN EXCEPTION E_REFUSED; END");
    const QVector<SupplierRow> rows{
        supplier(1, "A", 1000.0, 200.0),
        supplier(2, "B", "12x", -5.0),
        supplier(3, "C", "", 0.0),
        supplier(4, "D", "nan", "inf"),
        supplier(5, "E", 500.0, 70.0),
        supplier(6, "F", QVariant(), 90.0),
        supplier(7, "G", "1e2", QVariant(), "x"),  // an unreadable flag: totalled as tax included
    };

    const auto before = stored();
    const OpeningPlan preview = plan(rows);
    EXPECT_EQ(stored(), before);  // planning writes nothing, not even the day's counter

    Recorder recorder(false);
    const RunResult result = run(rows, recorder);

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_TRUE(recorder.asked.empty());
    EXPECT_EQ(recorder.failedBills, QStringList{"E"});
    EXPECT_EQ(recorder.done_, QStringList({"A 1/7", "B 2/7", "C 3/7", "D 4/7", "E 5/7", "F 6/7", "G 7/7"}));

    // Every reason, on the document it belongs to.
    const auto outcomes = [&](int i) {
        return std::pair{result.plan.suppliers.at(i).bill.outcome, result.plan.suppliers.at(i).payment.outcome};
    };
    EXPECT_EQ(outcomes(0), std::pair(Outcome::Written, Outcome::Written));
    EXPECT_EQ(outcomes(1), std::pair(Outcome::NotANumber, Outcome::Negative));
    EXPECT_EQ(outcomes(2), std::pair(Outcome::Empty, Outcome::Zero));
    EXPECT_EQ(outcomes(3), std::pair(Outcome::NotANumber, Outcome::NotANumber));
    EXPECT_EQ(outcomes(4), std::pair(Outcome::Failed, Outcome::Written));
    EXPECT_EQ(outcomes(5), std::pair(Outcome::Empty, Outcome::Written));
    EXPECT_EQ(outcomes(6), std::pair(Outcome::Written, Outcome::Empty));
    const Document& failed = result.plan.suppliers.at(4).bill;
    EXPECT_EQ(failed.number, "0201102190002");  // spent, as the counter was advanced
    EXPECT_TRUE(failed.detail.contains("E_REFUSED") && failed.detail.contains("line refused")) << failed.detail.toStdString();

    // What the result claims written is exactly what is stored; the failed bill left nothing.
    QVector<QVector<QVariant>> claimed;
    for (const SupplierEntry& s : result.plan.suppliers)
        if (s.bill.outcome == Outcome::Written)
            claimed.push_back({s.bill.number, s.supplier.code, s.bill.net.amount(), s.bill.tax.amount(),
                               s.bill.total.amount()});
    EXPECT_EQ(claimed, QVector<QVector<QVariant>>({{"0201102190001", "A", 1000.0, 50.0, 1050.0},
                                                   {"0201102190003", "G", 95.0, 5.0, 100.0}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT "
                            "FROM PURCHASE_MASTER ORDER BY 1"),
              claimed);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), 2);
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A", 200.0},
                                          {"0201102190005", "E", 70.0},
                                          {"0201102190006", "F", 90.0}}));

    // The plan foresaw every document with the number and amounts the run gave it, and named the
    // same faults as the account.
    EXPECT_EQ(planned(preview), QStringList({"A 進貨單 0201102190001 1050", "A 預付單 0201102190001 200",
                                             "E 進貨單 0201102190002 525", "E 預付單 0201102190005 70",
                                             "F 預付單 0201102190006 90", "G 進貨單 0201102190003 100"}));
    const QStringList faults = faultLines(preview.suppliers);
    EXPECT_EQ(faults, QStringList({"略過 B 廠商B（第 2 列） 進貨單：非數值", "略過 B 廠商B（第 2 列） 預付單：負數餘額 -5",
                                   "略過 D 廠商D（第 4 列） 進貨單、預付單：非數值"}));
    EXPECT_EQ(faultLines(result.plan.suppliers), faults);

    // The account counts every document once and names the failure with the database's message.
    const Totals totals = totalsOf(result.plan.suppliers);
    EXPECT_EQ(totals.bills.count, 2);
    EXPECT_EQ(totals.bills.total, MoneySum(Money(1150.0)));
    EXPECT_EQ(totals.payments.count, 3);
    EXPECT_EQ(totals.payments.total, MoneySum(Money(360.0)));
    EXPECT_EQ(totals.failed, 1);
    EXPECT_EQ(totals.faultySuppliers, 2);
    const QString account = runAccount(result);
    EXPECT_TRUE(account.contains("合計 1,150.00") && account.contains("預付單 3 筆 360.00")) << account.toStdString();
    EXPECT_TRUE(account.contains("E 廠商E（第 5 列） 進貨單：exception 1 -E_REFUSED -line refused")) << account.toStdString();
    EXPECT_TRUE(account.contains(faults.join('\n')));
}

TEST_F(OpeningEngineTest, EarlierPaymentRecordsAloneAreAnEarlierRunDeclinedWithoutAWriteAndAStopKeepsWhatWasCommitted)
{
    // Payment records and a line of an earlier run, but no bill.
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE,CASH_AMT) "
                  "VALUES('0201102190002','B','2010/01/01',5)");
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE) VALUES('0201102190003','ZZ','2010/01/01')");
    database.exec("INSERT INTO PURCHASE_DETAIL(MASTERBILLID) VALUES('0201001010007')");
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), supplier(2, "B", 20.0, 2.0),
                                    supplier(3, "C", 30.0, 3.0)};

    // A re-run replaces everything: nobody keeps an old record, every supplier gets its own.
    const OpeningPlan preview = plan(rows);
    EXPECT_EQ(std::tuple(preview.earlier.bills, preview.earlier.lines, preview.earlier.payments), std::tuple(0, 1, 2));
    EXPECT_EQ(planned(preview).size(), 6);
    EXPECT_TRUE(previewNotes(preview).contains("將取代前次開帳：進貨單 0 張 合計 0、明細 1 筆、預付單 2 筆 合計 5"));

    const auto before = stored();
    Recorder declining(false);
    const RunResult declined = run(rows, declining);
    EXPECT_EQ(declined.end, RunEnd::Declined);
    EXPECT_EQ(declining.asked, std::vector<int>{3});
    EXPECT_EQ(stored(), before);

    database.exec("CREATE EXCEPTION E_LOCKED 'payments are locked'");
    database.exec("CREATE TRIGGER T_LOCK FOR PAY_MASTER BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'B') THEN EXCEPTION E_LOCKED; END");
    Recorder replacing(true);
    const RunResult stopped = run(rows, replacing);
    EXPECT_EQ(stopped.end, RunEnd::Stopped);
    EXPECT_EQ(stopped.replaced.payments, 2);
    EXPECT_EQ(stopped.stoppedAt, 2);
    EXPECT_TRUE(stopped.stopError.contains("E_LOCKED") && stopped.stopError.contains("payments are locked"));
    EXPECT_EQ(stopped.plan.suppliers.at(1).bill.outcome, Outcome::Written);
    EXPECT_EQ(stopped.plan.suppliers.at(1).payment.outcome, Outcome::Failed);
    EXPECT_EQ(stopped.plan.suppliers.at(2).bill.outcome, Outcome::NotReached);
    EXPECT_EQ(totalsOf(stopped.plan.suppliers).notReached, 2);
    // The earlier run is gone whole, A and B's bills and A's payment record stay committed.
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190002", "B"}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PAY_MASTER"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}}));
    EXPECT_TRUE(runAccount(stopped).contains("未執行：2 筆"));
}

TEST_F(OpeningEngineTest, WhileAnotherConnectionRunsNothingIsWrittenAndItsClaimEndsWithIt)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0)};
    TSimpleDataMod other(database.folder());
    other.DataModuleCreate();
    {
        RunClaim running(other);
        // Refused whichever lock row the running claim has been handed to.
        for (int handOver = 0; handOver < 3; ++handOver) {
            Recorder recorder(true);
            const RunResult busy = run(rows, recorder);
            EXPECT_EQ(busy.end, RunEnd::Busy);
            EXPECT_TRUE(busy.stopError.contains(other.LocalIP()) && busy.stopError.contains("正在執行期初開帳"))
                << busy.stopError.toStdString();
            QThread::msleep(250);
            running.keepFresh();
        }
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(), 0);
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PRODUCT").toInt(), 0);  // not even the placeholder
    }
    Recorder recorder(true);
    EXPECT_EQ(run(rows, recorder).end, RunEnd::Completed);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(), 1);
}

TEST_F(OpeningEngineTest, AListThatDidNotLoadNamesTheDoubledAccountsAndDeletesNothing)
{
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES('A','甲')");
    database.exec("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES('B','乙')");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('A',10)");
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('A ',20)");  // the same code to the database
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY) VALUES('B',30)");
    database.exec("INSERT INTO PURCHASE_MASTER(MASTERBILLID,SUPP_CORP_ID) VALUES('0201001010001','A')");
    const auto before = stored();

    const SupplierList list = readSupplierList(bill.query);
    ASSERT_FALSE(list.loaded());
    EXPECT_TRUE(list.failure.contains("multiple rows in singleton select")) << list.failure.toStdString();
    EXPECT_TRUE(list.failure.contains("「A」「A 」")) << list.failure.toStdString();
    EXPECT_FALSE(list.failure.contains("「B」"));

    Recorder recorder(true);
    const RunResult refused = runOpening(dm, bill, list, QDate(2011, 2, 19), recorder);
    EXPECT_EQ(refused.end, RunEnd::Refused);
    EXPECT_TRUE(refused.stopError.startsWith("廠商清單無法載入，無法開帳："));
    EXPECT_TRUE(recorder.asked.empty());
    EXPECT_EQ(stored(), before);
    EXPECT_TRUE(planOpening(dm, bill.query, list, QDate(2011, 2, 19)).refused());
}

TEST_F(OpeningEngineTest, TextsThatDoNotFitTheirColumnsAreNeverPostedNorTruncated)
{
    SupplierRow longName = supplier(2, "N", 10.0, 1.0);
    longName.name = QString(100, u'名') + u'X';
    SupplierRow longParent = supplier(4, "P", 10.0, 0.0);
    longParent.parent = QString(11, u'P');
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), longName, supplier(3, QString(21, u'C'), 10.0, 0.0),
                                    longParent, supplier(5, "T", 10.0, 1.0, "12"), supplier(6, "Z", 0.0, 2.0)};
    Recorder recorder(true);
    const OpeningPlan preview = plan(rows);
    const RunResult result = run(rows, recorder);
    ASSERT_EQ(result.end, RunEnd::Completed);

    // Only the suppliers whose every text fits are posted, numbered as if the others were not there.
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190006", "Z"}}));
    const QStringList faults = faultLines(preview.suppliers);
    EXPECT_EQ(faults, faultLines(result.plan.suppliers));
    ASSERT_EQ(faults.size(), 4);
    EXPECT_EQ(faults.at(0), "略過 N " + longName.name + "（第 2 列） 進貨單、預付單：文字過長（廠商名稱「" + longName.name +
                                "」101 字，超過 PURCHASE_MASTER.SUPP_CORP_NAME 的 100 字）");
    EXPECT_TRUE(faults.at(1).contains("廠商代號") && faults.at(1).contains("21 字，超過 PURCHASE_MASTER.SUPP_CORP_ID 的 20 字"));
    EXPECT_TRUE(faults.at(2).contains("付款廠商") && faults.at(2).contains("SUPP_CORP_IDAC 的 10 字"));
    EXPECT_TRUE(faults.at(3).contains("稅別「12」2 字"));
    EXPECT_EQ(totalsOf(result.plan.suppliers).faultySuppliers, 4);

    // A text every bill would store that does not fit refuses the whole run before anything is
    // deleted: here the placeholder product's name, with an earlier run waiting to be replaced.
    database.exec("ALTER TABLE PRODUCT ALTER PROD_NAME TYPE VARCHAR(200)");
    database.exec("UPDATE PRODUCT SET PROD_NAME = '" + QString(101, u'帳') + "'");
    const auto before = stored();
    Recorder again(true);
    const RunResult refused = run(rows, again);
    EXPECT_EQ(refused.end, RunEnd::Refused);
    EXPECT_TRUE(refused.stopError.contains("期初帳款商品 X99X 的 PROD_NAME") &&
                refused.stopError.contains("101 字，超過 PURCHASE_DETAIL.V_NAME 的 100 字"))
        << refused.stopError.toStdString();
    EXPECT_TRUE(again.asked.empty());
    EXPECT_EQ(stored(), before);
}

TEST_F(OpeningEngineTest, SettingsAndResultsThatAreNoAmountRefuseOrSkipBeforeAnythingIsWritten)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), supplier(2, "H", 1.75e308, 1.0)};
    const auto refused = [&](const char* setting) {
        Recorder recorder(true);
        const RunResult result = run(rows, recorder);
        EXPECT_EQ(result.end, RunEnd::Refused);
        EXPECT_TRUE(result.stopError.contains(setting)) << result.stopError.toStdString();
        EXPECT_EQ(database.scalar("SELECT (SELECT COUNT(*) FROM PRODUCT) + (SELECT COUNT(*) FROM PURCHASE_NUM) + "
                                  "(SELECT COUNT(*) FROM PAY_MASTER) FROM RDB$DATABASE")
                      .toInt(),
                  0);
    };
    for (const double rate : {-1.0, 1e308, std::nan("")}) {
        dm.settings.in_tax = rate;
        refused("in_tax");
    }
    dm.settings.in_tax = 0.05;
    dm.settings.in_money_id = "NTD-DOLLARS";  // one character more than MONEY_ID holds
    refused("in_money_id");
    dm.settings.in_money_id = "NTD";
    dm.settings.main_stockid = QString(11, 'W');
    refused("main_stockid");
    dm.settings.main_stockid = "A01";

    // A balance whose bill would come out as no finite amount is skipped, named, and the rest goes on.
    Recorder recorder(true);
    const RunResult result = run(rows, recorder);
    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_EQ(result.plan.suppliers.at(1).bill.outcome, Outcome::NotFinite);
    EXPECT_EQ(result.plan.suppliers.at(1).payment.outcome, Outcome::Written);
    EXPECT_EQ(database.rows("SELECT SUPP_CORP_ID, TOTAL_TOTAMT FROM PURCHASE_MASTER"),
              QVector<QVector<QVariant>>({{"A", 11.0}}));
    EXPECT_TRUE(faultLines(result.plan.suppliers).join('\n').contains("H 廠商H（第 2 列） 進貨單：金額超出範圍"));
}

TEST_F(OpeningEngineTest, ThePlansFiguresAreTheStoredRowsAndTieToTheBalances)
{
    dm.settings.in_totdot = 2;
    dm.settings.account_amt_format = QStringLiteral("#,##0");
    QVector<SupplierRow> rows{supplier(1, "A", 1234.5, 0.1, "0"),   supplier(2, "B", 333.335, 0.2, "1"),
                              supplier(3, "C", 1000.004, 0.0, "2"), supplier(4, "D", 0.125, 0.0, "0"),
                              supplier(5, "E", 99.99, 0.0, "1"),     supplier(6, "F", -3.0, 0.0, "0")};
    for (int i = 7; i <= 206; ++i)  // many decimals: summed in binary they would drift
        rows << supplier(i, QStringLiteral("X%1").arg(i), 0.1, 0.0, QString::number(i % 2));
    const OpeningPlan preview = plan(rows);
    Recorder recorder(true);
    const RunResult result = run(rows, recorder);
    ASSERT_EQ(result.end, RunEnd::Completed);

    // Each bill as stored is the plan's bill.
    QVector<QVector<QVariant>> expected;
    for (const SupplierEntry& entry : preview.suppliers)
        if (entry.bill.outcome == Outcome::Planned)
            expected.push_back({entry.bill.number, entry.bill.balance.amount(), entry.bill.net.amount(),
                                entry.bill.tax.amount(), entry.bill.total.amount()});
    EXPECT_EQ(database.rows("SELECT m.MASTERBILLID, d.AMT, m.TOTAL_NETAMT, m.TOTAL_TAXAMT, m.TOTAL_TOTAMT "
                            "FROM PURCHASE_MASTER m JOIN PURCHASE_DETAIL d ON d.MASTERBILLID = m.MASTERBILLID ORDER BY 1"),
              expected);

    // Balances + tax on top ± rounding = the bills' total; balances − tax inside ± rounding = their net.
    const Totals totals = totalsOf(result.plan.suppliers);
    EXPECT_EQ(totals.bills.count, 205);
    EXPECT_EQ(totals.bills.balance.text(2), "2,687.954");
    EXPECT_TRUE(totals.bills.balance + totals.taxOnTop + totals.rounding == totals.bills.total);
    EXPECT_TRUE(totals.bills.balance - totals.taxInside + totals.rounding == totals.bills.net);
    EXPECT_TRUE(totals.bills.net + totals.bills.tax == totals.bills.total);
    EXPECT_EQ(totals.payments.total.text(), "0.3");
    // The sums the database makes of what was stored agree to the cent.
    const auto sums = database.rows("SELECT SUM(TOTAL_NETAMT), SUM(TOTAL_TAXAMT), SUM(TOTAL_TOTAMT) FROM PURCHASE_MASTER");
    EXPECT_NEAR(sums.at(0).at(0).toDouble(), totals.bills.net.value().amount(), 1e-9);
    EXPECT_NEAR(sums.at(0).at(1).toDouble(), totals.bills.tax.value().amount(), 1e-9);
    EXPECT_NEAR(sums.at(0).at(2).toDouble(), totals.bills.total.value().amount(), 1e-9);
    const QString line = reconciliationText(totals, dm.settings);
    EXPECT_TRUE(line.startsWith(QStringLiteral("調節：期初未付 2,687.954 ＋ 外加稅額 %1（102 張）")
                                    .arg(totals.taxOnTop.text())))
        << line.toStdString();
    EXPECT_TRUE(line.contains("＝ 進貨單合計 " + totals.bills.total.text()));
}

TEST_F(OpeningEngineTest, ASupplierCodeListedTwiceIsPostedOnceAtItsFirstRow)
{
    // With a trailing blank the database takes it for the same code.
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), supplier(2, "A ", 10.0, 1.0),
                                    supplier(3, "B", 20.0, 2.0)};
    const OpeningPlan preview = plan(rows);
    EXPECT_EQ(planned(preview).size(), 4);
    EXPECT_EQ(faultLines(preview.suppliers),
              QStringList{"略過 A  廠商A （第 2 列） 進貨單、預付單：重複廠商代號（與第 1 列為同一廠商代號，只在該列開立）"});

    Recorder recorder(true);
    const RunResult result = run(rows, recorder);
    EXPECT_EQ(result.plan.suppliers.at(1).bill.outcome, Outcome::Duplicate);
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190002", "B"}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190003", "B"}}));
    EXPECT_EQ(recorder.done_.size(), 3);
}

TEST(Money, ReadsAsItsFifteenDigitTextAndSumsExactly)
{
    const double tie = 763287067388048.5;  // 16 digits: the text's rounding decides
    for (const double value : {1234.5, 0.1 + 0.2, 1e14 + 0.5, 999999999999999.0, tie, -0.0, -12.25, 1.0 / 3.0,
                               5e-324, 1e300, 0.0, std::nan(""), HUGE_VAL}) {
        const Balance asNumber = readBalance(QVariant(value));
        const Balance asText = readBalance(QVariant(db::formatDouble(value)));
        EXPECT_EQ(asNumber.reading, asText.reading) << value;
        EXPECT_EQ(std::signbit(asNumber.amount.stored().amount()), std::signbit(asText.amount.amount())) << value;
        EXPECT_TRUE(asNumber.amount.stored() == asText.amount || std::isnan(value)) << value;
    }
    MoneySum sum;
    for (int i = 0; i < 10000; ++i)
        sum += Money(1234.56);
    EXPECT_EQ(sum.text(), "12,345,600");
    EXPECT_EQ(sum.text(2), "12,345,600.00");
    EXPECT_EQ((MoneySum(Money(0.1)) + Money(0.2)).text(), "0.3");
    EXPECT_EQ((MoneySum(Money(-0.25)) - Money(1e6)).plainText(), "-1000000.25");
    EXPECT_EQ(Money(1.0 / 3.0).text(2), "0.333333333333333");
    EXPECT_EQ((MoneySum(Money(1e300)) + Money(1.0)).value().amount(), 1e300);  // beyond 18 digits: approximate
}

TEST_F(OpeningEngineTest, TheCheckNamesEveryStoredDocumentThatNoLongerTies)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 1000.0, 200.0), supplier(2, "B", 500.0, 70.0),
                                    supplier(3, "C", 300.0, 0.0), supplier(4, "D", 0.0, 40.0)};
    Recorder recorder(true);
    const RunResult result = run(rows, recorder);
    ASSERT_TRUE(result.check && result.check->ties()) << checkVerdict(*result.check, dm.settings).toStdString();
    EXPECT_TRUE(runAccount(result).endsWith("基準日 2011/02/19 核對相符：進貨單 3 張 合計 1,890.00、預付單 3 筆 310.00，與資料庫所存一致"))
        << runAccount(result).toStdString();

    // Another program's hand since: an amount changed, a line deleted, a payment record copied,
    // a bill nobody is owed, a line without its header.
    database.exec("UPDATE PURCHASE_MASTER SET TOTAL_TOTAMT = 1051 WHERE SUPP_CORP_ID = 'A'");
    database.exec("DELETE FROM PURCHASE_DETAIL WHERE SUPP_CORP_ID = 'B'");
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,CASH_AMT) "
                  "SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER WHERE SUPP_CORP_ID = 'D'");
    database.exec("INSERT INTO PURCHASE_MASTER(MASTERBILLID,SUPP_CORP_ID,TOTAL_TOTAMT) VALUES('0201102190099','D',5)");
    database.exec("INSERT INTO PURCHASE_DETAIL(MASTERBILLID,SUPP_CORP_ID,AMT) VALUES('0201102190098','Z',7)");
    database.exec("DELETE FROM PAY_MASTER WHERE SUPP_CORP_ID = 'B'");

    const CheckResult check = checkOpening(bill.query, plan(rows));
    QStringList found;
    for (const Mismatch& m : check.mismatches)
        found << QStringLiteral("%1 %2 %3 %4→%5 %6").arg(m.supplier, kindText(m.kind), m.number, m.expected, m.stored, m.what);
    found.sort();
    EXPECT_EQ(found, QStringList({"A 進貨單 0201102190001 1050→1051 合計不符",
                                  "B 進貨單 0201102190002 1→0 缺少明細",
                                  "B 預付單 0201102190002 70→ 缺少預付單",
                                  "D 進貨單 0201102190099 →5 不應開立：餘額為零",
                                  "D 預付單 0201102190004 →40 單號重複",
                                  "Z 進貨單 0201102190098 →7 明細沒有表頭"}));
    EXPECT_EQ(check.storedBills.count, 4);
    EXPECT_EQ(check.storedPayments.total, MoneySum(Money(280.0)));
    EXPECT_TRUE(checkVerdict(check, dm.settings).startsWith("基準日 2011/02/19 核對不符 6 項：應有 進貨單 3 張 合計 1,890.00"));
    // The stored documents as the report prints them: what the database holds of each.
    EXPECT_EQ(check.stored.at(0).bill.total, Money(1051.0));
    EXPECT_EQ(check.stored.at(1).payment.outcome, Outcome::NotReached);

    // Nothing stored at all, where the list expects documents, says so.
    database.exec("DELETE FROM PURCHASE_MASTER");
    database.exec("DELETE FROM PURCHASE_DETAIL");
    database.exec("DELETE FROM PAY_MASTER");
    const CheckResult empty = checkOpening(bill.query, plan(rows));
    EXPECT_EQ(empty.mismatches.size(), 6);
    EXPECT_TRUE(checkVerdict(empty, dm.settings).endsWith("資料庫中沒有期初單據"));
}

TEST_F(OpeningEngineTest, EveryRunIsRecordedNewestFirstHoweverItEnds)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 1000.0, 200.0), supplier(2, "B", -1.0, 0.0)};
    Recorder replacing(true);
    EXPECT_EQ(run(rows, replacing).end, RunEnd::Completed);
    Recorder declining(false);
    EXPECT_EQ(run(rows, declining).end, RunEnd::Declined);
    {
        TSimpleDataMod other(database.folder());
        other.DataModuleCreate();
        RunClaim running(other);
        EXPECT_EQ(run(rows, replacing).end, RunEnd::Busy);
    }
    EXPECT_EQ(run(rows, replacing).end, RunEnd::Completed);

    const QVector<RunRecord> history = runHistory(bill.query);
    ASSERT_EQ(history.size(), 4);
    QStringList outcomes;
    for (const RunRecord& record : history)
        outcomes << QStringLiteral("%1 %2/%3/%4/%5 %6")
                        .arg(record.outcome)
                        .arg(record.written)
                        .arg(record.replaced)
                        .arg(record.skipped)
                        .arg(record.failed)
                        .arg(record.billsTotal.plainText());
    EXPECT_EQ(outcomes, QStringList({"completed 2/2/1/0 1050", "busy 0/0/0/0 0", "declined 0/0/0/0 0",
                                     "completed 2/0/1/0 1050"}));
    const RunRecord& last = history.first();
    EXPECT_EQ(last.baseDate, QDate(2011, 2, 19));
    EXPECT_EQ(last.login, dm.SQLConnection1.params().value("user_name").toUpper());
    EXPECT_EQ(last.host, dm.LocalIP());
    EXPECT_LE(last.started, last.ended);
    EXPECT_TRUE(history.at(1).note.contains("正在執行期初開帳"));
    EXPECT_EQ(lastWritingRun(bill.query)->started, last.started);
    // The question before a re-run says what it would replace.
    const OpeningPlan again = plan(rows);
    ASSERT_TRUE(again.earlier.record);
    EXPECT_EQ(earlierRunText(again.earlier),
              QStringLiteral("將取代前次開帳：%1 於 %2 開帳，進貨單 1 張 合計 1,050、明細 1 筆、預付單 1 筆 合計 200")
                  .arg(last.started.toString("yyyy/MM/dd HH:mm"), last.host));
}
