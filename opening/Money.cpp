#include "Money.h"

#include "Rounding.h"
#include "TextNumbers.h"
#include "Value.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace opening {

namespace {

constexpr qint64 kMost = std::numeric_limits<qint64>::max();

// The amount as its decimal of at most 15 significant digits: digits × 10^-scale.
struct Decimal {
    qint64 digits = 0;
    int scale = 0;
};

std::optional<Decimal> decimalOf(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0.0)
        return Decimal{};
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14);
    const std::string_view scientific(text, static_cast<size_t>(written.ptr - text));
    const size_t e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0), written.ptr, exponent);
    qint64 digits = 0;
    int count = 0;
    for (const char c : scientific.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            ++count;
        }
    }
    while (digits != 0 && digits % 10 == 0) {
        digits /= 10;
        --count;
    }
    Decimal decimal{scientific.front() == '-' ? -digits : digits, count - 1 - exponent};
    for (; decimal.scale < 0; ++decimal.scale) {
        if (std::abs(decimal.digits) > kMost / 10)
            return std::nullopt;
        decimal.digits *= 10;
    }
    return decimal;
}

QString grouped(const QString& integerDigits, const QString& separator)
{
    QString text;
    const qsizetype n = integerDigits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            text += separator;
        text += integerDigits.at(i);
    }
    return text;
}

} // namespace

bool Money::isFinite() const
{
    return std::isfinite(amount_);
}

Money Money::stored() const
{
    if (const std::optional<double> same = db::fifteenDigitsAsIs(amount_))
        return Money(*same);
    return Money(db::parseDouble(db::formatDouble(amount_)).value_or(amount_));
}

Money Money::rounded(int places) const
{
    return Money(roundAmount(amount_, places));
}

QString Money::plainText() const
{
    return db::formatDouble(amount_);
}

MoneySum::MoneySum(Money amount) : approximate_(amount.amount())
{
    if (const std::optional<Decimal> decimal = decimalOf(amount.amount())) {
        units_ = decimal->digits;
        scale_ = decimal->scale;
    } else {
        exact_ = false;
    }
}

bool MoneySum::rescale(int scale)
{
    for (; scale_ < scale; ++scale_) {
        if (std::abs(units_) > kMost / 10)
            return false;
        units_ *= 10;
    }
    return true;
}

MoneySum& MoneySum::operator+=(const MoneySum& other)
{
    approximate_ += other.approximate_;
    if (!exact_ || !other.exact_) {
        exact_ = false;
        return *this;
    }
    MoneySum term = other;
    const int scale = std::max(scale_, term.scale_);
    exact_ = rescale(scale) && term.rescale(scale) &&
             !((term.units_ > 0 && units_ > kMost - term.units_) || (term.units_ < 0 && units_ < -kMost - term.units_));
    if (exact_)
        units_ += term.units_;
    return *this;
}

MoneySum& MoneySum::operator-=(const MoneySum& other)
{
    MoneySum negated = other;
    negated.units_ = -negated.units_;
    negated.approximate_ = -negated.approximate_;
    return *this += negated;
}

bool MoneySum::isZero() const
{
    return exact_ ? units_ == 0 : approximate_ == 0.0;
}

bool MoneySum::isNegative() const
{
    return exact_ ? units_ < 0 : approximate_ < 0.0;
}

Money MoneySum::value() const
{
    if (!exact_)
        return Money(approximate_);
    return Money(db::parseDouble(plainText()).value_or(approximate_));
}

QString MoneySum::text(int minimumPlaces) const
{
    const QLocale locale = QLocale::system();
    if (!exact_) {
        // Far beyond any amount of money: its digits would fill the screen, its exponent does not.
        if (!(std::fabs(approximate_) < 1e18))
            return Money(approximate_).plainText();
        QLocale grouping = locale;
        grouping.setNumberOptions(QLocale::DefaultNumberOptions);
        return grouping.toString(approximate_, 'f', minimumPlaces);
    }
    QString digits = QString::number(std::abs(units_)).rightJustified(scale_ + 1, u'0');
    QString fraction = digits.right(scale_);
    const QString integer = digits.left(digits.size() - scale_);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    fraction = fraction.leftJustified(std::max<qsizetype>(minimumPlaces, fraction.size()), u'0');
    QString text = (units_ < 0 ? QString(locale.negativeSign()) : QString()) + grouped(integer, locale.groupSeparator());
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

QString MoneySum::plainText() const
{
    if (!exact_)
        return Money(approximate_).plainText();
    QString shown = text(0);
    return shown.remove(QLocale::system().groupSeparator());
}

Balance readBalance(const QVariant& cell)
{
    double amount = 0.0;
    if (cell.typeId() == QMetaType::Double) {
        amount = cell.toDouble();
    } else {
        const QString text = db::valueToText(cell);
        if (text.trimmed().isEmpty())
            return {BalanceReading::Empty, Money()};
        const std::optional<double> parsed = db::parseDouble(text);
        if (!parsed)
            return {BalanceReading::NotANumber, Money()};
        amount = *parsed;
    }
    if (!std::isfinite(amount))
        return {BalanceReading::NotANumber, Money()};
    const Money held(amount);
    const double stored = held.stored().amount();
    if (stored > 0)
        return {BalanceReading::Positive, held};
    return {stored < 0 ? BalanceReading::Negative : BalanceReading::Zero, held};
}

} // namespace opening
