#pragma once

#include "OpeningPlan.h"
#include "RunResult.h"
#include "Totals.h"

#include <QStringList>

// The texts and tables an operator reads of a plan (before a run, and its preview) and of a run.
namespace opening {

// The decimals amounts are shown with at least: those of the accounting amount format.
int moneyPlaces(const Settings& settings);

// "資料存檔失敗..!" with the supplier whose bill it was and the database's own message.
QString saveFailedText(const QString& supplier, const QString& message);

// Why a run ended early at the operator's word (the window closed, SIGTERM or SIGINT): how far
// it came of how many suppliers.
QString stoppedByOperatorText(int done, int total);

// The bottom panel before a run, two lines: the balances the list asks to post beside the bills'
// net, tax and total and the payment records, and how many suppliers are skipped for a fault.
QString planPanelText(const OpeningPlan& plan);
// From the balances to what is written: balances + tax on top ± rounding = the bills' total,
// and the total split into net and tax.
QString reconciliationText(const Totals& totals, const Settings& settings);
// Every document skipped for a fault, one line each, naming the supplier and the reason.
QStringList faultLines(const QVector<SupplierEntry>& suppliers);

// What replacing the earlier run would delete: when and where it ran, how many documents, what
// total.
QString earlierRunText(const EarlierRun& earlier);

// The preview's heading: what the run would write, in one line.
QString previewSummary(const OpeningPlan& plan);
// What the preview found besides the documents: the earlier run it replaces, the faults.
QString previewNotes(const OpeningPlan& plan);

// One row per document written, to be written or skipped for a fault (balances that are empty
// or 0 are left out), then the totals of each kind and the reconciliation; the first row is the
// header, the last the reconciliation. The preview and the account share it. Amounts plain for files, or as the operator
// reads them on screen.
enum class Amounts { Plain, Shown };
QVector<QStringList> documentTable(const OpeningPlan& plan, Amounts amounts = Amounts::Plain);
// The table's columns that hold amounts.
constexpr int kFirstAmountColumn = 5;
constexpr int kLastAmountColumn = 8;

// What a run stopped by a lost connection wrote, and what to do: how many documents are stored,
// that the one under way was rolled back or stored whole, and to run again replacing them.
QString lostConnectionAdvice(const RunResult& result);

// The account of a run, several lines: written with totals, the reconciliation, skipped by reason
// with each fault, failed with the supplier and the database's message.
QString runAccount(const RunResult& result);
// The bottom panel after a run, two lines: what was written, what failed or was skipped.
QString runSummaryLine(const RunResult& result);

} // namespace opening
