// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the ORB, SOUTH, TOPCON and IDX readers, then writes
// what was read and reads it again.
#include "core/coordfiles/CoordFileIo.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

const CoordFormat kFormats[] = {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon,
                                CoordFormat::Idx};

qsizetype readInto(const QByteArray &bytes, CoordFormat format, PointList &points)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const CoordReadResult result = CoordFileIo::read(buffer, format, points);
    if (!result.ok() || result.pointCount != points.pointCount())
        std::abort();
    return result.pointCount;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const CoordFormat format = kFormats[data[0] % 4];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    PointList points;
    readInto(bytes, format, points);

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!CoordFileIo::write(out, format, points, true).ok())
        std::abort();
    PointList again;
    readInto(written, format, again);
    return 0;
}
