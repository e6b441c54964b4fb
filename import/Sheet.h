#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace balanceimport {

// How the text of a .csv or .txt file is read. Automatic: a byte-order mark says, else text that
// is valid UTF-8 is UTF-8, else Big5 (as Excel saves CSV on Chinese Windows); the operator may
// say otherwise where the guess is wrong.
enum class Encoding { Automatic, Utf8, Utf16, Big5 };

// The cells of a spreadsheet's first sheet, row by row, as text.
struct Sheet {
    QVector<QStringList> rows;
    QString encoding;  // what the text was read as ("UTF-8", "UTF-16", "Big5"), or "xlsx"
    QString error;     // why the file could not be read, in the operator's words; empty when it was
    bool read() const { return error.isEmpty(); }
};

// Files larger than this are no balances list: refused before they are read.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// The file as a sheet: an .xlsx workbook's first sheet, or CSV or tab-separated text.
Sheet readSheet(const QString& path, Encoding encoding = Encoding::Automatic);
// The same from the file's bytes; `name` only names it in messages.
Sheet readSheetBytes(const QByteArray& bytes, const QString& name, Encoding encoding = Encoding::Automatic);

// The encoding named on a command line or in a box ("auto", "utf-8", "utf-16", "big5").
bool encodingNamed(const QString& name, Encoding* encoding);

} // namespace balanceimport
