#pragma once

#include "Money.h"
#include "SupplierRow.h"

#include <QString>

namespace opening {

enum class DocumentKind { Bill, Payment };

// What becomes, or became, of one document of one supplier: a plan says Planned or why it is
// not posted; a run turns Planned into Written, Failed or NotReached.
enum class Outcome {
    Planned,     // the run writes it
    Written,     // stored and committed
    Failed,      // tried and not stored; the detail has the database's message
    NotReached,  // the run stopped before it
    Empty,       // no balance
    Zero,        // a balance of 0
    Negative,    // a negative balance: a typing mistake to correct, never posted
    NotANumber,  // a balance that is no number: the same
    TooLong,     // a text of the supplier does not fit its column: never truncated, never posted
    NotFinite,   // the bill's amounts come out as no finite number
    Duplicate,   // the supplier's code stands earlier in the list: its balances are posted there, once
};

// A fault in the supplier's data: the supplier is named to the operator, and the command line
// says so in its exit code.
bool isFault(Outcome outcome);

struct Document {
    explicit Document(DocumentKind documentKind = DocumentKind::Bill) : kind(documentKind) {}

    DocumentKind kind;
    Outcome outcome = Outcome::Empty;
    QString number;
    Money balance;  // as the document stores it: a bill's line amount, a payment record's amount
    Money net;      // bills: net, tax and total; payment records: the amount as net and total
    Money tax;
    Money total;
    qint64 taxFlag = 0;  // bills: the flag the totals were computed by, stored as its decimal text
    QString detail;   // the particulars of a fault, or the database's whole message when Failed
};

// One row of the supplier list with its two documents.
struct SupplierEntry {
    SupplierRow supplier;
    Document bill{DocumentKind::Bill};
    Document payment{DocumentKind::Payment};
};

// The supplier as the operator finds it in the list: code, name and position.
QString supplierText(const SupplierRow& supplier);
QString kindText(DocumentKind kind);
QString outcomeText(Outcome outcome);

} // namespace opening
