#pragma once

#include "FrmSimpleDataMod.h"
#include "TempDatabase.h"

#include <QStringList>
#include <vector>

// The settings of each kind that PARAM_DEFINE fills, in the order of their keys.
std::vector<int*> integerSettings(Settings& settings);
std::vector<QString*> textSettings(Settings& settings);

// A data module on a test database whose statements are recorded in `log`.
class LoggedModule {
public:
    explicit LoggedModule(const testsupport::TempDatabase& database);
    LoggedModule(const LoggedModule&) = delete;
    LoggedModule& operator=(const LoggedModule&) = delete;

    void useLogin(const QString& user, const QString& password);
    // The first use of the connection, the way the window's first query causes it; the log
    // then ends with that query.
    void firstUse();
    // Closes the connection and uses it again, so the after-connect handling runs once more.
    void reconnect();

    TSimpleDataMod module;
    QStringList log;
};

// The statements of the after-connect handling, as they are sent.
QString tableQuery(const QString& table);
QString columnQuery(const QString& table);
QString addColumn(const QString& table);
QString paramQuery(const QString& key);
// The 40 parameter queries of one load, in order.
QStringList settingsLoadQueries();
// What a connect sends when the schema is complete.
QStringList catalogueQueries();
extern const QString firstUseQuery;
