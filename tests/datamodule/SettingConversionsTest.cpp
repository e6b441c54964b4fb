#include "SettingConversions.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(SettingConversions, IntegerTakesTheWholeTextOrGivesZero)
{
    EXPECT_EQ(integerSetting("2"), 2);
    EXPECT_EQ(integerSetting("  -3"), -3);
    EXPECT_EQ(integerSetting("+4"), 4);
    EXPECT_EQ(integerSetting("2147483647"), 2147483647);
    for (const char* text : {"", " ", "2.5", "two", "3 ", "0x10", "1e2", "- 1", "2147483648", "-2147483649"})
        EXPECT_EQ(integerSetting(text), 0) << text;
}

TEST(SettingConversions, RateDefaultsOnlyWhenTheTextIsNoNumber)
{
    const QString point = QLocale::system().decimalPoint();
    EXPECT_EQ(rateSetting("0"), 0.0);
    EXPECT_DOUBLE_EQ(rateSetting("0" + point + "08"), 0.08);
    EXPECT_DOUBLE_EQ(rateSetting("8E-2"), 0.08);
    EXPECT_DOUBLE_EQ(rateSetting("-1"), -1.0);
    for (const char* text : {"", "abc", "5%", "inf", "nan", "0.05.1"})
        EXPECT_DOUBLE_EQ(rateSetting(text), 0.05) << text;
}

TEST(SettingConversions, DisplayFormatForZeroToFivePlaces)
{
    EXPECT_EQ(displayFormat(0), "#,##0");
    EXPECT_EQ(displayFormat(1), "#,##0.0");
    EXPECT_EQ(displayFormat(2), "#,##0.00");
    EXPECT_EQ(displayFormat(5), "#,##0.00000");
    EXPECT_FALSE(displayFormat(-1));
    EXPECT_FALSE(displayFormat(6));
}
