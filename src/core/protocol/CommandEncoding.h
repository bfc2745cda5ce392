// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// How commands go on the wire: the command's bytes followed by the end mark,
// CR LF (EndMarkIndex 0) or CR alone (EndMarkIndex 1).
namespace CommandEncoding {

QByteArray endMark(int endMarkIndex);
QByteArray encode(QByteArrayView command, int endMarkIndex);
// Job number 1..17 in decimal, as every job command carries it.
QByteArray jobNumber(int number);

} // namespace CommandEncoding
