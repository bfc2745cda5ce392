// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/GsiWord.h"
#include "core/coordfiles/PointRecord.h"

#include <QByteArrayView>

#include <QList>
#include <QString>

#include <memory>

class LineEncoder;
class QIODevice;
struct DelimitedLayout;

// A writer that takes the points one by one as a reader hands them over, so a
// file is converted without holding its points: memory stays the same
// whatever the size of the file. Formats with a header write it at once and
// their trailer in finish().
class PointStreamWriter : public PointSink
{
public:
    ~PointStreamWriter() override;

    // nullptr for a format written only from a whole list of points.
    static std::unique_ptr<PointStreamWriter> create(QIODevice &device, CoordFormat format,
                                                     bool gsiRangeRule);

    // The writers FormatTable's rows name: GSI lines, lines of a builder
    // between a header and a trailer, lines of a delimited layout.
    static std::unique_ptr<PointStreamWriter> forGsi(QIODevice &device, GsiVariant variant,
                                                     bool rangeRule);
    static std::unique_ptr<PointStreamWriter>
    forLines(QIODevice &device, void (*builder)(const PointRecord &, LineEncoder &),
             QByteArrayView header, QByteArrayView trailer);
    static std::unique_ptr<PointStreamWriter> forLayout(QIODevice &device,
                                                        const DelimitedLayout &layout);

    // Readers call clear() before their first point; nothing is written yet then.
    void clear() override {}
    void append(const PointRecord &point) override;

    // Writes what is left; false when any write failed.
    bool finish();
    QString errorString() const;

    qsizetype count() const { return m_count; }
    // GSI: rows (0-based) with a coordinate written as 0.
    const QList<qsizetype> &zeroedRows() const { return m_zeroedRows; }

    class Format;

private:
    PointStreamWriter(QIODevice &device, std::unique_ptr<Format> format);

    QIODevice &m_device;
    std::unique_ptr<Format> m_format;
    qsizetype m_count = 0;
    QList<qsizetype> m_zeroedRows;
};
