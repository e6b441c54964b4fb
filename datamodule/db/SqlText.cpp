#include "SqlText.h"

#include <QRegularExpression>

namespace db {

namespace {
bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}
bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Where the body of an EXECUTE BLOCK begins: after its list of input parameters, or at once
// when it has none; -1 for any other statement. Inside the body ":NAME" names a variable of
// the block, not a value the client sends.
qsizetype blockBodyStart(const QString& text)
{
    static const QRegularExpression block(QStringLiteral("^\\s*EXECUTE\\s+BLOCK\\s*"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = block.match(text);
    if (!match.hasMatch())
        return -1;
    const qsizetype from = match.capturedEnd();
    return from < text.size() && text.at(from) == u'(' ? text.size() : from;
}
} // namespace

ParsedSql parseSql(const QString& text)
{
    ParsedSql parsed;
    parsed.positional.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    // In a block the markers end with its parameter list, the parenthesis that closes it.
    qsizetype body = blockBodyStart(text);
    int depth = 0;
    auto copyUntil = [&](qsizetype end) {
        parsed.positional += QStringView(text).mid(i, end - i);
        i = end;
    };
    while (i < n) {
        if (i >= body && body >= 0) {
            copyUntil(n);
            break;
        }
        const QChar c = text.at(i);
        if (body >= 0 && (c == u'(' || c == u')')) {
            depth += c == u'(' ? 1 : -1;
            parsed.positional += c;
            ++i;
            if (depth == 0)
                body = i;
        } else if (c == u'\'' || c == u'"') {
            // A doubled quote inside a literal continues it.
            qsizetype end = i + 1;
            while (end < n) {
                if (text.at(end) == c) {
                    if (end + 1 < n && text.at(end + 1) == c) {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
            copyUntil(end);
        } else if (c == u'-' && i + 1 < n && text.at(i + 1) == u'-') {
            const qsizetype eol = text.indexOf(u'\n', i);
            copyUntil(eol < 0 ? n : eol);
        } else if (c == u'/' && i + 1 < n && text.at(i + 1) == u'*') {
            const qsizetype close = text.indexOf(QStringLiteral("*/"), i + 2);
            copyUntil(close < 0 ? n : close + 2);
        } else if (c == u':' && i + 1 < n && isNameStart(text.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && isNamePart(text.at(end)))
                ++end;
            const QString name = text.mid(i + 1, end - i - 1);
            int index = -1;
            for (int k = 0; k < parsed.names.size(); ++k)
                if (parsed.names.at(k).compare(name, Qt::CaseInsensitive) == 0)
                    index = k;
            if (index < 0) {
                index = static_cast<int>(parsed.names.size());
                parsed.names << name;
            }
            parsed.markerNames.push_back(index);
            parsed.positional += u'?';
            i = end;
        } else {
            parsed.positional += c;
            ++i;
        }
    }
    return parsed;
}

QString escapeQuotes(const QString& value)
{
    QString escaped = value;
    return escaped.replace(u'\'', QStringLiteral("''"));
}

bool isIdentifier(const QString& text)
{
    if (text.isEmpty() || text.size() > 63 || !(text.at(0).isLetter() && text.at(0).unicode() < 128))
        return false;
    for (QChar c : text)
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == u'_' || c == u'$'))
            return false;
    return true;
}

} // namespace db
