#include "TextCodec.h"

#include "DbError.h"

#include <QHash>
#include <QRegularExpression>

namespace db {

namespace {

// The name a converter knows for a Firebird character set; empty for NONE.
QByteArray converterName(const QString& firebirdCharset)
{
    const QString name = firebirdCharset.trimmed().toUpper();
    static const QHash<QString, QByteArray> named{
        {QStringLiteral("UTF8"), "UTF-8"},          {QStringLiteral("UNICODE_FSS"), "UTF-8"},
        {QStringLiteral("ASCII"), "US-ASCII"},      {QStringLiteral("BIG_5"), "Big5"},
        {QStringLiteral("WIN950"), "windows-950"},  {QStringLiteral("GB_2312"), "GB2312"},
        {QStringLiteral("GBK"), "GBK"},             {QStringLiteral("GB18030"), "GB18030"},
        {QStringLiteral("SJIS_0208"), "Shift_JIS"}, {QStringLiteral("EUCJ_0208"), "EUC-JP"},
        {QStringLiteral("KSC_5601"), "EUC-KR"},     {QStringLiteral("KOI8R"), "KOI8-R"},
        {QStringLiteral("KOI8U"), "KOI8-U"},        {QStringLiteral("NONE"), ""},
    };
    if (const auto found = named.constFind(name); found != named.cend())
        return *found;
    // The numbered families: WIN1250…WIN1258, ISO8859_1…ISO8859_15, DOS437, DOS850, …
    static const QRegularExpression family(QStringLiteral("^(WIN|ISO8859_|DOS)(\\d+)$"));
    if (const QRegularExpressionMatch match = family.match(name); match.hasMatch()) {
        const QString prefix = match.captured(1) == u"WIN"        ? QStringLiteral("windows-")
                               : match.captured(1) == u"ISO8859_" ? QStringLiteral("ISO-8859-")
                                                                  : QStringLiteral("IBM");
        return (prefix + match.captured(2)).toLatin1();
    }
    return QByteArray("?") + name.toLatin1();  // no converter has such a name
}

} // namespace

TextCodec::TextCodec(const QString& firebirdCharset)
{
    const QByteArray name = converterName(firebirdCharset.isEmpty() ? QStringLiteral("NONE") : firebirdCharset);
    utf8_ = name == "UTF-8";
    if (utf8_)
        return;
    encoder_ = name.isEmpty() ? QStringEncoder(QStringConverter::System) : QStringEncoder(name.constData());
    decoder_ = name.isEmpty() ? QStringDecoder(QStringConverter::System) : QStringDecoder(name.constData());
    if (!encoder_.isValid() || !decoder_.isValid())
        throw ConfigError(QStringLiteral("無法處理連線字元集 %1（servercharset）。").arg(firebirdCharset));
}

QByteArray TextCodec::encode(const QString& text) const
{
    if (utf8_)
        return text.toUtf8();
    encoder_.resetState();
    return encoder_.encode(text);
}

QString TextCodec::decode(const char* bytes, qsizetype length) const
{
    if (utf8_)
        return QString::fromUtf8(bytes, length);
    decoder_.resetState();
    return decoder_.decode(QByteArrayView(bytes, length));
}

} // namespace db
