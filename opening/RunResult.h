#pragma once

#include "SupplierRow.h"

#include <QString>
#include <QVector>

namespace opening {

enum class DocumentKind { Bill, Payment };

// What became of one document of one supplier.
enum class Outcome {
    Written,     // stored and committed
    Failed,      // tried and not stored; the error says why
    NotReached,  // the run stopped before it
    Empty,       // no balance
    Zero,        // a balance of 0
    Negative,    // a negative balance: a typing mistake to correct, never posted
    NotANumber,  // a balance that is no number: the same
    Kept,        // the supplier keeps the opening payment record of an earlier run
    Duplicate,   // the supplier's code stands earlier in the list: its balances are posted there, once
};

struct DocumentResult {
    Outcome outcome = Outcome::NotReached;
    QString number;
    double net = 0.0;    // bills: net, tax and total as stored; payment records: the amount as total
    double tax = 0.0;
    double total = 0.0;
    QString error;       // the database's whole message, when Failed
};

struct SupplierResult {
    SupplierRow supplier;
    DocumentResult bill;
    DocumentResult payment;
};

enum class RunEnd {
    Completed,  // every supplier was handled (some bills may have failed)
    Declined,   // the operator kept the earlier run: nothing was written
    Stopped,    // a failure ended the run; what was committed before it stays
    Busy,       // another workstation's run is in progress on the database: nothing was written
};

// The figures an account of a run is made of.
struct RunTotals {
    int billsWritten = 0;
    double billsTotal = 0.0;
    int paymentsWritten = 0;
    double paymentsTotal = 0.0;
    int billsFailed = 0;
    int paymentsFailed = 0;
    int kept = 0;
    int empty = 0;  // documents not written, by reason (a supplier has two balances)
    int zero = 0;
    int negative = 0;
    int notANumber = 0;
    int duplicate = 0;
    int notReached = 0;
};

struct RunResult {
    RunEnd end = RunEnd::Completed;
    QString stopError;      // why the run stopped
    int replacedBills = 0;  // opening bills of an earlier run, replaced with the operator's consent
    int stoppedAt = 0;      // position of the supplier the run stopped on; 0 when it stopped before the walk
    QVector<SupplierResult> suppliers;

    RunTotals totals() const;
};

// Which document of the supplier is the one that failed or was written, in the operator's words.
QString kindText(DocumentKind kind);
QString outcomeText(Outcome outcome);

} // namespace opening
