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
#include "BenchDatabase.h"
#include "Boxes.h"
#include "Connection.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningRun.h"
#include "ScriptedBoxes.h"
#include "Statement.h"
#include "SupplierRow.h"
#include "WindowRun.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

namespace {

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

int runOne(int suppliers, bool server, bool async, bool throughWindow)
{
    QTemporaryDir dir;
    if (bench::makeBenchDatabase(dir, QStringLiteral("bench.fdb"), suppliers, server, async).database.isEmpty())
        return 1;

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
                    double(bench::peakMemoryKb()) / 1024.0, completed ? "" : "  (not completed)");
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
