// How fast and how small the supplier list loads, on a generated database of 100,000 suppliers
// (or as many as the first argument says), on the embedded engine and through the local server.
// isql-fb fetching the same query (its rows to /dev/null, headings off, the connection's
// character set) is the yardstick: its own "Elapsed time" of the statement, and its whole run less
// a run that only connects. The list's record set is timed twice: the first open after connecting
// (the engine's page cache cold, as isql's is) and again once the cache is warm; the resident
// memory the warm open adds is the list's size, once the fetch's transient memory is given back.
// The window's whole load (show on the offscreen platform: the list, the grid, the totals) is
// timed in a process of its own.
// Usage: supplier_list_bench [SUPPLIERS]      (SUPPLIER_LIST_BENCH_KEEP set: the databases are kept)
//        supplier_list_bench SUPPLIERS FOLDER embedded|server open|window   one measurement
#include "BenchDatabase.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningPlan.h"
#include "RecordSet.h"
#include "ScriptedBoxes.h"
#include "Statement.h"
#include "SuiteSchema.h"
#include "SupplierRow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <malloc.h>

namespace {

constexpr int kRepeats = 3;

double msSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Resident memory once freed blocks have gone back to the system, so that what a load leaves
// behind is counted and what it used on the way is not.
long settledMemoryKb()
{
    malloc_trim(0);
    return bench::currentMemoryKb();
}

// Resident memory not backed by files: the heap and anonymous mappings. The first show of a
// window also pages in code and fonts, which take the same room whatever the list holds.
long anonymousMemoryKb()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct IsqlFigures {
    double statementMs = -1;  // isql's own "Elapsed time" of the query, best of the runs
    double processMs = -1;    // the whole run less a run that only connects, best of the runs
};

// One isql-fb run of a script; its standard output, or an empty string on failure.
QByteArray runIsql(const QString& database, const QString& script, double& wallMs)
{
    const schema::Login login = schema::serverLogin();
    QProcess isql;
    QStringList args{QStringLiteral("-q"), QStringLiteral("-ch"), QStringLiteral("UTF8"), QStringLiteral("-user"),
                     login.user, QStringLiteral("-password"), login.password};
    if (!login.role.isEmpty())
        args << QStringLiteral("-role") << login.role;
    args << QStringLiteral("-i") << script << database;
    QElapsedTimer timer;
    timer.start();
    isql.start(QStringLiteral("isql-fb"), args);
    if (!isql.waitForFinished(-1) || isql.exitStatus() != QProcess::NormalExit || isql.exitCode() != 0) {
        std::fprintf(stderr, "isql-fb failed: %s\n", isql.readAllStandardError().constData());
        return {};
    }
    wallMs = msSince(timer);
    return isql.readAllStandardOutput() + ' ';
}

IsqlFigures timeIsql(const QTemporaryDir& dir, const QString& database)
{
    const QString query = dir.path() + QStringLiteral("/list.sql");
    const QString connectOnly = dir.path() + QStringLiteral("/connect.sql");
    {
        QFile file(query);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        // The rows go to /dev/null, the statistics to standard output.
        file.write(QStringLiteral("SET HEADING OFF;\nSET STATS ON;\nOUTPUT /dev/null;\n%1;\nOUTPUT;\n")
                       .arg(opening::supplierListQuery())
                       .toUtf8());
        QFile other(connectOnly);
        if (!other.open(QIODevice::WriteOnly))
            return {};
        other.write("SET HEADING OFF;\nOUTPUT /dev/null;\nSELECT 1 FROM RDB$DATABASE;\nOUTPUT;\n");
    }
    static const QRegularExpression elapsed(QStringLiteral("Elapsed time\\s*=\\s*([0-9.]+)"));
    IsqlFigures figures;
    double bestQuery = 1e300, bestConnect = 1e300;
    for (int i = 0; i < kRepeats; ++i) {
        double wall = 0;
        const QByteArray out = runIsql(database, query, wall);
        if (out.isEmpty())
            return {};
        bestQuery = std::min(bestQuery, wall);
        const QRegularExpressionMatch match = elapsed.match(QString::fromUtf8(out));
        if (match.hasMatch()) {
            const double ms = match.captured(1).toDouble() * 1000.0;
            figures.statementMs = figures.statementMs < 0 ? ms : std::min(figures.statementMs, ms);
        }
        if (runIsql(database, connectOnly, wall).isEmpty())
            return {};
        bestConnect = std::min(bestConnect, wall);
    }
    figures.processMs = bestQuery - bestConnect;
    return figures;
}

// The record set as the window holds it, opened on a connected data module.
int measureOpen(const QString& folder, const char* engine, int suppliers)
{
    TSimpleDataMod dm(folder);
    dm.DataModuleCreate();
    dm.SQLConnection1.open();  // connected and upgraded: neither is part of the load
    db::Statement source(&dm.SQLConnection1);
    db::Provider provider(&source);
    db::RecordSet list;
    list.setProvider(&provider);

    const auto open = [&] {
        list.close();
        list.setCommandText(opening::supplierListQuery());
        QElapsedTimer timer;
        timer.start();
        list.open();
        return msSince(timer);
    };
    const double coldMs = open();
    list.close();
    const long before = settledMemoryKb();
    double warmMs = open();
    const long after = settledMemoryKb();
    for (int i = 1; i < kRepeats; ++i)
        warmMs = std::min(warmMs, open());

    QElapsedTimer timer;
    timer.start();
    const QVector<opening::SupplierRow> rows = opening::supplierRows(list);
    const double rowsMs = msSince(timer);
    timer.restart();
    // The window's plan of the run, the database's part read as the window reads it.
    db::Statement query(&dm.SQLConnection1);
    const opening::OpeningPlan plan = opening::planOpening(dm, query, {rows, {}}, QDate(2011, 2, 19));
    const double totalsMs = msSince(timer);

    const int count = list.recordCount();
    std::printf("%-8s %7d suppliers  record set open: first %8.1f ms, warm %8.1f ms  list adds %6.1f bytes/supplier"
                "  (then the window's totals: supplier rows %6.1f ms, plan %6.1f ms)\n",
                engine, suppliers, coldMs, warmMs, double(after - before) * 1024.0 / std::max(count, 1), rowsMs,
                totalsMs);
    std::fflush(stdout);
    return count == suppliers && plan.suppliers.size() == suppliers ? 0 : 1;
}

// The window's own load as the operator sees it: shown, list loaded, grid laid out and painted,
// totals in the bottom panel.
int measureWindow(const QString& folder, const char* engine, int suppliers)
{
    toolkit::setBoxes(std::make_shared<toolkit::ScriptedBoxes>());
    TSimpleDataMod dm(folder);
    dm.DataModuleCreate();
    SimpleDataMod = &dm;
    dm.SQLConnection1.open();
    int rows = 0;
    {
        // Fills the engine's page cache, as the record set's warm open has it.
        db::Statement warm(&dm.SQLConnection1);
        warm.open({opening::supplierListQuery()});
    }
    const long before = settledMemoryKb();
    const long anonymousBefore = anonymousMemoryKb();
    double shownMs = 0, reloadMs = 0;
    long after = 0, anonymousAfter = 0;
    {
        TFormSuppBeforeStart form;
        form.bindConnection(&dm.SQLConnection1);
        QElapsedTimer timer;
        timer.start();
        form.show();
        QApplication::processEvents();
        shownMs = msSince(timer);
        after = settledMemoryKb();
        anonymousAfter = anonymousMemoryKb();
        timer.restart();
        form.FormShow();
        QApplication::processEvents();
        reloadMs = msSince(timer);
        rows = form.ClientDataSet1.recordCount();
    }
    SimpleDataMod = nullptr;
    const double perRow = 1024.0 / std::max(rows, 1);
    std::printf("%-8s %7d suppliers  window shown with the list %8.1f ms, list loaded again %8.1f ms  "
                "window with the list adds %6.1f bytes/supplier (%6.1f not backed by files)\n",
                engine, suppliers, shownMs, reloadMs, double(after - before) * perRow,
                double(anonymousAfter - anonymousBefore) * perRow);
    std::fflush(stdout);
    return rows == suppliers ? 0 : 1;
}

int runChild(const QString& program, int suppliers, const QString& folder, const char* engine, const char* what)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, {QString::number(suppliers), folder, QString::fromLatin1(engine), QString::fromLatin1(what)});
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5) {
        const int suppliers = args.at(1).toInt();
        const char* engine = args.at(3) == QStringLiteral("server") ? "server" : "embedded";
        return args.at(4) == QStringLiteral("window") ? measureWindow(args.at(2), engine, suppliers)
                                                       : measureOpen(args.at(2), engine, suppliers);
    }
    const int suppliers = args.size() >= 2 ? args.at(1).toInt() : 100000;
    int failures = 0;
    for (const bool server : {false, true}) {
        const char* engine = server ? "server" : "embedded";
        QTemporaryDir dir;
        // Kept for profiling one measurement on its own (the second form of the command).
        if (qEnvironmentVariableIsSet("SUPPLIER_LIST_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::printf("%-8s database kept in %s\n", engine, qPrintable(dir.path()));
        }
        QElapsedTimer made;
        made.start();
        const bench::BenchDatabase database =
            bench::makeBenchDatabase(dir, QStringLiteral("list.fdb"), suppliers, server, false);
        if (database.database.isEmpty())
            return 1;
        std::printf("%-8s %7d suppliers  database generated in %.1f s\n", engine, suppliers, msSince(made) / 1000.0);
        const IsqlFigures isql = timeIsql(dir, database.database);
        std::printf("%-8s %7d suppliers  isql-fb: statement %8.1f ms, whole run less connecting %8.1f ms\n", engine,
                    suppliers, isql.statementMs, isql.processMs);
        std::fflush(stdout);
        failures += isql.statementMs < 0;
        failures += runChild(app.applicationFilePath(), suppliers, dir.path(), engine, "open");
        failures += runChild(app.applicationFilePath(), suppliers, dir.path(), engine, "window");
    }
    return failures == 0 ? 0 : 1;
}
