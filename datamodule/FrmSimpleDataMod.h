#pragma once

#include "Connection.h"
#include "RecordSet.h"
#include "Settings.h"
#include "Statement.h"

#include <QString>
#include <QStringList>
#include <functional>

// The suite's shared data module: the one connection and its configuration, the schema upgrade
// and the settings load after every connect, and the services the windows use.
class TSimpleDataMod {
public:
    // executableFolder: where dbconfig.txt is looked for and the default database lies
    // (the application's folder when empty).
    explicit TSimpleDataMod(QString executableFolder = {});
    TSimpleDataMod(const TSimpleDataMod&) = delete;
    TSimpleDataMod& operator=(const TSimpleDataMod&) = delete;

    db::Statement SQLQuery1;
    db::Statement SQLDataSet1;
    db::Provider DataSetProvider1;
    db::RecordSet ClientDataSet1;
    db::Statement SQLQueryD;
    db::Statement SQL_Master;
    db::Statement SQL_Sub;
    db::Statement SQL_ID;
    db::Connection SQLConnection1;
    // The system parameters of the last connect, read by every window by their keys.
    Settings settings;

    // Handlers. An installed program without a dbconfig.txt sets no defaults: DataModuleCreate
    // fails, saying where to put one, and leaves the list as it was.
    void DataModuleCreate();
    // The dbconfig.txt DataModuleCreate read; empty when it set the built-in defaults.
    const QString& configFile() const { return configFile_; }
    // Whether DataModuleCreate found no dbconfig.txt for an installed program.
    bool configMissing() const { return configMissing_; }
    // A warning when that file holds a password that other users can read; empty otherwise.
    const QString& configWarning() const { return configWarning_; }
    const QString& executableFolder() const { return executableFolder_; }
    void SQLConnection1AfterConnect();

    // Schema upgrade.
    bool Search_Table(const QString& sTable);
    // Query and utility services.
    void CDS_Query(db::RecordSet& ACDS, const QString& ASQL);
    QString LocalIP();
    QString wuid();
    bool GetOrgPowerState(const QString& sOrg_id, const QString& sItem_no, const QString& sCol);
    bool GetOrgPowerReportState(const QString& sOrg_id, const QString& sItem_no, const QString& sCol);
    // System parameters.
    QString LoadParam(const QString& sParam_id);
    // Rounding.
    double RoundPrice(double _fv);
    double RoundNum(double _fv, int _iDot);
    // Price look-ups, each returning an XML data packet.
    QString GetInPrice(const QString& sCorp_id, const QString& sTempprodid, int iPriceno);
    QString GetSalePrice(const QString& sCorp_id, const QString& sTempprodid, int iPriceno, const QString& sDate);
    QString GetCostPrice(const QString& sTempprodid, int iPriceno);
    // Bill numbers.
    QString GetMaxBillID(const QString& sTable, const QString& sDate, const QString& sFlag);
    // The day's next `count` sequence numbers at once, as `count` calls of GetMaxBillID would
    // hand them out: returns the first; the counter is left beyond the last.
    qint64 TakeBillSequences(const QString& sTable, const QString& sDate, qint64 count);
    // Told, while GetMaxBillID waits for a counter that another workstation holds, what it waits
    // for; nothing by default.
    void setWaitNotice(std::function<void(const QString&)> notice) { waitNotice_ = std::move(notice); }
    void SplitParams(const QString& Params, QStringList* Dest);

private:
    void UpgradeSchema();
    bool EnsureColumn(const QString& table, const QString& column, const QString& width);
    void LoadSettings();

    QString executableFolder_;
    QString configFile_;
    bool configMissing_ = false;
    QString configWarning_;
    std::function<void(const QString&)> waitNotice_;
};

// The process-wide data module, set by start-up.
extern TSimpleDataMod* SimpleDataMod;

// 0 gives false, 1 true; any other value tells the operator "輸入異常..!" and gives false.
bool CheckPowerValue(int value);
