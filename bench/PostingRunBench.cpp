// Speed and memory of the opening run ("確定開帳") on generated suite databases: 1,000 and
// 10,000 suppliers, most with both balances, on the embedded engine and through the local
// server. Each configuration runs in a process of its own so its peak memory is its own.
// With forced writes on, the time is mostly the disk's synchronous writes of the many small
// commits; the "async" configurations switch them off to show what the run's own steps cost.
// Each configuration is run twice on fresh copies: with the window on screen (the offscreen
// platform) following the run as the operator sees it (progress bar, input blocked), and the
// engine alone with no observer. The share of the run spent in the progress display is printed.
// Usage: posting_run_bench                                              every configuration
//        posting_run_bench SUPPLIERS embedded|server [async] window|engine   one run
#include "Boxes.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningRun.h"
#include "ScriptedBoxes.h"
#include "Statement.h"
#include "SuiteSchema.h"
#include "SupplierRow.h"
#include "WindowRun.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

namespace {

// Suppliers S00001...: nine in ten have both balances, one in twenty only an unpaid one, the
// rest nothing; tax flags 0, 1 and 2 in turn.
void generateSuppliers(db::Connection& connection, int suppliers)
{
    connection.startTransaction(1, db::Isolation::ReadCommitted);
    db::Statement supplier(&connection);
    supplier.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES(:ID,:NAME,'',:FLAG)"});
    db::Statement account(&connection);
    account.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES(:ID,:NOTPAY,:ADVPAY)"});
    for (int i = 1; i <= suppliers; ++i) {
        const QString id = QStringLiteral("S%1").arg(i, 5, 10, QChar(u'0'));
        supplier.setParamText("ID", id);
        supplier.setParamText("NAME", QStringLiteral("廠商 %1 股份有限公司").arg(i));
        supplier.setParamText("FLAG", QString::number(i % 3));
        supplier.execute();
        if (i % 20 == 0)
            continue;
        account.setParamText("ID", id);
        account.setParamDouble("NOTPAY", 1000.0 + i * 0.5);
        account.setParamDouble("ADVPAY", i % 20 == 10 ? 0.0 : 100.0 + i);
        account.execute();
    }
    db::Statement parameter(&connection);
    parameter.setLines({"INSERT INTO PARAM_DEFINE(PARAM_ID,PARAM_VALUE) VALUES(:ID,:VALUE)"});
    for (const auto& [key, value] : {std::pair{"in_tax", "0.05"}, {"in_totdot", "0"}, {"in_money_id", "NTD"},
                                     {"main_stockid", "A01"}}) {
        parameter.setParamText("ID", key);
        parameter.setParamText("VALUE", value);
        parameter.execute();
    }
    connection.commit(1);
}

// Notes the moment each supplier is done and passes every event on to the window's observer,
// if any, timing what it takes: the cost of the progress display.
struct TimedRun : opening::RunObserver {
    bool replaceEarlierRun(int earlierBills) override { return !inner || inner->replaceEarlierRun(earlierBills); }
    void billFailed(const opening::SupplierResult& supplier) override
    {
        if (inner)
            inner->billFailed(supplier);
    }
    void supplierDone(const opening::SupplierResult& supplier, int done, int total) override
    {
        const qint64 now = timer.nsecsElapsed();
        reached.push_back(now);
        if (inner) {
            inner->supplierDone(supplier, done, total);
            observerNs += timer.nsecsElapsed() - now;
        }
    }

    // The first and the last tenth of the walk, per supplier.
    QString tenths() const
    {
        const size_t tenth = reached.size() / 10;
        if (tenth < 2)
            return {};
        auto msPerSupplier = [&](size_t from) {
            return double(reached.at(from + tenth - 1) - reached.at(from)) / 1e6 / double(tenth - 1);
        };
        return QString::asprintf(" (first tenth %6.3f, last %6.3f)", msPerSupplier(0),
                                 msPerSupplier(reached.size() - tenth));
    }

    opening::RunObserver* inner = nullptr;
    QElapsedTimer timer;
    std::vector<qint64> reached;
    qint64 observerNs = 0;
};

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Forced writes off for the database, through the suite's maintenance tool.
bool writeAsync(const QString& database)
{
    const schema::Login login = schema::serverLogin();
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-write"), QStringLiteral("async"), database,
                                        QStringLiteral("-user"), login.user, QStringLiteral("-password"),
                                        login.password, QStringLiteral("-role"), login.role});
    return gfix.waitForFinished(-1) && gfix.exitStatus() == QProcess::NormalExit && gfix.exitCode() == 0;
}

int runOne(int suppliers, bool server, bool async, bool throughWindow)
{
    QTemporaryDir dir;
    // The server runs as its own user and must be able to write the folder.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString file = dir.path() + QStringLiteral("/bench.fdb");
    const QString database = server ? QStringLiteral("localhost:") + file : file;
    const schema::Login login = schema::serverLogin();
    schema::createSuiteDatabase(database, login);
    const QStringList connectionLines = QStringList{QStringLiteral("Database=") + database} +
                                        schema::loginLines(login) +
                                        QStringList{QStringLiteral("servercharset=UTF8"), QStringLiteral("sqldialect=3"),
                                                    QStringLiteral("isolationlevel=ReadCommitted"),
                                                    QStringLiteral("waitonlocks=True"), QStringLiteral("commitretain=False")};
    {
        db::Connection setup;
        setup.params().setValues(connectionLines);
        generateSuppliers(setup, suppliers);
    }
    if (async && !writeAsync(database)) {
        std::fprintf(stderr, "gfix -write async failed\n");
        return 1;
    }
    QFile config(dir.path() + QStringLiteral("/dbconfig.txt"));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write((connectionLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    config.close();

    auto boxes = std::make_shared<toolkit::ScriptedBoxes>();
    toolkit::setBoxes(boxes);
    TSimpleDataMod dm(dir.path());
    dm.DataModuleCreate();
    SimpleDataMod = &dm;
    {
        TFormSuppBeforeStart form;
        form.bindConnection(&dm.SQLConnection1);
        form.show();  // connects, loads the settings and the supplier list
        QApplication::processEvents();
        form.DateTimePicker1->setDate(QDate(2011, 2, 19));

        // Through the window: its own observer (progress bar, input blocked) on the window on
        // screen. The engine alone: nothing but the timing.
        std::optional<WindowRun> window;
        TimedRun timed;
        if (throughWindow) {
            window.emplace(form, *form.StatusPanel, static_cast<int>(form.ClientDataSet1.recordCount()));
            timed.inner = &*window;
        }
        timed.timer.start();
        const opening::RunResult result = opening::runOpening(
            dm, form.billWorkspace, opening::supplierRows(form.ClientDataSet1), QDate(2011, 2, 19), timed);
        const bool completed = result.end == opening::RunEnd::Completed;
        const double seconds = double(timed.timer.nsecsElapsed()) / 1e9;

        db::Statement check(&dm.SQLConnection1);
        check.setLines({"SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER), (SELECT COUNT(*) FROM PURCHASE_DETAIL), "
                        "(SELECT COUNT(*) FROM PAY_MASTER) FROM RDB$DATABASE"});
        check.open();
        std::printf("%-14s %-6s %6d suppliers  %5lld bills %5lld lines %5lld payments  %7.2f s  %8.1f suppliers/s  "
                    "%6.3f ms/supplier%s  progress display %4.1f %%  peak %6.1f MB%s\n",
                    qPrintable(QString::fromLatin1(server ? "server" : "embedded") + (async ? " async" : "")),
                    throughWindow ? "window" : "engine", suppliers, check.asInteger(0), check.asInteger(1),
                    check.asInteger(2), seconds, suppliers / seconds, seconds * 1000.0 / suppliers,
                    qPrintable(timed.tenths()), 100.0 * double(timed.observerNs) / 1e9 / seconds,
                    double(peakMemoryKb()) / 1024.0, completed ? "" : "  (not completed)");
        std::fflush(stdout);
    }
    SimpleDataMod = nullptr;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4)
        return runOne(args.at(1).toInt(), args.at(2) == QStringLiteral("server"),
                      args.contains(QStringLiteral("async")), args.last() == QStringLiteral("window"));

    int failures = 0;
    for (const QStringList& configuration : {QStringList{"embedded"}, QStringList{"server"},
                                             QStringList{"embedded", "async"}, QStringList{"server", "async"}}) {
        for (const char* suppliers : {"1000", "10000"}) {
            for (const char* way : {"window", "engine"}) {
                QProcess one;
                one.setProcessChannelMode(QProcess::ForwardedChannels);
                one.start(app.applicationFilePath(),
                          QStringList{QString::fromLatin1(suppliers)} + configuration + QStringList{QString::fromLatin1(way)});
                one.waitForFinished(-1);
                failures += one.exitCode() != 0 || one.exitStatus() != QProcess::NormalExit;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
