// The opening run killed (kill -9) at ten points of a run of 2,000 generated suppliers through the
// local server, and what it leaves: after each kill, the stored opening documents are tied to the
// run's plan (the engine's own check). Documents not yet written are expected to be missing; any
// other difference (a header without its line or with two, a line without its header, an amount
// other than planned, a number stored twice) is something half-written. The day's counter must
// stand beyond every number stored. Then the run is started again, replacing what the killed one
// wrote, and must complete with every document tying.
// Usage: posting_kill_check [SUPPLIERS]   (the server's login in FB_SERVER_USER/PASSWORD/ROLE)
// Prints one line per point and exits 0 when every point is sound.
#include "BenchDatabase.h"
#include "Check.h"
#include "ClockTexts.h"
#include "FrmSimpleDataMod.h"
#include "OpeningPlan.h"
#include "Statement.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

const QDate kBaseDate(2011, 2, 19);
constexpr int kPoints = 10;

struct Stored {
    int bills = 0;
    int payments = 0;
};

// The plan a run on the folder's database would follow now.
opening::OpeningPlan planOf(const QString& folder)
{
    TSimpleDataMod dm(folder);
    dm.DataModuleCreate();
    db::Statement query(&dm.SQLConnection1);
    return opening::planOpening(dm, query, opening::readSupplierList(query), kBaseDate);
}

Stored storedDocuments(db::Statement& query)
{
    query.open({QStringLiteral("SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%'),"),
                QStringLiteral(" (SELECT COUNT(*) FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%') FROM RDB$DATABASE")});
    return {static_cast<int>(query.asInteger(0)), static_cast<int>(query.asInteger(1))};
}

// What the folder's database holds against the plan: the differences that are not simply a
// document still to come, and whether the counter stands beyond every bill number stored.
struct Verdict {
    Stored stored;
    QStringList halfWritten;
    qint64 counter = 0;
    qint64 highestUsed = 0;
    bool ties = false;  // every planned document stored, and nothing else
    bool sound() const { return halfWritten.isEmpty() && counter > highestUsed; }
};

Verdict verdictOn(const QString& folder, const opening::OpeningPlan& plan)
{
    TSimpleDataMod dm(folder);
    dm.DataModuleCreate();
    db::Statement query(&dm.SQLConnection1);
    Verdict verdict;
    verdict.stored = storedDocuments(query);
    const opening::CheckResult check = opening::checkOpening(query, plan);
    verdict.ties = check.ties();
    for (const opening::Mismatch& mismatch : check.mismatches)
        if (!mismatch.stored.isEmpty())
            verdict.halfWritten << mismatch.supplier + u' ' + mismatch.number + u' ' + mismatch.what;
    query.setLines({QStringLiteral("SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = :BILL_DATE")});
    query.setParamText(QStringLiteral("BILL_DATE"), opening::billDateText(kBaseDate));
    query.open();
    verdict.counter = query.isEmpty() ? 1 : query.asInteger(0);
    query.open({QStringLiteral("SELECT MAX(CAST(SUBSTRING(MASTERBILLID FROM 10) AS INTEGER)) FROM PURCHASE_MASTER"),
                QStringLiteral(" WHERE MASTERBILLID LIKE '0%'")});
    verdict.highestUsed = query.asInteger(0);
    return verdict;
}

QString describe(const Verdict& verdict)
{
    return QStringLiteral("%1 bills %2 payments stored, counter %3 beyond %4%5")
        .arg(verdict.stored.bills)
        .arg(verdict.stored.payments)
        .arg(verdict.counter)
        .arg(verdict.highestUsed)
        .arg(verdict.halfWritten.isEmpty() ? QStringLiteral(", nothing half-written")
                                           : QStringLiteral(", HALF-WRITTEN: ") + verdict.halfWritten.mid(0, 5).join(
                                                                                    QStringLiteral("; ")));
}

// The run started on the folder and killed once `bills` opening bills are committed (at once for
// none); how long it had run.
double runAndKill(const QString& runner, const QString& folder, int bills)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    run.start(runner, {QStringLiteral("run"), folder, QStringLiteral("engine")});
    run.waitForStarted();
    if (bills > 0) {
        TSimpleDataMod dm(folder);
        dm.DataModuleCreate();
        db::Statement query(&dm.SQLConnection1);
        while (run.state() == QProcess::Running && storedDocuments(query).bills < bills)
            QThread::msleep(2);
    } else {
        QThread::msleep(120);  // starting, connecting or planning
    }
    run.kill();  // SIGKILL
    run.waitForFinished(-1);
    return double(timer.elapsed()) / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int suppliers = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000;
    const QString runner = QFileInfo(app.applicationFilePath()).dir().filePath(QStringLiteral("posting_run_bench"));
    QTemporaryDir seedDir;
    const bench::BenchDatabase seed =
        bench::makeBenchDatabase(seedDir, QStringLiteral("seed.fdb"), suppliers, true, false);
    if (seed.database.isEmpty())
        return 1;

    int failures = 0;
    for (int point = 0; point < kPoints; ++point) {
        QTemporaryDir dir;
        if (bench::copyBenchDatabase(dir, seed, QStringLiteral("bench.fdb")).database.isEmpty())
            return 1;
        const opening::OpeningPlan plan = planOf(dir.path());
        int planned = 0;
        for (const opening::SupplierEntry& entry : plan.suppliers)
            planned += entry.bill.outcome == opening::Outcome::Planned ? 1 : 0;
        // Spread over the walk, the first before any bill.
        const int killAt = planned * point / kPoints;
        const double seconds = runAndKill(runner, dir.path(), killAt);
        const Verdict killed = verdictOn(dir.path(), plan);

        // Started again, the run replaces what the killed one wrote and completes.
        const opening::OpeningPlan again = planOf(dir.path());
        QProcess rerun;
        rerun.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        rerun.start(runner, {QStringLiteral("run"), dir.path(), QStringLiteral("engine")});
        rerun.waitForFinished(-1);
        const bool completed = rerun.exitStatus() == QProcess::NormalExit && rerun.exitCode() == 0;
        const Verdict after = verdictOn(dir.path(), again);
        const bool sound = killed.sound() && completed && after.sound() && after.ties;
        const QString rerunVerdict =
            describe(after) + (after.ties ? QStringLiteral(", ties") : QStringLiteral(", DOES NOT TIE"));
        std::printf("point %2d: killed at %6.2f s (aimed at bill %4d): %s; re-run %s: %s%s\n", point + 1, seconds,
                    killAt, qPrintable(describe(killed)), completed ? "completed" : "FAILED", qPrintable(rerunVerdict),
                    sound ? "" : "  << NOT SOUND");
        std::fflush(stdout);
        failures += sound ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
