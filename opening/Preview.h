#pragma once

#include "RunResult.h"
#include "SupplierRow.h"

#include <QDate>

class TSimpleDataMod;
namespace db {
class Statement;
}

namespace opening {

// A document the run would write, with the number it would get and its amounts (a payment
// record's amount as its total).
struct PlannedDocument {
    SupplierRow supplier;
    DocumentKind kind = DocumentKind::Bill;
    QString number;
    double net = 0.0;
    double tax = 0.0;
    double total = 0.0;
};

// A balance the run would not post, and why: a negative one, one that is no number, a payment
// record the supplier keeps from an earlier run, or a row whose supplier code stands earlier.
struct SkippedDocument {
    SupplierRow supplier;
    DocumentKind kind = DocumentKind::Bill;
    Outcome reason = Outcome::Empty;
};

struct Preview {
    int earlierBills = 0;     // opening bills of an earlier run: a run asks, then replaces them
    int earlierPayments = 0;  // opening payment records it would replace with them
    QVector<PlannedDocument> documents;  // in the order the run writes them
    QVector<SkippedDocument> skipped;
    int withoutBalance = 0;   // balances that are empty or 0: nothing to post
};

// The run's walk with nothing written: bill numbers are read from the day's counter, which is
// not advanced, and an earlier run counts as replaced.
Preview previewOpening(TSimpleDataMod& dm, db::Statement& query, const QVector<SupplierRow>& suppliers,
                       const QDate& baseDate);

} // namespace opening
