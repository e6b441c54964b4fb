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

// Who creates and uses a database.
struct Login {
    QString user;
    QString password;
    QString role;  // empty: none
};

// Lays out a suite database at the database string: suite.sql, and demo.sql when asked.
// The tables, index and columns that the program's own schema upgrade adds are not included.
void createSuiteDatabase(const QString& database, const Login& login, bool withDemoData = false);

// The login that tests and benchmarks use on the local server: a user of their own with the
// server's admin role, never the server's administrator. tools/start-firebird-server.sh makes it
// and hands it over in $FB_SERVER_USER, $FB_SERVER_PASSWORD and $FB_SERVER_ROLE. The embedded
// engine checks no password, so there any login works.
Login serverLogin();
// The same as lines of a connection parameter list (user_name, password, rolename).
QStringList loginLines(const Login& login);

} // namespace schema
