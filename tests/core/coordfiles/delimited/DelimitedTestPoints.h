// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <QBuffer>
#include <QByteArray>

// The three points of the golden files in tests/data/delimited: a full point, one
// without a name, and one whose number begins with "T".
inline PointList goldenPoints()
{
    return PointList({
        {"1", "A1", "500123.456", "3012345.678", "45.120", ""},
        {"2", "", "500200.000", "3012400.5", "12", ""},
        {"T3", "BM 7", "-12.5", "-7.25", "0.001", ""},
    });
}

inline PointRecord makePoint(const char *number, const char *name, const char *easting,
                             const char *northing, const char *elevation)
{
    return PointRecord{QString::fromUtf8(number),    QString::fromUtf8(name),
                       QString::fromUtf8(easting),   QString::fromUtf8(northing),
                       QString::fromUtf8(elevation), QString()};
}

// Read-only device over bytes, as the readers get a file.
class ByteDevice : public QBuffer
{
public:
    explicit ByteDevice(const QByteArray &bytes)
    {
        m_bytes = bytes;
        setBuffer(&m_bytes);
        open(QIODevice::ReadOnly);
    }

private:
    QByteArray m_bytes;
};
