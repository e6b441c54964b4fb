// The program's command line end to end: the real executable on a server database, found
// through the user's configuration folder.
#include "TempDatabase.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

class CommandLineTest : public ::testing::Test {
protected:
    CommandLineTest()
    {
        QDir(config.path()).mkpath("suppbeforestart");
        database.writeDbConfig(config.path() + "/suppbeforestart");
    }

    Outcome run(const QStringList& arguments)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", config.path());
        environment.insert("XDG_CONFIG_DIRS", config.path());
        environment.remove("DISPLAY");  // no window is needed
        program.setProcessEnvironment(environment);
        program.start(SUPPBEFORESTART_PROGRAM, arguments);
        if (!program.waitForFinished(120000))
            return {};
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
                QString::fromUtf8(program.readAllStandardError())};
    }
    int documents()
    {
        return database.scalar("SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER) + (SELECT COUNT(*) FROM PAY_MASTER) + "
                               "(SELECT COUNT(*) FROM PURCHASE_NUM) FROM RDB$DATABASE")
            .toInt();
    }

    testsupport::TempDatabase database{true, testsupport::TempDatabase::Engine::Server};
    QTemporaryDir config;
};

} // namespace

TEST_F(CommandLineTest, PreviewPostAndRePostAnswerWithTheirExitCodes)
{
    const QString date = "--date=2011-02-19";
    const Outcome preview = run({"--preview", date});
    EXPECT_EQ(preview.code, 0) << preview.err.toStdString();
    const QStringList lines = preview.out.split('\n');
    EXPECT_TRUE(lines.value(0).startsWith("序號\t廠商代號\t廠商名稱\t單據\t單號\t未稅\t稅額\t合計"));
    EXPECT_EQ(lines.value(1), "1\tS001\t大同五金行\t進貨單\t0201102190001\t1235\t62\t1297");
    EXPECT_TRUE(preview.out.contains("將開立 進貨單 2 張"));
    EXPECT_EQ(documents(), 0);  // the preview writes nothing, not even the day's counter

    const QString report = config.path() + "/account.csv";
    const Outcome first = run({"--post", date, "--report", report});
    EXPECT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.startsWith("進貨單：已開立 2 張"));
    EXPECT_TRUE(QFile::exists(report));
    const int written = documents();
    EXPECT_GT(written, 0);

    // An earlier run is never replaced unasked.
    const Outcome refused = run({"--post", date});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.contains("--replace"));
    EXPECT_EQ(documents(), written);

    const Outcome replaced = run({"--post", "--replace", date});
    EXPECT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, "取代前次開帳：進貨單 2 張\n" + first.out);

    // A bill that cannot be saved: the run goes on, and the exit code says it did not all go well.
    database.exec("CREATE EXCEPTION E_REFUSED 'line refused'");
    database.exec("CREATE TRIGGER T_REFUSE FOR PURCHASE_DETAIL BEFORE INSERT AS BEGIN "
                  "IF (NEW.SUPP_CORP_ID = 'S001') THEN EXCEPTION E_REFUSED; END");
    const Outcome failing = run({"--post", "--replace", date});
    EXPECT_EQ(failing.code, 1);
    EXPECT_TRUE(failing.err.contains("S001") && failing.err.contains("line refused")) << failing.err.toStdString();
    EXPECT_TRUE(failing.out.contains("失敗：1 筆"));

    for (const QStringList& bad : {QStringList{"--post"}, QStringList{"--preview", "--post", date},
                                   QStringList{"--preview", "--date=19.02.2011"}, QStringList{"--preview", date, "x"}})
        EXPECT_EQ(run(bad).code, 4) << bad.join(' ').toStdString();
}
