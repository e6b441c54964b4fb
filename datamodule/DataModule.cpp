#include "FrmSimpleDataMod.h"

#include "ConfigCheck.h"
#include "ConfigLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

TSimpleDataMod* SimpleDataMod = nullptr;

TSimpleDataMod::TSimpleDataMod(QString executableFolder)
    : SQLQuery1(&SQLConnection1),
      SQLDataSet1(&SQLConnection1),
      DataSetProvider1(&SQLDataSet1),
      SQLQueryD(&SQLConnection1),
      SQL_Master(&SQLConnection1),
      SQL_Sub(&SQLConnection1),
      SQL_ID(&SQLConnection1),
      executableFolder_(executableFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                   : std::move(executableFolder))
{
    ClientDataSet1.setProvider(&DataSetProvider1);
    // The suite's query loader only loads: whatever text a window hands it changes nothing.
    SQLDataSet1.setReadOnly(true);
    SQLConnection1.setAfterConnect([this] { SQLConnection1AfterConnect(); });
}

void TSimpleDataMod::DataModuleCreate()
{
    SQLConnection1.close();
    const QString folder = QDir::toNativeSeparators(QDir(executableFolder_).absolutePath() + u'/');
    configFile_.clear();
    configMissing_ = false;
    configWarning_.clear();
    for (const QString& candidate : dbConfigCandidates(executableFolder_)) {
        if (QFileInfo::exists(candidate)) {
            configFile_ = candidate;
            // Read and checked aside: a file that fails keeps the list as it was.
            db::ParamList loaded;
            loaded.loadFromFile(candidate);
            checkConfig(loaded);
            SQLConnection1.params() = loaded;
            configWarning_ = passwordExposure(candidate, loaded);
            return;
        }
    }
    // The defaults name a database beside the program, which for an installed program would be
    // a folder such as /usr/bin: the operator is told where the configuration belongs instead.
    if (installedProgram(executableFolder_)) {
        configMissing_ = true;
        throw std::runtime_error(missingConfigText().toStdString());
    }
    db::ParamList& params = SQLConnection1.params();
    params.setValue(QStringLiteral("drivername"), QStringLiteral("FIREBIRD"));
    params.setValue(QStringLiteral("blobsize"), QStringLiteral("-1"));
    params.setValue(QStringLiteral("commitretain"), QStringLiteral("False"));
    params.setValue(QStringLiteral("Database"),
                    QStringLiteral("localhost:") + folder + QStringLiteral("data") + QDir::separator() +
                        QStringLiteral("corvane.fdb"));
    params.setValue(QStringLiteral("localecode"), QStringLiteral("0000"));
    params.setValue(QStringLiteral("password"), QStringLiteral("quillrock"));
    params.setValue(QStringLiteral("rolename"), QStringLiteral("RoleName"));
    params.setValue(QStringLiteral("sqldialect"), QStringLiteral("3"));
    params.setValue(QStringLiteral("isolationlevel"), QStringLiteral("ReadCommitted"));
    params.setValue(QStringLiteral("user_name"), QStringLiteral("sysdba"));
    params.setValue(QStringLiteral("waitonlocks"), QStringLiteral("True"));
    params.setValue(QStringLiteral("trim char"), QStringLiteral("False"));
    params.setValue(QStringLiteral("servercharset"), QStringLiteral("UTF8"));
}

void TSimpleDataMod::SQLConnection1AfterConnect()
{
    // The statement whose first use opened the connection may be SQLQuery1 itself (a service
    // called first): what it was about to run is put back, however the work below ends.
    struct KeepQuery {
        db::Statement& query;
        const db::Statement::Contents kept = query.contents();
        ~KeepQuery() { query.restore(kept); }
    } keep{SQLQuery1};
    UpgradeSchema();
    LoadSettings();
}
