#include "Csv.h"

#include "ReportFile.h"

#include <QSaveFile>

namespace opening {

namespace {
bool isNumber(const QString& text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// A cell a spreadsheet would take for a formula (=HYPERLINK(...), +, @, a minus before anything
// but a number, a leading tab or carriage return) is shown as the text it is: a leading
// apostrophe makes it one.
bool startsFormula(const QString& field)
{
    if (field.isEmpty())
        return false;
    const QChar first = field.front();
    return first == u'=' || first == u'+' || first == u'@' || first == u'\t' || first == u'\r' ||
           (first == u'-' && !isNumber(field));
}

QString neutral(const QString& field)
{
    return startsFormula(field) ? u'\'' + field : field;
}

QString csvField(QString field)
{
    field = neutral(field);
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r'))
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

QString tabField(QString field)
{
    return field.replace(u'\t', u' ').replace(u'\n', u' ').remove(u'\r');
}
} // namespace

namespace {
QString joined(const QVector<QStringList>& rows, QChar separator, QString (*field)(QString), const QString& lineEnd)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& cell : row)
            fields << field(cell);
        text += fields.join(separator) + lineEnd;
    }
    return text;
}
} // namespace

QString cellAsWritten(const QString& cell)
{
    return cell.startsWith(u'\'') && startsFormula(cell.mid(1)) ? cell.mid(1) : cell;
}

QByteArray csvDocument(const QVector<QStringList>& rows)
{
    return QByteArrayLiteral("\xEF\xBB\xBF") + joined(rows, u',', csvField, QStringLiteral("\r\n")).toUtf8();
}

QString tabText(const QVector<QStringList>& rows)
{
    return joined(rows, u'\t', tabField, QStringLiteral("\n"));
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    // Written aside and renamed into place: a failed save leaves no half file.
    QSaveFile file(path);
    return openOwnerOnly(file) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace opening
