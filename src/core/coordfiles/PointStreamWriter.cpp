// SPDX-License-Identifier: GPL-3.0-or-later
#include "PointStreamWriter.h"

#include "coordfiles/DelimitedIo.h"
#include "coordfiles/GsiWriter.h"
#include "coordfiles/IdxWriter.h"
#include "coordfiles/LineEncoder.h"
#include "coordfiles/OrbWriter.h"
#include "coordfiles/SouthWriter.h"
#include "coordfiles/TopconWriter.h"

#include <QIODevice>

// One format's way of writing a point, behind the common stream.
class PointStreamWriter::Format
{
public:
    virtual ~Format() = default;
    // false: a coordinate was written as 0 (GSI).
    virtual bool write(const PointRecord &point) = 0;
    virtual bool finish() = 0;
};

namespace {

class GsiFormat : public PointStreamWriter::Format
{
public:
    GsiFormat(QIODevice &device, GsiVariant variant, bool rangeRule)
        : m_writer(device, variant, rangeRule)
    {
    }
    bool write(const PointRecord &p) override
    {
        return m_writer.writePoint(p.name, p.easting, p.northing, p.elevation);
    }
    bool finish() override { return m_writer.flush(); }

private:
    GsiWriter m_writer;
};

class DelimitedFormat : public PointStreamWriter::Format
{
public:
    DelimitedFormat(QIODevice &device, DelimitedWriter::LineBuilder builder, QByteArrayView header,
                    QByteArrayView trailer)
        : m_out(device, 1 << 20), m_line(m_out.buffer()), m_builder(builder), m_trailer(trailer)
    {
        m_out.append(header);
    }
    bool write(const PointRecord &p) override
    {
        m_builder(p, m_line);
        m_out.flushIfFull();
        return true;
    }
    bool finish() override
    {
        m_out.append(m_trailer);
        return m_out.finish();
    }

private:
    BufferedWriter m_out;
    LineEncoder m_line; // made once: it tests the code page when made
    DelimitedWriter::LineBuilder m_builder;
    QByteArrayView m_trailer;
};

} // namespace

PointStreamWriter::PointStreamWriter(QIODevice &device, std::unique_ptr<Format> format)
    : m_device(device), m_format(std::move(format))
{
}

PointStreamWriter::~PointStreamWriter() = default;

std::unique_ptr<PointStreamWriter> PointStreamWriter::create(QIODevice &device, CoordFormat format,
                                                             bool gsiRangeRule)
{
    std::unique_ptr<Format> writer;
    switch (format) {
    case CoordFormat::Gsi16:
    case CoordFormat::Gsi8:
        writer = std::make_unique<GsiFormat>(
            device, format == CoordFormat::Gsi16 ? GsiVariant::Gsi16 : GsiVariant::Gsi8,
            gsiRangeRule);
        break;
    case CoordFormat::Orb:
        writer = std::make_unique<DelimitedFormat>(device, &OrbWriter::buildLine, QByteArrayView(),
                                                   QByteArrayView());
        break;
    case CoordFormat::South:
        writer = std::make_unique<DelimitedFormat>(device, &SouthWriter::buildLine,
                                                   QByteArrayView(), QByteArrayView());
        break;
    case CoordFormat::Topcon:
        writer = std::make_unique<DelimitedFormat>(device, &TopconWriter::buildLine,
                                                   QByteArrayView(), QByteArrayView());
        break;
    case CoordFormat::Idx:
        writer = std::make_unique<DelimitedFormat>(device, &IdxWriter::buildLine,
                                                   IdxWriter::header(), IdxWriter::trailer());
        break;
    default:
        return nullptr;
    }
    return std::unique_ptr<PointStreamWriter>(new PointStreamWriter(device, std::move(writer)));
}

void PointStreamWriter::append(const PointRecord &point)
{
    if (!m_format->write(point))
        m_zeroedRows.append(m_count);
    ++m_count;
}

bool PointStreamWriter::finish()
{
    return m_format->finish();
}

QString PointStreamWriter::errorString() const
{
    return m_device.errorString();
}
