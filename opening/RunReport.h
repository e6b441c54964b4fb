#pragma once

#include "ListTotals.h"
#include "Preview.h"
#include "RunResult.h"

#include <QStringList>

// The texts and tables an operator reads of the list, a preview and a run.
namespace opening {

// "資料存檔失敗..!" with the supplier whose bill it was and the database's own message.
QString saveFailedText(const QString& supplier, const QString& message);

// One line: what the list asks the run to post.
QString listTotalsText(const ListTotals& totals);

// The account of a run, several lines: written with totals, kept, skipped by reason, failed
// with the supplier and the database's message.
QString runAccount(const RunResult& result);
// The same in one line.
QString runSummaryLine(const RunResult& result);
// Per supplier: what became of each balance. The first row is the header.
QVector<QStringList> accountTable(const RunResult& result);

// The preview's documents in the order the run writes them. The first row is the header.
QVector<QStringList> previewTable(const Preview& preview);
// What the preview would write, in one line: documents of each kind with their totals.
QString previewSummary(const Preview& preview);
// What the preview found besides the documents: the earlier run, the skipped balances.
QString previewNotes(const Preview& preview);

} // namespace opening
