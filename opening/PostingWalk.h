#pragma once

#include "ColumnBinding.h"
#include "Connection.h"
#include "Documents.h"
#include "Statement.h"

#include <optional>

class TSimpleDataMod;

namespace opening {

struct BillWorkspace;
struct OpeningPlan;
class RunObserver;

// The writes of the run's walk over the suppliers, in as few exchanges with the server as its
// guarantees allow. Each supplier's planned documents (its bill's header and line, its payment
// record) go as one statement, in a transaction that the server commits after every statement:
// one round trip per supplier, which is stored whole or not at all, and nothing committed is lost
// when the program dies. Bill numbers are taken from the day's counter some at a time, committed
// before any bill uses them: the counter stays beyond every number used, and other workstations
// wait for it only that long. Each batch of numbers starts a fresh walk transaction, so that none
// lives long enough to keep the server from clearing old record versions.
// When the statement fails, nothing of it stays, and the supplier is written again step by step
// as before: the bill in a transaction of its own (a failure reported, the run going on), then
// the payment record (a failure thrown).
class PostingWalk {
public:
    PostingWalk(TSimpleDataMod& dm, BillWorkspace& bill, const OpeningPlan& plan, RunObserver& observer);
    PostingWalk(const PostingWalk&) = delete;
    PostingWalk& operator=(const PostingWalk&) = delete;

    // The supplier's planned documents written; `current` names the document under way, so that
    // a failure thrown from here is booked on it.
    void post(SupplierEntry& entry, Document*& current);
    // Ends the walk's transaction; without it, leaving the walk rolls back what is not committed.
    void finish();

private:
    // A supplier's statement and, when it holds a bill, its parameters matched with the columns of
    // the bill's record sets at its first use (their layout stays for the run).
    struct SupplierBlock {
        SupplierBlock(db::Connection* connection, bool bill, bool payment);
        db::Statement statement;
        std::optional<ColumnBinding> header;
        std::optional<ColumnBinding> line;
    };

    qint64 takeSequence();
    void ensureTransaction();
    void endTransaction();
    void postStepByStep(SupplierEntry& entry, Document*& current);

    TSimpleDataMod& dm_;
    BillWorkspace& bill_;
    const OpeningPlan& plan_;
    RunObserver& observer_;
    std::optional<db::TransactionScope> transaction_;
    qint64 nextSequence_ = 0;
    qint64 sequencesLeft_ = 0;
    qint64 billsToNumber_ = 0;
    // The statement for a supplier with a bill and a payment record, with a bill, with a payment.
    SupplierBlock both_;
    SupplierBlock billOnly_;
    SupplierBlock paymentOnly_;
};

} // namespace opening
