#include "TextSheet.h"
#include "Text.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace balanceimport {

namespace {

QString decodeWith(QStringDecoder decoder, QByteArrayView bytes, bool* failed)
{
    const QString text = decoder(bytes);
    *failed = decoder.hasError();
    return text;
}

// The separator of the file: the candidate that splits the first lines most alike.
QChar separatorOf(const QString& text)
{
    constexpr std::array<QChar, 3> candidates{u',', u';', u'\t'};
    std::array<QVector<int>, 3> counts;
    bool quoted = false;
    std::array<int, 3> current{};
    int lines = 0;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == u'\n') {
            for (size_t i = 0; i < candidates.size(); ++i)
                counts[i] << std::exchange(current[i], 0);
            if (++lines == 20)
                break;
            continue;
        }
        for (size_t i = 0; i < candidates.size(); ++i)
            current[i] += c == candidates[i] ? 1 : 0;
    }
    for (size_t i = 0; i < candidates.size(); ++i)
        counts[i] << current[i];
    size_t best = 0;
    int bestScore = -1;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const QVector<int>& perLine = counts[i];
        if (perLine.isEmpty() || perLine.first() == 0)
            continue;
        // Lines that split into as many fields as the first one does.
        const int score = static_cast<int>(std::count(perLine.begin(), perLine.end(), perLine.first()));
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return candidates[best];
}

} // namespace

DecodedText decodeText(const QByteArray& bytes, Encoding encoding)
{
    QByteArrayView view(bytes);
    bool failed = false;
    DecodedText decoded;
    if (view.startsWith("\xEF\xBB\xBF")) {
        decoded = {decodeWith(QStringDecoder(QStringDecoder::Utf8), view.sliced(3), &failed), QStringLiteral("UTF-8"), {}};
    } else if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF") || encoding == Encoding::Utf16) {
        const bool big = view.startsWith("\xFE\xFF");
        const bool marked = big || view.startsWith("\xFF\xFE");
        decoded = {decodeWith(QStringDecoder(big ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE),
                              marked ? view.sliced(2) : view, &failed),
                   QStringLiteral("UTF-16"), {}};
    } else if (encoding == Encoding::Big5) {
        decoded = {decodeWith(QStringDecoder("CP950"), view, &failed), QStringLiteral("Big5"), {}};
    } else {
        decoded = {decodeWith(QStringDecoder(QStringDecoder::Utf8), view, &failed), QStringLiteral("UTF-8"), {}};
        // Not UTF-8: the code page Excel writes CSV in on Chinese Windows.
        if (failed && encoding == Encoding::Automatic)
            decoded = {decodeWith(QStringDecoder("CP950"), view, &failed), QStringLiteral("Big5"), {}};
    }
    if (failed || decoded.text.contains(QChar(u'\0')))
        decoded.error = Text::tr("無法以 %1 讀成文字：不是試算表，或編碼不同").arg(decoded.encoding);
    return decoded;
}

QVector<QStringList> parseDelimited(const QString& text)
{
    const QChar separator = separatorOf(text);
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool rowHasContent = false;
    const qsizetype n = text.size();
    const auto endField = [&] {
        row << field;
        field.clear();
    };
    const auto endRow = [&] {
        endField();
        rows << row;
        row.clear();
        rowHasContent = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < n && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
            rowHasContent = true;
        } else if (c == separator) {
            endField();
            rowHasContent = true;
        } else if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
            continue;
        } else if (c == u'\n' || c == u'\r') {
            endRow();
        } else {
            field += c;
            rowHasContent = true;
        }
    }
    if (rowHasContent || !field.isEmpty())
        endRow();
    return rows;
}

} // namespace balanceimport
