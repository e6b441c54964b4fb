#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace opening {

// Rows of a table, the first its header, as a CSV file a spreadsheet opens with the Chinese text
// intact: UTF-8 with a byte-order mark, CRLF line ends, fields quoted where they need it.
QByteArray csvDocument(const QVector<QStringList>& rows);
// The same rows as tab-separated text, as spreadsheets take it from the clipboard.
QString tabText(const QVector<QStringList>& rows);
// Writes the bytes to the file whole, readable by its owner only; false when it could not.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace opening
