// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/serial/CommSettings.h"

#include <QByteArray>
#include <QByteArrayView>

// How commands go on the wire: the command's bytes followed by the end mark,
// CR LF or CR alone.
namespace CommandEncoding {

QByteArray endMark(EndMark mark);
QByteArray encode(QByteArrayView command, EndMark mark);
// Job number 1..17 in decimal, as every job command carries it.
QByteArray jobNumber(int number);

} // namespace CommandEncoding
