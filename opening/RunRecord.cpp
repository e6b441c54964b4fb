#include "RunRecord.h"
#include "Text.h"

#include "OwnTables.h"
#include "RunResult.h"
#include "Statement.h"
#include "Totals.h"

#include <QLocale>
#include <exception>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace opening {

namespace {

const QString kTable = QStringLiteral("OPENING_RUN_LOG");
const QString kColumns = QStringLiteral(
    "STARTED VARCHAR(23), ENDED VARCHAR(23), BASE_DATE VARCHAR(10), HOST VARCHAR(60), LOGIN VARCHAR(63), "
    "OS_USER VARCHAR(63), OUTCOME VARCHAR(10), WRITTEN INTEGER, REPLACED INTEGER, SKIPPED INTEGER, FAILED INTEGER, "
    "BILLS INTEGER, BILLS_TOTAL DOUBLE PRECISION, PAYMENTS INTEGER, PAYMENTS_TOTAL DOUBLE PRECISION, "
    "NOTE VARCHAR(500)");
// Text order is time order.
const QString kMoment = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

QString operatingSystemUser()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"})
        if (const QString user = qEnvironmentVariable(variable); !user.isEmpty())
            return user;
#ifdef Q_OS_UNIX
    // A service or a shell started without a login environment still runs as someone.
    if (const passwd* account = getpwuid(geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return {};
}

} // namespace

QString outcomeCode(RunEnd end)
{
    switch (end) {
    case RunEnd::Completed:
        return QStringLiteral("completed");
    case RunEnd::Declined:
        return QStringLiteral("declined");
    case RunEnd::Stopped:
        return QStringLiteral("stopped");
    case RunEnd::Busy:
        return QStringLiteral("busy");
    case RunEnd::Refused:
        return QStringLiteral("refused");
    }
    return {};
}

RunRecord recordOf(const RunResult& result, const QDateTime& started, const QDate& baseDate, const QString& host)
{
    const Totals totals = totalsOf(result.plan.suppliers);
    RunRecord record;
    record.started = started;
    record.ended = QDateTime::currentDateTime();
    record.baseDate = baseDate;
    record.host = host;
    record.osUser = operatingSystemUser();
    record.outcome = outcomeCode(result.end);
    record.note = result.stopError.left(500);
    // A run that did not walk the list wrote, skipped and failed nothing.
    if (result.end != RunEnd::Completed && result.end != RunEnd::Stopped)
        return record;
    record.written = totals.bills.count + totals.payments.count;
    record.replaced = result.replaced.bills + result.replaced.payments;
    for (auto it = totals.notPosted.cbegin(); it != totals.notPosted.cend(); ++it)
        record.skipped += isFault(it.key()) ? it.value() : 0;
    record.failed = totals.failed;
    record.bills = totals.bills.count;
    record.billsTotal = totals.bills.total.value();
    record.payments = totals.payments.count;
    record.paymentsTotal = totals.payments.total.value();
    return record;
}

QString recordRun(db::Statement& query, const RunRecord& record)
{
    try {
        ensureTable(query, kTable, kColumns);
        query.setLines({QStringLiteral("INSERT INTO OPENING_RUN_LOG (STARTED, ENDED, BASE_DATE, HOST, LOGIN, OS_USER, "
                                       "OUTCOME, WRITTEN, REPLACED, SKIPPED, FAILED, BILLS, BILLS_TOTAL, PAYMENTS, "
                                       "PAYMENTS_TOTAL, NOTE)"),
                        QStringLiteral(" VALUES (:STARTED, :ENDED, :BASE_DATE, :HOST, CURRENT_USER, :OS_USER, :OUTCOME, "
                                       ":WRITTEN, :REPLACED, :SKIPPED, :FAILED, :BILLS, :BILLS_TOTAL, :PAYMENTS, "
                                       ":PAYMENTS_TOTAL, :NOTE)")});
        query.setParamText(QStringLiteral("STARTED"), record.started.toString(kMoment));
        query.setParamText(QStringLiteral("ENDED"), record.ended.toString(kMoment));
        query.setParamText(QStringLiteral("BASE_DATE"), record.baseDate.toString(Qt::ISODate));
        query.setParamText(QStringLiteral("HOST"), record.host);
        query.setParamText(QStringLiteral("OS_USER"), record.osUser.left(63));
        query.setParamText(QStringLiteral("OUTCOME"), record.outcome);
        query.setParamInteger(QStringLiteral("WRITTEN"), record.written);
        query.setParamInteger(QStringLiteral("REPLACED"), record.replaced);
        query.setParamInteger(QStringLiteral("SKIPPED"), record.skipped);
        query.setParamInteger(QStringLiteral("FAILED"), record.failed);
        query.setParamInteger(QStringLiteral("BILLS"), record.bills);
        query.setParamDouble(QStringLiteral("BILLS_TOTAL"), record.billsTotal.amount());
        query.setParamInteger(QStringLiteral("PAYMENTS"), record.payments);
        query.setParamDouble(QStringLiteral("PAYMENTS_TOTAL"), record.paymentsTotal.amount());
        query.setParamText(QStringLiteral("NOTE"), record.note);
        query.execute();
        return {};
    } catch (const std::exception& failure) {
        return Text::tr("本次開帳未記錄於 %1：%2").arg(kTable, QString::fromUtf8(failure.what()).section(u'\n', 0, 0));
    }
}

QVector<RunRecord> runHistory(db::Statement& query, int most)
{
    QVector<RunRecord> records;
    if (!tableExists(query, kTable))
        return records;
    query.open({QStringLiteral("SELECT %1STARTED, ENDED, BASE_DATE, HOST, LOGIN, OS_USER, OUTCOME, WRITTEN, REPLACED, "
                               "SKIPPED, FAILED, BILLS, BILLS_TOTAL, PAYMENTS, PAYMENTS_TOTAL, NOTE")
                    .arg(most > 0 ? QStringLiteral("FIRST %1 ").arg(most) : QString()),
                QStringLiteral(" FROM OPENING_RUN_LOG ORDER BY STARTED DESC")});
    for (query.first(); !query.eof(); query.next()) {
        RunRecord record;
        record.started = QDateTime::fromString(query.asText(0), kMoment);
        record.ended = QDateTime::fromString(query.asText(1), kMoment);
        record.baseDate = QDate::fromString(query.asText(2), Qt::ISODate);
        record.host = query.asText(3);
        record.login = query.asText(4).trimmed();
        record.osUser = query.asText(5);
        record.outcome = query.asText(6);
        record.written = static_cast<int>(query.asInteger(7));
        record.replaced = static_cast<int>(query.asInteger(8));
        record.skipped = static_cast<int>(query.asInteger(9));
        record.failed = static_cast<int>(query.asInteger(10));
        record.bills = static_cast<int>(query.asInteger(11));
        record.billsTotal = Money(query.asDouble(12));
        record.payments = static_cast<int>(query.asInteger(13));
        record.paymentsTotal = Money(query.asDouble(14));
        record.note = query.asText(15);
        records << record;
    }
    return records;
}

std::optional<RunRecord> lastWritingRun(db::Statement& query)
{
    for (const RunRecord& record : runHistory(query))
        if (record.wroteDocuments())
            return record;
    return std::nullopt;
}

QString outcomeName(const QString& outcome)
{
    if (outcome == QStringLiteral("completed"))
        return Text::tr("完成");
    if (outcome == QStringLiteral("declined"))
        return Text::tr("保留前次開帳");
    if (outcome == QStringLiteral("stopped"))
        return Text::tr("中止");
    if (outcome == QStringLiteral("busy"))
        return Text::tr("另一工作站執行中");
    if (outcome == QStringLiteral("refused"))
        return Text::tr("無法開帳");
    return outcome;
}

QString recordText(const RunRecord& record)
{
    const QLocale locale = QLocale::system();
    return Text::tr("%1 至 %2　基準日 %3　%4　%5（%6）　%7　寫入 %8、取代 %9、略過 %10、失敗 %11　"
                          "進貨單 %12 張 %13　預付單 %14 筆 %15")
        .arg(record.started.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")), record.ended.toString(QStringLiteral("HH:mm:ss")),
             record.baseDate.toString(QStringLiteral("yyyy/MM/dd")), record.host, record.login, record.osUser,
             outcomeName(record.outcome))
        .arg(record.written)
        .arg(record.replaced)
        .arg(record.skipped)
        .arg(record.failed)
        .arg(record.bills)
        .arg(record.billsTotal.text())
        .arg(record.payments)
        .arg(record.paymentsTotal.text());
}

} // namespace opening
