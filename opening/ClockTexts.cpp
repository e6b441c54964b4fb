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

// Written with one format each: the run writes these for every document.
QString entryTimeText(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return QString::asprintf("%02d%02d%02d-%02d%02d%02d %03d", date.year() % 100, date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), time.msec());
}

QString changeTimeText(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    const QChar d = dateSeparator();
    const QChar t = timeSeparator();
    return QString::asprintf("%04d%lc%02d%lc%02d %02d%lc%02d%lc%02d", date.year(), d.unicode(), date.month(),
                             d.unicode(), date.day(), time.hour(), t.unicode(), time.minute(),
                             t.unicode(), time.second());
}

} // namespace opening
