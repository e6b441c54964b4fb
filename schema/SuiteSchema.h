#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Connection;
}

namespace schema {

// The statements of an SQL script: separated by a ";" at the end of a line, comment lines
// ("--") left out.
QStringList splitScript(const QString& script);
// Runs every statement of a script (a file or a ":/schema/..." resource) on the connection.
void runScript(db::Connection& connection, const QString& path);

// Lays out a suite database at the database string: suite.sql, and demo.sql when asked.
// The tables, index and columns that the program's own schema upgrade adds are not included.
void createSuiteDatabase(const QString& database, const QString& user, const QString& password,
                         bool withDemoData = false);

// SYSDBA's password on the local server that tests and benchmarks use ($FB_SERVER_PASSWORD,
// else the password of the suite's built-in connection defaults).
QString serverPassword();

} // namespace schema
