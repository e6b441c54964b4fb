// The program's command line end to end: the real executable on a server database, found
// through the user's configuration folder.
#include "FreezingProxy.h"
#include "Statement.h"
#include "TempDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

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

    void start(QProcess& program, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", config.path());
        environment.insert("XDG_CONFIG_DIRS", config.path());
        environment.remove("DISPLAY");  // no window is needed
        for (auto it = extraEnvironment.cbegin(); it != extraEnvironment.cend(); ++it)
            environment.insert(it.key(), it.value());
        program.setProcessEnvironment(environment);
        program.start(SUPPBEFORESTART_PROGRAM, arguments);
    }
    static Outcome finish(QProcess& program)
    {
        if (!program.waitForFinished(120000))
            return {};
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
                QString::fromUtf8(program.readAllStandardError())};
    }
    Outcome run(const QStringList& arguments)
    {
        QProcess program;
        start(program, arguments);
        return finish(program);
    }
    // Two workstations pressing at the same moment.
    std::pair<Outcome, Outcome> runTwice(const QStringList& arguments)
    {
        QProcess first, second;
        start(first, arguments);
        start(second, arguments);
        return {finish(first), finish(second)};
    }
    int documents()
    {
        return database.scalar("SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER) + (SELECT COUNT(*) FROM PAY_MASTER) + "
                               "(SELECT COUNT(*) FROM PURCHASE_NUM) FROM RDB$DATABASE")
            .toInt();
    }

    testsupport::TempDatabase database{true, testsupport::TempDatabase::Engine::Server};
    QTemporaryDir config;
    QMap<QString, QString> extraEnvironment;  // variables the program gets besides the test's own
};

} // namespace

TEST_F(CommandLineTest, PreviewPostAndRePostAnswerWithTheirExitCodes)
{
    // The demo's negative balances are typing mistakes: never posted, each named, and the exit
    // code says the run is done but not clean.
    const QString date = "--date=2011-02-19";
    const QString fault = "略過 S006 花蓮石材企業行（第 6 列） 進貨單：負數餘額 -250\n";
    const Outcome preview = run({"--preview", date});
    EXPECT_EQ(preview.code, 5) << preview.err.toStdString();
    EXPECT_TRUE(preview.err.startsWith(fault)) << preview.err.toStdString();
    const QStringList lines = preview.out.split('\n');
    EXPECT_EQ(lines.value(0), "序號\t廠商代號\t廠商名稱\t單據\t單號\t餘額\t未稅\t稅額\t合計\t結果\t說明");
    EXPECT_EQ(lines.value(1), "1\tS001\t大同五金行\t進貨單\t0201102190001\t1234.5\t1235\t62\t1297\t將開立\t");
    EXPECT_TRUE(preview.out.contains("\t合計\t進貨單 2 張\t進貨單\t\t6234.5\t5997\t300\t6297\t\t\n"));
    EXPECT_TRUE(preview.out.contains("調節：期初未付 6,234.5 ＋ 外加稅額 62（1 張）＋ 尾數 0.5"));
    EXPECT_TRUE(preview.out.contains("將開立 進貨單 2 張"));
    EXPECT_EQ(documents(), 0);  // the preview writes nothing, not even the day's counter

    const QString report = config.path() + "/account.csv";
    const Outcome first = run({"--post", date, "--report", report});
    EXPECT_EQ(first.code, 5) << first.err.toStdString();
    EXPECT_EQ(first.err, preview.err);
    EXPECT_TRUE(first.out.startsWith("已開立 進貨單 2 張　未稅 5,997　稅額 300　合計 6,297\n")) << first.out.toStdString();
    EXPECT_TRUE(QFile::exists(report));
    const int written = documents();
    EXPECT_GT(written, 0);

    // An earlier run is never replaced unasked.
    const Outcome refused = run({"--post", date});
    EXPECT_EQ(refused.code, 2);
    EXPECT_TRUE(refused.err.contains("--replace"));
    EXPECT_EQ(documents(), written);

    // Without the faulty balances the same run is clean.
    database.exec("UPDATE SUPPLIER_ACCOUNTS SET BEFORE_NOTPAY = 0, BEFORE_ADVPAY = 0 WHERE CORP_ID = 'S006'");
    const Outcome replaced = run({"--post", "--replace", date});
    EXPECT_EQ(replaced.code, 0) << replaced.err.toStdString();
    EXPECT_TRUE(replaced.out.startsWith("取代前次開帳：進貨單 2 張、明細 2 筆、預付單 2 筆\n" + first.out.section('\n', 0, 2)))
        << replaced.out.toStdString();

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

TEST_F(CommandLineTest, TwoWorkstationsAtOnceWriteEachBalanceOnce)
{
    // 300 more suppliers, so that a run lasts long enough for the other to meet it.
    db::Connection& admin = database.admin();
    admin.startTransaction(1, db::Isolation::ReadCommitted);
    db::Statement supplier(&admin), account(&admin);
    supplier.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES(:ID,:ID,'','0')"});
    account.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES(:ID,:OWED,:PAID)"});
    for (int i = 1; i <= 300; ++i) {
        const QString id = QString("C%1").arg(i, 4, 10, QChar('0'));
        supplier.setParamText("ID", id);
        supplier.execute();
        account.setParamText("ID", id);
        account.setParamDouble("OWED", 100 + i);
        account.setParamDouble("PAID", i % 3 == 0 ? 0 : 50);
        account.execute();
    }
    admin.commit(1);
    const auto eachOnce = [this] {
        const int owed = database.scalar("SELECT COUNT(*) FROM SUPPLIER_ACCOUNTS WHERE BEFORE_NOTPAY > 0").toInt();
        const int prepaid = database.scalar("SELECT COUNT(*) FROM SUPPLIER_ACCOUNTS WHERE BEFORE_ADVPAY > 0").toInt();
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(), owed);
        EXPECT_EQ(database.scalar("SELECT COUNT(DISTINCT SUPP_CORP_ID) FROM PURCHASE_MASTER").toInt(), owed);
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), owed);
        EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PAY_MASTER").toInt(), prepaid);
        EXPECT_EQ(database.scalar("SELECT COUNT(DISTINCT SUPP_CORP_ID) FROM PAY_MASTER").toInt(), prepaid);
    };
    // The one that comes second is told who is running and writes nothing (or, had the first
    // already finished, finds its run and leaves it).
    const auto oneRanTheOtherWasTold = [](const std::pair<Outcome, Outcome>& both, int otherwise) {
        const auto& [a, b] = both;
        EXPECT_TRUE((a.code == 5 && (b.code == 3 || b.code == otherwise)) ||
                    (b.code == 5 && (a.code == 3 || a.code == otherwise)))
            << a.code << ' ' << b.code << ' ' << a.err.toStdString() << b.err.toStdString();
        const QString told = a.code == 3 ? a.err : b.err;
        if (a.code == 3 || b.code == 3) {
            EXPECT_TRUE(told.contains("正在執行期初開帳")) << told.toStdString();
        }
    };

    oneRanTheOtherWasTold(runTwice({"--post", "--date=2011-02-19"}), 2);
    eachOnce();
    oneRanTheOtherWasTold(runTwice({"--post", "--replace", "--date=2011-02-19"}), 5);
    eachOnce();

    // A workstation killed in the middle of its run leaves no claim behind: the server drops it
    // with the connection.
    QProcess killed;
    start(killed, {"--post", "--replace", "--date=2011-02-19"});
    ASSERT_TRUE(killed.waitForStarted());
    QThread::msleep(1500);
    killed.kill();
    killed.waitForFinished();
    const Outcome after = run({"--post", "--replace", "--date=2011-02-19"});
    EXPECT_EQ(after.code, 5) << after.err.toStdString();
    eachOnce();
}

TEST_F(CommandLineTest, TheReportTheCheckAndTheRecordProveTheOpening)
{
    const QString date = "--date=2011-02-19";
    const QString pdf = config.path() + "/opening.pdf";
    const Outcome posted = run({"--post", date, "--report", pdf});
    ASSERT_EQ(posted.code, 5) << posted.err.toStdString();
    EXPECT_TRUE(posted.out.contains("核對相符")) << posted.out.toStdString();

    // The printed report holds every document with its supplier, the skipped ones, the totals,
    // the check and the lines to sign.
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    for (const char* expected : {"廠商期初帳款開帳報表", "期初基準日期：2011/02/19", "S001 大同五金行 進貨單 0201102190001 1,234.5 1,235 62 1,297",
                                 "S001 大同五金行 預付單 0201102190001 300 300", "S002 永豐紙業台中分公司 進貨單",
                                 "S003 新竹電子材料行 預付單 0201102190003 800 800", "本頁小計 4 筆",
                                 "略過 S006 花蓮石材企業行（第 6 列） 進貨單：負數餘額 -250",
                                 "進貨單 2 張 期初未付 6,234.5 未稅 5,997 稅額 300 合計 6,297", "調節：期初未付 6,234.5",
                                 "核對相符", "製表：", "覆核：", "第 1 頁，共 1 頁"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();

    EXPECT_EQ(run({"--verify", date}).code, 0);
    database.exec("UPDATE PURCHASE_MASTER SET TOTAL_TOTAMT = 1 WHERE SUPP_CORP_ID = 'S001'");
    const Outcome differs = run({"--verify", date});
    EXPECT_EQ(differs.code, 5);
    EXPECT_TRUE(differs.out.startsWith("廠商代號\t單據\t單號\t應為\t資料庫\t差異\nS001\t進貨單\t0201102190001\t1297\t1\t合計不符\n"))
        << differs.out.toStdString();
    EXPECT_EQ(run({"--verify", "--date=2011-02-20"}).code, 5);  // another base date: nothing of it is stored

    // A clerk who may run the opening but not make the record's table: the run goes on, unrecorded,
    // and says so once.
    const QString clerk = "CLI_CLERK_" + QString::number(QCoreApplication::applicationPid());
    database.exec("create or alter user " + clerk + " password 'clerk5'");
    for (const char* table : {"SUPPLIER", "SUPPLIER_ACCOUNTS", "PURCHASE_MASTER", "PURCHASE_DETAIL", "PAY_MASTER",
                              "PRODUCT", "PURCHASE_NUM", "PROD_CHGDATA", "PARAM_DEFINE", "OPENING_RUN_CLAIM"})
        database.exec(QString("GRANT ALL ON %1 TO %2").arg(table, clerk));
    database.exec("DROP TABLE OPENING_RUN_LOG");
    QTemporaryDir clerkConfig;
    QDir(clerkConfig.path()).mkpath("suppbeforestart");
    QStringList lines = database.configLines().filter(QRegularExpression("^(Database|servercharset|sqldialect)="));
    lines << "user_name=" + clerk << "password=clerk5";
    QFile file(clerkConfig.path() + "/suppbeforestart/dbconfig.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join("\r\n").toUtf8());
    file.close();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", clerkConfig.path());
    environment.insert("XDG_CONFIG_DIRS", clerkConfig.path());
    program.setProcessEnvironment(environment);
    program.start(SUPPBEFORESTART_PROGRAM, {"--post", "--replace", date});
    const Outcome unrecorded = finish(program);
    EXPECT_EQ(unrecorded.code, 5) << unrecorded.err.toStdString();
    EXPECT_EQ(unrecorded.err.count("本次開帳未記錄"), 1) << unrecorded.err.toStdString();
    EXPECT_TRUE(unrecorded.out.contains("核對相符"));
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'OPENING_RUN_LOG'").toInt(), 0);

    // Once an administrator's run has made it again, every run is there, newest first.
    run({"--post", "--replace", date});
    const QStringList history = run({"--history"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history.at(0).startsWith("開始\t結束\t基準日"));
    EXPECT_TRUE(history.at(1).contains("\t2011/02/19\t") && history.at(1).contains("\t完成\t4\t4\t2\t0\t2\t6297\t2\t1100\t"))
        << history.at(1).toStdString();
    database.exec("drop user " + clerk);
}

TEST_F(CommandLineTest, BalancesComeInFromASpreadsheetAllOrNothingEvenWhenKilled)
{
    const QString big5 = config.path() + "/期初餘額.csv";
    QFile::copy(QStringLiteral(IMPORT_FIXTURES "/big5.csv"), big5);
    const auto balances = [this] {
        return database.rows("SELECT CORP_ID, BEFORE_NOTPAY, BEFORE_ADVPAY FROM SUPPLIER_ACCOUNTS ORDER BY CORP_ID");
    };
    const auto before = balances();

    const Outcome shown = run({"--import", big5});
    EXPECT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_TRUE(shown.out.contains("2\tS001\t大同五金行\t1234.5\t1111\t300\t11\t變更\n")) << shown.out.toStdString();
    EXPECT_TRUE(shown.out.contains("期初餘額.csv（Big5）：3 列，變更 3"));
    const Outcome faulty = run({"--import", QStringLiteral(IMPORT_FIXTURES "/faults.csv"), "--apply"});
    EXPECT_EQ(faulty.code, 5);
    EXPECT_TRUE(faulty.err.contains("第 3 列：「X999」不是廠商代號"));
    EXPECT_EQ(run({"--import", QStringLiteral(IMPORT_FIXTURES "/garbage.bin")}).code, 4);
    EXPECT_EQ(balances(), before);

    const Outcome applied = run({"--import", big5, "--apply"});
    EXPECT_EQ(applied.code, 0) << applied.err.toStdString();
    EXPECT_TRUE(applied.out.contains("已匯入：更新 3 家、新增帳款列 0 家。匯入前的餘額已存於 " + config.path() + "/期初餘額.匯入前餘額-"));
    EXPECT_EQ(balances().at(0), QVector<QVariant>({"S001", 1111.0, 11.0}));

    // Thousands of balances, and the program killed while it writes them: every balance is the old
    // one or every balance is the new one.
    db::Connection& admin = database.admin();
    admin.startTransaction(1, db::Isolation::ReadCommitted);
    db::Statement supplier(&admin), account(&admin);
    supplier.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME) VALUES(:ID,:ID)"});
    account.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES(:ID,1,1)"});
    QByteArray sheet = "廠商代號,期初未付,期初預付\r\n";
    for (int i = 1; i <= 20000; ++i) {
        const QString id = QString("K%1").arg(i, 5, 10, QChar('0'));
        supplier.setParamText("ID", id);
        supplier.execute();
        account.setParamText("ID", id);
        account.execute();
        sheet += id.toUtf8() + ",2,2\r\n";
    }
    admin.commit(1);
    const QString many = config.path() + "/many.csv";
    QFile file(many);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sheet);
    file.close();
    const auto changed = [this] {
        return database.scalar("SELECT COUNT(*) FROM SUPPLIER_ACCOUNTS WHERE CORP_ID STARTING WITH 'K' AND BEFORE_NOTPAY = 2")
            .toInt();
    };
    for (const int ms : {300, 700, 1200}) {
        QProcess killed;
        start(killed, {"--import", many, "--apply"});
        ASSERT_TRUE(killed.waitForStarted());
        QThread::msleep(ms);
        killed.kill();
        killed.waitForFinished();
        const int now = changed();
        EXPECT_TRUE(now == 0 || now == 20000) << "killed after " << ms << " ms: " << now;
        if (now == 20000)
            break;
    }
    EXPECT_EQ(run({"--import", many, "--apply"}).code, 0);
    EXPECT_EQ(changed(), 20000);
}

TEST(InstalledCommandLine, ReadsTheConfigurationFoldersOnlyAndSaysWhereToPutOne)
{
    QTemporaryDir prefix, home;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("share/applications"));
    QFile(prefix.path() + "/share/applications/tw.com.corvane.suppbeforestart.desktop").open(QIODevice::WriteOnly);
    const QString program = prefix.path() + "/bin/suppbeforestart";
    ASSERT_TRUE(QFile::copy(SUPPBEFORESTART_PROGRAM, program));
    const auto writeConfig = [](const QString& folder, const QByteArray& line) {
        QDir().mkpath(folder);
        QFile file(folder + "/dbconfig.txt");
        return file.open(QIODevice::WriteOnly) && file.write(line) == line.size();
    };
    ASSERT_TRUE(writeConfig(prefix.path() + "/bin", "Database=/nowhere/beside.fdb"));
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.remove("XDG_CONFIG_HOME");
        environment.remove("XDG_CONFIG_DIRS");
        environment.remove("DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.waitForFinished(60000);
        return Outcome{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                       QString::fromUtf8(process.readAllStandardError())};
    };

    // --help names the places as the operator writes them, and no folder of this machine.
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("  ~/.config/suppbeforestart/dbconfig.txt\n  /etc/xdg/suppbeforestart/dbconfig.txt\n"))
        << help.out.toStdString();
    const QString places = help.out.section("dbconfig.txt is looked for", 1);
    EXPECT_FALSE(places.contains(prefix.path()) || places.contains(home.path())) << help.out.toStdString();

    // Without one there, no database is tried: the operator learns where it belongs.
    const Outcome missing = run({"--preview", "--date=2011-02-19"});
    EXPECT_EQ(missing.code, 4);
    EXPECT_TRUE(missing.err.startsWith("找不到連線設定檔 dbconfig.txt") &&
                missing.err.contains("~/.config/suppbeforestart/dbconfig.txt")) << missing.err.toStdString();
    EXPECT_FALSE(missing.err.contains("beside.fdb"));

    // The user's own is read, and the one beside the program still is not.
    ASSERT_TRUE(writeConfig(home.path() + "/.config/suppbeforestart", "Database=/nowhere/users.fdb"));
    const Outcome users = run({"--preview", "--date=2011-02-19"});
    EXPECT_EQ(users.code, 1);
    EXPECT_TRUE(users.err.contains("users.fdb") && !users.err.contains("beside.fdb")) << users.err.toStdString();
}

TEST_F(CommandLineTest, SigtermStopsARunBetweenTwoSuppliersKeepingWhatWasWritten)
{
    // Enough suppliers that the run is still walking when the signal comes.
    for (const char* block : {"1", "2", "3"})
        database.exec(QString("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) "
                              "WITH RECURSIVE n(i) AS (SELECT 1 FROM RDB$DATABASE UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 1000) SELECT 'T%1' || LPAD(i, 4, '0'), 'Supplier ' || i, '', '0' FROM n")
                          .arg(block));
    database.exec("INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) SELECT CORP_ID, 100, "
                  "IIF(MOD(CAST(SUBSTRING(CORP_ID FROM 2) AS INTEGER), 3) = 0, 50, 0) FROM SUPPLIER "
                  "WHERE CORP_ID STARTING WITH 'T'");
    const int suppliers = database.scalar("SELECT COUNT(*) FROM SUPPLIER_ACCOUNTS").toInt();
    const auto bills = [this] { return database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(); };

    QProcess program;
    start(program, {"--post", "--date=2011-02-19"});
    ASSERT_TRUE(program.waitForStarted());
    while (bills() < 20 && program.state() == QProcess::Running)
        QThread::msleep(20);
    ASSERT_EQ(program.state(), QProcess::Running) << "the run ended before the signal";
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    const Outcome stopped = finish(program);

    EXPECT_EQ(stopped.code, 1) << stopped.err.toStdString();
    EXPECT_TRUE(stopped.err.contains("操作人員已中止開帳")) << stopped.err.toStdString();
    EXPECT_TRUE(stopped.out.contains("開帳中止")) << stopped.out.toStdString();
    // Nothing half-written: every bill has its one line, every line its bill, and the run's
    // record counts exactly what is stored.
    const int written = bills();
    EXPECT_GE(written, 20);
    EXPECT_LT(written, suppliers);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER m WHERE (SELECT COUNT(*) FROM PURCHASE_DETAIL d "
                              "WHERE d.MASTERBILLID = m.MASTERBILLID) <> 1").toInt(), 0);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL d WHERE NOT EXISTS (SELECT 1 FROM "
                              "PURCHASE_MASTER m WHERE m.MASTERBILLID = d.MASTERBILLID)").toInt(), 0);
    const auto record = database.rows("SELECT OUTCOME, WRITTEN, NOTE FROM OPENING_RUN_LOG");
    ASSERT_EQ(record.size(), 1);
    EXPECT_EQ(record[0][0].toString(), "stopped");
    EXPECT_EQ(record[0][1].toInt(), written + database.scalar("SELECT COUNT(*) FROM PAY_MASTER").toInt());
    EXPECT_TRUE(record[0][2].toString().startsWith("操作人員已中止開帳")) << record[0][2].toString().toStdString();
}

TEST_F(CommandLineTest, VerboseLogsStatementsWithTheirTimeAndTheRunsStepsButNoPassword)
{
    const QString password = database.configLines().filter(QRegularExpression("^password=")).value(0).section('=', 1);
    ASSERT_FALSE(password.isEmpty());
    const Outcome quiet = run({"--preview", "--date=2011-02-19"});
    EXPECT_FALSE(quiet.err.contains("suppbeforestart.")) << quiet.err.toStdString();

    const Outcome post = run({"--post", "--date=2011-02-19", "--verbose"});
    EXPECT_EQ(post.code, 5) << post.err.toStdString();
    EXPECT_TRUE(post.err.contains(QRegularExpression(
        R"(suppbeforestart\.db: [0-9]+\.[0-9]{3} ms, [0-9]+ parameters: EXECUTE BLOCK \(.* INSERT INTO PURCHASE_MASTER)")))
        << post.err.toStdString();
    EXPECT_TRUE(post.err.contains("suppbeforestart.run: planned 2 bills and 2 payment records"));
    EXPECT_TRUE(post.err.contains(QRegularExpression(R"(suppbeforestart\.run: 1 S001: bill 0[0-9]{12} )")));
    EXPECT_TRUE(post.err.contains("suppbeforestart.run: run ended completed"));
    EXPECT_FALSE(post.err.contains(password));
    // Qt's own switch does the same, category by category.
    extraEnvironment.insert("QT_LOGGING_RULES", "suppbeforestart.db.debug=true");
    const Outcome history = run({"--history"});
    EXPECT_TRUE(history.err.contains("suppbeforestart.db: connected to " + database.database())) << history.err.toStdString();
    EXPECT_TRUE(history.err.contains("FROM OPENING_RUN_LOG"));
    EXPECT_FALSE(history.err.contains("suppbeforestart.run") || history.err.contains(password));
}

TEST_F(CommandLineTest, UnknownOptionsAndConfigurationFaultsExitFourWhileQtsWindowOptionsOpenTheWindow)
{
    // An option nobody knows never opens the window: the usage line says what would.
    for (const QStringList& unknown : {QStringList{"--bogus"}, QStringList{"--lang", "en", "-bogus"}, QStringList{"stray"}}) {
        const Outcome refused = run(unknown);
        EXPECT_EQ(refused.code, 4) << unknown.join(' ').toStdString();
        EXPECT_TRUE(refused.err.contains("suppbeforestart [")) << refused.err.toStdString();
    }

    // Qt's own options still belong to the window: it opens on the platform named, shows the list
    // and closes after its screenshot.
    const QString picture = config.path() + "/window.png";
    QProcess window;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("XDG_CONFIG_DIRS", config.path());
    environment.insert("SUPPBEFORESTART_SCREENSHOT", picture);
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    window.setProcessEnvironment(environment);
    window.start(SUPPBEFORESTART_PROGRAM, {"-platform", "offscreen", "--lang=en", "-style=fusion", "--verbose"});
    const Outcome shown = finish(window);
    EXPECT_EQ(shown.code, 0) << shown.err.toStdString();
    EXPECT_TRUE(QFile::exists(picture));
}

TEST_F(CommandLineTest, EveryFaultOfDbconfigIsNamedAndExitsFour)
{
    const QString file = config.path() + "/suppbeforestart/dbconfig.txt";
    const auto withLines = [&file](const QByteArray& bytes) {
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
        written.write(bytes);
        written.setPermissions(written.permissions() | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    };
    const QStringList good = database.configLines();
    // Each line of the table: what dbconfig.txt holds besides the good lines (a line named first
    // replaces the good one), what the message must say, and the exit code. A name the program
    // does not know is the driver's: kept, and the run goes on (5: the demo's faulty balance).
    const QString secret = QString(300, 'p');
    const int last = static_cast<int>(good.size()) + 1;
    const struct {
        QStringList lines;
        QString told;
        int code = 4;
    } faults[] = {
        {{"Database="}, "沒有可用的 Database 項目"},
        {{"servercharset=KLINGON"}, "servercharset「KLINGON」"},
        {{"sqldialect=7"}, "sqldialect「7」 應為 1、2 或 3"},
        {{"isolationlevel=Sometimes"}, "isolationlevel「Sometimes」"},
        {{"waitonlocks=maybe"}, "waitonlocks「maybe」"},
        {{"frobnicate=1", "locktimeout=-5"}, QString("第 %1 行：locktimeout「-5」").arg(last + 1)},
        {{"calltimeout=soon"}, "calltimeout「soon」"},
        {{"password=" + secret}, "password 過長"},
        {{"user_name=" + QString(64, 'u')}, "user_name"},
        {{"frobnicate=1", "trim char=False"}, "略過 S006", 5},
        {{}, "其他使用者也能讀取", 5},  // the file holds the password, and is written for all to read
    };
    for (const auto& fault : faults) {
        QStringList lines = good;
        for (const QString& line : fault.lines) {
            const QString name = line.section('=', 0, 0);
            const qsizetype at = lines.indexOf(QRegularExpression("^" + QRegularExpression::escape(name) + "=.*",
                                                                  QRegularExpression::CaseInsensitiveOption));
            if (at >= 0)
                lines[at] = line;
            else
                lines << line;
        }
        withLines(lines.join("\r\n").toUtf8());
        const Outcome outcome = run({"--preview", "--date=2011-02-19"});
        EXPECT_EQ(outcome.code, fault.code) << fault.lines.join(' ').toStdString() << ": " << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(fault.told)) << outcome.err.toStdString();
        EXPECT_FALSE(outcome.err.contains(secret));
    }
    // No file of that size or kind is a parameter list: read no further than 64 KiB.
    withLines(QByteArray(70 * 1024, '#'));
    const Outcome huge = run({"--preview", "--date=2011-02-19"});
    EXPECT_EQ(huge.code, 4);
    EXPECT_TRUE(huge.err.contains("超過 64 KiB")) << huge.err.toStdString();
    QFile::remove(file);
    ASSERT_TRUE(QFile::link("/dev/zero", file));
    const Outcome device = run({"--preview", "--date=2011-02-19"});
    EXPECT_EQ(device.code, 4);
    EXPECT_TRUE(device.err.contains("不是一般檔案")) << device.err.toStdString();
    EXPECT_EQ(documents(), 0);
}

TEST_F(CommandLineTest, AReportNeverLandsOnWhatItWasNotMeantFor)
{
    const QString date = "--date=2011-02-19";
    const QString existing = config.path() + "/account.csv";
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("mine");
    kept.close();
    const QString dangling = config.path() + "/dangling.csv";
    ASSERT_TRUE(QFile::link(config.path() + "/elsewhere.csv", dangling));
    const QString linked = config.path() + "/linked.csv";
    ASSERT_TRUE(QFile::link(existing, linked));
    // Each is refused before the run: nothing is written to the database either.
    const struct {
        QStringList arguments;
        QString told;
    } refusals[] = {
        {{"--post", date, "--report", existing}, "已存在"},
        {{"--post", date, "--report", dangling, "--force"}, "符號連結"},
        {{"--post", date, "--report", linked, "--force"}, "符號連結"},
        {{"--preview", date, "--report", "/dev/null", "--force"}, "不是一般檔案"},
        {{"--preview", date, "--report", config.path(), "--force"}, "不是一般檔案"},
        {{"--preview", date, "--force"}, "--report"},
    };
    for (const auto& refusal : refusals) {
        const Outcome outcome = run(refusal.arguments);
        EXPECT_EQ(outcome.code, 4) << refusal.arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains(refusal.told)) << outcome.err.toStdString();
    }
    EXPECT_EQ(documents(), 0);
    EXPECT_FALSE(QFile::exists(config.path() + "/elsewhere.csv"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "mine");
    kept.close();

    // Asked to, it replaces the file; it and a new PDF are readable by their owner alone.
    const QString pdf = config.path() + "/opening.pdf";
    EXPECT_EQ(run({"--post", date, "--report", existing, "--force"}).code, 5);
    EXPECT_EQ(run({"--verify", date, "--report", pdf}).code, 0);
    for (const QString& report : {existing, pdf}) {
        EXPECT_EQ(QFileInfo(report).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                  QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner))
            << report.toStdString();
        EXPECT_GT(QFileInfo(report).size(), 100);
    }
}

TEST_F(CommandLineTest, HostileNamesReachTheCsvAsTextAndTheTerminalEscapedAndAreStoredAsTheyAre)
{
    const QString formula = "=HYPERLINK(\"http://evil.example/\",\"點我\")";
    const QString escapes = QString("紅\x1B[31m字") + QChar(0x9B) + "2J" + QChar(0) + "尾\r蓋";
    db::Statement supplier(&database.admin());
    supplier.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES(:ID,:NAME,'','0')"});
    db::Statement account(&database.admin());
    account.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES(:ID,100,0)"});
    for (const auto& [id, name] : {std::pair<QString, QString>{"H1", formula}, {"H2", escapes}, {"@H3", "+1-2"}}) {
        supplier.setParamText("ID", id);
        supplier.setParamText("NAME", name);
        supplier.execute();
        account.setParamText("ID", id);
        account.execute();
    }

    const QString report = config.path() + "/account.csv";
    const Outcome posted = run({"--post", "--date=2011-02-19", "--report", report});
    EXPECT_EQ(posted.code, 5) << posted.err.toStdString();
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(csv.contains(",H1,\"'=HYPERLINK(\"\"http://evil.example/\"\",\"\"點我\"\")\",")) << csv.toStdString();
    EXPECT_TRUE(csv.contains(",'@H3,'+1-2,")) << csv.toStdString();
    EXPECT_TRUE(csv.contains(",-250,")) << "a negative number stays a number";

    // On the terminal every control character shows as its escape; nothing raw gets there.
    const Outcome previewed = run({"--preview", "--date=2011-02-19"});
    EXPECT_TRUE(previewed.out.contains("\tH2\t紅\\x1B[31m字\\u009B2J\\x00尾蓋\t")) << previewed.out.toStdString();
    for (const QString& text : {posted.out, posted.err, previewed.out, previewed.err})
        for (const QChar c : text)
            EXPECT_TRUE(c == '\n' || c == '\t' || (c.unicode() >= 0x20 && c.unicode() != 0x7F &&
                                                   (c.unicode() < 0x80 || c.unicode() > 0x9F)))
                << "raw control " << static_cast<int>(c.unicode());

    // The database keeps each name byte for byte, on the supplier and on its bill.
    EXPECT_EQ(database.scalar("SELECT SUPP_CORP_NAME FROM PURCHASE_MASTER WHERE SUPP_CORP_ID = 'H2'").toString(), escapes);
    EXPECT_EQ(database.scalar("SELECT SUPP_CORP_NAME FROM PURCHASE_MASTER WHERE SUPP_CORP_ID = 'H1'").toString(), formula);
}

TEST_F(CommandLineTest, AServerThatStopsAnsweringStopsTheRunWithinItsBoundAndARerunReplacesIt)
{
    db::Connection& admin = database.admin();
    admin.startTransaction(1, db::Isolation::ReadCommitted);
    db::Statement supplier(&admin), account(&admin);
    supplier.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,PARANT_CORP,TAX_FLAG) VALUES(:ID,:ID,'','0')"});
    account.setLines({"INSERT INTO SUPPLIER_ACCOUNTS(CORP_ID,BEFORE_NOTPAY,BEFORE_ADVPAY) VALUES(:ID,100,0)"});
    // Enough that the run is still going when the link freezes after its first fifty bills.
    for (int i = 1; i <= 600; ++i) {
        const QString id = QString("F%1").arg(i, 4, 10, QChar('0'));
        supplier.setParamText("ID", id);
        supplier.execute();
        account.setParamText("ID", id);
        account.execute();
    }
    admin.commit(1);

    // The program reaches the server through the proxy, with a bound of 3 s.
    FreezingProxy proxy(3050);
    QStringList lines = database.configLines();
    lines[0] = "Database=127.0.0.1/" + QString::number(proxy.port()) + ":" + database.database().section(':', 1);
    lines << "calltimeout=3" << "locktimeout=1";
    QFile file(config.path() + "/suppbeforestart/dbconfig.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join("\r\n").toUtf8());
    file.close();

    QProcess frozen;
    start(frozen, {"--post", "--date=2011-02-19"});
    // Frozen in the middle of the run, once some bills are stored.
    QElapsedTimer waited;
    waited.start();
    while (database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt() < 50 && waited.elapsed() < 60000)
        QThread::msleep(20);
    proxy.freeze();
    QElapsedTimer sinceFrozen;
    sinceFrozen.start();
    const Outcome stopped = finish(frozen);
    const qint64 gaveUpAfter = sinceFrozen.elapsed();
    EXPECT_EQ(stopped.code, 1) << stopped.err.toStdString();
    EXPECT_GE(gaveUpAfter, 2500);
    EXPECT_LT(gaveUpAfter, 10000) << "the bound is 3 s";
    EXPECT_TRUE(stopped.err.contains("伺服器 3 秒未回應")) << stopped.err.toStdString();
    EXPECT_TRUE(stopped.err.contains("--replace")) << stopped.err.toStdString();

    // What it says it wrote is stored, each bill whole; the one under way is there whole or not at all.
    const int said = QRegularExpression("已寫入 進貨單 (\\d+) 張").match(stopped.err).captured(1).toInt();
    const int bills = database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt();
    EXPECT_GE(said, 50);
    EXPECT_TRUE(bills == said || bills == said + 1) << said << " said, " << bills << " stored";
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), bills);
    EXPECT_EQ(database.scalar("SELECT COUNT(DISTINCT MASTERBILLID) FROM PURCHASE_MASTER").toInt(), bills);

    // The frozen run's claim went with its connection: the re-run, straight to the server, replaces it all.
    database.writeDbConfig(config.path() + "/suppbeforestart");
    const Outcome rerun = run({"--post", "--replace", "--date=2011-02-19"});
    EXPECT_EQ(rerun.code, 5) << rerun.err.toStdString();
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_MASTER").toInt(), 602);
    EXPECT_EQ(database.scalar("SELECT COUNT(*) FROM PURCHASE_DETAIL").toInt(), 602);
}
