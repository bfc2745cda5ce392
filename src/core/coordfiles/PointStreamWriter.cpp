// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/PointStreamWriter.h"

#include "core/coordfiles/DelimitedIo.h"
#include "core/coordfiles/FormatTable.h"
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/LineEncoder.h"

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

// Lines of a builder (IDX) or of a layout (ORB, SOUTH, TOPCON, ...).
class DelimitedFormat : public PointStreamWriter::Format
{
public:
    DelimitedFormat(QIODevice &device, DelimitedWriter::LineBuilder builder,
                    const DelimitedLayout *layout, QByteArrayView header, QByteArrayView trailer)
        : m_out(device, 1 << 20), m_line(m_out.buffer()), m_builder(builder), m_layout(layout),
          m_trailer(trailer)
    {
        m_out.append(header);
    }
    bool write(const PointRecord &p) override
    {
        if (m_layout)
            DelimitedWriter::appendLine(*m_layout, p, m_line);
        else
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
    const DelimitedLayout *m_layout;
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
    const FormatInfo *row = FormatTable::find(format);
    if (row && row->layout)
        return forLayout(device, *row->layout);
    if (row && row->stream)
        return row->stream(device, gsiRangeRule);
    return nullptr;
}

std::unique_ptr<PointStreamWriter> PointStreamWriter::forGsi(QIODevice &device, GsiVariant variant,
                                                             bool rangeRule)
{
    return std::unique_ptr<PointStreamWriter>(
        new PointStreamWriter(device, std::make_unique<GsiFormat>(device, variant, rangeRule)));
}

std::unique_ptr<PointStreamWriter>
PointStreamWriter::forLines(QIODevice &device, void (*builder)(const PointRecord &, LineEncoder &),
                            QByteArrayView header, QByteArrayView trailer)
{
    return std::unique_ptr<PointStreamWriter>(new PointStreamWriter(
        device, std::make_unique<DelimitedFormat>(device, builder, nullptr, header, trailer)));
}

std::unique_ptr<PointStreamWriter> PointStreamWriter::forLayout(QIODevice &device,
                                                                const DelimitedLayout &layout)
{
    return std::unique_ptr<PointStreamWriter>(new PointStreamWriter(
        device, std::make_unique<DelimitedFormat>(device, nullptr, &layout, QByteArrayView(),
                                                  QByteArrayView())));
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
