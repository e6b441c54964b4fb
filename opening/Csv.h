#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace opening {

// Rows of a table, the first its header, as a CSV file a spreadsheet opens with the Chinese text
// intact: UTF-8 with a byte-order mark, CRLF line ends, fields quoted where they need it, and a
// field that would start a formula (=, +, @, a minus before anything but a number, a tab or a
// carriage return) led by an apostrophe, so that the spreadsheet shows it as text.
QByteArray csvDocument(const QVector<QStringList>& rows);
// A cell of such a file read back as it was before the apostrophe was put before it.
QString cellAsWritten(const QString& cell);
// The same rows as tab-separated text, as spreadsheets take it from the clipboard.
QString tabText(const QVector<QStringList>& rows);
// Writes the bytes to the file whole, readable by its owner only; false when it could not.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace opening
