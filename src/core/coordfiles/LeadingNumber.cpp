// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LeadingNumber.h"

#include <QVarLengthArray>

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

bool isBlank(char c)
{
    // isspace() of the C locale.
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(QByteArrayView text)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p < end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char *const mantissa = p;
    std::uint64_t integer = 0;
    int digits = 0;
    while (p < end && isDigit(*p)) {
        if (digits < 19)
            integer = integer * 10 + std::uint64_t(*p - '0');
        ++digits;
        ++p;
    }
    int fractionDigits = 0;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && isDigit(*p)) {
            if (digits < 19)
                integer = integer * 10 + std::uint64_t(*p - '0');
            ++digits;
            ++fractionDigits;
            ++p;
        }
    }
    bool exponent = false;
    if (digits == 0)
        return 0.0;
    bool negativeExponent = false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-')) {
            negativeExponent = *q == '-';
            ++q;
        }
        if (q < end && isDigit(*q)) {
            exponent = true;
            while (q < end && isDigit(*q))
                ++q;
            p = q;
        }
    }
    // Up to 15 digits the digits make an integer exact in a double, and a power
    // of ten up to 1e15 is exact too, so one division rounds correctly: the
    // usual GSI block or coordinate cell needs no general conversion.
    if (!exponent && digits <= 15) {
        static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,
                                                  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                  1e12, 1e13, 1e14, 1e15};
        double value = double(integer);
        if (fractionDigits > 0)
            value /= kPowersOfTen[fractionDigits];
        return negative ? -value : value;
    }
    double value = 0.0;
    const auto [last, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
    Q_UNUSED(last);
    if (error == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

double leadingNumber(QStringView text)
{
    // Only ASCII can belong to a number, so the text up to the first other
    // character converts alike as bytes.
    QVarLengthArray<char, 64> bytes;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            break;
        bytes.append(char(c.unicode()));
    }
    return leadingNumber(QByteArrayView(bytes.constData(), bytes.size()));
}
