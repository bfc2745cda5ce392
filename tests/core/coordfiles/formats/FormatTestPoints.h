// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"

#include <QBuffer>

// Points near Hefei in CGCS2000 / 3-degree Gauss-Kruger CM 117E (EPSG:4548),
// with a Chinese name, a separator inside a name and a point without elevation.
inline PointList formatTestPoints()
{
    const auto point = [](const char *number, const QString &name, const char *e, const char *n,
                          const char *z, const QString &code) {
        PointRecord p;
        p.number = QString::fromLatin1(number);
        p.name = name;
        p.easting = QString::fromLatin1(e);
        p.northing = QString::fromLatin1(n);
        p.elevation = QString::fromLatin1(z);
        p.code = code;
        return p;
    };
    return PointList(
        {point("1", QStringLiteral("CP1"), "500987.654", "3405123.456", "45.678",
               QStringLiteral("STN")),
         point("2", QStringLiteral("A,\"B\""), "501000.25", "3405130", "", QStringLiteral("fence")),
         point("3", QStringLiteral("测点3"), "501010.75", "3405140.5", "47.25", QString())});
}

inline QByteArray writeToBytes(CoordFormat format, const PointSource &points,
                               CoordWriteResult *result, const QString &crs = QString())
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CoordWriteOptions options;
    options.crs = crs;
    *result = CoordFileIo::write(buffer, format, points, options);
    return buffer.data();
}

inline CoordReadResult readFromBytes(CoordFormat format, const QByteArray &bytes, PointList &points,
                                     const QString &columns = QString())
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CoordReadOptions options;
    options.csvColumns = columns;
    return CoordFileIo::read(buffer, format, points, options);
}
