// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/GsiWriter.h"

#include "core/coordfiles/LeadingNumber.h"
#include "core/coordfiles/PointRecord.h"
#include "core/pcfiles/FileCommit.h"
#include "core/text/CodePage.h"

#include <QSaveFile>

#include <cstring>

namespace {

constexpr qsizetype kBufferSize = 256 * 1024;

// Word headers as written; the sign positions are filled per value.
constexpr char kGsi16Template[] = "*11....+0000000000000000 81..10+0000000000000000"
                                  " 82..10+0000000000000000 83..10+0000000000000000 \r\n";
constexpr char kGsi8Template[] = "11....+00000000 81..10+00000000 82..10+00000000"
                                 " 83..10+00000000 \r\n";

static_assert(sizeof kGsi16Template - 1 == 99, "GSI-16 line is 99 bytes");
static_assert(sizeof kGsi8Template - 1 == 66, "GSI-8 line is 66 bytes");

struct Offsets
{
    int name;
    int block[3];
};

constexpr Offsets kGsi16Offsets = {8, {32, 56, 80}};
constexpr Offsets kGsi8Offsets = {7, {23, 39, 55}};

} // namespace

GsiWriter::GsiWriter(QIODevice &device, GsiVariant variant, bool rangeRule)
    : m_device(device), m_variant(variant), m_rangeRule(rangeRule), m_page(CodePage::ansi())
{
}

GsiWriter::~GsiWriter()
{
    flush();
}

int GsiWriter::lineLength(GsiVariant variant)
{
    return variant == GsiVariant::Gsi16 ? 99 : 66;
}

bool GsiWriter::fillLine(char *out, QStringView name, QStringView easting, QStringView northing,
                         QStringView elevation, GsiVariant variant, bool rangeRule,
                         const CodePage &page)
{
    const bool wide = variant == GsiVariant::Gsi16;
    const Offsets &at = wide ? kGsi16Offsets : kGsi8Offsets;
    const int width = gsi::blockWidth(variant);
    std::memcpy(out, wide ? kGsi16Template : kGsi8Template, size_t(lineLength(variant)));
    gsi::encodeName(name, page, out + at.name, width);
    const QStringView values[3] = {easting, northing, elevation};
    bool allWritten = true;
    for (int i = 0; i < 3; ++i) {
        char *block = out + at.block[i];
        if (gsi::isEmptyField(values[i])) {
            gsi::writeNoValue(block - 1, block, width); // a field without a value stays without
            continue;
        }
        if (gsi::encodeCoordinate(leadingNumber(values[i]), variant, rangeRule, block - 1, block) !=
            gsi::Encoded::Value)
            allWritten = false;
    }
    return allWritten;
}

bool GsiWriter::writePoint(QStringView name, QStringView easting, QStringView northing,
                           QStringView elevation)
{
    // The buffer grows to its working size once and is reused from then on.
    const qsizetype used = m_buffer.size();
    m_buffer.resize(used + lineLength(m_variant));
    const bool allWritten = fillLine(m_buffer.data() + used, name, easting, northing, elevation,
                                     m_variant, m_rangeRule, m_page);
    if (m_buffer.size() >= kBufferSize)
        flush();
    return allWritten;
}

bool GsiWriter::flush()
{
    if (!m_buffer.isEmpty() && !m_failed &&
        m_device.write(m_buffer.constData(), m_buffer.size()) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0);
    return !m_failed;
}

QString GsiWriter::errorString() const
{
    return m_device.errorString();
}

QByteArray GsiWriter::line(QStringView name, QStringView easting, QStringView northing,
                           QStringView elevation, GsiVariant variant, bool rangeRule,
                           bool *allWritten)
{
    QByteArray out(lineLength(variant), Qt::Uninitialized);
    const bool all = fillLine(out.data(), name, easting, northing, elevation, variant, rangeRule,
                              CodePage::ansi());
    if (allWritten)
        *allWritten = all;
    return out;
}

GsiWriteResult GsiWriter::write(QIODevice &device, const PointSource &source, GsiVariant variant,
                                bool rangeRule)
{
    GsiWriteResult result;
    GsiWriter writer(device, variant, rangeRule);
    const qsizetype count = source.pointCount();
    for (qsizetype row = 0; row < count; ++row) {
        const PointRecord p = source.point(row);
        if (!writer.writePoint(p.name, p.easting, p.northing, p.elevation))
            result.zeroedRows.append(row);
    }
    result.lines = count;
    if (!writer.flush()) {
        result.ok = false;
        result.error = writer.errorString();
    }
    return result;
}

GsiWriteResult GsiWriter::write(const QString &path, const PointSource &source, GsiVariant variant,
                                bool rangeRule)
{
    QSaveFile file(path);
    QString reason;
    if (!FileCommit::open(file, &reason)) {
        GsiWriteResult result;
        result.ok = false;
        result.error = reason;
        return result;
    }
    GsiWriteResult result = write(file, source, variant, rangeRule);
    if (!result.ok) {
        FileCommit::cancel(file);
        return result;
    }
    if (!FileCommit::commit(file, &result.error))
        result.ok = false;
    return result;
}
