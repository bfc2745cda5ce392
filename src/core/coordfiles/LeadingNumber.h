// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

// The one text-to-number conversion of the coordinate files: leading blanks,
// an optional sign, digits with an optional decimal point and fraction, an
// optional exponent; it stops at the first character that cannot continue the
// number and gives 0 for text that does not begin with one. Unlike strtod it
// knows no "inf", "nan" or hexadecimal and ignores the C library's locale.
// A value beyond the range of double gives +-infinity, one below it 0.
double leadingNumber(QByteArrayView text);
double leadingNumber(QStringView text);
