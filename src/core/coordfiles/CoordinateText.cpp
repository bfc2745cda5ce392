// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CoordinateText.h"

#include <QString>

#include <charconv>
#include <cmath>

namespace coordtext {

namespace {

template <typename Char> bool plainNumber(const Char *p, qsizetype n)
{
    qsizetype i = 0;
    if (i < n && (p[i] == '+' || p[i] == '-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && p[i] >= '0' && p[i] <= '9')
        ++i, ++digits;
    if (i < n && p[i] == '.') {
        ++i;
        while (i < n && p[i] >= '0' && p[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (p[i] == 'e' || p[i] == 'E')) {
        ++i;
        if (i < n && (p[i] == '+' || p[i] == '-'))
            ++i;
        qsizetype exponent = 0;
        while (i < n && p[i] >= '0' && p[i] <= '9')
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == n;
}

} // namespace

QStringView trimmed(QStringView text)
{
    return text.trimmed();
}

bool isPlainNumber(QByteArrayView bytes)
{
    return plainNumber(bytes.data(), bytes.size());
}

Kind parse(QStringView text, double *value)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return Kind::Empty;
    if (!plainNumber(t.utf16(), t.size()))
        return Kind::Invalid;
    // A plain number is ASCII: from_chars reads it without the locale and
    // without the allocations of QString::toDouble, which matters for a
    // million points.
    char buffer[64];
    if (t.size() > qsizetype(sizeof buffer))
        return Kind::Invalid;
    const char16_t *in = t.utf16();
    qsizetype start = in[0] == u'+' ? 1 : 0; // from_chars takes no '+'
    for (qsizetype i = start; i < t.size(); ++i)
        buffer[i - start] = char(in[i]);
    double v = 0;
    const auto parsed = std::from_chars(buffer, buffer + (t.size() - start), v);
    if (parsed.ec != std::errc() || parsed.ptr != buffer + (t.size() - start) || !std::isfinite(v))
        return Kind::Invalid;
    if (value)
        *value = v;
    return Kind::Number;
}

} // namespace coordtext
