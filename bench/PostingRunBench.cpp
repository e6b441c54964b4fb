// Speed and memory of the opening run ("確定開帳") against its floor, on generated suite
// databases of 1,000 and 10,000 suppliers, most with both balances, on the embedded engine and
// through the local server. For each configuration one database is generated and copied, and on
// the copies run, each in a process of its own (so its peak memory is its own), in turn and
// three times, the best time of each kept:
//   floor   posting_floor: the same rows with the same commits, every statement prepared once;
//   engine  the opening engine alone, timed per supplier;
//   window  the window on screen (the offscreen platform, the grid visible), from the click on
//           "確定開帳" to the completion box.
// With forced writes on, the time is mostly the disk's synchronous writes of the commits; the
// "async" configuration switches them off to show what the steps themselves cost.
// Through a SlowLink the server is reached over a link of a set round trip, and each way's round
// trips per supplier are counted (the connect, the list and the plan included).
// Usage: posting_run_bench [SUPPLIERS...]                          every configuration, and the
//                                                                  server at 0, 2 and 10 ms
//        posting_run_bench [--ways floor,engine,window] [--rounds N]
//                          [--where embedded,server,async,server-async]
//                          [--indexes suite,masterbillid] [--link MS,...] [--runner PROGRAM]
//                          [SUPPLIERS...]
//                                                                  the chosen ones (with --link:
//                                                                  only through those links; the
//                                                                  runs by another build's program)
//        posting_run_bench make FOLDER SUPPLIERS embedded|server [async]   a database to profile on
//        posting_run_bench run FOLDER window|engine                one run on a prepared folder
#include "BenchDatabase.h"
#include "SlowLink.h"
#include "Boxes.h"
#include "FrmSimpleDataMod.h"
#include "FrmSuppBeforeStart.h"
#include "OpeningRun.h"
#include "ScriptedBoxes.h"
#include "Statement.h"
#include "SupplierRow.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

namespace {

const QDate kBaseDate(2011, 2, 19);
constexpr int kRounds = 3;

// Notes the moment each supplier is done.
struct TimedRun : opening::RunObserver {
    bool replaceEarlierRun(const opening::EarlierRun&) override { return true; }
    void billFailed(const opening::SupplierEntry&) override {}
    void supplierDone(const opening::SupplierEntry&, int, int) override { reached.push_back(timer.nsecsElapsed()); }

    // The first and the last tenth of the walk, per supplier.
    QString tenths() const
    {
        const size_t tenth = reached.size() / 10;
        if (tenth < 2)
            return {};
        auto msPerSupplier = [&](size_t from) {
            return double(reached.at(from + tenth - 1) - reached.at(from)) / 1e6 / double(tenth - 1);
        };
        return QString::asprintf("  first tenth %.3f, last %.3f ms/supplier", msPerSupplier(0),
                                 msPerSupplier(reached.size() - tenth));
    }

    QElapsedTimer timer;
    std::vector<qint64> reached;
};

int runOne(const QString& folder, bool throughWindow)
{
    auto boxes = std::make_shared<toolkit::ScriptedBoxes>();
    toolkit::setBoxes(boxes);
    TSimpleDataMod dm(folder);
    dm.DataModuleCreate();
    SimpleDataMod = &dm;
    bool completed = false;
    double seconds = 0;
    QString tenths;
    {
        TFormSuppBeforeStart form;
        form.bindConnection(&dm.SQLConnection1);
        form.show();  // connects, loads the settings and the supplier list
        QApplication::processEvents();
        form.DateTimePicker1->setDate(kBaseDate);
        QElapsedTimer timer;
        if (throughWindow) {
            timer.start();
            form.SpeedButton1Click();
            seconds = double(timer.nsecsElapsed()) / 1e9;
            completed = boxes->texts(toolkit::ScriptedBoxes::Kind::Information).size() == 1;
        } else {
            TimedRun timed;
            timed.timer.start();
            const opening::RunResult result = opening::runOpening(
                dm, form.billWorkspace, form.supplierList(), kBaseDate, timed);
            seconds = double(timed.timer.nsecsElapsed()) / 1e9;
            completed = result.end == opening::RunEnd::Completed;
            tenths = timed.tenths();
        }
    }
    db::Statement check(&dm.SQLConnection1);
    check.setLines({"SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER), (SELECT COUNT(*) FROM PAY_MASTER) FROM RDB$DATABASE"});
    check.open();
    std::printf("%s %lld bills %lld payments %.3f s%s  peak %.1f MB%s\n", throughWindow ? "window" : "engine",
                check.asInteger(0), check.asInteger(1), seconds, qPrintable(tenths),
                double(bench::peakMemoryKb()) / 1024.0, completed ? "" : "  (not completed)");
    SimpleDataMod = nullptr;
    return completed ? 0 : 1;
}

// Runs one program on its copy of the database; its output line, and its time in seconds
// (negative when it failed).
std::pair<QString, double> timedProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    process.waitForFinished(-1);
    const QString output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    const auto match = QRegularExpression(QStringLiteral("([0-9.]+) s\\b")).match(output);
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && match.hasMatch();
    return {output, ok ? match.captured(1).toDouble() : -1.0};
}

struct Configuration {
    int suppliers;
    bool server;
    bool async;
    bench::Indexes indexes = bench::Indexes::Suite;
    int linkMs = -1;  // through a SlowLink of that round trip, or directly
    QString name() const
    {
        QString text = QString::fromLatin1(server ? "server" : "embedded") + QString::fromLatin1(async ? " async" : "");
        if (indexes == bench::Indexes::MasterBillIdOnly)
            text += QStringLiteral(", MASTERBILLID indexes only");
        if (linkMs >= 0)
            text += QStringLiteral(", through a link of %1 ms round trip").arg(linkMs);
        return text;
    }
};

struct Measured {
    QString line;
    double seconds = -1.0;
    long long roundTrips = -1;
};

// The ways given run on copies of one generated database, in turn, `rounds` times, each keeping
// its best time; the ms per supplier of each.
std::map<QString, double> compare(const QString& self, const Configuration& configuration, const QStringList& ways,
                                  int rounds, int& failures)
{
    QTemporaryDir seedDir;
    const bench::BenchDatabase seed =
        bench::makeBenchDatabase(seedDir, QStringLiteral("seed.fdb"), configuration.suppliers, configuration.server,
                                 configuration.async, configuration.indexes);
    std::map<QString, double> msPerSupplier;
    if (seed.database.isEmpty()) {
        ++failures;
        return msPerSupplier;
    }
    std::unique_ptr<bench::SlowLink> link;
    if (configuration.linkMs >= 0) {
        link = std::make_unique<bench::SlowLink>(configuration.linkMs);
        if (link->port() == 0) {
            std::printf("  cannot listen on 127.0.0.1\n");
            ++failures;
            return msPerSupplier;
        }
    }
    std::printf("%s, %d suppliers\n", qPrintable(configuration.name()), configuration.suppliers);
    std::fflush(stdout);
    // The disk's synchronous writes vary from minute to minute: the ways are run in turn, and
    // each keeps its best time, so that a slow spell of the disk does not fall on one alone.
    std::map<QString, Measured> best;
    for (int round = 0; round < rounds; ++round) {
        for (const QString& way : ways) {
            QTemporaryDir dir;
            if (bench::copyBenchDatabase(dir, seed, QStringLiteral("bench.fdb"), link ? link->port() : 0)
                    .database.isEmpty()) {
                ++failures;
                continue;
            }
            const long long tripsBefore = link ? link->roundTrips() : 0;
            const auto [line, seconds] =
                way == QStringLiteral("floor")
                    ? timedProcess(QFileInfo(self).dir().filePath(QStringLiteral("posting_floor")), {dir.path()})
                    : timedProcess(self, {QStringLiteral("run"), dir.path(), way});
            if (seconds < 0) {
                ++failures;
                std::printf("  %-7s failed: %s\n", qPrintable(way), qPrintable(line));
                continue;
            }
            if (!best.count(way) || seconds < best[way].seconds)
                best[way] = {line, seconds, link ? link->roundTrips() - tripsBefore : -1};
        }
    }
    const double floorSeconds = best.count(QStringLiteral("floor")) ? best[QStringLiteral("floor")].seconds : 0.0;
    for (const QString& way : ways) {
        if (!best.count(way))
            continue;
        const Measured& measured = best[way];
        msPerSupplier[way] = measured.seconds * 1000.0 / configuration.suppliers;
        const QString trips =
            measured.roundTrips < 0
                ? QString()
                : QString::asprintf(" %6.2f round trips/supplier",
                                    double(measured.roundTrips) / configuration.suppliers);
        std::printf("  %-7s %8.2f s %7.3f ms/supplier%s  %5.2f x floor   | %s\n", qPrintable(way), measured.seconds,
                    msPerSupplier[way], qPrintable(trips), floorSeconds > 0 ? measured.seconds / floorSeconds : 0.0,
                    qPrintable(measured.line));
    }
    std::fflush(stdout);
    return msPerSupplier;
}

// Each configuration at every size; from the second size on, how the time per supplier changed.
void compareSizes(const QString& self, Configuration configuration, const std::vector<int>& sizes,
                  const QStringList& ways, int rounds, int& failures)
{
    std::map<QString, double> first;
    for (int suppliers : sizes) {
        configuration.suppliers = suppliers;
        const std::map<QString, double> measured = compare(self, configuration, ways, rounds, failures);
        if (first.empty()) {
            first = measured;
            continue;
        }
        std::printf("  per supplier at %d against %d:", suppliers, sizes.front());
        for (const auto& [way, ms] : measured)
            if (first.count(way))
                std::printf("  %s %+.1f %%", qPrintable(way), 100.0 * (ms / first.at(way) - 1.0));
        std::printf("\n");
        std::fflush(stdout);
    }
}

// The value of "--NAME VALUE" split at commas, or the fallback.
QStringList option(const QStringList& args, const char* name, const QStringList& fallback)
{
    const int at = static_cast<int>(args.indexOf(QString::fromLatin1(name)));
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).split(u',') : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QStringLiteral("run"))
        return runOne(args.at(2), args.at(3) == QStringLiteral("window"));
    if (args.size() >= 5 && args.at(1) == QStringLiteral("make")) {
        QTemporaryDir dir(args.at(2));
        dir.setAutoRemove(false);
        const bool made = !bench::makeBenchDatabase(dir, QStringLiteral("bench.fdb"), args.at(3).toInt(),
                                                    args.at(4) == QStringLiteral("server"),
                                                    args.contains(QStringLiteral("async")))
                               .database.isEmpty();
        std::printf("%s\n", qPrintable(dir.path()));
        return made ? 0 : 1;
    }

    // Sizes are the arguments that are numbers and no option's value.
    std::vector<int> sizes;
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i).startsWith(QStringLiteral("--"))) {
            ++i;
            continue;
        }
        sizes.push_back(args.at(i).toInt());
    }
    if (sizes.empty())
        sizes = {1000, 10000};
    const bool chosen = args.size() > 1 && args.at(1).startsWith(QStringLiteral("--"));
    const QStringList ways = option(args, "--ways", {"floor", "engine", "window"});
    const int rounds = option(args, "--rounds", {QString::number(kRounds)}).first().toInt();
    const QStringList where = option(args, "--where", {"embedded", "server", "async"});
    const QStringList indexes = option(args, "--indexes", {"suite", "masterbillid"});
    const QStringList links = option(args, "--link", {});

    int failures = 0;
    // The runs may be another build's (its posting_floor beside it), to compare two builds.
    const QString self = option(args, "--runner", {app.applicationFilePath()}).first();
    if (links.isEmpty() || !chosen) {
        for (const QString& place : where) {
            // "async": embedded with forced writes off; "server-async": the same through the server.
            const bool async = place.endsWith(QStringLiteral("async"));
            const bool server = place.startsWith(QStringLiteral("server"));
            for (const QString& layout : indexes) {
                // Forced writes off show what the steps cost; the suite's layout is enough there,
                // unless asked for.
                if (async && layout != QStringLiteral("suite") && !chosen)
                    continue;
                const auto chosenIndexes =
                    layout == QStringLiteral("suite") ? bench::Indexes::Suite : bench::Indexes::MasterBillIdOnly;
                compareSizes(self, {0, server, async, chosenIndexes}, sizes, ways, rounds, failures);
            }
        }
    }
    // Over a slow link a run is counted in round trips: 1,000 suppliers through the server at 0, 2
    // and 10 ms round trip, the run against its floor, once each (a run at 10 ms takes minutes).
    const QStringList linkMs = chosen ? links : QStringList{"0", "2", "10"};
    const std::vector<int> linkSizes = chosen ? sizes : std::vector<int>{1000};
    const QStringList linkWays = chosen ? ways : QStringList{"floor", "engine"};
    for (const QString& ms : linkMs)
        compareSizes(self, {0, true, false, bench::Indexes::Suite, ms.toInt()}, linkSizes, linkWays,
                     chosen ? rounds : 1, failures);
    return failures == 0 ? 0 : 1;
}
