// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

// Strict reading of a coordinate cell, for the formats and drawings that need a
// number and must not guess: blanks around it are allowed, anything else that
// is not a plain decimal number (sign, digits, point, exponent) is not one.
// The leading-number conversion of the instrument formats stays as it is.
namespace coordtext {

enum class Kind {
    Empty,  // nothing but blanks: the point has no such value
    Number, // a finite decimal number
    Invalid // text that is not a number, e.g. "12.5m" or "abc"
};

Kind parse(QStringView text, double *value);

// Whether bytes (no blanks around) are a plain decimal number.
bool isPlainNumber(QByteArrayView bytes);

// The text with surrounding blanks removed, as written to a file that needs a number.
QStringView trimmed(QStringView text);

} // namespace coordtext
