#include "framework/CLSettingsValues.h"

#include <gtest/gtest.h>

namespace tallow {
namespace {

TEST(SettingInteger, DecimalReadsWithLeadingBlanksSignsAndFullRange) {
    EXPECT_EQ(ParseSettingInteger("42"), 42);
    EXPECT_EQ(ParseSettingInteger("  -17"), -17);
    EXPECT_EQ(ParseSettingInteger("+5"), 5);
    EXPECT_EQ(ParseSettingInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseSettingInteger("-2147483648"), -2147483647 - 1);
}

TEST(SettingInteger, HexadecimalAfterDollarOrZeroX) {
    EXPECT_EQ(ParseSettingInteger("$1F"), 31);
    EXPECT_EQ(ParseSettingInteger("0x1f"), 31);
    EXPECT_EQ(ParseSettingInteger("0X1F"), 31);
    EXPECT_EQ(ParseSettingInteger(" -$10"), -16);
    EXPECT_EQ(ParseSettingInteger("$FFFFFFFF"), -1);
}

TEST(SettingInteger, AnythingElseIsNoInteger) {
    for (const char* text : {"", "abc", "true", "12abc", "1.5", "$", "0x", "--1", "+-1", "$-1", "12 ", "2147483648",
                             "-2147483649", "$100000000", "99999999999999999999999"}) {
        EXPECT_EQ(ParseSettingInteger(text), std::nullopt) << text;
    }
}

TEST(SettingFloat, FormatsWithFifteenDigitsAndTheLocaleSeparator) {
    EXPECT_EQ(FormatSettingFloat(46000.25, '.'), "46000.25");
    EXPECT_EQ(FormatSettingFloat(46000.25, ','), "46000,25");
    EXPECT_EQ(FormatSettingFloat(0.1, '.'), "0.1");
    EXPECT_EQ(FormatSettingFloat(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(FormatSettingFloat(3, ','), "3");
}

TEST(SettingFloat, ReadsOnlyTheLocaleSeparator) {
    EXPECT_EQ(ParseSettingFloat("1,5", ','), 1.5);
    EXPECT_EQ(ParseSettingFloat(" -2.25", '.'), -2.25);
    EXPECT_EQ(ParseSettingFloat("1e3", '.'), 1000.0);
    EXPECT_EQ(ParseSettingFloat("1.5", ','), std::nullopt);
    EXPECT_EQ(ParseSettingFloat("1,5", '.'), std::nullopt);
    for (const char* text : {"", "abc", "inf", "nan", "1.5x", "0x10", "+-1"}) {
        EXPECT_EQ(ParseSettingFloat(text, '.'), std::nullopt) << text;
    }
    const double day = 46000.123456789;
    EXPECT_DOUBLE_EQ(*ParseSettingFloat(FormatSettingFloat(day, ','), ','), day);
}

}  // namespace
}  // namespace tallow
