#include "text/number.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace keld {
namespace {

struct FormatCase {
    double value;
    const char* text;
};

inline std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
    return os << c.value;
}

class FormatInputValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatInputValueTest, ShowsFourSignificantDigits) {
    EXPECT_EQ(FormatInputValue(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatInputValueTest,
    ::testing::Values(FormatCase{0, "0"}, FormatCase{0.5678, "0.568"}, FormatCase{0.01234, "0.012"},
                      FormatCase{0.0004321, "0.000"}, FormatCase{0.99996, "1.000"},
                      FormatCase{9.99996, "10.0000"}, FormatCase{999.996, "1000.00"},
                      FormatCase{-5, "-5.0000"}, FormatCase{12345.678, "12345.7"},
                      // the unit switch's conversions, both directions
                      FormatCase{100 * 5.678, "567.80"}, FormatCase{(150 - 32) / 1.8, "65.556"},
                      FormatCase{20 * 0.2931, "5.8620"}, FormatCase{30 * 0.3048, "9.1440"},
                      FormatCase{(0 - 32) / 1.8, "-17.778"}, FormatCase{567.80 * 0.17612, "100.00"},
                      FormatCase{29.31 * 3.4123, "100.01"}, FormatCase{0 * 1.8 + 32, "32.000"},
                      // the dialog's and the fluid selection's values
                      FormatCase{75 * 5.678263, "425.87"}, FormatCase{200.004, "200.00"},
                      FormatCase{-0.0004, "-0.000"}, FormatCase{-1e-320, "-0.000"}));

TEST(FormatInputValue, HugeValuesKeepAllIntegerDigits) {
    const std::string text = FormatInputValue(1e20);
    EXPECT_EQ(text, "100000000000000000000.0");
}

TEST(FormatInputValue, NotFiniteShowsZero) {
    EXPECT_EQ(FormatInputValue(INFINITY), "0");
    EXPECT_EQ(FormatInputValue(NAN), "0");
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalForm) {
    EXPECT_EQ(formatFixed(2.675, 2), "2.68");
    EXPECT_EQ(formatFixed(-2.675, 2), "-2.68");
    EXPECT_EQ(formatFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatFixed(0.5, 0), "1");
    EXPECT_EQ(formatFixed(1234567.0, 0, true), "1,234,567");
    EXPECT_EQ(formatFixed(999.5, 0, true), "1,000");
    EXPECT_EQ(formatFixed(0.0004, 3), "0.000");
}

TEST(FormatPlainDecimal, NoTrailingZerosNoExponent) {
    EXPECT_EQ(formatPlainDecimal(110), "110");
    EXPECT_EQ(formatPlainDecimal(142.5), "142.5");
    EXPECT_EQ(formatPlainDecimal((624.58 + 993.65) / 2), "809.115");
    EXPECT_EQ(formatPlainDecimal(125000), "125000");
    EXPECT_EQ(formatPlainDecimal(0.00012), "0.00012");
    EXPECT_EQ(formatPlainDecimal(-7.5), "-7.5");
}

struct ReadCase {
    const char* text;
    std::optional<double> value;
};

inline std::ostream& operator<<(std::ostream& os, const ReadCase& c) {
    return os << "\"" << c.text << "\"";
}

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, ReadsTheLeadingNumber) {
    const auto got = readNumber(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().value.has_value()) << GetParam().text;
    if (got) {
        EXPECT_EQ(*got, *GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    ::testing::Values(ReadCase{"", 0.0}, ReadCase{"abc", 0.0}, ReadCase{"  ", 0.0},
                      ReadCase{"12", 12.0}, ReadCase{"1 2", 12.0}, ReadCase{"\t4\n2", 42.0},
                      ReadCase{"3.5abc", 3.5}, ReadCase{"-.5", -0.5}, ReadCase{"+7", 7.0},
                      ReadCase{"--5", 0.0}, ReadCase{"1e3", 1000.0}, ReadCase{"1E-2", 0.01},
                      ReadCase{"2e", 2.0}, ReadCase{"2e+", 2.0}, ReadCase{"1.2.3", 1.2},
                      ReadCase{".", 0.0}, ReadCase{"1,5", 1.0}, ReadCase{"$5", 0.0},
                      ReadCase{"&H1F", 31.0}, ReadCase{"&hff", 255.0}, ReadCase{"&HFFFF", -1.0},
                      ReadCase{"&H8000", -32768.0}, ReadCase{"&H10000", 65536.0},
                      ReadCase{"&HFFFFFFFF", -1.0}, ReadCase{"&H1FFFFFFFF", std::nullopt},
                      ReadCase{"&O17", 15.0}, ReadCase{"&H", 0.0}, ReadCase{"NaN", 0.0},
                      ReadCase{"inf", 0.0}, ReadCase{"-0", 0.0}, ReadCase{"1e-400", 0.0},
                      ReadCase{"1e400", std::nullopt}, ReadCase{"-1e400", std::nullopt},
                      ReadCase{"0.000000000000000000001e330", std::nullopt},
                      ReadCase{"1e99999999999999999999999", std::nullopt},
                      ReadCase{"1e-99999999999999999999999", 0.0}));

TEST(ReadNumber, FourHundredDigitsAreTooLarge) {
    EXPECT_FALSE(readNumber(std::string(400, '9')).has_value());
    EXPECT_EQ(readNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(RoundHalfEven, RowsRounding) {
    EXPECT_EQ(roundHalfEvenToInt32(2.5), 2);
    EXPECT_EQ(roundHalfEvenToInt32(3.5), 4);
    EXPECT_EQ(roundHalfEvenToInt32(10.5), 10);
    EXPECT_EQ(roundHalfEvenToInt32(10.51), 11);
    EXPECT_EQ(roundHalfEvenToInt32(-2.5), -2);
    EXPECT_FALSE(roundHalfEvenToInt32(1e20).has_value());
    EXPECT_FALSE(roundHalfEvenToInt32(2147483647.5).has_value());
    EXPECT_EQ(roundHalfEvenToInt32(2147483647.4), 2147483647);
}

} // namespace
} // namespace keld
