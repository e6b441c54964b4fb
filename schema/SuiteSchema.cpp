#include "SuiteSchema.h"

#include "Connection.h"
#include "Statement.h"

#include <QFile>
#include <stdexcept>

// The scripts are compiled into this static library; register them before first use.
static void registerScripts()
{
    Q_INIT_RESOURCE(schema);
}

namespace schema {

QStringList splitScript(const QString& script)
{
    QStringList statements;
    QStringList current;
    for (const QString& line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("--")))
            continue;
        if (trimmed.endsWith(u';')) {
            current << trimmed.chopped(1);
            statements << current.join(u'\n');
            current.clear();
        } else {
            current << trimmed;
        }
    }
    if (!current.isEmpty())
        statements << current.join(u'\n');
    return statements;
}

void runScript(db::Connection& connection, const QString& path)
{
    registerScripts();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()).toStdString());
    db::Statement statement(&connection);
    for (const QString& text : splitScript(QString::fromUtf8(file.readAll()))) {
        statement.setLines({text});
        statement.execute();
    }
}

void createSuiteDatabase(const QString& database, const Login& login, bool withDemoData)
{
    db::createDatabase(database, login.user, login.password, login.role);
    db::Connection connection;
    connection.params().setValue(QStringLiteral("Database"), database);
    connection.params().setValues(loginLines(login));
    connection.params().setValue(QStringLiteral("servercharset"), QStringLiteral("UTF8"));
    runScript(connection, QStringLiteral(":/schema/suite.sql"));
    if (withDemoData)
        runScript(connection, QStringLiteral(":/schema/demo.sql"));
}

Login serverLogin()
{
    const auto variable = [](const char* name, const char* fallback) {
        const QString value = qEnvironmentVariable(name);
        return value.isEmpty() ? QString::fromLatin1(fallback) : value;
    };
    return {variable("FB_SERVER_USER", "SUPPBS_TEST"), qEnvironmentVariable("FB_SERVER_PASSWORD"),
            variable("FB_SERVER_ROLE", "RDB$ADMIN")};
}

QStringList loginLines(const Login& login)
{
    QStringList lines{QStringLiteral("user_name=") + login.user, QStringLiteral("password=") + login.password};
    if (!login.role.isEmpty())
        lines << QStringLiteral("rolename=") + login.role;
    return lines;
}

} // namespace schema
