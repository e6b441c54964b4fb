// The floor of the opening run: what writing its rows costs with nothing else around it. On a
// database made by the benchmarks it writes, for every supplier of the list, the rows a run
// writes, with the commits the run's guarantees need and no more:
//   - the bill number: the day's counter row locked, read and advanced, committed on its own, so
//     that a number once handed out is never handed out again and other workstations wait only
//     for the counter, not for a whole bill;
//   - the bill: header and line in one transaction, so it is stored whole or not at all;
//   - the payment record: committed on its own, so that a failed bill never takes it along.
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

class Floor {
public:
    explicit Floor(db::Connection& connection)
        : connection_(connection), lockCounter_(&connection), advanceCounter_(&connection), header_(&connection),
          line_(&connection), payment_(&connection)
    {
        lockCounter_.setLines({"SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = :BILL_DATE WITH LOCK"});
        advanceCounter_.setLines({"UPDATE PURCHASE_NUM SET LAST_ID = :LAST_ID WHERE BILL_DATE = :BILL_DATE"});
        header_.setLines(
            {"INSERT INTO PURCHASE_MASTER(MASTERBILLID,BILL_DATE,ACC_DATE,FLAG,FLAG_ID,EMPLOYEE_ID,SUPP_CORP_ID,",
             "SUPP_CORP_NAME,SUPP_CORP_IDAC,TAX_FLAG,PRICE_NO,TOTAL_NETAMT,TOTAL_TAXAMT,TOTAL_TOTAMT,TOTAL_MONEY,",
             "STOCK_ID,AGREE_YN,MONEY_ID,MONEY_RATE)",
             "VALUES(:ID,:BILL_DATE,:BILL_DATE,'進貨單','0',:USER,:SUPPLIER,:NAME,'',:TAX_FLAG,1,:NET,:TAX,:TOTAL,",
             ":TOTAL,'A01','Y','NTD',1)"});
        line_.setLines(
            {"INSERT INTO PURCHASE_DETAIL(MASTERBILLID,KEYINTIME,TEMPPRODID,V_NAME,V_QTY,V_UNIT,U_DIS,V_PRICE,AMT,",
             "MONEY_ID,MONEY_RATE,TAX_FLAG,TAX_KIND,TAX_AMT,NET_PRICE,TOT_PRICE,TOT_AMT,PROD_ID,PROD_NAME,UNIT_ID,",
             "SALE_PRICE,PACK_QTY,QTY,BILL_DATE,STOCK_ID,FLAG,FLAG_ID,SUPP_CORP_ID,ACC_DATE,CHG_DATETIME,CHG_USER,",
             "CHG_HOST)",
             "VALUES(:ID,:KEYINTIME,'X99X','期初開帳',1,'',100,:AMT,:AMT,'NTD',1,:TAX_FLAG,'1',:TAX,:NET,:TOTAL,",
             ":TOTAL,'X99X','期初開帳','',0,1,1,:BILL_DATE,'A01','進貨單','0',:SUPPLIER,:BILL_DATE,:CHANGED,:USER,",
             ":HOST)"});
        payment_.setLines(
            {"INSERT INTO PAY_MASTER(MASTERBILLID,BILL_DATE,PAY_DATE,INI_DATE,END_DATE,EMPLOYEE_ID,EMPLOYEE_NAME,",
             "SUPP_CORP_ID,SUPP_CORP_NAME,MONTHCASH_DIS,PRE_PAY,TOT_NPAY,TOTAL_PLUS,CASH_AMT,BANK_IO,PAGE_AMT,",
             "TAKE_PRE,TOT_DISCOUNT,TOT_PATCH,OVER_PAY,REMARK,TOT_PATCHEDAMT,AGREE_YN,CHG_DATETIME,CHG_USER,",
             "CHG_HOST,CR_DATETIME,CR_USER,CR_HOST)",
             "VALUES(:ID,:BILL_DATE,:BILL_DATE,:BILL_DATE,:BILL_DATE,'SYSDBA','SYSDBA',:SUPPLIER,:NAME,0,0,0,0,",
             ":AMOUNT,0,0,0,0,0,:AMOUNT,'期初預收',0,'Y',:CHANGED,:USER,:HOST,:CHANGED,:USER,:HOST)"});
    }

    void createDayCounter()
    {
        db::Statement create(&connection_);
        create.setLines({"INSERT INTO PURCHASE_NUM(BILL_DATE,LAST_ID,CHG_DATE) VALUES(:BILL_DATE,1,:BILL_DATE)"});
        create.setParamText("BILL_DATE", kDate);
        create.execute();
    }

    qint64 nextNumber()
    {
        db::TransactionScope transaction(connection_);
        lockCounter_.setParamText("BILL_DATE", kDate);
        lockCounter_.open();
        const qint64 n = lockCounter_.asInteger(0);
        advanceCounter_.setParamInteger("LAST_ID", n + 1);
        advanceCounter_.setParamText("BILL_DATE", kDate);
        advanceCounter_.execute();
        transaction.commit();
        return n;
    }

    void writeBill(const QString& supplier, const QString& name, int taxFlag, double unpaid)
    {
        const QString id = QStringLiteral("0%1%2").arg(kDay).arg(nextNumber(), 4, 10, QChar(u'0'));
        const Amounts amounts = amountsFor(taxFlag, unpaid);
        const QDateTime now = QDateTime::currentDateTime();
        db::TransactionScope transaction(connection_);
        header_.setParamText("ID", id);
        header_.setParamText("BILL_DATE", kDate);
        header_.setParamText("USER", "SYSDBA");
        header_.setParamText("SUPPLIER", supplier);
        header_.setParamText("NAME", name);
        header_.setParamText("TAX_FLAG", QString::number(taxFlag));
        header_.setParamDouble("NET", amounts.net);
        header_.setParamDouble("TAX", amounts.tax);
        header_.setParamDouble("TOTAL", amounts.total);
        header_.execute();
        line_.setParamText("ID", id);
        line_.setParamText("KEYINTIME", now.toString(QStringLiteral("yyMMdd-HHmmss zzz")));
        line_.setParamDouble("AMT", unpaid);
        line_.setParamText("TAX_FLAG", QString::number(taxFlag));
        line_.setParamDouble("TAX", amounts.tax);
        line_.setParamDouble("NET", amounts.net);
        line_.setParamDouble("TOTAL", amounts.total);
        line_.setParamText("BILL_DATE", kDate);
        line_.setParamText("SUPPLIER", supplier);
        line_.setParamText("CHANGED", now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        line_.setParamText("USER", "SYSDBA");
        line_.setParamText("HOST", "127.0.0.1");
        line_.execute();
        transaction.commit();
    }

    void writePayment(int position, const QString& supplier, const QString& name, double prepaid)
    {
        const QString changed = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        payment_.setParamText("ID", QStringLiteral("0%1%2").arg(kDay).arg(position, 4, 10, QChar(u'0')));
        payment_.setParamText("BILL_DATE", kDate);
        payment_.setParamText("SUPPLIER", supplier);
        payment_.setParamText("NAME", name);
        payment_.setParamDouble("AMOUNT", prepaid);
        payment_.setParamText("CHANGED", changed);
        payment_.setParamText("USER", "SYSDBA");
        payment_.setParamText("HOST", "127.0.0.1");
        payment_.execute();  // committed on its own
    }

private:
    db::Connection& connection_;
    db::Statement lockCounter_;
    db::Statement advanceCounter_;
    db::Statement header_;
    db::Statement line_;
    db::Statement payment_;
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
        if (list.asDouble(3) > 0)
            floor.writeBill(supplier, name, static_cast<int>(list.asInteger(2)), list.asDouble(3));
        if (list.asDouble(4) > 0)
            floor.writePayment(position, supplier, name, list.asDouble(4));
    }
    std::printf("floor %d suppliers %.3f s\n", position, double(timer.nsecsElapsed()) / 1e9);
    return 0;
}
