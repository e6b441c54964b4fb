#pragma once

#include <QString>
#include <QVariant>

namespace opening {

// An amount of money as the books hold it: a double-precision number, as the suite's amount
// columns store it. It knows how a bill's floating-point column stores it (its 15 significant
// digits), how the suite rounds it (RoundNum) and how the operator reads it.
class Money {
public:
    constexpr Money() = default;
    constexpr explicit Money(double amount) : amount_(amount) {}

    constexpr double amount() const { return amount_; }
    bool isFinite() const;
    // The amount a floating-point column of a bill receives: the number its general decimal
    // text of at most 15 significant digits gives.
    Money stored() const;
    // Nudged by 0.00001 and rounded to `places` decimals, halves away from zero.
    Money rounded(int places) const;

    // For the operator: thousands separators, at least `minimumPlaces` decimals and every
    // further decimal of its 15 significant digits ("6,234.5", "1,297.00").
    QString text(int minimumPlaces = 0) const;
    // For files and the command line: no separators, up to 15 significant digits ("6234.5").
    QString plainText() const;

    constexpr Money operator+(Money other) const { return Money(amount_ + other.amount_); }
    constexpr Money operator-(Money other) const { return Money(amount_ - other.amount_); }
    constexpr Money operator*(double factor) const { return Money(amount_ * factor); }
    constexpr Money operator/(double divisor) const { return Money(amount_ / divisor); }
    constexpr Money& operator+=(Money other)
    {
        amount_ += other.amount_;
        return *this;
    }
    constexpr bool operator==(const Money&) const = default;
    constexpr auto operator<=>(const Money&) const = default;

private:
    double amount_ = 0.0;
};

// An exact sum of amounts as the operator reads them (each by its 15 significant digits), so
// that the figures on a report add up to the total beside them: summed in binary floating
// point, 10,000 balances of 1,234.56 would not. A sum beyond 18 digits is kept in double
// precision instead.
class MoneySum {
public:
    MoneySum() = default;
    MoneySum(Money amount);  // NOLINT(google-explicit-constructor): an amount is a sum of one

    MoneySum& operator+=(const MoneySum& other);
    MoneySum& operator-=(const MoneySum& other);
    MoneySum operator+(const MoneySum& other) const { return MoneySum(*this) += other; }
    MoneySum operator-(const MoneySum& other) const { return MoneySum(*this) -= other; }
    bool operator==(const MoneySum& other) const { return (*this - other).isZero(); }

    bool isZero() const;
    bool isNegative() const;
    Money value() const;
    // As Money::text and Money::plainText, with every decimal of the exact sum.
    QString text(int minimumPlaces = 0) const;
    QString plainText() const;

private:
    bool rescale(int scale);

    qint64 units_ = 0;  // the sum in units of 10^-scale_
    int scale_ = 0;
    bool exact_ = true;
    double approximate_ = 0.0;
};

inline QString Money::text(int minimumPlaces) const
{
    return MoneySum(*this).text(minimumPlaces);
}

// How a balance cell of the supplier list reads. Only a positive balance is posted; the other
// readings say why a document was not written.
enum class BalanceReading { Positive, Empty, Zero, Negative, NotANumber };

struct Balance {
    BalanceReading reading = BalanceReading::Empty;
    Money amount;  // the number the cell holds (a text cell as read); 0 unless it reads as one
};

// The cell as a number: empty (or null) and text that is no finite number count as 0 and
// produce nothing. The sign is that of the stored amount.
Balance readBalance(const QVariant& cell);

} // namespace opening
