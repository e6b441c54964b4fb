#include "BenchDatabase.h"

#include "Connection.h"
#include "Statement.h"
#include "SuiteSchema.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

namespace {

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

BenchDatabase describe(const QTemporaryDir& dir, const QString& name, bool server, int port = 0)
{
    const QString file = dir.path() + u'/' + name;
    const QString host = port > 0 ? QStringLiteral("127.0.0.1/%1:").arg(port) : QStringLiteral("localhost:");
    const QString database = server ? host + file : file;
    return {database, QStringList{QStringLiteral("Database=") + database} + schema::loginLines(schema::serverLogin()) +
                          QStringList{QStringLiteral("servercharset=UTF8"), QStringLiteral("sqldialect=3"),
                                      QStringLiteral("isolationlevel=ReadCommitted"),
                                      QStringLiteral("waitonlocks=True"), QStringLiteral("commitretain=False")}};
}

bool writeConfig(const QTemporaryDir& dir, const BenchDatabase& made)
{
    QFile config(dir.path() + QStringLiteral("/dbconfig.txt"));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write((made.connectionLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return true;
}

QString filePart(const QString& database)
{
    return database.startsWith(u'/') ? database : database.mid(database.indexOf(u':') + 1);
}

void keepMasterBillIdIndexesOnly(db::Connection& connection)
{
    db::Statement ddl(&connection);
    ddl.execute({"DROP INDEX IX_PAY_MASTER_1"});
    ddl.execute({"CREATE INDEX IX_PAY_MASTER_2 ON PAY_MASTER (MASTERBILLID)"});
}

} // namespace

BenchDatabase makeBenchDatabase(const QTemporaryDir& dir, const QString& name, int suppliers, bool server, bool async,
                                Indexes indexes)
{
    // The server runs as its own user and must be able to write the folder.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const BenchDatabase made = describe(dir, name, server);
    schema::createSuiteDatabase(made.database, schema::serverLogin());
    {
        db::Connection setup;
        setup.params().setValues(made.connectionLines);
        if (indexes == Indexes::MasterBillIdOnly)
            keepMasterBillIdIndexesOnly(setup);
        generateSuppliers(setup, suppliers);
    }
    if (async && !writeAsync(made.database)) {
        std::fprintf(stderr, "gfix -write async failed\n");
        return {};
    }
    if (!writeConfig(dir, made)) {
        std::fprintf(stderr, "cannot write dbconfig.txt\n");
        return {};
    }
    return made;
}

BenchDatabase copyBenchDatabase(const QTemporaryDir& dir, const BenchDatabase& source, const QString& name, int port)
{
    const bool server = source.database != filePart(source.database);
    const BenchDatabase copy = describe(dir, name, server, port);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    if (!QFile::copy(filePart(source.database), filePart(copy.database)) ||
        !QFile::setPermissions(filePart(copy.database), QFileDevice::Permissions(0x6666)) || !writeConfig(dir, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source.database));
        return {};
    }
    return copy;
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long currentMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = status.readAll().split(' ');
    return pages.size() > 1 ? pages.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

} // namespace bench
