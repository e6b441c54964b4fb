#include "DbError.h"
#include "Text.h"
#include "FrmSimpleDataMod.h"
#include "SqlText.h"
#include "TextNumbers.h"

#include <QElapsedTimer>
#include <QThread>
#include <optional>

// Per-day bill numbers. Each counter table holds one row per bill date whose LAST_ID is the
// sequence number the next allocation of that day hands out.
//
// Allocations are exclusive across workstations: the day's row is read and advanced in one
// transaction that locks it (the read of the counter carries "WITH LOCK"), and the whole step is
// retried when it meets a conflicting transaction. The first allocation of a day may race
// another workstation's: an insert of the day's row that finds the row already stored (duplicate
// key) counts as "the row exists". When the caller already has a transaction open, the counter
// is locked and advanced inside it, and commits or rolls back with the caller's work. A caller
// that numbers many bills takes their numbers at once: the counter advanced once by their count.

namespace {

constexpr long kUniqueKeyViolation = 335544665;  // isc_unique_key_violation
constexpr long kDuplicateInUniqueIndex = 335544349;  // isc_no_dup
constexpr int kAttempts = 100;
constexpr unsigned long kRetryPauseMs = 10;

bool isDuplicateKey(const db::DbError& error)
{
    for (long code : error.errorCodes())
        if (code == kUniqueKeyViolation || code == kDuplicateInUniqueIndex)
            return true;
    return false;
}

struct Counter {
    db::Connection& connection;
    db::Statement& query;   // reads and creates the day's row
    db::Statement& update;  // advances it
    QString table;
    QString date;
    qint64 count = 1;  // numbers taken at once

    // The day's counter row; the date goes as a parameter.
    QString select() const
    {
        return QStringLiteral("SELECT LAST_ID FROM ") + table + QStringLiteral(" WHERE BILL_DATE = :BILL_DATE");
    }

    // Stored on its own (or within the caller's transaction); losing the race to another
    // workstation's insert of the same day leaves that workstation's row.
    void createDayRow()
    {
        query.close();
        query.setLines({QStringLiteral("INSERT INTO ") + table + QStringLiteral("(BILL_DATE,LAST_ID,CHG_DATE) "),
                        QStringLiteral(" VALUES(:BILL_DATE,:LAST_ID,:CHG_DATE) ")});
        query.setParamText(QStringLiteral("BILL_DATE"), date);
        query.setParamInteger(QStringLiteral("LAST_ID"), 1);
        query.setParamText(QStringLiteral("CHG_DATE"), date);
        try {
            query.execute();
        } catch (const db::DbError& error) {
            if (!isDuplicateKey(error))
                throw;
        }
    }

    // Locks the day's row, reads n and stores n + count; nothing when the row is not there to lock.
    std::optional<qint64> takeLocked()
    {
        query.setLines({select() + QStringLiteral(" WITH LOCK")});
        query.setParamText(QStringLiteral("BILL_DATE"), date);
        query.open();
        if (query.isEmpty())
            return std::nullopt;
        const qint64 n = db::parseInteger(query.asText(QStringLiteral("LAST_ID"))).value_or(1);
        update.setLines(
            {QStringLiteral("UPDATE ") + table + QStringLiteral(" SET LAST_ID = :LASTID WHERE BILL_DATE = :BILL_DATE")});
        update.setParamInteger(QStringLiteral("LASTID"), n + count);
        update.setParamText(QStringLiteral("BILL_DATE"), date);
        update.execute();
        return n;
    }

    // takeLocked in a transaction of its own when the caller has none, waiting for a held row
    // one second at a time; whatever fails, a transaction started here does not outlive the call.
    std::optional<qint64> take()
    {
        if (connection.inTransaction())
            return takeLocked();
        struct ShortWaits {
            db::Connection& connection;
            const int previous = connection.setLockWait(1);
            ~ShortWaits() { connection.setLockWait(previous); }
        } shortWaits{connection};
        db::TransactionScope transaction(connection);
        const std::optional<qint64> n = takeLocked();
        if (n)
            transaction.commit();
        return n;
    }

    qint64 allocate(const std::function<void(const QString&)>& waitNotice)
    {
        QElapsedTimer waited;
        waited.start();
        for (int attempt = 1;; ++attempt) {
            try {
                if (const std::optional<qint64> n = take())
                    return *n;
                // No row for the day yet (its first number), or another workstation's insert of it
                // is still pending: it is made, or found made, and taken on the next pass.
                createDayRow();
                if (attempt == kAttempts)
                    throw db::DbError(QStringLiteral("The bill-number counter of %1 for %2 cannot be created")
                                          .arg(table, date));
            } catch (const db::DbError& error) {
                if (error.isLockTimeout()) {
                    // Another workstation holds the day's counter: say so, and give up once the
                    // connection's lock timeout has passed.
                    if (waited.elapsed() >= qint64(connection.lockTimeout()) * 1000)
                        throw db::DbError(Text::tr("等候其他工作站釋放 %1 %2 的單號逾時，請稍後再試。\n%3")
                                              .arg(table, date, error.message()),
                                          error.errorCodes());
                    if (waitNotice)
                        waitNotice(Text::tr("等候其他工作站釋放 %1 %2 的單號… %3 秒")
                                       .arg(table, date)
                                       .arg(waited.elapsed() / 1000));
                    continue;
                }
                if (!error.isUpdateConflict() || attempt == kAttempts)
                    throw;
            }
            QThread::msleep(kRetryPauseMs);
        }
    }
};

} // namespace

qint64 TSimpleDataMod::TakeBillSequences(const QString& sTable, const QString& sDate, qint64 count)
{
    if (!db::isIdentifier(sTable))
        throw db::DbError(QStringLiteral("'%1' is not a valid bill-number counter table name").arg(sTable));
    if (count < 1)
        throw db::DbError(QStringLiteral("%1 bill numbers cannot be taken").arg(count));
    Counter counter{SQLConnection1, SQLQuery1, SQL_ID, sTable, sDate, count};
    return counter.allocate(waitNotice_);
}

QString TSimpleDataMod::GetMaxBillID(const QString& sTable, const QString& sDate, const QString& sFlag)
{
    const qint64 n = TakeBillSequences(sTable, sDate, 1);
    return sFlag + sDate.mid(0, 4) + sDate.mid(5, 2) + sDate.mid(8, 2) +
           QString::asprintf("%.4lld", static_cast<long long>(n));
}
