#include "StoredState.h"

#include "ClockTexts.h"
#include "FrmSimpleDataMod.h"
#include "PostingSteps.h"
#include "TextNumbers.h"

namespace opening {

namespace {

QString key(const QString& table, const QString& column)
{
    return table + u'.' + column;
}

EarlierRun earlierRun(db::Statement& query)
{
    query.open({QStringLiteral("SELECT (SELECT COUNT(*) FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%'),"),
                QStringLiteral(" (SELECT COUNT(*) FROM PURCHASE_DETAIL WHERE MASTERBILLID LIKE '0%'),"),
                QStringLiteral(" (SELECT COUNT(*) FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%'),"),
                QStringLiteral(" (SELECT SUM(TOTAL_TOTAMT) FROM PURCHASE_MASTER WHERE MASTERBILLID LIKE '0%'),"),
                QStringLiteral(" (SELECT SUM(CASH_AMT) FROM PAY_MASTER WHERE MASTERBILLID LIKE '0%') FROM RDB$DATABASE")});
    EarlierRun earlier;
    earlier.bills = static_cast<int>(query.asInteger(0));
    earlier.lines = static_cast<int>(query.asInteger(1));
    earlier.payments = static_cast<int>(query.asInteger(2));
    earlier.billsTotal = Money(query.asDouble(3));
    earlier.paymentsTotal = Money(query.asDouble(4));
    if (earlier.exists())
        earlier.record = lastWritingRun(query);
    return earlier;
}

// The day's counter row holds the sequence its next number gets; a day without one starts at 1.
qint64 nextSequence(db::Statement& query, const QString& billDate)
{
    query.close();
    query.setLines({QStringLiteral("SELECT LAST_ID FROM PURCHASE_NUM WHERE BILL_DATE = :BILL_DATE")});
    query.setParamText(QStringLiteral("BILL_DATE"), billDate);
    query.open();
    return query.isEmpty() ? 1 : db::parseInteger(query.asText(QStringLiteral("LAST_ID"))).value_or(1);
}

// Stock changes that other programs keep per opening bill are deleted with the bill they belong
// to; under a number the counter hands out again they belong to no bill of this run.
QSet<QString> leftovers(db::Statement& query, const QDate& baseDate)
{
    query.close();
    query.setLines({QStringLiteral("SELECT DISTINCT MASTERBILLID FROM PROD_CHGDATA"),
                    QStringLiteral(" WHERE FLAG_ID = :FLAG_ID AND MASTERBILLID STARTING WITH :PREFIX")});
    query.setParamText(QStringLiteral("FLAG_ID"), openingCode());
    query.setParamText(QStringLiteral("PREFIX"), openingCode() + dayText(baseDate));
    query.open();
    QSet<QString> numbers;
    for (query.first(); !query.eof(); query.next())
        numbers.insert(query.asText(0));
    return numbers;
}

ColumnWidths columnWidths(db::Statement& query)
{
    query.open({QStringLiteral("SELECT TRIM(rf.RDB$RELATION_NAME), TRIM(rf.RDB$FIELD_NAME), f.RDB$CHARACTER_LENGTH"),
                QStringLiteral(" FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE"),
                QStringLiteral(" WHERE rf.RDB$RELATION_NAME IN ('PURCHASE_MASTER', 'PURCHASE_DETAIL', 'PAY_MASTER')")});
    ColumnWidths widths;
    for (query.first(); !query.eof(); query.next())
        widths.add(query.asText(0), query.asText(1),
                   query.isNull(QStringLiteral("RDB$CHARACTER_LENGTH"))
                       ? std::nullopt
                       : std::optional<int>(static_cast<int>(query.asInteger(2))));
    return widths;
}

std::optional<Placeholder> placeholder(db::Statement& query)
{
    query.open({QStringLiteral("SELECT * FROM PRODUCT WHERE PROD_ID = 'X99X' ")});
    if (query.isEmpty())
        return std::nullopt;
    return storedPlaceholder(query);
}

} // namespace

void ColumnWidths::add(const QString& table, const QString& column, std::optional<int> characters)
{
    widths_.insert(key(table, column), characters);
}

bool ColumnWidths::has(const QString& table, const QString& column) const
{
    return widths_.contains(key(table, column));
}

std::optional<int> ColumnWidths::width(const QString& table, const QString& column) const
{
    return widths_.value(key(table, column));
}

StoredState readStoredState(TSimpleDataMod& dm, db::Statement& query, const QDate& baseDate)
{
    StoredState state;
    state.earlier = earlierRun(query);
    state.nextSequence = nextSequence(query, billDateText(baseDate));
    state.leftovers = leftovers(query, baseDate);
    state.widths = columnWidths(query);
    state.placeholder = placeholder(query);
    state.host = dm.LocalIP();
    return state;
}

} // namespace opening
