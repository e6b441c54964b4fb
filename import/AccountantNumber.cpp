#include "AccountantNumber.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace balanceimport {

namespace {

// Digits grouped by thousands with one kind of separator, or not grouped at all, and an optional
// fraction after the other kind.
bool groupedDigits(const QString& digits, QChar group)
{
    const QStringList parts = digits.split(group);
    if (parts.first().isEmpty() || (parts.first().size() > 3 && parts.size() > 1))
        return false;
    for (qsizetype i = 1; i < parts.size(); ++i)
        if (parts.at(i).size() != 3)
            return false;
    return true;
}

} // namespace

std::optional<double> accountantNumber(const QString& typed)
{
    // Full-width digits, signs and parentheses become their ASCII forms.
    QString text = typed.normalized(QString::NormalizationForm_KC).trimmed();
    text.replace(QChar(0x2212), u'-');  // the minus sign of word processors
    bool negative = false;
    if (text.startsWith(u'(') && text.endsWith(u')')) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    if (text.startsWith(u'-') || text.endsWith(u'-')) {
        if (negative || (text.startsWith(u'-') && text.endsWith(u'-')))
            return std::nullopt;
        negative = true;
        text = text.startsWith(u'-') ? text.mid(1) : text.chopped(1);
    } else if (text.startsWith(u'+')) {
        text = text.mid(1);
    }
    text = text.trimmed();
    static const QRegularExpression shape(QStringLiteral("^[0-9][0-9.,]*([eE][+-]?[0-9]+)?$"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;

    QString exponent;
    if (const qsizetype e = text.indexOf(u'e', 0, Qt::CaseInsensitive); e >= 0) {
        exponent = text.mid(e);
        text = text.left(e);
    }
    // The decimal separator: the later of the two where both stand, a lone point, or a lone comma
    // that is not followed by a group of three digits. Any other separator groups thousands.
    const qsizetype points = text.count(u'.');
    const qsizetype commas = text.count(u',');
    QChar decimal;
    if (points > 0 && commas > 0)
        decimal = text.lastIndexOf(u'.') > text.lastIndexOf(u',') ? u'.' : u',';
    else if (points == 1)
        decimal = u'.';
    else if (commas == 1 && text.size() - text.indexOf(u',') - 1 != 3)
        decimal = u',';
    QString integer = text;
    QString fraction;
    if (!decimal.isNull()) {
        if (text.count(decimal) != 1)
            return std::nullopt;
        integer = text.left(text.indexOf(decimal));
        fraction = text.mid(text.indexOf(decimal) + 1);
        if (fraction.contains(u'.') || fraction.contains(u','))
            return std::nullopt;
    }
    const QChar group = integer.contains(u',') ? u',' : u'.';
    if (integer.contains(group)) {
        if (!groupedDigits(integer, group))
            return std::nullopt;
        integer.remove(group);
    }
    const QByteArray number = (integer + (fraction.isEmpty() ? QString() : u'.' + fraction) + exponent).toLatin1();
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.constData(), number.constData() + number.size(), value);
    if (error != std::errc() || end != number.constData() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace balanceimport
