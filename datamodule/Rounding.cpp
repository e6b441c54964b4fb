#include "FrmSimpleDataMod.h"
#include "Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kSignificantDigits = 18;

// The nudge that tips a value lying just below a half over it.
double nudgeFor(int places)
{
    return places <= 4 ? 0.00001 : std::pow(10.0, -static_cast<double>(places) - 1.0);
}

// Adds one unit to a string of decimal digits; returns false when the carry runs off the front.
bool incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

} // namespace

double roundAmount(double value, int places)
{
    places = std::max(places, 0);
    const double nudged = value + nudgeFor(places);
    if (!std::isfinite(nudged))
        return 0.0;

    // "d.ddddddddddddddddde+XX": the 18 significant digits and the decimal exponent.
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%.*e", kSignificantDigits - 1, nudged);
    const bool negative = text[0] == '-';
    const char* mantissa = text.data() + (negative ? 1 : 0);
    std::string digits;
    digits.push_back(mantissa[0]);
    digits.append(mantissa + 2, kSignificantDigits - 1);
    const int exponent = std::atoi(mantissa + 2 + (kSignificantDigits - 1) + 1);

    // Digits kept: the integer digits and the decimal places.
    const long long keep = static_cast<long long>(exponent) + 1 + places;
    if (keep >= kSignificantDigits)
        return nudged == 0.0 ? 0.0 : nudged;
    if (keep < 0)
        return 0.0;
    const bool roundUp = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (roundUp && !incrementDigits(digits))
        digits.insert(digits.begin(), '1');
    if (digits.find_first_not_of('0') == std::string::npos)
        return 0.0;

    const std::string decimal = (negative ? "-" : "") + digits + "e-" + std::to_string(places);
    return std::strtod(decimal.c_str(), nullptr);
}

double TSimpleDataMod::RoundNum(double _fv, int _iDot)
{
    return roundAmount(_fv, _iDot);
}

double TSimpleDataMod::RoundPrice(double _fv)
{
    return roundAmount(_fv, settings.price_dot);
}
