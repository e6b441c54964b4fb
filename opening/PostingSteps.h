#pragma once

#include "Documents.h"

#include <QString>

class TSimpleDataMod;
struct Settings;
namespace db {
class RecordSet;
class Statement;
} // namespace db

// The steps of the opening run ("確定開帳"), each on the data module and the records it is given.
namespace opening {

struct BillAmounts;
struct BillWorkspace;
struct OpeningPlan;

// First character of every opening document number, and the FLAG_ID of opening bills.
inline QString openingCode()
{
    return QStringLiteral("0");
}

// Makes sure the placeholder product "X99X" that every opening bill line names exists.
void ensureOpeningProduct(db::Statement& query);

// Writes the bill's amounts into the header's money columns: net, tax and total, and from the
// total the bill's payable and unpaid sums. The header row is being edited.
void fillBillTotals(db::RecordSet& header, const BillAmounts& amounts);
// Fills the header's money columns from the lines and the supplier's tax flag. The header row is
// being edited; the lines are posted.
void calcBillTotals(const Settings& settings, db::RecordSet& header, db::RecordSet& lines,
                    const QString& supplierTaxFlag);

// Writes the bill held in header and lines in one transaction, replacing whatever was stored
// under its number. A failure is thrown after the transaction is rolled back: nothing of the
// bill stays. Returns false, writing nothing, when the connection already has a transaction
// under way (saving then would commit or undo someone else's work).
// `NothingUnderItsNumber` says the caller knows that neither a header, a line nor an opening
// bill's stock change is stored under the bill's number: there is nothing to delete first.
enum class Stored { Maybe, NothingUnderItsNumber };
bool saveBill(TSimpleDataMod& dm, const db::RecordSet& header, db::RecordSet& lines, Stored stored = Stored::Maybe);

// A line's text as it is stored: leading and trailing blanks and control characters removed.
QString trimmedLineText(const QString& text);

// Numbers, builds and saves the supplier's planned opening purchase bill, with the amounts the
// plan computed and its line copying the plan's placeholder product. A failed save is returned
// as Failed; a failure to number or build it is thrown.
Document postOpeningBill(TSimpleDataMod& dm, BillWorkspace& bill, const OpeningPlan& plan, const SupplierEntry& entry);

// Inserts the supplier's planned opening payment record. A failure is thrown.
Document postOpeningPayment(db::Statement& query, const OpeningPlan& plan, const SupplierEntry& entry);

// The payment record number of the supplier at that position in the list.
QString paymentNumber(const QString& day, int position);

} // namespace opening
