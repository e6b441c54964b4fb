#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

// Date and time texts of the opening run, written with the workstation's own date and time
// separators (its regional settings), as the rest of the suite writes them.
namespace opening {

QChar dateSeparator();
QChar timeSeparator();

// "YYYY/MM/DD": ten characters, so that text order is date order.
QString billDateText(const QDate& date);
// "YYYYMMDD": the day inside a document number.
QString dayText(const QDate& date);
// "yymmdd-hhnnss zzz": a line's entry time, 24-hour clock, three-digit milliseconds.
QString entryTimeText(const QDateTime& moment);
// "yyyy/mm/dd hh:nn:ss": a change or creation time, 24-hour clock.
QString changeTimeText(const QDateTime& moment);

} // namespace opening
