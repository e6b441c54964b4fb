#include "PostingWalk.h"

#include "BillWorkspace.h"
#include "DbError.h"
#include "FrmSimpleDataMod.h"
#include "OpeningPlan.h"
#include "PostingBlock.h"
#include "PostingSteps.h"
#include "RunObserver.h"
#include "TableColumns.h"

namespace opening {

namespace {

// Numbers taken at once: a run that stops leaves at most this many unused.
constexpr qint64 kSequencesAtOnce = 32;

const QString kHeader = QStringLiteral("H_");
const QString kLine = QStringLiteral("L_");
const QString kPayment = QStringLiteral("P_");

} // namespace

PostingWalk::SupplierBlock::SupplierBlock(db::Connection* connection, bool bill, bool payment) : statement(connection)
{
    QVector<BlockInsert> inserts;
    if (bill)
        inserts << BlockInsert{&purchaseMasterColumns(), kHeader} << BlockInsert{&purchaseDetailColumns(), kLine};
    if (payment)
        inserts << BlockInsert{&payMasterColumns(), kPayment};
    statement.setLines(insertBlockLines(inserts));
}

PostingWalk::PostingWalk(TSimpleDataMod& dm, BillWorkspace& bill, const OpeningPlan& plan, RunObserver& observer)
    : dm_(dm), bill_(bill), plan_(plan), observer_(observer), both_(&dm.SQLConnection1, true, true),
      billOnly_(&dm.SQLConnection1, true, false), paymentOnly_(&dm.SQLConnection1, false, true)
{
    for (const SupplierEntry& entry : plan.suppliers)
        billsToNumber_ += entry.bill.outcome == Outcome::Planned ? 1 : 0;
}

void PostingWalk::ensureTransaction()
{
    if (!transaction_)
        transaction_.emplace(dm_.SQLConnection1, db::Isolation::ReadCommitted, 1, db::Commits::EachStatement);
}

void PostingWalk::endTransaction()
{
    if (transaction_) {
        transaction_->commit();
        transaction_.reset();
    }
}

void PostingWalk::finish()
{
    endTransaction();
}

qint64 PostingWalk::takeSequence()
{
    if (sequencesLeft_ == 0) {
        // Read, locked and advanced in a transaction of the counter's own: in the walk's, each
        // statement would be committed and the lock let go between the read and the advance.
        endTransaction();
        sequencesLeft_ = std::min(kSequencesAtOnce, billsToNumber_);
        nextSequence_ = dm_.TakeBillSequences(QStringLiteral("PURCHASE_NUM"), plan_.stamp.billDate, sequencesLeft_);
    }
    --sequencesLeft_;
    --billsToNumber_;
    return nextSequence_++;
}

void PostingWalk::post(SupplierEntry& entry, Document*& current)
{
    const bool bill = entry.bill.outcome == Outcome::Planned;
    const bool payment = entry.payment.outcome == Outcome::Planned;
    if (!bill && !payment)
        return;
    // One reading of the clock for the supplier's documents.
    const QDateTime now = QDateTime::currentDateTime();
    if (bill) {
        current = &entry.bill;
        entry.bill.number = billNumber(plan_.stamp.day, takeSequence());
        buildOpeningBill(bill_, plan_, entry, entry.bill.number, now);
        // Whatever is stored under the number goes first: rare enough to take the steps one by one.
        if (plan_.leftovers.contains(entry.bill.number)) {
            postStepByStep(entry, current);
            return;
        }
    }
    current = bill ? &entry.bill : &entry.payment;
    SupplierBlock& block = bill ? (payment ? both_ : billOnly_) : paymentOnly_;
    ensureTransaction();
    try {
        if (bill) {
            if (!block.header) {
                block.header.emplace(block.statement, purchaseMasterColumns(), kHeader, bill_.header);
                block.line.emplace(block.statement, purchaseDetailColumns(), kLine, bill_.lines);
            }
            block.header->bind(block.statement, bill_.header);
            bill_.lines.first();
            block.line->bind(block.statement, bill_.lines);
        }
        if (payment)
            bindOpeningPayment(block.statement, kPayment, plan_, entry, now);
        block.statement.execute();  // and committed by the server
    } catch (const std::exception& failure) {
        // A connection that is gone stops the run: the steps one by one would only connect anew,
        // without the run's claim.
        if (const auto* lost = dynamic_cast<const db::DbError*>(&failure); lost && lost->isConnectionLost())
            throw;
        // The statement is undone whole; the steps one by one say what fails, and where.
        postStepByStep(entry, current);
        return;
    }
    for (Document* document : {&entry.bill, &entry.payment})
        if (document->outcome == Outcome::Planned)
            document->outcome = Outcome::Written;
    current = nullptr;
}

void PostingWalk::postStepByStep(SupplierEntry& entry, Document*& current)
{
    // Saving a bill takes a transaction of its own.
    endTransaction();
    if (entry.bill.outcome == Outcome::Planned) {
        current = &entry.bill;
        entry.bill = saveOpeningBill(dm_, bill_, plan_, entry.bill);
        if (entry.bill.outcome == Outcome::Failed)
            observer_.billFailed(entry);
    }
    if (entry.payment.outcome == Outcome::Planned) {
        current = &entry.payment;
        entry.payment = postOpeningPayment(bill_.query, plan_, entry);
    }
    current = nullptr;
}

} // namespace opening
