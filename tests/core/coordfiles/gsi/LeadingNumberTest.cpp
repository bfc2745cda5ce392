// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LeadingNumber.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST(LeadingNumber, takesTheDecimalGrammarAndStopsAtTheFirstOtherCharacter)
{
    const struct
    {
        const char *text;
        double value;
    } cases[] = {
        {"1234.567", 1234.567},
        {"  \t-12.5xyz", -12.5},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"1.5e2", 150},
        {"2E-3m", 0.002},
        {"1e", 1},
        {"1e+", 1},
        {"3e+2.5", 300},
        {"1,5", 1},
        {"-0012", -12},
        {"", 0},
        {".", 0},
        {"-", 0},
        {"+-1", 0},
        {"abc", 0},
        {"12 34", 12},
        {"0000000001234567", 1234567},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QByteArrayView(c.text)), c.value) << c.text;
}

TEST(LeadingNumber, knowsNoInfinityNanOrHexadecimal)
{
    for (const char *text : {"inf", "-infinity", "nan", "NAN(1)", "0x1A", "0x1p3"})
        EXPECT_EQ(leadingNumber(QByteArrayView(text)), 0.0) << text;
    // "0x1A" is the number 0 followed by other characters, as the grammar says.
    EXPECT_EQ(leadingNumber(QByteArrayView("12x3")), 12.0);
}

TEST(LeadingNumber, hugeExponentsSaturateAndTinyOnesGiveZero)
{
    EXPECT_TRUE(std::isinf(leadingNumber(QByteArrayView("1e999"))));
    EXPECT_LT(leadingNumber(QByteArrayView("-1e999")), 0);
    EXPECT_EQ(leadingNumber(QByteArrayView("1e-999")), 0.0);
}

TEST(LeadingNumber, longDigitRunsAreConvertedCorrectly)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QByteArrayView("12345678901234567890")), 1.2345678901234567e19);
    EXPECT_DOUBLE_EQ(leadingNumber(QByteArrayView("0.1000000000000000055511151231257827")), 0.1);
}

TEST(LeadingNumber, textOverloadStopsAtTheFirstNonAsciiCharacter)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringView(u"  42.5米")), 42.5);
    EXPECT_EQ(leadingNumber(QStringView(u"４２")), 0.0); // full-width digits are not digits
}

// The short decimal numbers of coordinates take a quick way; they must give
// the very double the general conversion gives.
TEST(LeadingNumber, shortDecimalsGiveTheCorrectlyRoundedDouble)
{
    std::uint64_t state = 12345;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    char text[40];
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + int(next() % 15);
        const int fraction = int(next() % (digits + 1));
        std::uint64_t mantissa = next() % 1000000000000000ULL;
        std::string number = std::to_string(mantissa);
        number = number.substr(0, size_t(digits));
        if (fraction > 0 && fraction < int(number.size()))
            number.insert(number.size() - size_t(fraction), ".");
        if (next() & 1)
            number.insert(0, "-");
        std::snprintf(text, sizeof text, "%s", number.c_str());
        EXPECT_EQ(leadingNumber(QByteArrayView(text)), std::strtod(text, nullptr)) << text;
    }
    EXPECT_EQ(leadingNumber(QByteArrayView("512345.678")), 512345.678);
    EXPECT_EQ(leadingNumber(QByteArrayView("0.1")), 0.1);
    EXPECT_EQ(leadingNumber(QByteArrayView("-3456789.0125")), -3456789.0125);
    EXPECT_EQ(leadingNumber(QByteArrayView("123456789.012345")), 123456789.012345);
}
