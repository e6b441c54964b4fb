#pragma once

#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <optional>

namespace db {
class Statement;
}

namespace opening {

struct RunResult;
enum class RunEnd;

// One run of the opening as the database remembers it (table OPENING_RUN_LOG, made on first
// use): who ran it where, when, for which base date, how it ended and what it wrote.
struct RunRecord {
    QDateTime started;
    QDateTime ended;
    QDate baseDate;
    QString host;     // the workstation's address
    QString login;    // the database login
    QString osUser;   // the operating-system user
    QString outcome;  // completed, declined, stopped, busy, refused
    int written = 0;  // documents
    int replaced = 0; // documents of an earlier run
    int skipped = 0;  // documents skipped for a fault
    int failed = 0;
    int bills = 0;
    Money billsTotal;
    int payments = 0;
    Money paymentsTotal;
    QString note;     // why it stopped or could not start

    // Whether the run wrote (or replaced) documents: the runs an earlier opening comes from.
    bool wroteDocuments() const { return written + replaced > 0; }
};

// The record of a run that started at `started` and has just ended.
RunRecord recordOf(const RunResult& result, const QDateTime& started, const QDate& baseDate, const QString& host);

// Adds the record; empty when it was recorded, else the one line of warning to show: a login
// that may not make the table still runs, unrecorded.
QString recordRun(db::Statement& query, const RunRecord& record);

// The recorded runs, newest first (at most `most` of them, every one when 0); none where nothing
// was ever recorded.
QVector<RunRecord> runHistory(db::Statement& query, int most = 0);
// The newest run that wrote documents.
std::optional<RunRecord> lastWritingRun(db::Statement& query);

// "完成", "中止", … for an outcome.
QString outcomeName(const QString& outcome);
// How a run ended, as the record stores it: completed, declined, stopped, busy or refused.
QString outcomeCode(RunEnd end);
// The record in one line for the operator.
QString recordText(const RunRecord& record);

} // namespace opening
