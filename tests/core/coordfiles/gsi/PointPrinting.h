// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <ostream>

// Readable failure messages for PointRecord comparisons.
inline void PrintTo(const PointRecord &p, std::ostream *os)
{
    *os << '{';
    for (int i = 0; i < PointRecord::kFieldCount; ++i)
        *os << (i ? ", \"" : "\"") << p.field(i).toStdString() << '"';
    *os << '}';
}
