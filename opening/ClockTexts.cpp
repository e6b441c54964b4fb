#include "ClockTexts.h"

#include <QLocale>

namespace opening {

namespace {

// The first punctuation mark of a locale pattern ("yyyy/M/d", "H.mm", "AP h:mm"), skipping the
// field letters, blanks and quoted literals; the fallback when the pattern has none.
QChar patternSeparator(const QString& pattern, QChar fallback)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetterOrNumber() || c.isSpace())
            continue;
        return c;
    }
    return fallback;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

} // namespace

// Read once: the system's regional settings stay as the program found them, and asking the
// locale for its patterns costs more than writing the text.
QChar dateSeparator()
{
    static const QChar separator = patternSeparator(QLocale::system().dateFormat(QLocale::ShortFormat), u'/');
    return separator;
}

QChar timeSeparator()
{
    static const QChar separator = patternSeparator(QLocale::system().timeFormat(QLocale::ShortFormat), u':');
    return separator;
}

QString billDateText(const QDate& date)
{
    const QChar sep = dateSeparator();
    return QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0')) + sep + twoDigits(date.month()) + sep +
           twoDigits(date.day());
}

QString dayText(const QDate& date)
{
    return QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0')) + twoDigits(date.month()) +
           twoDigits(date.day());
}

QString entryTimeText(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return twoDigits(date.year() % 100) + twoDigits(date.month()) + twoDigits(date.day()) + u'-' +
           twoDigits(time.hour()) + twoDigits(time.minute()) + twoDigits(time.second()) + u' ' +
           QStringLiteral("%1").arg(time.msec(), 3, 10, QChar(u'0'));
}

QString changeTimeText(const QDateTime& moment)
{
    const QTime time = moment.time();
    const QChar sep = timeSeparator();
    return billDateText(moment.date()) + u' ' + twoDigits(time.hour()) + sep + twoDigits(time.minute()) + sep +
           twoDigits(time.second());
}

} // namespace opening
