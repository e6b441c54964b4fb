// Statements per second of the data-access layer on the embedded engine: one prepared insert
// executed many times, against the same insert sent as new text every time (both in one
// transaction), the prepared insert committed on its own every time (auto-commit), and a query
// outside any transaction (read through the connection's read-only transaction).
#include "Connection.h"
#include "Statement.h"
#include "SuiteSchema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int kRows = 5000;

db::Connection& connect(db::Connection& connection, const QString& database)
{
    connection.params().setValue("Database", database);
    connection.params().setValue("user_name", "SYSDBA");
    connection.params().setValue("servercharset", "UTF8");
    connection.params().setValue("waitonlocks", "True");
    return connection;
}

void report(const char* what, int rows, qint64 nanoseconds)
{
    const double seconds = double(nanoseconds) / 1e9;
    std::printf("%-44s %6d statements  %9.0f statements/s  %7.1f us each\n", what, rows, rows / seconds,
                seconds * 1e6 / rows);
}

template <class Body>
void timed(const char* what, int rows, db::Connection& connection, bool oneTransaction, Body body)
{
    QElapsedTimer timer;
    timer.start();
    if (oneTransaction)
        connection.startTransaction(1, db::Isolation::ReadCommitted);
    for (int i = 0; i < rows; ++i)
        body(i);
    if (oneTransaction)
        connection.commit(1);
    report(what, rows, timer.nsecsElapsed());
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString database = dir.path() + "/bench.fdb";
    schema::createSuiteDatabase(database, {"SYSDBA", "x", {}});
    db::Connection connection;
    connect(connection, database);

    db::Statement prepared(&connection);
    prepared.setLines({"INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES(:ID,:NAME,:FLAG)"});
    timed("prepared once, executed many times", kRows, connection, true, [&](int i) {
        prepared.setParamText("ID", QString("P%1").arg(i));
        prepared.setParamText("NAME", QString("廠商 %1").arg(i));
        prepared.setParamText("FLAG", "1");
        prepared.execute();
    });

    db::Statement freshText(&connection);
    timed("new text every time", kRows, connection, true, [&](int i) {
        freshText.setLines({QString("INSERT INTO SUPPLIER(CORP_ID,CORP_NAME,TAX_FLAG) VALUES('T%1','廠商 %1','1')").arg(i)});
        freshText.execute();
    });

    timed("prepared, auto-commit per statement", kRows / 5, connection, false, [&](int i) {
        prepared.setParamText("ID", QString("A%1").arg(i));
        prepared.setParamText("NAME", QString("廠商 %1").arg(i));
        prepared.setParamText("FLAG", "1");
        prepared.execute();
    });
    db::Statement query(&connection);
    query.setLines({"SELECT CORP_NAME FROM SUPPLIER WHERE CORP_ID = :ID"});
    timed("query outside a transaction", kRows / 5, connection, false, [&](int i) {
        query.setParamText("ID", QString("P%1").arg(i));
        query.open();
    });
    return 0;
}
