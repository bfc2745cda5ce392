// SPDX-License-Identifier: GPL-3.0-or-later
// What each delimited writer writes is what its reader reads back: points made
// of fields the formats can carry are written, read again and compared field by
// field; whatever arbitrary bytes read as settles after one write.
#include "core/coordfiles/CoordFileIo.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

const CoordFormat kFormats[] = {CoordFormat::Orb, CoordFormat::South, CoordFormat::Topcon,
                                CoordFormat::Idx};

PointList readBytes(const QByteArray &bytes, CoordFormat format)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    PointList points;
    const CoordReadResult result = CoordFileIo::read(buffer, format, points);
    if (!result.ok() || result.pointCount != points.pointCount())
        std::abort();
    return points;
}

QByteArray writePoints(const PointList &points, CoordFormat format)
{
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!CoordFileIo::write(out, format, points, true).ok())
        std::abort();
    return written;
}

// The fields a format stores (SOUTH has no point number: the reader numbers the rows).
bool sameStoredFields(const PointRecord &a, const PointRecord &b, CoordFormat format)
{
    for (int f = 0; f < 5; ++f) {
        if (format == CoordFormat::South && f == 0)
            continue;
        if (a.field(f) != b.field(f))
            return false;
    }
    return true;
}

// Points the formats can carry: fields of letters, digits, "." and "-" (no
// separator, blank or quote), at most 12 characters so a line stays short,
// both horizontal coordinates present, and a number that does not begin with
// a letter IDX reads as the end of its points section.
PointList pointsFrom(const uint8_t *data, size_t size)
{
    static const char kAlphabet[] = "0123456789.-ABCXYZabcxyz";
    PointList points;
    PointRecord point;
    int field = 0;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t c = data[i];
        if (c >= 0xe0 || point.field(field).size() >= 12) {
            if (++field == 5) {
                if (point.number.isEmpty() || point.number.at(0).isLetter())
                    point.number.prepend(QLatin1Char('1'));
                if (point.easting.isEmpty())
                    point.easting = QStringLiteral("0");
                if (point.northing.isEmpty())
                    point.northing = QStringLiteral("0");
                points.append(point);
                point = PointRecord();
                field = 0;
            }
            continue;
        }
        point.field(field) += QLatin1Char(kAlphabet[c % (sizeof(kAlphabet) - 1)]);
    }
    return points;
}

// Points the formats can carry come back field for field, and writing them
// again gives the same bytes.
void roundTrip(const PointList &points, CoordFormat format)
{
    const QByteArray written = writePoints(points, format);
    const PointList back = readBytes(written, format);
    if (back.pointCount() != points.pointCount())
        std::abort();
    for (qsizetype row = 0; row < points.pointCount(); ++row) {
        if (!sameStoredFields(points.point(row), back.point(row), format))
            std::abort();
    }
    if (writePoints(back, format) != written)
        std::abort();
}

// Whatever arbitrary bytes read as, once written it reads and writes back the same.
void settles(const QByteArray &bytes, CoordFormat format)
{
    const QByteArray once = writePoints(readBytes(bytes, format), format);
    // A file that begins with the bytes of a UTF-8 byte-order mark is read as
    // UTF-8 without them: a first field that began with those bytes in the ANSI
    // code page cannot come back, by the formats' own convention.
    if (once.startsWith("\xEF\xBB\xBF"))
        return;
    const QByteArray twice = writePoints(readBytes(once, format), format);
    const QByteArray thrice = writePoints(readBytes(twice, format), format);
    if (twice != thrice)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const CoordFormat format = kFormats[data[0] % 4];
    if (data[0] & 4) {
        roundTrip(pointsFrom(data + 1, size - 1), format);
    } else {
        settles(QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)), format);
    }
    return 0;
}
