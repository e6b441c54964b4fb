#pragma once

#include "Connection.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <QVector>
#include <memory>

namespace testsupport {

// A fresh suite database (schema/suite.sql, optionally demo.sql) in a temporary folder, removed
// with the fixture. Embedded by default; through the server on localhost when asked.
class TempDatabase {
public:
    enum class Engine { Embedded, Server };
    explicit TempDatabase(bool withDemoData = false, Engine engine = Engine::Embedded);
    ~TempDatabase();

    QString folder() const { return dir_.path(); }
    // The database string: a path, or "localhost:" and a path.
    const QString& database() const { return database_; }
    // Fills a connection's list the way dbconfig.txt would.
    void configure(db::Connection& connection) const;
    QStringList configLines() const;
    // Writes dbconfig.txt with configLines() into a folder (the fixture's by default).
    void writeDbConfig(const QString& folder = {}) const;

    // A separate connection of the test, for setting up and checking rows.
    db::Connection& admin();
    void exec(const QString& sql);
    QVector<QVector<QVariant>> rows(const QString& sql);
    QVariant scalar(const QString& sql);

private:
    QTemporaryDir dir_;
    QString database_;
    std::unique_ptr<db::Connection> admin_;
};

} // namespace testsupport
