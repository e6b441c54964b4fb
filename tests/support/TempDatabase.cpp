#include "TempDatabase.h"

#include "Statement.h"
#include "SuiteSchema.h"

#include <QFile>
#include <QTextStream>
#include <stdexcept>

namespace testsupport {

TempDatabase::TempDatabase(bool withDemoData, Engine engine)
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    // The server runs as its own user: it must be able to write the folder.
    QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7777));
    const QString file = dir_.path() + QStringLiteral("/suite.fdb");
    database_ = engine == Engine::Server ? QStringLiteral("localhost:") + file : file;
    schema::createSuiteDatabase(database_, schema::serverLogin(), withDemoData);
}

TempDatabase::~TempDatabase()
{
    admin_.reset();
}

QStringList TempDatabase::configLines() const
{
    return QStringList{QStringLiteral("Database=") + database_} + schema::loginLines(schema::serverLogin()) +
           QStringList{QStringLiteral("servercharset=UTF8"), QStringLiteral("sqldialect=3"),
                       QStringLiteral("isolationlevel=ReadCommitted"), QStringLiteral("waitonlocks=True"),
                       QStringLiteral("commitretain=False")};
}

void TempDatabase::configure(db::Connection& connection) const
{
    connection.params().setValues(configLines());
}

void TempDatabase::writeDbConfig(const QString& folder) const
{
    QFile file((folder.isEmpty() ? dir_.path() : folder) + QStringLiteral("/dbconfig.txt"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write dbconfig.txt");
    file.write(configLines().join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);  // it holds the password
}

db::Connection& TempDatabase::admin()
{
    if (!admin_) {
        admin_ = std::make_unique<db::Connection>();
        configure(*admin_);
    }
    return *admin_;
}

void TempDatabase::exec(const QString& sql)
{
    db::Statement statement(&admin());
    statement.setLines({sql});
    statement.execute();
}

QVector<QVector<QVariant>> TempDatabase::rows(const QString& sql)
{
    db::Statement statement(&admin());
    statement.setLines({sql});
    statement.open();
    return statement.result().rows.toVectors();
}

QVariant TempDatabase::scalar(const QString& sql)
{
    const auto result = rows(sql);
    return result.isEmpty() ? QVariant() : result.first().first();
}

} // namespace testsupport
