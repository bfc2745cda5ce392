// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiWord.h"
#include "core/text/CodePage.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QRandomGenerator>

#include <cmath>

namespace {

struct Word
{
    char sign = '?';
    QByteArray block;
    gsi::Encoded outcome;
};

Word encode(double v, GsiVariant variant, bool rangeRule = false)
{
    Word w;
    w.block.resize(gsi::blockWidth(variant));
    w.outcome = gsi::encodeCoordinate(v, variant, rangeRule, &w.sign, w.block.data());
    return w;
}


} // namespace

TEST(GsiEncode, workedExamplesOfTheBlockLayout)
{
    EXPECT_EQ(encode(1234.567, GsiVariant::Gsi16).block, "0000000001234567");
    EXPECT_EQ(encode(1234.567, GsiVariant::Gsi8).block, "01234567");
    EXPECT_EQ(encode(0.5, GsiVariant::Gsi16).block, "0000000000000500");
    EXPECT_EQ(encode(0.5, GsiVariant::Gsi8).block, "00000500");
    EXPECT_EQ(encode(0.0004, GsiVariant::Gsi8).block, "00000000");
    EXPECT_EQ(encode(0.0009999, GsiVariant::Gsi8).block, "00000001");
    EXPECT_EQ(encode(88.5537, GsiVariant::Gsi8).block, "00088554");
    EXPECT_EQ(encode(2.001, GsiVariant::Gsi8).block, "00002001");
    EXPECT_EQ(encode(0, GsiVariant::Gsi8).sign, '+');
}

TEST(GsiEncode, rangeRuleZeroesValuesAtOrBeyondTheLimitAndSaysSo)
{
    Word w = encode(1e9, GsiVariant::Gsi16, true);
    EXPECT_EQ(w.block, "0000000000000000");
    EXPECT_EQ(w.outcome, gsi::Encoded::OutOfRange);
    EXPECT_EQ(encode(-1e9, GsiVariant::Gsi16, true).outcome, gsi::Encoded::OutOfRange);
    EXPECT_EQ(encode(999999999.999, GsiVariant::Gsi16, true).block, "0000999999999999");
    w = encode(100000, GsiVariant::Gsi8, true);
    EXPECT_EQ(w.block, "00000000");
    EXPECT_EQ(w.outcome, gsi::Encoded::OutOfRange);
    EXPECT_EQ(encode(99999.999, GsiVariant::Gsi8, true).block, "99999999");
    EXPECT_EQ(encode(99999.999, GsiVariant::Gsi8, true).outcome, gsi::Encoded::Value);
    // Without the rule 1e9 fits GSI-16 fine.
    EXPECT_EQ(encode(1e9, GsiVariant::Gsi16).block, "0001000000000000");
}

TEST(GsiEncode, valuesWhoseWholeMetresDoNotFitAreWrittenAsZeroAndReported)
{
    for (double v : {1e13, -1e13, 1e300, double(INFINITY), -double(INFINITY)}) {
        const Word w = encode(v, GsiVariant::Gsi16);
        EXPECT_EQ(w.block, "0000000000000000") << v;
        EXPECT_EQ(w.sign, '+') << v;
        EXPECT_EQ(w.outcome, gsi::Encoded::DoesNotFit) << v;
    }
    // 99999.99999 is inside the GSI-8 range but rounds to 100000.
    const Word w = encode(99999.99999, GsiVariant::Gsi8, true);
    EXPECT_EQ(w.block, "00000000");
    EXPECT_EQ(w.outcome, gsi::Encoded::DoesNotFit);
    EXPECT_EQ(encode(9999999999999.998, GsiVariant::Gsi16).outcome, gsi::Encoded::Value);
}

TEST(GsiEncode, negativeValuesCarryTheirSignInTheSignPosition)
{
    Word w = encode(-1234.567, GsiVariant::Gsi16);
    EXPECT_EQ(w.sign, '-');
    EXPECT_EQ(w.block, "0000000001234567");
    w = encode(-99999.999, GsiVariant::Gsi8, true); // every integer position taken
    EXPECT_EQ(w.sign, '-');
    EXPECT_EQ(w.block, "99999999");
    w = encode(-0.5, GsiVariant::Gsi8);
    EXPECT_EQ(w.sign, '-');
    EXPECT_EQ(w.block, "00000500");
    // A value that rounds to nothing is no negative zero.
    EXPECT_EQ(encode(-0.0004, GsiVariant::Gsi8).sign, '+');
    w = encode(-12.3456, GsiVariant::Gsi8);
    EXPECT_EQ(w.sign, '-');
    EXPECT_EQ(w.block, "00012346");
}

TEST(GsiEncode, roundsToTheNearestMillimetreAHalfAwayFromZero)
{
    // Decimal halves, held in binary a hair below or above the half, round up.
    for (const char *text : {"0.0005", "1.0005", "2.0005", "88.5535", "12345.6785", "4.0015",
                             "123456789.0005", "6563.9035"}) {
        const double v = QByteArray(text).toDouble();
        QByteArray expected = QByteArray(text).replace('.', "");
        expected = QByteArray::number(expected.toLongLong() / 10 + 1).rightJustified(16, '0');
        EXPECT_EQ(encode(v, GsiVariant::Gsi16).block, expected) << text;
        const Word negative = encode(-v, GsiVariant::Gsi16);
        EXPECT_EQ(negative.block, expected) << text;
        EXPECT_EQ(negative.sign, '-') << text;
    }
    // Values clearly nearer one millimetre than the next, at every magnitude.
    QRandomGenerator random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const qint64 millimetres = qint64(random.generateDouble() * std::pow(10.0, 1 + i % 15));
        const double off = (random.generateDouble() - 0.5) * 0.8; // within 0.4 mm
        double v = (double(millimetres) + off) / 1000.0;
        if (i % 2)
            v = -v;
        const QByteArray expected = QByteArray::number(millimetres).rightJustified(16, '0');
        EXPECT_EQ(encode(v, GsiVariant::Gsi16).block, expected)
            << qPrintable(QString::number(v, 'g', 17));
    }
}

TEST(GsiDecode, honoursTheSignPositionAndAMinusInsideTheBlock)
{
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('+', "0000000001234567"), 1234.567);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('-', "0000000001234567"), -1234.567);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('+', "00000000-1234567"), -1234.567);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('+', "-1234567"), -1234.567);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('-', "-1234567"), -1234.567);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('-', "99999999"), -99999.999);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('+', "00012345"), 12.345);
    EXPECT_DOUBLE_EQ(gsi::decodeMetres('+', "0001.5xx"), 0.0015);
    EXPECT_EQ(gsi::decodeMetres('+', ""), 0.0);
    EXPECT_EQ(gsi::decodeMetres('+', "0000inf0"), 0.0);
    EXPECT_FALSE(std::signbit(gsi::decodeMetres('-', "00000000")));
}

TEST(GsiDecode, roundTripsEveryVariantWithAndWithoutSign)
{
    const struct
    {
        double metres;
        GsiVariant variant;
    } cases[] = {
        {-1234.567, GsiVariant::Gsi16},       {-1000000000000.0, GsiVariant::Gsi16},
        {-9999999999.999, GsiVariant::Gsi16}, {-99999.999, GsiVariant::Gsi8},
        {-10000.0, GsiVariant::Gsi8},         {-0.001, GsiVariant::Gsi8},
        {12345.678, GsiVariant::Gsi8},        {987654321.012, GsiVariant::Gsi16},
    };
    for (const auto &c : cases) {
        const Word w = encode(c.metres, c.variant);
        ASSERT_EQ(w.outcome, gsi::Encoded::Value);
        EXPECT_EQ(gsi::formatMetres(gsi::decodeMillimetres(w.sign, w.block), 3),
                  QByteArray::number(c.metres, 'f', 3))
            << c.metres;
    }
}

TEST(GsiFormat, printsFixedDecimalsInTheCLocale)
{
    EXPECT_EQ(gsi::formatMetres(12345, 4), "12.3450");
    EXPECT_EQ(gsi::formatMetres(-500, 3), "-0.500");
    EXPECT_EQ(gsi::formatMetres(0, 4), "0.0000");
    EXPECT_EQ(gsi::formatMetres(1.5, 3), "0.002"); // not whole millimetres: rounded like %.3f
    EXPECT_EQ(gsi::formatMetres(999999999999999.0, 3), "999999999999.999");
}

TEST(GsiName, isRightAlignedZeroFilledAndKeepsWholeCharactersOnly)
{
    const CodePage gbk = CodePage::byName("GBK");
    auto name = [&](const QString &text, int width) {
        QByteArray block(width, 'x');
        gsi::encodeName(text, gbk, block.data(), width);
        return block;
    };
    EXPECT_EQ(name(QStringLiteral("007"), 16), "0000000000000007");
    EXPECT_EQ(name(QString(), 8), "00000000");
    EXPECT_EQ(name(QStringLiteral("ABCDEFGHIJ"), 8), "ABCDEFGH");
    EXPECT_EQ(name(QStringLiteral("测点"), 8), QByteArray("0000\xB2\xE2\xB5\xE3"));
    // "A测点" needs 5 bytes: of 4 only "A测" survives, never half of 点.
    EXPECT_EQ(name(QStringLiteral("A测点"), 4), QByteArray("0A\xB2\xE2"));
    EXPECT_EQ(name(QStringLiteral("测\U0001F600x"), 3), QByteArray("\xB2\xE2?"));
    EXPECT_EQ(gsi::stripLeadingZeros("0000000000000007"), "7");
    EXPECT_EQ(gsi::stripLeadingZeros("00000000"), "");
}
