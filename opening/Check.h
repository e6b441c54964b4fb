#pragma once

#include "OpeningPlan.h"
#include "Totals.h"

#include <QStringList>
#include <QVector>

namespace db {
class Statement;
}

namespace opening {

// One way in which the stored opening documents differ from what a plan (or a run) says.
struct Mismatch {
    QString supplier;  // the supplier's code as stored or planned
    DocumentKind kind = DocumentKind::Bill;
    QString number;
    QString expected;  // what the plan says, empty where it expects nothing
    QString stored;    // what the database holds, empty where it holds nothing
    QString what;      // the difference, in the operator's words
};

// The stored opening documents tied to a plan, supplier by supplier, and the totals both ways.
struct CheckResult {
    QString billDate;  // the base date checked
    QVector<Mismatch> mismatches;
    DocumentTotals expectedBills;
    DocumentTotals expectedPayments;
    DocumentTotals storedBills;
    DocumentTotals storedPayments;
    // The plan's suppliers as the database holds their documents: each expected document that is
    // stored is Written, with its stored number and amounts; one that is not is NotReached.
    QVector<SupplierEntry> stored;
    bool ties() const { return mismatches.isEmpty(); }
};

// Reads every opening document the database holds (numbers beginning with "0") and ties it to the
// documents the plan expects: those it would write, or after a run those written. Each expected
// bill must be stored once, with its header and exactly one line, net, tax and total as planned
// (and its number, once written); each expected payment record once, under its number, with its
// amount. Whatever nobody expects (a supplier not owed, another base date, a second copy, a header
// without its line, a line without its header, a number stored twice) is a mismatch too.
CheckResult checkOpening(db::Statement& query, const OpeningPlan& plan);

// One line: every document ties, or how many mismatches; and the totals both ways.
QString checkVerdict(const CheckResult& result, const Settings& settings);
// The mismatches, one row each (supplier, kind, number, expected, stored, difference); the first
// row is the header.
QVector<QStringList> mismatchTable(const CheckResult& result);

} // namespace opening
