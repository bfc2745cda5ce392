// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiWord.h"

#include "core/coordfiles/LeadingNumber.h"
#include "core/text/CodePage.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                   1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

// Beyond this a millimetre count is not kept exactly enough for the integer
// formatting below to equal "%.4f".
constexpr double kExactMillimetres = 1e14;

// |v| in whole millimetres, rounded as its decimal text reads: the shortest
// text that gives back the same double (what was typed, "2.0005") rounded at
// the third decimal, a half up. Rounding the binary value instead would take
// 2.0005, held as 2.000499999..., down.
double roundedMillimetres(double a)
{
    if (!(a < kPowersOfTen[16]))
        return a; // beyond every block; also infinity and NaN
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, a, std::chars_format::fixed);
    if (result.ec != std::errc())
        return std::floor(a * 1000.0 + 0.5);
    const char *p = text;
    const char *const end = result.ptr;
    std::uint64_t millimetres = 0;
    for (; p < end && *p != '.'; ++p)
        millimetres = millimetres * 10 + std::uint64_t(*p - '0');
    if (p < end)
        ++p; // the decimal point
    for (int decimal = 0; decimal < 3; ++decimal)
        millimetres = millimetres * 10 + (p < end ? std::uint64_t(*p++ - '0') : 0);
    if (p < end && *p >= '5')
        ++millimetres;
    return double(millimetres);
}

} // namespace

namespace gsi {

double decodeMillimetres(char sign, QByteArrayView block)
{
    qsizetype i = 0;
    while (i < block.size() && block[i] == ' ')
        ++i;
    while (i < block.size() && block[i] == '0')
        ++i;
    double value = 0.0;
    const QByteArrayView rest = block.sliced(i);
    // Fast path: the usual block is digits only.
    std::int64_t digits = 0;
    qsizetype j = 0;
    while (j < rest.size() && j < 15 && rest[j] >= '0' && rest[j] <= '9')
        digits = digits * 10 + (rest[j++] - '0');
    if (j == rest.size())
        value = double(digits);
    else
        value = leadingNumber(rest);
    if (sign == '-')
        value = -std::fabs(value);
    return value == 0.0 ? 0.0 : value; // never "-0.000"
}

int formatMetres(double millimetres, int decimals, char *out)
{
    const double rounded = std::nearbyint(millimetres);
    if ((decimals == 3 || decimals == 4) && rounded == millimetres &&
        std::fabs(millimetres) < kExactMillimetres) {
        // Whole millimetres: the digits are exact, so print them as integers.
        std::int64_t mm = std::int64_t(rounded);
        int n = 0;
        if (mm < 0) {
            out[n++] = '-';
            mm = -mm;
        }
        const auto whole = std::to_chars(out + n, out + 40, mm / 1000);
        n = int(whole.ptr - out);
        out[n++] = '.';
        const int frac = int(mm % 1000);
        out[n++] = char('0' + frac / 100);
        out[n++] = char('0' + frac / 10 % 10);
        out[n++] = char('0' + frac % 10);
        for (int k = 3; k < decimals; ++k)
            out[n++] = '0';
        return n;
    }
    const auto result =
        std::to_chars(out, out + 47, millimetres / 1000.0, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return 0;
    return int(result.ptr - out);
}

QByteArray formatMetres(double millimetres, int decimals)
{
    char buffer[48];
    if (decimals > 12) // keep within the buffer; nobody asks for more
        decimals = 12;
    return QByteArray(buffer, formatMetres(millimetres, decimals, buffer));
}

GsiUnit unitOf(char unitDigit)
{
    switch (unitDigit) {
    case '0':
    case '.':
    case ' ':
        return {true, 3, false};
    case '6':
        return {true, 4, false};
    case '8':
        return {true, 5, false};
    case '1':
        return {true, 3, true};
    case '7':
        return {true, 4, true};
    default:
        return {};
    }
}

bool isNoValue(QByteArrayView block)
{
    qsizetype i = 0;
    while (i < block.size() && block[i] == '0')
        ++i;
    if (i == block.size())
        return block.isEmpty(); // zeros are the value 0
    for (; i < block.size(); ++i) {
        if (block[i] != '-' && block[i] != ' ')
            return false;
    }
    return true;
}

int formatScaled(double count, int decimals, char *out)
{
    if (decimals < 0 || decimals > 12)
        decimals = decimals < 0 ? 0 : 12;
    if (count == std::nearbyint(count) && std::fabs(count) < 1e15) {
        // A whole count: print its digits, so no binary fraction shows.
        std::int64_t n = std::int64_t(count);
        int length = 0;
        if (n < 0) {
            out[length++] = '-';
            n = -n;
        }
        const std::int64_t scale = std::int64_t(kPowersOfTen[decimals]);
        const auto whole = std::to_chars(out + length, out + 40, n / scale);
        length = int(whole.ptr - out);
        if (decimals == 0)
            return length;
        out[length++] = '.';
        std::int64_t frac = n % scale;
        for (int k = decimals - 1; k >= 0; --k) {
            out[length + k] = char('0' + frac % 10);
            frac /= 10;
        }
        return length + decimals;
    }
    const auto result = std::to_chars(out, out + 47, count / kPowersOfTen[decimals],
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return 0;
    return int(result.ptr - out);
}

bool isEmptyField(QStringView text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    }
    return true;
}

void writeNoValue(char *sign, char *block, int width)
{
    *sign = '+';
    std::memset(block, '-', size_t(width));
}

QByteArrayView stripLeadingZeros(QByteArrayView block)
{
    qsizetype i = 0;
    while (i < block.size() && block[i] == '0')
        ++i;
    return block.sliced(i);
}

Encoded coordinateOutcome(double v, GsiVariant variant, bool rangeRule)
{
    if (rangeRule) {
        const double limit = variant == GsiVariant::Gsi16 ? 1e9 : 1e5;
        if (!(v > -limit && v < limit))
            return Encoded::OutOfRange;
    }
    if (!(roundedMillimetres(std::fabs(v)) < kPowersOfTen[blockWidth(variant)]))
        return Encoded::DoesNotFit;
    return Encoded::Value;
}

bool nameFits(QStringView name, const CodePage &page, int width)
{
    // ASCII is one byte a character in every code page: most names need no encoding.
    for (const QChar c : name) {
        if (c.unicode() >= 0x80)
            return page.encode(name).size() <= width;
    }
    return name.size() <= width;
}

Encoded encodeCoordinate(double v, GsiVariant variant, bool rangeRule, char *sign, char *block)
{
    const int width = blockWidth(variant);
    std::memset(block, '0', size_t(width));
    *sign = '+';
    const Encoded outcome = coordinateOutcome(v, variant, rangeRule);
    if (outcome != Encoded::Value)
        return outcome;
    // Below 10^16 (the GSI-16 block) the count is a whole number a uint64 holds.
    std::uint64_t millimetres = std::uint64_t(roundedMillimetres(std::fabs(v)));
    if (v < 0 && millimetres > 0)
        *sign = '-';
    for (int p = width - 1; p >= 0 && millimetres > 0; --p) {
        block[p] = char('0' + millimetres % 10);
        millimetres /= 10;
    }
    return Encoded::Value;
}

void encodeName(QStringView name, const CodePage &page, char *block, int width)
{
    std::memset(block, '0', size_t(width));
    QByteArray bytes = page.encode(name);
    if (bytes.size() > width) {
        // Every character takes at least one byte, so start from width characters.
        qsizetype keep = qMin(name.size(), qsizetype(width));
        for (; keep > 0; --keep) {
            if (keep < name.size() && name[keep].isLowSurrogate())
                continue; // never split a surrogate pair
            bytes = page.encode(name.first(keep));
            if (bytes.size() <= width)
                break;
        }
        if (keep == 0)
            bytes.clear();
    }
    std::memcpy(block + width - bytes.size(), bytes.constData(), size_t(bytes.size()));
}

} // namespace gsi
