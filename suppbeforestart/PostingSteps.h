#pragma once

#include <QString>

class TFormSuppBeforeStart;
namespace db {
class RecordSet;
}

// The per-supplier steps of the opening run ("確定開帳"). Each works on the supplier list's
// current row.
namespace opening {

// First character of every opening document number, and the FLAG_ID of opening bills.
inline QString openingCode()
{
    return QStringLiteral("0");
}

// A balance cell of the supplier list read as text; empty or not a number counts as 0.
double balanceOf(const db::RecordSet& suppliers, const QString& column);

// Numbers, builds, totals and saves the supplier's opening purchase bill for its unpaid balance.
void postOpeningBill(TFormSuppBeforeStart& form, const QString& billDate, double unpaid);

// Inserts the supplier's opening payment record for its prepaid balance unless it already has
// one; numbered by the supplier's position in the list.
void postOpeningPayment(TFormSuppBeforeStart& form, const QString& billDate, const QString& day, int position);

} // namespace opening
