#pragma once

#include "RunResult.h"

#include <QString>

class TSimpleDataMod;
namespace db {
class RecordSet;
class Statement;
} // namespace db

// The steps of the opening run ("確定開帳"), each on the data module and the records it is given.
namespace opening {

struct BillWorkspace;

// First character of every opening document number, and the FLAG_ID of opening bills.
inline QString openingCode()
{
    return QStringLiteral("0");
}

// Makes sure the placeholder product "X99X" that every opening bill line names exists.
void ensureOpeningProduct(db::Statement& query);

// Reads the placeholder product's stored row into `product`: every bill line of the run copies it.
void readPlaceholder(db::Statement& product);

// A bill's net, tax and total for the sum of its lines.
struct BillAmounts {
    double net = 0.0;
    double tax = 0.0;
    double total = 0.0;
};
// By the supplier's tax flag as the list holds it (unreadable counts as tax included) and the
// purchase settings.
BillAmounts billAmounts(TSimpleDataMod& dm, const QString& supplierTaxFlag, double sum);

// Fills the header's money columns from the lines and the supplier's tax flag. The header row is
// being edited; the lines are posted.
void calcBillTotals(TSimpleDataMod& dm, db::RecordSet& header, db::RecordSet& lines, const QString& supplierTaxFlag);

// Writes the bill held in header and lines in one transaction, replacing whatever was stored
// under its number. A failure is thrown after the transaction is rolled back: nothing of the
// bill stays. Returns false, writing nothing, when the connection already has a transaction
// under way (saving then would commit or undo someone else's work).
// `NothingUnderItsNumber` says the caller has just read that neither a header, a line nor an
// opening bill's stock change is stored under the bill's number: there is nothing to delete first.
enum class Stored { Maybe, NothingUnderItsNumber };
bool saveBill(TSimpleDataMod& dm, const db::RecordSet& header, db::RecordSet& lines, Stored stored = Stored::Maybe);

// What every document of one run carries alike, read once as the run starts.
struct RunStamp {
    QString billDate;  // "YYYY/MM/DD"
    QString day;       // "YYYYMMDD", inside document numbers
    QString host;      // the workstation's address
};

// Numbers, builds, totals and saves the supplier's opening purchase bill, its line copying the
// placeholder product read into the workspace. A failed save is returned as Failed; a failure to
// number or build it is thrown.
DocumentResult postOpeningBill(TSimpleDataMod& dm, BillWorkspace& bill, const SupplierRow& supplier,
                               const RunStamp& stamp, double unpaid);

// Inserts the supplier's opening payment record unless it already has one (Kept), numbered by
// its position in the list. A failure is thrown.
DocumentResult postOpeningPayment(db::Statement& query, const SupplierRow& supplier, const RunStamp& stamp);

// Whether the supplier already has an opening payment record that counts (one with a date).
bool hasOpeningPayment(db::Statement& query, const QString& supplier);

// The payment record number of the supplier at that position in the list.
QString paymentNumber(const QString& day, int position);

} // namespace opening
