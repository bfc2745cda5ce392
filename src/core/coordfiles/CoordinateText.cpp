#include "CoordinateText.h"

#include <QString>

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
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return Kind::Invalid;
    if (value)
        *value = v;
    return Kind::Number;
}

} // namespace coordtext
