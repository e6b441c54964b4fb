#include "ClockTexts.h"
#include "OpeningFixture.h"
#include "CheckDialog.h"
#include "PreviewDialog.h"
#include "RunStatusPanel.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {
const QString kAsked = QStringLiteral("期初開帳已執行確定重新開帳 ?");
const QString kDone = QStringLiteral("期初帳款開立完成..!");

QString billDate()
{
    const QChar sep = opening::dateSeparator();
    return QStringLiteral("2011") + sep + QStringLiteral("02") + sep + QStringLiteral("19");
}
} // namespace

class PostingRunTest : public OpeningTest {
protected:
    // The demo's kinds of supplier, in code order: both balances; unpaid only, paid through
    // another company; prepaid only; null, zero and negative balances; no account row at all.
    void addSuppliers()
    {
        addSupplier("S001", "大同五金行", 1234.5, 300, "0");
        addSupplier("S002", "永豐紙業台中分公司", 5000, 0, "1", "S007");
        addSupplier("S003", "新竹電子材料行", 0, 800, "2");
        database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID) VALUES('S004')");
        addSupplier("S004", "台南食品有限公司", {}, {}, "");
        addSupplier("S005", "高雄鋼鐵工業社", 0, 0, "0");
        addSupplier("S006", "花蓮石材企業行", -250, -100, "1");
        addSupplier("S007", "永豐紙業股份有限公司", {}, {}, "2");
    }
    // The system started anew: a new window, its list loaded, its button enabled.
    void restart()
    {
        form = std::make_unique<TFormSuppBeforeStart>();
        form->bindConnection(&dm.SQLConnection1);
        openWindow();
        shown->clear();
    }
    QStringList column(const QString& sql)
    {
        QStringList values;
        for (const auto& r : database.rows(sql))
            values << r.first().toString();
        return values;
    }
    QVector<QVector<QVariant>> documents()
    {
        QVector<QVector<QVariant>> all;
        for (const char* sql : {"SELECT * FROM PURCHASE_MASTER ORDER BY MASTERBILLID",
                                "SELECT * FROM PURCHASE_DETAIL ORDER BY MASTERBILLID",
                                "SELECT * FROM PAY_MASTER ORDER BY MASTERBILLID, SUPP_CORP_ID",
                                "SELECT * FROM PRODUCT", "SELECT * FROM PURCHASE_NUM"})
            all += database.rows(sql);
        return all;
    }
};

TEST_F(PostingRunTest, AFirstRunPostsEveryBalanceExactly)
{
    addSuppliers();
    openWindow();
    QStringList sent;
    dm.SQLConnection1.setStatementObserver([&sent](const QString& text) { sent << text; });
    ASSERT_TRUE(press());
    dm.SQLConnection1.setStatementObserver({});

    // The inserts are the suite's, line for line, inside the one statement that writes a
    // supplier's documents, each value read from that statement's parameter for its column.
    const QStringList headerInsert{
        "INSERT INTO PURCHASE_MASTER(MASTERBILLID,BILL_DATE,FLAG,FLAG_ID,EMPLOYEE_ID,EMPLOYEE_NAME,",
        "SUPP_CORP_ID,SUPP_CORP_NAME,TAX_FLAG,PRICE_NO,SOURCE_TYPE,SOURCE_ID,TOTAL_NETAMT,",
        "TOTAL_TAXAMT,TOTAL_TOTAMT,TOTAL_DISCOUNT,TOTAL_DISTAX,TOTAL_MONEY,NOW_PAY,PAYED_AMT,",
        "TOTAL_SURPLUS,SURPLUS,STOCK_ID,STOCK_NAME,NOTE,FR_FLAG,FR_NAME,FR_ADDRESS,FR_PHONE,",
        "INVOICE_CLASS,INVOICE_DATE,INVOICE_NUM,BILL_KIND,ACC_DATE,PROJ_ID,DEPART_ID,",
        "SUPP_CORP_IDAC,SECBILLID,AGREE_YN,MONEY_ID,MONEY_NAME,MONEY_RATE,CHG_DATETIME,",
        "CHG_USER,CHG_HOST,CR_DATETIME,CR_USER,CR_HOST,WUID) ",
        " VALUES (:MASTERBILLID,:BILL_DATE,:FLAG,:FLAG_ID,:EMPLOYEE_ID,:EMPLOYEE_NAME,",
        ":SUPP_CORP_ID,:SUPP_CORP_NAME,:TAX_FLAG,:PRICE_NO,:SOURCE_TYPE,:SOURCE_ID,:TOTAL_NETAMT,",
        ":TOTAL_TAXAMT,:TOTAL_TOTAMT,:TOTAL_DISCOUNT,:TOTAL_DISTAX,:TOTAL_MONEY,:NOW_PAY,:PAYED_AMT,",
        ":TOTAL_SURPLUS,:SURPLUS,:STOCK_ID,:STOCK_NAME,:NOTE,:FR_FLAG,:FR_NAME,:FR_ADDRESS,:FR_PHONE,",
        ":INVOICE_CLASS,:INVOICE_DATE,:INVOICE_NUM,:BILL_KIND,:ACC_DATE,:PROJ_ID,:DEPART_ID,",
        ":SUPP_CORP_IDAC,:SECBILLID,:AGREE_YN,:MONEY_ID,:MONEY_NAME,:MONEY_RATE,:CHG_DATETIME,",
        ":CHG_USER,:CHG_HOST,:CR_DATETIME,:CR_USER,:CR_HOST,:WUID) "};
    const QStringList lineInsert{
        "INSERT INTO PURCHASE_DETAIL(MASTERBILLID,KEYINTIME,TEMPPRODID,V_NAME,",
        "V_QTY,V_UNIT,B_PRICE,U_DIS,V_PRICE,AMT,MONEY_ID,MONEY_RATE,TAX_FLAG,",
        "TAX_KIND,TAX_AMT,NET_PRICE,TOT_PRICE,TOT_AMT,V_GIVE_QTY,REMARK,",
        "PD_SERNO,PH_NO,PACK_REMARK,PROD_ID,PROD_BARCODE,PROD_NAME,PROD_SCALE,",
        "UNIT_ID,STK_QTY_YN,PD_ITEMID,SALE_PRICE,PACK_QTY,QTY,GIVE_QTY,",
        "U_V_PRICE,U_TAX_FLAG,U_TAX_KIND,U_SAL_TAX,U_NET_PRICE,U_TOT_PRICE,",
        "BILL_DATE,STOCK_ID,FLAG,FLAG_ID,SUPP_CORP_ID,ACC_DATE,SOURCE_TYPE,SOURCE_ID,",
        "SOURCE_QTY,SOURCE_UNIT,CHG_DATETIME,CHG_USER,CHG_HOST,BK_DATE,PRFS) ",
        " VALUES (:MASTERBILLID,:KEYINTIME,:TEMPPRODID,:V_NAME,",
        ":V_QTY,:V_UNIT,:B_PRICE,:U_DIS,:V_PRICE,:AMT,:MONEY_ID,:MONEY_RATE,:TAX_FLAG,",
        ":TAX_KIND,:TAX_AMT,:NET_PRICE,:TOT_PRICE,:TOT_AMT,:V_GIVE_QTY,:REMARK,",
        ":PD_SERNO,:PH_NO,:PACK_REMARK,:PROD_ID,:PROD_BARCODE,:PROD_NAME,:PROD_SCALE,",
        ":UNIT_ID,:STK_QTY_YN,:PD_ITEMID,:SALE_PRICE,:PACK_QTY,:QTY,:GIVE_QTY,",
        ":U_V_PRICE,:U_TAX_FLAG,:U_TAX_KIND,:U_SAL_TAX,:U_NET_PRICE,:U_TOT_PRICE,",
        ":BILL_DATE,:STOCK_ID,:FLAG,:FLAG_ID,:SUPP_CORP_ID,:ACC_DATE,:SOURCE_TYPE,:SOURCE_ID,",
        ":SOURCE_QTY,:SOURCE_UNIT,:CHG_DATETIME,:CHG_USER,:CHG_HOST,:BK_DATE,:PRFS)"};
    const QStringList paymentInsert{
        "INSERT INTO PAY_MASTER(MASTERBILLID,BILL_DATE,PAY_DATE,",
        "EMPLOYEE_ID,EMPLOYEE_NAME,DEPART_ID,SUPP_CORP_ID,SUPP_CORP_NAME,",
        "MONTHCASH_DIS,PRE_PAY,INI_DATE,END_DATE,TOT_NPAY,TOTAL_PLUS,CASH_AMT,",
        "BANK_IO,PAGE_AMT,TAKE_PRE,TOT_DISCOUNT,TOT_PATCH,OVER_PAY,REMARK,",
        "TOT_PATCHEDAMT,PROJ_ID,AGREE_YN,CHG_DATETIME,CHG_USER,CHG_HOST,",
        "CR_DATETIME,CR_USER,CR_HOST,WUID) values(:MASTERBILLID,:BILL_DATE,:PAY_DATE,",
        ":EMPLOYEE_ID,:EMPLOYEE_NAME,:DEPART_ID,:SUPP_CORP_ID,:SUPP_CORP_NAME,",
        ":MONTHCASH_DIS,:PRE_PAY,:INI_DATE,:END_DATE,:TOT_NPAY,:TOTAL_PLUS,:CASH_AMT,",
        ":BANK_IO,:PAGE_AMT,:TAKE_PRE,:TOT_DISCOUNT,:TOT_PATCH,:OVER_PAY,:REMARK,",
        ":TOT_PATCHEDAMT,:PROJ_ID,:AGREE_YN,:CHG_DATETIME,:CHG_USER,:CHG_HOST,",
        ":CR_DATETIME,:CR_USER,:CR_HOST,:WUID) "};
    const auto sentInBlocks = [&sent](QStringList insert, const QString& prefix) {
        for (QString& line : insert)
            line.replace(':', ':' + prefix);
        return std::count_if(sent.begin(), sent.end(), [&](const QString& text) {
            return text.startsWith("EXECUTE BLOCK") && text.contains('\n' + insert.join('\n') + "\n;\n");
        });
    };
    EXPECT_EQ(sentInBlocks(headerInsert, "H_"), 2);
    EXPECT_EQ(sentInBlocks(lineInsert, "L_"), 2);
    EXPECT_EQ(sentInBlocks(paymentInsert, "P_"), 2);

    EXPECT_FALSE(form->SpeedButton1->isEnabled());
    EXPECT_TRUE(shown->texts(Kind::Confirm).empty());
    EXPECT_EQ(shown->texts(Kind::Information), std::vector<QString>{kDone});
    EXPECT_EQ(shown->shown().size(), 1u);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 7);

    // Bills for unpaid balances above 0, numbered by the base date's counter.
    EXPECT_EQ(column("SELECT MASTERBILLID || ' ' || SUPP_CORP_ID FROM PURCHASE_MASTER ORDER BY 1"),
              QStringList({"0201102190001 S001", "0201102190002 S002"}));
    EXPECT_EQ(column("SELECT MASTERBILLID FROM PURCHASE_DETAIL ORDER BY 1"),
              QStringList({"0201102190001", "0201102190002"}));
    EXPECT_EQ(row("SELECT LAST_ID, CHG_DATE FROM PURCHASE_NUM WHERE BILL_DATE = '" + billDate() + "'"),
              QVector<QVariant>({3, billDate()}));
    // Payment records for prepaid balances above 0, numbered by the supplier's position.
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT, OVER_PAY FROM PAY_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "S001", 300.0, 300.0},
                                          {"0201102190003", "S003", 800.0, 800.0}}));

    const QString ip = dm.LocalIP();
    const auto header = database.rows("SELECT * FROM PURCHASE_MASTER WHERE MASTERBILLID = '0201102190001'").first();
    const QVector<QVariant> expectedHeader{
        "0201102190001", billDate(), "進貨單", "0", "", "", "S001", "大同五金行", "0", 1, "", "",
        1235.0, 62.0, 1297.0, 0.0, 0.0, 1297.0, 0.0, 0.0, 1297.0, 1297.0,  // flag 0: net, tax on top
        "A01", "", "", "", "", "", "", "", "", "", "", billDate(), "", "", "", "", "Y", "NTD", "", 0.0,
        "", "", "", "", "", "", ""};
    ASSERT_EQ(header.size(), expectedHeader.size());
    for (int i = 0; i < header.size(); ++i) {
        EXPECT_FALSE(header.at(i).isNull()) << "header column " << i;
        EXPECT_EQ(header.at(i).toString(), expectedHeader.at(i).toString()) << "header column " << i;
    }

    const auto line = database.rows("SELECT * FROM PURCHASE_DETAIL WHERE MASTERBILLID = '0201102190001'").first();
    const QVector<QVariant> expectedLine{
        "0201102190001", "keyintime", "X99X", "期初帳款", 1.0, "PC", 0.0, 100.0, 1234.5, 1234.5, "NTD", 1.0, "0",
        "Y", 0.0, 0.0, 0.0, 0.0, 0.0, "", "", "", "", "X99X", "X99X", "期初帳款", "", "PC", "N", "", 0.0, 1.0,
        0.0, 0.0, 0.0, "", "", 0.0, 0.0, 0.0, billDate(), "A01", "進貨單", "0", "S001", billDate(), "", "", 0.0,
        "", "chg_datetime", "", ip, "", 0.0};
    ASSERT_EQ(line.size(), expectedLine.size());
    for (int i = 0; i < line.size(); ++i) {
        EXPECT_FALSE(line.at(i).isNull()) << "line column " << i;
        if (i != 1 && i != 50) {
            EXPECT_EQ(line.at(i).toString(), expectedLine.at(i).toString()) << "line column " << i;
        }
    }
    const QString d = QRegularExpression::escape(opening::dateSeparator());
    const QString t = QRegularExpression::escape(opening::timeSeparator());
    EXPECT_TRUE(QRegularExpression("^\\d{6}-\\d{6} \\d{3}$").match(line.at(1).toString()).hasMatch()) << qPrintable(line.at(1).toString());
    const QRegularExpression changeTime(QStringLiteral("^\\d{4}%1\\d{2}%1\\d{2} \\d{2}%2\\d{2}%2\\d{2}$").arg(d, t));
    EXPECT_TRUE(changeTime.match(line.at(50).toString()).hasMatch()) << qPrintable(line.at(50).toString());

    // Tax included for S002, paid through S007.
    EXPECT_EQ(row("SELECT TAX_FLAG, SUPP_CORP_IDAC, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT FROM PURCHASE_MASTER "
                  "WHERE MASTERBILLID = '0201102190002'"),
              QVector<QVariant>({"1", "S007", 4762.0, 238.0, 5000.0}));

    const auto payment = database.rows("SELECT * FROM PAY_MASTER WHERE SUPP_CORP_ID = 'S003'").first();
    const QVector<QVariant> expectedPayment{
        "0201102190003", billDate(), billDate(), "SYSDBA", "SYSDBA", "", "S003", "新竹電子材料行", 0.0, 0.0,
        billDate(), billDate(), 0.0, 0.0, 800.0, 0.0, 0.0, 0.0, 0.0, 0.0, 800.0, "期初預收", 0.0, "", "Y",
        "chg_datetime", "", ip, "cr_datetime", "", ip, ""};
    ASSERT_EQ(payment.size(), expectedPayment.size());
    for (int i = 0; i < payment.size(); ++i) {
        EXPECT_FALSE(payment.at(i).isNull()) << "payment column " << i;
        if (i != 25 && i != 28) {
            EXPECT_EQ(payment.at(i).toString(), expectedPayment.at(i).toString()) << "payment column " << i;
        }
    }
    EXPECT_TRUE(changeTime.match(payment.at(25).toString()).hasMatch());
    EXPECT_TRUE(changeTime.match(payment.at(28).toString()).hasMatch());
}

TEST_F(PostingRunTest, AnEarlierRunIsReplacedOnlyOnConsentAndAllAtOnce)
{
    addSuppliers();
    openWindow();
    ASSERT_TRUE(press());
    database.exec("INSERT INTO PURCHASE_MASTER(MASTERBILLID) VALUES('1201102190001')");
    database.exec("INSERT INTO PURCHASE_DETAIL(MASTERBILLID) VALUES('1201102190001')");
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID, SUPP_CORP_ID) VALUES('1201102190001', 'S001')");
    database.exec("UPDATE PRODUCT SET PROD_NAME = '期初應付' WHERE PROD_ID = 'X99X'");
    const auto before = documents();

    // Declined: a silent stop with nothing written, and the button is spent all the same.
    restart();
    EXPECT_FALSE(press());
    ASSERT_EQ(shown->shown().size(), 1u);
    EXPECT_EQ(shown->shown().front().text, kAsked);
    EXPECT_EQ(shown->shown().front().caption, "Confirm");
    EXPECT_EQ(shown->shown().front().defaultButton, toolkit::Button::No);
    EXPECT_FALSE(form->SpeedButton1->isEnabled());
    EXPECT_EQ(documents(), before);

    // A deletion that fails undoes the other two.
    database.exec("CREATE EXCEPTION E_REFUSED 'payment records are locked'");
    database.exec("CREATE TRIGGER T_REFUSE_DELETE FOR PAY_MASTER BEFORE DELETE AS BEGIN EXCEPTION E_REFUSED; END");
    restart();
    shown->answer(toolkit::Button::Yes);
    EXPECT_FALSE(press());
    ASSERT_EQ(shown->texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(shown->texts(Kind::Error).front().contains("payment records are locked"));
    EXPECT_TRUE(shown->texts(Kind::Information).empty());
    EXPECT_FALSE(dm.SQLConnection1.inTransaction());
    EXPECT_EQ(documents(), before);
    database.exec("DROP TRIGGER T_REFUSE_DELETE");

    // Confirmed: every opening document goes, the rest and the placeholder stay; numbering
    // continues the day's sequence, payment records take their positions again.
    restart();
    shown->answer(toolkit::Button::Yes);
    ASSERT_TRUE(press());
    EXPECT_EQ(shown->texts(Kind::Information), std::vector<QString>{kDone});
    EXPECT_EQ(column("SELECT MASTERBILLID FROM PURCHASE_MASTER ORDER BY 1"),
              QStringList({"0201102190003", "0201102190004", "1201102190001"}));
    EXPECT_EQ(column("SELECT MASTERBILLID || ' ' || COALESCE(V_NAME, '') FROM PURCHASE_DETAIL ORDER BY 1"),
              QStringList({"0201102190003 期初應付", "0201102190004 期初應付", "1201102190001 "}));
    EXPECT_EQ(column("SELECT MASTERBILLID || ' ' || SUPP_CORP_ID FROM PAY_MASTER ORDER BY 1"),
              QStringList({"0201102190001 S001", "0201102190003 S003", "1201102190001 S001"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM PRODUCT"), 1);
}

TEST_F(PostingRunTest, LeftoversOfAnEarlierRunAreReplacedWholeAndQuotedCodesPostSafely)
{
    addSupplier("S'1", "單引號行", 100, 300);
    addSupplier("S2", "乙", 40, 70);
    addSupplier("S3", "丙", {}, 90);
    // Opening payment records without any opening bill, one under the number S2's record gets,
    // and a line without its header: an earlier run all the same, asked about and replaced whole.
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE,CASH_AMT) VALUES('0201001010001','S''1','2010/01/01',50)");
    database.exec("INSERT INTO PAY_MASTER(MASTERBILLID,SUPP_CORP_ID,BILL_DATE) VALUES('0201102190002','ZZZ','2010/01/01')");
    database.exec("INSERT INTO PURCHASE_DETAIL(MASTERBILLID,V_NAME,AMT) VALUES('0201102190001','舊',84)");
    // An opening stock change under the number the second bill gets goes with it; another kind's stays.
    database.exec("INSERT INTO PROD_CHGDATA(MASTERBILLID,FLAG_ID) VALUES('0201102190002','0')");
    database.exec("INSERT INTO PROD_CHGDATA(MASTERBILLID,FLAG_ID) VALUES('0201102190002','1')");
    const auto before = documents();
    openWindow();
    EXPECT_FALSE(press());
    EXPECT_EQ(shown->texts(Kind::Confirm), std::vector<QString>{kAsked});
    EXPECT_EQ(documents(), before);

    restart();
    shown->answer(toolkit::Button::Yes);
    QStringList sent;
    dm.SQLConnection1.setStatementObserver([&sent](const QString& text) { sent << text; });
    ASSERT_TRUE(press());
    dm.SQLConnection1.setStatementObserver({});

    // Codes, numbers and dates travel as parameters: no statement carries one in its text.
    ASSERT_FALSE(sent.isEmpty());
    for (const QString& text : sent)
        for (const char* value : {"S'1", "S''1", "S2", "S3", "02011021900", "2011/02/19"})
            EXPECT_FALSE(text.contains(QLatin1String(value))) << text.toStdString();

    EXPECT_EQ(shown->texts(Kind::Information), std::vector<QString>{kDone});
    EXPECT_EQ(database.rows("SELECT SUPP_CORP_ID, TOTAL_TOTAMT FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"S'1", 105.0}, {"S2", 42.0}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, AMT FROM PURCHASE_DETAIL ORDER BY 1"),
              QVector<QVector<QVariant>>({{"0201102190001", "S'1", 100.0}, {"0201102190002", "S2", 40.0}}));
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, FLAG_ID FROM PROD_CHGDATA"),
              QVector<QVector<QVariant>>({{"0201102190002", "1"}}));
    // No old amount kept, no number stored twice.
    EXPECT_EQ(database.rows("SELECT MASTERBILLID, SUPP_CORP_ID, CASH_AMT FROM PAY_MASTER ORDER BY 1, 2"),
              QVector<QVector<QVariant>>({{"0201102190001", "S'1", 300.0},
                                          {"0201102190002", "S2", 70.0},
                                          {"0201102190003", "S3", 90.0}}));
}

TEST_F(PostingRunTest, BalancesAndTaxFlagsAreReadAsTheListHoldsThem)
{
    openWindow();
    using db::FieldType;
    db::RecordSet& list = form->ClientDataSet1;
    list.createDataSet({{"CORP_ID", FieldType::Text, 60}, {"CORP_NAME", FieldType::Text, 300},
                        {"BEFORE_NOTPAY", FieldType::Text, 30}, {"BEFORE_ADVPAY", FieldType::Text, 30},
                        {"PARANT_CORP", FieldType::Text, 30}, {"TAX_FLAG", FieldType::Text, 3}});
    const QStringList rows[] = {{"T1", "甲", "abc", "", "", "0"},
                                {"T2", "乙", "12x", "-5", "", "0"},
                                {"T3", "丙", "", "1e2", "", ""},
                                {"T4", "丁", "100", "", "", ""},
                                {"T5", "戊", "100", "", "", "x"}};
    for (const QStringList& values : rows) {
        list.append();
        for (int i = 0; i < values.size(); ++i)
            list.setAsText(list.fieldDef(i).name, values.at(i));
        list.post();
    }
    ASSERT_TRUE(press());

    // Totalled as tax included, and stored with the flag that says so.
    EXPECT_EQ(database.rows("SELECT SUPP_CORP_ID, TAX_FLAG, TOTAL_NETAMT, TOTAL_TAXAMT, TOTAL_TOTAMT "
                            "FROM PURCHASE_MASTER ORDER BY 1"),
              QVector<QVector<QVariant>>({{"T4", "1", 95.0, 5.0, 100.0}, {"T5", "1", 95.0, 5.0, 100.0}}));
    EXPECT_EQ(database.rows("SELECT DISTINCT TAX_FLAG FROM PURCHASE_DETAIL"), QVector<QVector<QVariant>>({{"1"}}));
    EXPECT_EQ(database.rows("SELECT SUPP_CORP_ID, MASTERBILLID, CASH_AMT FROM PAY_MASTER"),
              QVector<QVector<QVariant>>({{"T3", "0201102190003", 100.0}}));
}

TEST_F(PostingRunTest, AnEmptyListPostsNothingButThePlaceholder)
{
    openWindow();
    ASSERT_TRUE(press());
    EXPECT_EQ(shown->texts(Kind::Information), std::vector<QString>{kDone});
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_MASTER") + count("SELECT COUNT(*) FROM PAY_MASTER"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PRODUCT WHERE PROD_ID = 'X99X'"), 1);
}

TEST_F(PostingRunTest, AFailedBillSaveIsWarnedAndTheRunGoesOn)
{
    addSuppliers();
    database.exec("CREATE EXCEPTION E_REFUSED 'line refused'");
    database.exec("CREATE TRIGGER T_REFUSE_LINE FOR PURCHASE_DETAIL BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'S001') THEN EXCEPTION E_REFUSED; END");
    openWindow();
    ASSERT_TRUE(press());

    // The failure names the supplier and carries the trigger's exception; the run's end does not
    // read as plain success.
    ASSERT_EQ(shown->shown().size(), 2u);
    const auto& failed = shown->shown().at(0);
    EXPECT_EQ(failed.kind, Kind::Warning);
    EXPECT_TRUE(failed.text.startsWith("資料存檔失敗..!\n廠商代號：S001\n"));
    EXPECT_TRUE(failed.text.contains("E_REFUSED") && failed.text.contains("line refused")) << failed.text.toStdString();
    const auto& done = shown->shown().at(1);
    EXPECT_EQ(done.kind, Kind::Warning);
    EXPECT_TRUE(done.text.startsWith(kDone + "\n其中 1 張進貨單存檔失敗"));
    EXPECT_TRUE(done.details.contains("S001") && done.details.contains("line refused"));
    // S001's bill is gone whole and its number is spent; its payment record and S002 follow.
    EXPECT_EQ(column("SELECT MASTERBILLID || ' ' || SUPP_CORP_ID FROM PURCHASE_MASTER"), QStringList({"0201102190002 S002"}));
    EXPECT_EQ(column("SELECT SUPP_CORP_ID FROM PAY_MASTER ORDER BY 1"), QStringList({"S001", "S003"}));
}

TEST_F(PostingRunTest, AnyOtherFailureEndsTheRunKeepingWhatWasCommitted)
{
    addSuppliers();
    database.exec("CREATE EXCEPTION E_REFUSED 'payment refused'");
    database.exec("CREATE TRIGGER T_REFUSE_PAYMENT FOR PAY_MASTER BEFORE INSERT AS BEGIN EXCEPTION E_REFUSED; END");
    openWindow();
    EXPECT_FALSE(press());

    ASSERT_EQ(shown->texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(shown->texts(Kind::Error).front().contains("payment refused"));
    EXPECT_TRUE(shown->texts(Kind::Information).empty());
    EXPECT_EQ(column("SELECT MASTERBILLID FROM PURCHASE_MASTER"), QStringList({"0201102190001"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM PRODUCT"), 1);

    // A run that did not reach its end may be run again without a restart, replacing what it wrote.
    ASSERT_TRUE(form->SpeedButton1->isEnabled());
    database.exec("DROP TRIGGER T_REFUSE_PAYMENT");
    shown->clear();
    shown->answer(toolkit::Button::Yes);
    EXPECT_TRUE(press());
    EXPECT_EQ(shown->texts(Kind::Information).size(), 1u);
    EXPECT_FALSE(form->SpeedButton1->isEnabled());
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_MASTER"), count("SELECT COUNT(DISTINCT SUPP_CORP_ID) FROM PURCHASE_MASTER"));
    EXPECT_GT(count("SELECT COUNT(*) FROM PAY_MASTER"), 0);
}

TEST_F(PostingRunTest, TheBottomPanelShowsTotalsThePreviewProgressAndTheAccount)
{
    addSuppliers();
    form->show();  // loads the list as on screen
    useSettings();
    form->DateTimePicker1->setDate(QDate(2011, 2, 19));
    RunStatusPanel& panel = *form->StatusPanel;

    // Before posting: the balances beside what the run writes of them, the typing mistakes counted.
    EXPECT_EQ(panel.text->text(), "未付 6,234.5 → 進貨單 2 張 未稅 5,997 稅額 300 合計 6,297\n"
                                  "預付 1,100 → 預付單 2 筆 1,100　有誤 1 家");

    // The preview lists the documents in order with their numbers-to-be, balances and amounts,
    // the skipped balances with their reason, the totals, and how they tie; it writes nothing.
    form->PreviewClick();
    auto* preview = form->findChild<PreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->table->rowCount(), 8);
    QStringList rows;
    for (int row = 0; row < 8; ++row) {
        QStringList cells;
        for (int column : {1, 3, 4, 5, 6, 7, 8, 9})
            cells << preview->table->item(row, column)->text();
        rows << cells.join(' ');
    }
    EXPECT_EQ(rows, QStringList({"S001 進貨單 0201102190001 1,234.5 1,235 62 1,297 將開立",
                                 "S001 預付單 0201102190001 300   300 將開立",
                                 "S002 進貨單 0201102190002 5,000 4,762 238 5,000 將開立",
                                 "S003 預付單 0201102190003 800   800 將開立",
                                 "S006 進貨單  -250    負數餘額", "S006 預付單  -100    負數餘額",
                                 "合計 進貨單  6,234.5 5,997 300 6,297 ", "合計 預付單  1,100   1,100 "}));
    EXPECT_EQ(preview->reconciliation->text(),
              "調節：期初未付 6,234.5 ＋ 外加稅額 62（1 張）＋ 尾數 0.5（取至小數 0 位）＝ 進貨單合計 6,297；"
              "其中未稅 5,997、稅額 300（外加 62，含稅餘額內含 238，1 張）");
    EXPECT_TRUE(preview->notes->toPlainText().contains("略過 S006 花蓮石材企業行（第 6 列） 進貨單：負數餘額 -250"))
        << preview->notes->toPlainText().toStdString();
    const QString previewCsv = database.folder() + "/preview.csv";
    ASSERT_TRUE(preview->saveCsv(previewCsv));
    preview->close();
    EXPECT_EQ(count("SELECT COUNT(*) FROM PURCHASE_MASTER") + count("SELECT COUNT(*) FROM PURCHASE_NUM"), 0);

    // During the run: the bar counts the suppliers and the window takes no input.
    std::vector<int> values;
    bool barShown = true;
    QObject::connect(panel.progress, &QProgressBar::valueChanged, [&](int value) {
        values.push_back(value);
        barShown = barShown && panel.progress->isVisible() && panel.progress->maximum() == 7;
        QTest::mouseClick(form->SpeedButton2, Qt::LeftButton);  // "離開" must not close the window mid-run
    });
    ASSERT_TRUE(press());
    EXPECT_TRUE(barShown);
    EXPECT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 7);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(590, 433));  // however long the texts in the panel
    EXPECT_FALSE(panel.progress->isVisible());

    // After: the suite's box, one OK and nothing more; the account stays in the panel, and its CSV
    // has the preview's columns, with the same figures.
    ASSERT_EQ(shown->shown().size(), 1u);
    EXPECT_EQ(shown->shown().front().kind, Kind::Information);
    EXPECT_EQ(shown->shown().front().text, kDone);
    EXPECT_TRUE(shown->shown().front().details.isEmpty());
    EXPECT_EQ(panel.text->text(), "已開立 進貨單 2 張 未稅 5,997 稅額 300 合計 6,297\n"
                                  "已開立 預付單 2 筆 1,100　有誤 1 家");
    EXPECT_TRUE(panel.text->toolTip().contains("調節：期初未付 6,234.5"));
    EXPECT_FALSE(panel.saveAccount->isHidden());
    const QString accountCsv = database.folder() + "/account.csv";
    ASSERT_TRUE(form->saveAccount(accountCsv));
    const auto csvLines = [](const QString& path) {
        QFile saved(path);
        saved.open(QIODevice::ReadOnly);
        const QByteArray bytes = saved.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF序號,廠商代號,廠商名稱,單據,單號,餘額,未稅,稅額,合計,結果,說明\r\n"));
        return QString::fromUtf8(bytes).split("\r\n");
    };
    const QStringList account = csvLines(accountCsv);
    const QStringList planned = csvLines(previewCsv);
    ASSERT_EQ(account.size(), 11);  // header, six documents, two totals, the reconciliation, the end
    EXPECT_EQ(account.at(1), "1,S001,大同五金行,進貨單,0201102190001,1234.5,1235,62,1297,已開立,");
    EXPECT_EQ(account.at(5), "6,S006,花蓮石材企業行,進貨單,,-250,,,,負數餘額,");
    EXPECT_EQ(account.at(7), ",合計,進貨單 2 張,進貨單,,6234.5,5997,300,6297,,");
    for (int i = 0; i < account.size(); ++i)
        EXPECT_EQ(QString(account.at(i)).replace("已開立", "將開立"), planned.at(i));

    // The proof: the check ties, the report lists what was written, and a window opened later
    // names the run.
    form->CheckClick();
    auto* check = form->findChild<CheckDialog*>();
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->verdict->text().startsWith("基準日 " + billDate() + " 核對相符"));
    EXPECT_TRUE(check->table->isHidden());
    check->close();
    form->PrintClick();
    EXPECT_NE(form->findChild<QPrintPreviewDialog*>(), nullptr);
    const opening::OpeningReport report = form->report();
    EXPECT_EQ(report.documents.size(), 4);
    EXPECT_TRUE(report.heading.last().startsWith("開帳：") && report.heading.last().endsWith("完成"));
    restart();
    const QLabel& later = *form->StatusPanel->text;
    EXPECT_TRUE(later.text().contains("上次開帳 "));
    EXPECT_TRUE(later.toolTip().contains("上次開帳：") && later.toolTip().contains("進貨單 2 張 6,297"));
}
