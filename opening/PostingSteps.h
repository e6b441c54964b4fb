#pragma once

#include "Documents.h"

#include <QDateTime>
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

// Builds the supplier's planned opening purchase bill under the number, in the workspace's
// record sets: the amounts the plan computed, its line copying the plan's placeholder product,
// entered and changed at the moment given.
void buildOpeningBill(BillWorkspace& bill, const OpeningPlan& plan, const SupplierEntry& entry, const QString& number,
                      const QDateTime& now);
// Saves the bill built in the workspace in one transaction of its own (replacing what may be
// stored under its number when the plan says something is). A failed save is returned as Failed.
Document saveOpeningBill(TSimpleDataMod& dm, BillWorkspace& bill, const OpeningPlan& plan, const Document& planned);

// Binds the parameters of the supplier's planned opening payment record (the columns' names
// after the prefix), made and changed at the moment given.
void bindOpeningPayment(db::Statement& statement, const QString& prefix, const OpeningPlan& plan,
                        const SupplierEntry& entry, const QDateTime& now);
// Inserts the supplier's planned opening payment record on its own. A failure is thrown.
Document postOpeningPayment(db::Statement& query, const OpeningPlan& plan, const SupplierEntry& entry);

// The number of an opening bill of the day (its sequence with at least four digits), and of the
// payment record of the supplier at that position in the list.
QString billNumber(const QString& day, qint64 sequence);
QString paymentNumber(const QString& day, int position);

} // namespace opening
