#include "Csv.h"

#include "ReportFile.h"

#include <QSaveFile>

namespace opening {

namespace {
QString csvField(QString field)
{
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
