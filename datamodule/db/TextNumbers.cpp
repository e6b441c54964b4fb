#include "TextNumbers.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace db {

namespace {
QLocale numberLocale()
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}
} // namespace

std::optional<qint64> parseInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    QStringView rest = QStringView(text).mid(i);
    if (rest.isEmpty())
        return std::nullopt;
    qsizetype digitsFrom = (rest.front() == u'+' || rest.front() == u'-') ? 1 : 0;
    if (digitsFrom == rest.size())
        return std::nullopt;
    for (qsizetype k = digitsFrom; k < rest.size(); ++k)
        if (rest.at(k) < u'0' || rest.at(k) > u'9')
            return std::nullopt;
    bool ok = false;
    const qint64 value = rest.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<double> parseDouble(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = numberLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatDouble(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return numberLocale().toString(value, 'g', 15);
}

std::optional<double> fifteenDigitsAsIs(double value)
{
    // From 10^15 on, a tie between two 15-digit texts is possible and the text decides.
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return std::nullopt;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    double back = 0.0;
    if (written.ec != std::errc() || std::from_chars(text, written.ptr, back).ec != std::errc() || back != value)
        return std::nullopt;
    return value == 0.0 ? 0.0 : value;  // "0" has no sign
}

} // namespace db
