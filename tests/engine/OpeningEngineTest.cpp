// The opening engine without a window: its result must say exactly what the database holds.
#include "BillWorkspace.h"
#include "Balance.h"
#include "Csv.h"
#include "ListTotals.h"
#include "FrmSimpleDataMod.h"
#include "OpeningRun.h"
#include "Preview.h"
#include "RunClaim.h"
#include "RunReport.h"
#include "TempDatabase.h"
#include "TextNumbers.h"

#include <QThread>
#include <gtest/gtest.h>

using namespace opening;

namespace {

// Answers the question as told and records every event.
class Recorder : public RunObserver {
public:
    explicit Recorder(bool replace) : replace_(replace) {}
    bool replaceEarlierRun(int earlierBills) override
    {
        asked.push_back(earlierBills);
        return replace_;
    }
    void billFailed(const SupplierResult& supplier) override { failedBills << supplier.supplier.code; }
    void supplierDone(const SupplierResult& supplier, int done, int total) override
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

} // namespace

class OpeningEngineTest : public ::testing::Test {
protected:
    OpeningEngineTest()
    {
        database.writeDbConfig();
        dm.DataModuleCreate();
        bill.bindConnection(&dm.SQLConnection1);
        dm.SQLConnection1.open();
        in_tax = 0.05;
        in_totdot = 0;
        in_money_id = QStringLiteral("NTD");
        main_stockid = QStringLiteral("A01");
        account_amt_format = QStringLiteral("#,##0.00");
    }

    RunResult run(const QVector<SupplierRow>& rows, Recorder& recorder)
    {
        return runOpening(dm, bill, rows, QDate(2011, 2, 19), recorder);
    }
    QVector<QVector<QVariant>> stored()
    {
        auto all = database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT "
                                 "FROM PURCHASE_MASTER ORDER BY 1");
        all += database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER ORDER BY 1, 2");
        all += database.rows("SELECT BILL_DATE, LAST_ID FROM PURCHASE_NUM");
        return all;
    }

    testsupport::TempDatabase database;
    TSimpleDataMod dm{database.folder()};
    BillWorkspace bill;
};

TEST_F(OpeningEngineTest, TheResultAndThePreviewSayWhatTheDatabaseHolds)
{
    database.exec("CREATE EXCEPTION E_REFUSED 'line refused'");
    database.exec("CREATE TRIGGER T_REFUSE FOR PURCHASE_DETAIL BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'E') THEN EXCEPTION E_REFUSED; END");
    // A leftover payment record without any opening bill: kept, and nothing is asked.
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE,CASH_AMT) "
                  "VALUES('0201001010001','F','2010/01/01',50)");
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
    const Preview preview = previewOpening(dm, bill.query, rows, QDate(2011, 2, 19));
    EXPECT_EQ(stored(), before);  // the preview writes nothing, not even the day's counter

    Recorder recorder(false);
    const RunResult result = run(rows, recorder);

    EXPECT_EQ(result.end, RunEnd::Completed);
    EXPECT_TRUE(recorder.asked.empty());
    EXPECT_EQ(recorder.failedBills, QStringList{"E"});
    EXPECT_EQ(recorder.done_, QStringList({"A 1/7", "B 2/7", "C 3/7", "D 4/7", "E 5/7", "F 6/7", "G 7/7"}));

    // Every reason, on the document it belongs to.
    const auto outcomes = [&](int i) {
        return std::pair{result.suppliers.at(i).bill.outcome, result.suppliers.at(i).payment.outcome};
    };
    EXPECT_EQ(outcomes(0), std::pair(Outcome::Written, Outcome::Written));
    EXPECT_EQ(outcomes(1), std::pair(Outcome::NotANumber, Outcome::Negative));
    EXPECT_EQ(outcomes(2), std::pair(Outcome::Empty, Outcome::Zero));
    EXPECT_EQ(outcomes(3), std::pair(Outcome::NotANumber, Outcome::NotANumber));
    EXPECT_EQ(outcomes(4), std::pair(Outcome::Failed, Outcome::Written));
    EXPECT_EQ(outcomes(5), std::pair(Outcome::Empty, Outcome::Kept));
    EXPECT_EQ(outcomes(6), std::pair(Outcome::Written, Outcome::Empty));
    const DocumentResult& failed = result.suppliers.at(4).bill;
    EXPECT_EQ(failed.number, "0201102190002");  // spent, as the counter was advanced
    EXPECT_TRUE(failed.error.contains("E_REFUSED") && failed.error.contains("line refused")) << failed.error.toStdString();

    // What the result claims written is exactly what is stored; the failed bill left nothing.
    QVector<QVector<QVariant>> claimed;
    for (const SupplierResult& s : result.suppliers)
        if (s.bill.outcome == Outcome::Written)
            claimed.push_back({s.bill.number, s.supplier.code, s.bill.net, s.bill.tax, s.bill.total});
    EXPECT_EQ(claimed, QVector<QVector<QVariant>>({{"0201102190001", "A", 1000.0, 50.0, 1050.0},
                                                   {"0201102190003", "G", 95.0, 5.0, 100.0}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT "
                            "FROM PURCHASE_MASTER ORDER BY 1"),
              claimed);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), 2);
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201001010001", "F", 50.0},
                                          {"0201102190001", "A", 200.0},
                                          {"0201102190005", "E", 70.0}}));

    // The preview foresaw every document with the number and amounts the run gave it.
    QStringList foreseen;
    for (const PlannedDocument& d : preview.documents)
        foreseen << QStringLiteral("%1 %2 %3 %4").arg(d.supplier.code, kindText(d.kind), d.number).arg(d.total);
    EXPECT_EQ(foreseen, QStringList({"A 進貨單 0201102190001 1050", "A 預付單 0201102190001 200",
                                     "E 進貨單 0201102190002 525", "E 預付單 0201102190005 70",
                                     "G 進貨單 0201102190003 100"}));
    EXPECT_EQ(preview.skipped.size(), 5);  // B twice, D twice, F's kept record
    EXPECT_EQ(preview.skipped.last().reason, Outcome::Kept);

    // The account counts every document once and names the failure with the database's message.
    const RunTotals totals = result.totals();
    EXPECT_EQ(totals.billsWritten, 2);
    EXPECT_EQ(totals.billsTotal, 1150.0);
    EXPECT_EQ(totals.paymentsWritten, 2);
    EXPECT_EQ(totals.paymentsTotal, 270.0);
    EXPECT_EQ(totals.billsFailed, 1);
    EXPECT_EQ(totals.kept, 1);
    EXPECT_EQ(totals.empty + totals.zero + totals.negative + totals.notANumber, 8);
    const QString account = runAccount(result);
    EXPECT_TRUE(account.contains("1,150.00") && account.contains("270.00")) << account.toStdString();
    EXPECT_TRUE(account.contains("E 廠商E 進貨單：exception 1 -E_REFUSED -line refused")) << account.toStdString();
    const QByteArray csv = csvDocument(accountTable(result));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF序號,廠商代號"));
    EXPECT_EQ(csv.count("\r\n"), 8);
}

TEST_F(OpeningEngineTest, DeclinedWritesNothingAndAStopKeepsOnlyWhatWasCommitted)
{
    database.exec("INSERT INTO PURCHASE_MASTER(MASTERBILLID) VALUES('0201001010007')");
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE) VALUES('0201001010001','B','2010/01/01')");
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), supplier(2, "B", 20.0, 2.0),
                                    supplier(3, "C", 30.0, 3.0)};

    // A re-run replaces everything, so nobody keeps a payment record.
    const Preview preview = previewOpening(dm, bill.query, rows, QDate(2011, 2, 19));
    EXPECT_EQ(std::pair(preview.earlierBills, preview.earlierPayments), std::pair(1, 1));
    EXPECT_EQ(preview.documents.size(), 6);

    const auto before = stored();
    Recorder declining(false);
    const RunResult declined = run(rows, declining);
    EXPECT_EQ(declined.end, RunEnd::Declined);
    EXPECT_EQ(declining.asked, std::vector<int>{1});
    EXPECT_EQ(stored(), before);

    database.exec("CREATE EXCEPTION E_LOCKED 'payments are locked'");
    database.exec("CREATE TRIGGER T_LOCK FOR PAY_MASTER BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'B') THEN EXCEPTION E_LOCKED; END");
    Recorder replacing(true);
    const RunResult stopped = run(rows, replacing);
    EXPECT_EQ(stopped.end, RunEnd::Stopped);
    EXPECT_EQ(stopped.replacedBills, 1);
    EXPECT_EQ(stopped.stoppedAt, 2);
    EXPECT_TRUE(stopped.stopError.contains("E_LOCKED") && stopped.stopError.contains("payments are locked"));
    EXPECT_EQ(stopped.suppliers.at(1).bill.outcome, Outcome::Written);
    EXPECT_EQ(stopped.suppliers.at(1).payment.outcome, Outcome::Failed);
    EXPECT_EQ(stopped.suppliers.at(2).bill.outcome, Outcome::NotReached);
    EXPECT_EQ(stopped.totals().notReached, 2);
    // The earlier run is gone, A and B's bills and A's payment record stay committed.
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

TEST_F(OpeningEngineTest, PurchaseSettingsThatWouldGiveWrongBillsAreRefusedBeforeAnythingIsWritten)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0)};
    const auto refused = [&](const char* setting) {
        Recorder recorder(true);
        const RunResult result = run(rows, recorder);
        EXPECT_EQ(result.end, RunEnd::Stopped);
        EXPECT_TRUE(result.stopError.contains(setting)) << result.stopError.toStdString();
        EXPECT_EQ(database.scalar("SELECT (SELECT COUNT(*) FROM PRODUCT) + (SELECT COUNT(*) FROM PURCHASE_NUM) + "
                                  "(SELECT COUNT(*) FROM PAY_MASTER) FROM RDB$DATABASE")
                      .toInt(),
                  0);
    };
    in_tax = -1;
    refused("in_tax");
    in_tax = 0.05;
    in_money_id = "NTD-DOLLARS";  // one character more than MONEY_ID holds
    refused("in_money_id");
    in_money_id = "NTD";
    main_stockid = QString(11, 'W');
    refused("main_stockid");
}

TEST_F(OpeningEngineTest, ASupplierCodeListedTwiceIsPostedOnceAtItsFirstRow)
{
    const QVector<SupplierRow> rows{supplier(1, "A", 10.0, 1.0), supplier(2, "A", 10.0, 1.0),
                                    supplier(3, "B", 20.0, 2.0)};
    const ListTotals totals = listTotals(rows);
    EXPECT_EQ(std::tuple(totals.bills, totals.unpaid, totals.payments, totals.repeats), std::tuple(2, 30.0, 2, 1));
    EXPECT_TRUE(listTotalsText(totals).contains("重複代號 1 筆"));

    const Preview preview = previewOpening(dm, bill.query, rows, QDate(2011, 2, 19));
    EXPECT_EQ(preview.documents.size(), 4);
    EXPECT_TRUE(previewNotes(preview).contains("略過 A 廠商A 第 2 列：重複廠商代號"));

    Recorder recorder(true);
    const RunResult result = run(rows, recorder);
    EXPECT_EQ(result.suppliers.at(1).bill.outcome, Outcome::Duplicate);
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190002", "B"}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "A"}, {"0201102190003", "B"}}));
    EXPECT_EQ(recorder.done_.size(), 3);
}

TEST(Balances, ANumberReadsExactlyAsItsFifteenDigitText)
{
    const double tie = 763287067388048.5;  // 16 digits: the text's rounding decides
    for (const double value : {1234.5, 0.1 + 0.2, 1e14 + 0.5, 999999999999999.0, tie, -0.0, -12.25, 1.0 / 3.0,
                               5e-324, 1e300, 0.0, std::nan(""), HUGE_VAL}) {
        const Balance asNumber = readBalance(QVariant(value));
        const Balance asText = readBalance(QVariant(db::formatDouble(value)));
        EXPECT_EQ(asNumber.reading, asText.reading) << value;
        EXPECT_EQ(std::signbit(asNumber.amount), std::signbit(asText.amount)) << value;
        EXPECT_TRUE(asNumber.amount == asText.amount || std::isnan(value)) << value;
    }
}
