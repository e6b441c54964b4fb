#pragma once

#include "Money.h"
#include "Sheet.h"

#include <QVariant>
#include <optional>

class TSimpleDataMod;
namespace db {
class Statement;
}

namespace balanceimport {

// Which columns of the sheet hold the supplier code and the two balances (from 0; -1 for none),
// and whether its first row names them.
struct Columns {
    int code = -1;
    int unpaid = -1;
    int prepaid = -1;
    bool header = false;
    QString error;  // why the sheet has none of the columns needed
};

// The columns by their header (廠商代號 / 代號 / CORP_ID, 期初未付 / 未付 / BEFORE_NOTPAY,
// 期初預付 / 預付 / BEFORE_ADVPAY), else the first three. `named` overrides them in that order:
// the operator's own header names, or column numbers from 1; an empty one means none.
Columns findColumns(const Sheet& sheet, const QStringList& named = {});

enum class RowStatus { Changed, Unchanged, NewAccount, Fault };

// One row of the file against what is stored.
struct ImportRow {
    int row = 0;             // in the file, from 1
    QString code;            // as the file has it
    QString supplierCode;    // as SUPPLIER holds it
    QString name;
    bool accountRow = false; // the supplier has its SUPPLIER_ACCOUNTS row
    QVariant storedUnpaid;   // the cells as stored (null: no row, or no value)
    QVariant storedPrepaid;
    std::optional<double> fileUnpaid;  // nothing: the file's cell is empty, the balance stays
    std::optional<double> filePrepaid;
    RowStatus status = RowStatus::Unchanged;
    QString fault;           // with the row number, when the row cannot be imported
};

// The file against SUPPLIER_ACCOUNTS, before anything is written.
struct ImportDifference {
    QString file;
    QString encoding;
    Columns columns;
    QString error;  // why the file cannot be imported at all
    QVector<ImportRow> rows;
    int changed = 0;
    int unchanged = 0;
    int newAccounts = 0;
    int faults = 0;
    opening::MoneySum fileUnpaid;       // the file's balances
    opening::MoneySum filePrepaid;
    opening::MoneySum storedUnpaid;     // every supplier's, as stored now
    opening::MoneySum storedPrepaid;
    opening::MoneySum resultingUnpaid;  // every supplier's, as stored once the file is applied
    opening::MoneySum resultingPrepaid;
    bool clean() const { return error.isEmpty() && faults == 0; }
};

// Reads the suppliers and their account rows and compares the sheet's rows with them: changed,
// unchanged, a new account row, or a fault (a code that is no supplier, a code twice in the
// file, a value that is no number, a supplier with more than one account row).
ImportDifference compareWithStored(const Sheet& sheet, const Columns& columns, db::Statement& query,
                                   const QString& file);

struct ImportApplied {
    QString error;       // why nothing was written
    bool busy = false;   // because an opening run (or another import) holds the database
    QString backupFile;  // the balances replaced, as a CSV the same import loads to put them back
    int updated = 0;
    int inserted = 0;
};

// Writes a clean difference into SUPPLIER_ACCOUNTS in one transaction (update the supplier's row,
// insert one where it has none), after saving the balances it replaces beside the imported file.
// Holds the opening's claim meanwhile: no run starts while balances change, and an import waits
// for no run. A difference with faults, a claim held elsewhere or a backup that cannot be
// written: nothing is written.
ImportApplied applyImport(TSimpleDataMod& dm, const ImportDifference& difference, const QString& importedPath);

// The difference as a table (the first row its header), in one line of totals, and the faults.
QVector<QStringList> differenceTable(const ImportDifference& difference);
QString differenceSummary(const ImportDifference& difference);
QStringList faultLines(const ImportDifference& difference);

} // namespace balanceimport
