#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace db {

// How text travels on a connection: in the character set it was attached with ("servercharset":
// UTF8, NONE, BIG_5, WIN1252, ISO8859_1, …), both the statement texts sent and the texts read.
// With NONE the server converts nothing, so the workstation's own code page is used.
class TextCodec {
public:
    // Throws DbError for a character set this system cannot convert.
    explicit TextCodec(const QString& firebirdCharset = QStringLiteral("UTF8"));

    QByteArray encode(const QString& text) const;
    QString decode(const char* bytes, qsizetype length) const;
    QString decode(const QByteArray& bytes) const { return decode(bytes.constData(), bytes.size()); }
    // Texts travel as UTF-8: decoding is QString::fromUtf8.
    bool isUtf8() const { return utf8_; }

private:
    bool utf8_ = true;
    mutable QStringEncoder encoder_;
    mutable QStringDecoder decoder_;
};

} // namespace db
