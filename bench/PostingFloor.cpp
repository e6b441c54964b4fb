// The floor of the opening run: what writing its rows costs with nothing else around it. On a
// database made by the benchmarks it writes, for every supplier of the list, the rows a run
// writes, with the commits and round trips the run's guarantees need and no more:
//   - bill numbers: the day's counter row locked, read and advanced by a batch of numbers,
//     committed on its own, so that a number once handed out is never handed out again, the
//     counter stays beyond every number used, and other workstations wait only for the counter;
//   - the supplier: its bill (header and line) and payment record in one statement that the
//     server commits as it completes (one round trip), so it is stored whole or not at all and
//     nothing committed is lost;
//   - a fresh transaction with every batch of numbers, so none lives long.
// Every statement is prepared once; the supplier list is read once. Nothing is read back, no
// earlier bill is looked for, nothing is shown.
// Usage: posting_floor FOLDER   (the folder's dbconfig.txt names the database)
// Prints one line: "floor SUPPLIERS suppliers SECONDS s".
#include "Connection.h"
#include "Statement.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const QString kDate = QStringLiteral("2011/02/19");
const QString kDay = QStringLiteral("20110219");
constexpr double kTaxRate = 0.05;

struct Amounts {
    double net;
    double tax;
    double total;
};

// Tax on top (0), tax included (1), no tax otherwise; whole units.
Amounts amountsFor(int taxFlag, double sum)
{
    switch (taxFlag) {
    case 0: {
        const double net = std::round(sum);
        const double tax = std::round(net * kTaxRate);
        return {net, tax, net + tax};
    }
    case 1: {
        const double net = std::round(sum / (1.0 + kTaxRate));
        const double tax = std::round(net * kTaxRate);
        return {net, tax, net + tax};
    }
    default:
        return {std::round(sum), 0.0, std::round(sum)};
    }
}

// Numbers taken at once, as the run takes them.
constexpr qint64 kNumbersAtOnce = 32;

class Floor {
public:
    explicit Floor(db::Connection& connection)
        : connection_(connection), lockCounter_(&connection), advanceCounter_(&connection), supplier_(&connection)
    {
        lockCounter_.setLines({"SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = :BILL_DATE WITH LOCK"});
        advanceCounter_.setLines({"UPDATE PURCHASE_NUM SET LAST_ID = :LAST_ID WHERE BILL_DATE = :BILL_DATE"});
        supplier_.setLines(
            {"EXECUTE BLOCK (BILL SMALLINT = :BILL, PAYMENT SMALLINT = :PAYMENT, ID VARCHAR(20) = :ID,",
             " PAY_ID VARCHAR(20) = :PAY_ID, BILL_DATE VARCHAR(10) = :BILL_DATE, USR VARCHAR(10) = :USR,",
             " SUPPLIER VARCHAR(20) = :SUPPLIER, NAME VARCHAR(100) = :NAME, TAX_FLAG VARCHAR(1) = :TAX_FLAG,",
             " NET DOUBLE PRECISION = :NET, TAX DOUBLE PRECISION = :TAX, TOTAL DOUBLE PRECISION = :TOTAL,",
             " AMT DOUBLE PRECISION = :AMT, KEYINTIME VARCHAR(20) = :KEYINTIME, CHANGED VARCHAR(20) = :CHANGED,",
             " HOST VARCHAR(20) = :HOST, AMOUNT DOUBLE PRECISION = :AMOUNT)",
             "AS BEGIN",
             "IF (BILL = 1) THEN BEGIN",
             "INSERT INTO PURCHASE_MASTER(MASTERBILLID,BILL_DATE,ACC_DATE,FLAG,FLAG_ID,EMPLOYEE_ID,SUPP_CORP_ID,",
             "SUPP_CORP_NAME,SUPP_CORP_IDAC,TAX_FLAG,PRICE_NO,TOTAL_NETAMT,TOTAL_TAXAMT,TOTAL_TOTAMT,TOTAL_MONEY,",
             "STOCK_ID,AGREE_YN,MONEY_ID,MONEY_RATE)",
             "VALUES(:ID,:BILL_DATE,:BILL_DATE,'進貨單','0',:USR,:SUPPLIER,:NAME,'',:TAX_FLAG,1,:NET,:TAX,:TOTAL,",
             ":TOTAL,'A01','Y','NTD',1);",
             "INSERT INTO PURCHASE_DETAIL(MASTERBILLID,KEYINTIME,TEMPPRODID,V_NAME,V_QTY,V_UNIT,U_DIS,V_PRICE,AMT,",
             "MONEY_ID,MONEY_RATE,TAX_FLAG,TAX_KIND,TAX_AMT,NET_PRICE,TOT_PRICE,TOT_AMT,PROD_ID,PROD_NAME,UNIT_ID,",
             "SALE_PRICE,PACK_QTY,QTY,BILL_DATE,STOCK_ID,FLAG,FLAG_ID,SUPP_CORP_ID,ACC_DATE,CHG_DATETIME,CHG_USER,",
             "CHG_HOST)",
             "VALUES(:ID,:KEYINTIME,'X99X','期初開帳',1,'',100,:AMT,:AMT,'NTD',1,:TAX_FLAG,'1',:TAX,:NET,:TOTAL,",
             ":TOTAL,'X99X','期初開帳','',0,1,1,:BILL_DATE,'A01','進貨單','0',:SUPPLIER,:BILL_DATE,:CHANGED,:USR,",
             ":HOST);",
             "END",
             "IF (PAYMENT = 1) THEN",
             "INSERT INTO PAY_MASTER(MASTERBILLID,BILL_DATE,PAY_DATE,INI_DATE,END_DATE,EMPLOYEE_ID,EMPLOYEE_NAME,",
             "SUPP_CORP_ID,SUPP_CORP_NAME,MONTHCASH_DIS,PRE_PAY,TOT_NPAY,TOTAL_PLUS,CASH_AMT,BANK_IO,PAGE_AMT,",
             "TAKE_PRE,TOT_DISCOUNT,TOT_PATCH,OVER_PAY,REMARK,TOT_PATCHEDAMT,AGREE_YN,CHG_DATETIME,CHG_USER,",
             "CHG_HOST,CR_DATETIME,CR_USER,CR_HOST)",
             "VALUES(:PAY_ID,:BILL_DATE,:BILL_DATE,:BILL_DATE,:BILL_DATE,'SYSDBA','SYSDBA',:SUPPLIER,:NAME,0,0,0,0,",
             ":AMOUNT,0,0,0,0,0,:AMOUNT,'期初預收',0,'Y',:CHANGED,:USR,:HOST,:CHANGED,:USR,:HOST);",
             "END"});
    }

    void createDayCounter()
    {
        db::Statement create(&connection_);
        create.setLines({"INSERT INTO PURCHASE_NUM(BILL_DATE,LAST_ID,CHG_DATE) VALUES(:BILL_DATE,1,:BILL_DATE)"});
        create.setParamText("BILL_DATE", kDate);
        create.execute();
    }

    // The supplier's bill (when it is owed) and payment record (when it paid in advance), in one
    // statement that the server commits as it completes.
    void writeSupplier(int position, const QString& supplier, const QString& name, int taxFlag, double unpaid,
                       double prepaid)
    {
        const bool bill = unpaid > 0;
        const QString id = bill ? QStringLiteral("0%1%2").arg(kDay).arg(nextNumber(), 4, 10, QChar(u'0')) : QString();
        if (!walk_)
            walk_.emplace(connection_, db::Isolation::ReadCommitted, 1, db::Commits::EachStatement);
        const Amounts amounts = amountsFor(taxFlag, unpaid);
        const QDateTime now = QDateTime::currentDateTime();
        supplier_.setParamInteger("BILL", bill ? 1 : 0);
        supplier_.setParamInteger("PAYMENT", prepaid > 0 ? 1 : 0);
        supplier_.setParamText("ID", id);
        supplier_.setParamText("PAY_ID", QStringLiteral("0%1%2").arg(kDay).arg(position, 4, 10, QChar(u'0')));
        supplier_.setParamText("BILL_DATE", kDate);
        supplier_.setParamText("USR", "SYSDBA");
        supplier_.setParamText("SUPPLIER", supplier);
        supplier_.setParamText("NAME", name);
        supplier_.setParamText("TAX_FLAG", QString::number(taxFlag));
        supplier_.setParamDouble("NET", amounts.net);
        supplier_.setParamDouble("TAX", amounts.tax);
        supplier_.setParamDouble("TOTAL", amounts.total);
        supplier_.setParamDouble("AMT", unpaid);
        supplier_.setParamText("KEYINTIME", now.toString(QStringLiteral("yyMMdd-HHmmss zzz")));
        supplier_.setParamText("CHANGED", now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        supplier_.setParamText("HOST", "127.0.0.1");
        supplier_.setParamDouble("AMOUNT", prepaid);
        supplier_.execute();
    }

    void finish()
    {
        if (walk_)
            walk_->commit();
        walk_.reset();
    }

private:
    // The next bill number, from numbers taken some at a time in a transaction of their own that
    // locks the counter row; the walk's transaction starts anew with every batch.
    qint64 nextNumber()
    {
        if (left_ == 0) {
            finish();
            db::TransactionScope transaction(connection_);
            lockCounter_.setParamText("BILL_DATE", kDate);
            lockCounter_.open();
            next_ = lockCounter_.asInteger(0);
            advanceCounter_.setParamInteger("LAST_ID", next_ + kNumbersAtOnce);
            advanceCounter_.setParamText("BILL_DATE", kDate);
            advanceCounter_.execute();
            transaction.commit();
            left_ = kNumbersAtOnce;
        }
        --left_;
        return next_++;
    }

    db::Connection& connection_;
    db::Statement lockCounter_;
    db::Statement advanceCounter_;
    db::Statement supplier_;
    std::optional<db::TransactionScope> walk_;
    qint64 next_ = 0;
    qint64 left_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: posting_floor FOLDER\n");
        return 1;
    }
    QFile config(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/dbconfig.txt"));
    if (!config.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no dbconfig.txt in %s\n", argv[1]);
        return 1;
    }
    db::Connection connection;
    connection.params().loadFromBytes(config.readAll());

    QElapsedTimer timer;
    timer.start();
    db::Statement list(&connection);
    list.setLines({"SELECT a.CORP_ID, a.CORP_NAME, a.TAX_FLAG, s.BEFORE_NOTPAY, s.BEFORE_ADVPAY FROM SUPPLIER a",
                   "LEFT JOIN SUPPLIER_ACCOUNTS s ON s.CORP_ID = a.CORP_ID ORDER BY a.CORP_ID"});
    list.open();
    Floor floor(connection);
    floor.createDayCounter();
    int position = 0;
    for (list.first(); !list.eof(); list.next()) {
        ++position;
        const QString supplier = list.asText(0);
        const QString name = list.asText(1);
        if (list.asDouble(3) > 0 || list.asDouble(4) > 0)
            floor.writeSupplier(position, supplier, name, static_cast<int>(list.asInteger(2)), list.asDouble(3),
                                list.asDouble(4));
    }
    floor.finish();
    std::printf("floor %d suppliers %.3f s\n", position, double(timer.nsecsElapsed()) / 1e9);
    return 0;
}
