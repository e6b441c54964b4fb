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
// Usage: posting_run_bench [SUPPLIERS...]                          every configuration
//        posting_run_bench make FOLDER SUPPLIERS embedded|server [async]   a database to profile on
//        posting_run_bench run FOLDER window|engine                one run on a prepared folder
#include "BenchDatabase.h"
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
    QString name() const
    {
        return QString::fromLatin1(server ? "server" : "embedded") + QString::fromLatin1(async ? " async" : "");
    }
};

// Floor, engine and window on copies of one generated database; the ms per supplier of each.
std::map<QString, double> compare(const QString& self, const Configuration& configuration, int& failures)
{
    QTemporaryDir seedDir;
    const bench::BenchDatabase seed = bench::makeBenchDatabase(seedDir, QStringLiteral("seed.fdb"),
                                                               configuration.suppliers, configuration.server,
                                                               configuration.async);
    std::map<QString, double> msPerSupplier;
    if (seed.database.isEmpty()) {
        ++failures;
        return msPerSupplier;
    }
    std::printf("%s, %d suppliers\n", qPrintable(configuration.name()), configuration.suppliers);
    // The disk's synchronous writes vary from minute to minute: the three are run in turn, three times,
    // and each keeps its best time, so that a slow spell of the disk does not fall on one alone.
    const QStringList ways{QStringLiteral("floor"), QStringLiteral("engine"), QStringLiteral("window")};
    std::map<QString, std::pair<QString, double>> best;
    for (int round = 0; round < kRounds; ++round) {
        for (const QString& way : ways) {
            QTemporaryDir dir;
            if (bench::copyBenchDatabase(dir, seed, QStringLiteral("bench.fdb")).database.isEmpty()) {
                ++failures;
                continue;
            }
            const auto [line, seconds] =
                way == QStringLiteral("floor")
                    ? timedProcess(QFileInfo(self).dir().filePath(QStringLiteral("posting_floor")), {dir.path()})
                    : timedProcess(self, {QStringLiteral("run"), dir.path(), way});
            if (seconds < 0) {
                ++failures;
                std::printf("  %-7s failed: %s\n", qPrintable(way), qPrintable(line));
                continue;
            }
            if (!best.count(way) || seconds < best[way].second)
                best[way] = {line, seconds};
        }
    }
    const double floorSeconds = best.count(ways.front()) ? best[ways.front()].second : 0.0;
    for (const QString& way : ways) {
        if (!best.count(way))
            continue;
        const auto& [line, seconds] = best[way];
        msPerSupplier[way] = seconds * 1000.0 / configuration.suppliers;
        std::printf("  %-7s %8.2f s %7.3f ms/supplier  %5.2f x floor   | %s\n", qPrintable(way), seconds,
                    msPerSupplier[way], floorSeconds > 0 ? seconds / floorSeconds : 0.0, qPrintable(line));
    }
    std::fflush(stdout);
    return msPerSupplier;
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

    std::vector<int> sizes;
    for (const QString& size : args.mid(1))
        sizes.push_back(size.toInt());
    if (sizes.empty())
        sizes = {1000, 10000};

    int failures = 0;
    for (const auto& [server, async] : {std::pair{false, false}, {true, false}, {false, true}}) {
        std::map<QString, double> first;
        for (int suppliers : sizes) {
            const Configuration configuration{suppliers, server, async};
            const std::map<QString, double> measured = compare(app.applicationFilePath(), configuration, failures);
            if (first.empty()) {
                first = measured;
                continue;
            }
            std::printf("  per supplier at %d against %d:", suppliers, sizes.front());
            for (const auto& [way, ms] : measured)
                if (first.count(way))
                    std::printf("  %s %+.1f %%", qPrintable(way), 100.0 * (ms / first.at(way) - 1.0));
            std::printf("\n");
        }
    }
    return failures == 0 ? 0 : 1;
}
