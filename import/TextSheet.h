#pragma once

#include "Sheet.h"

namespace balanceimport {

// The text of the bytes in the encoding asked for or found; an error when it reads as no text.
struct DecodedText {
    QString text;
    QString encoding;
    QString error;
};
DecodedText decodeText(const QByteArray& bytes, Encoding encoding);

// CSV or tab-separated text as Excel and others write it: the separator (comma, semicolon or
// tab) found from the first lines, fields in double quotes (with doubled quotes and line breaks
// inside), CRLF or LF line ends.
QVector<QStringList> parseDelimited(const QString& text);

} // namespace balanceimport
