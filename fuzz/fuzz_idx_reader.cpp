// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the IDX reader that follows a file's header: it
// may not crash or hang, every point it gives has an easting and a northing,
// and its counts agree with the points handed over.
#include "core/coordfiles/IdxReader.h"
#include "core/coordfiles/PointRecord.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    PointList points;
    SkippedLines skipped;
    const DelimitedResult result = IdxReader::read(in, points, &skipped);
    if (!result.ok || result.pointCount != points.pointCount())
        __builtin_trap();
    for (const PointRecord &p : points.points()) {
        if (p.easting.isEmpty() || p.northing.isEmpty())
            __builtin_trap();
    }
    // Lines no point came from can only be counted once.
    if (skipped.total() + points.pointCount() > bytes.count('\n') + 1)
        __builtin_trap();
    return 0;
}
