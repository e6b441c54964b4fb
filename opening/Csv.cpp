#include "Csv.h"

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

QByteArray csvDocument(const QVector<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row)
            fields << csvField(field);
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString tabText(const QVector<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row)
            fields << tabField(field);
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    // Written aside and renamed into place: a failed save leaves no half file.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace opening
