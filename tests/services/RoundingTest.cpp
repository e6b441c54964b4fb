#include "FrmSimpleDataMod.h"
#include "Rounding.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

TEST(Rounding, NudgedHalvesAwayFromZeroAtZeroToFourPlaces)
{
    EXPECT_DOUBLE_EQ(roundAmount(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(roundAmount(1.005, 2), 1.01);
    EXPECT_DOUBLE_EQ(roundAmount(-1.005, 2), -1);
    EXPECT_DOUBLE_EQ(roundAmount(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(roundAmount(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(roundAmount(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(roundAmount(-0.125, 2), -0.12);
    EXPECT_DOUBLE_EQ(roundAmount(12.344989, 2), 12.34);
    EXPECT_DOUBLE_EQ(roundAmount(1.234441, 4), 1.2345);
    EXPECT_DOUBLE_EQ(roundAmount(0.00004, 4), 0.0001);
    EXPECT_DOUBLE_EQ(roundAmount(0.000039, 4), 0);
    EXPECT_DOUBLE_EQ(roundAmount(100 / 1.05, 0), 95);
    EXPECT_DOUBLE_EQ(roundAmount(7, 1), 7);
    // A carry through every digit, and a value with many integer digits.
    EXPECT_DOUBLE_EQ(roundAmount(9.9996, 3), 10);
    EXPECT_DOUBLE_EQ(roundAmount(-99.995, 2), -99.99);
    EXPECT_DOUBLE_EQ(roundAmount(123456789012.345, 2), 123456789012.35);
    // The result is the double nearest to the rounded decimal.
    EXPECT_EQ(roundAmount(0.285, 2), 0.29);
}

TEST(Rounding, ZeroHasNoSignAndNonNumbersGiveZero)
{
    EXPECT_FALSE(std::signbit(roundAmount(-0.001, 2)));
    EXPECT_FALSE(std::signbit(roundAmount(-0.00001, 0)));
    EXPECT_EQ(roundAmount(std::numeric_limits<double>::quiet_NaN(), 2), 0);
    EXPECT_EQ(roundAmount(std::numeric_limits<double>::infinity(), 2), 0);
}

TEST(Rounding, PlacesOutsideZeroToFour)
{
    // Negative places round as 0 places.
    EXPECT_DOUBLE_EQ(roundAmount(2.5, -1), 3);
    EXPECT_DOUBLE_EQ(roundAmount(1234.4, -3), 1234);
    // From 5 places on the nudge is a tenth of a unit of the last place.
    EXPECT_DOUBLE_EQ(roundAmount(1.234564, 5), 1.23456);
    EXPECT_DOUBLE_EQ(roundAmount(1.234565, 5), 1.23457);
    EXPECT_DOUBLE_EQ(roundAmount(0.00000041, 6), 0.000001);
    EXPECT_DOUBLE_EQ(roundAmount(0.00000039, 6), 0);
    // Places beyond the value's 18 significant digits leave it as it is.
    EXPECT_EQ(roundAmount(1.0 / 3, 17), 1.0 / 3);
    EXPECT_EQ(roundAmount(0.1, 400), 0.1);
}

TEST(Rounding, RoundPriceTakesThePlacesFromThePriceSetting)
{
    TSimpleDataMod module(QStringLiteral("."));
    module.settings.price_dot = 2;
    EXPECT_DOUBLE_EQ(module.RoundPrice(2.675), 2.68);
    module.settings.price_dot = 0;
    EXPECT_DOUBLE_EQ(module.RoundPrice(2.675), 3);
    EXPECT_DOUBLE_EQ(module.RoundNum(-0.125, 2), -0.12);
}
