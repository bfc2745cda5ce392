#include "DxfWriter.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qsizetype kBufferSize = 256 * 1024;

// 83 lines: empty HEADER, the LAYER table, the opening of ENTITIES.
constexpr char kPrologue[] =
    "0\r\nSECTION\r\n2\r\nHEADER\r\n0\r\nENDSEC\r\n"
    "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n"
    "0\r\nLAYER\r\n2\r\nATTRIBUTE\r\n70\r\n0\r\n62\r\n3\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nLINE\r\n70\r\n0\r\n62\r\n2\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nANNOTATION\r\n70\r\n0\r\n62\r\n1\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nPLANFORM\r\n70\r\n0\r\n62\r\n4\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nSYMBOL\r\n70\r\n0\r\n62\r\n5\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nPOINT\r\n70\r\n0\r\n62\r\n2\r\n6\r\nContinuous\r\n"
    "0\r\nENDTAB\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\n";

// The same frame as the classic drawing, with the three layers the layered
// drawing uses.
constexpr char kLayeredPrologue[] =
    "0\r\nSECTION\r\n2\r\nHEADER\r\n0\r\nENDSEC\r\n"
    "0\r\nSECTION\r\n2\r\nTABLES\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n70\r\n3\r\n"
    "0\r\nLAYER\r\n2\r\nPOINT\r\n70\r\n0\r\n62\r\n2\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nNAME\r\n70\r\n0\r\n62\r\n3\r\n6\r\nContinuous\r\n"
    "0\r\nLAYER\r\n2\r\nELEVATION\r\n70\r\n0\r\n62\r\n1\r\n6\r\nContinuous\r\n"
    "0\r\nENDTAB\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\n";

// Label offsets from the point, in text heights: the name above right of the
// point, the elevation below right, so neither covers the point or the other.
constexpr double kLabelRight = 0.5;
constexpr double kNameUp = 0.3;
constexpr double kElevationDown = 1.3;

QByteArray coordinate(double value)
{
    return QByteArray::number(value, 'f', 4);
}

constexpr char kEpilogue[] = "ENDSEC\r\n0\r\nEOF\r\n";

} // namespace

DxfWriter::DxfWriter(QIODevice &device) : m_device(device) {}

DxfWriter::~DxfWriter()
{
    flush();
}

void DxfWriter::append(QByteArrayView bytes)
{
    // The buffer grows to its working size once and is reused from then on.
    m_buffer.append(bytes);
    if (m_buffer.size() >= kBufferSize)
        flush();
}

void DxfWriter::appendLine(QByteArrayView value)
{
    append(value);
    append("\r\n");
}

void DxfWriter::writePrologue()
{
    append(QByteArrayView(kPrologue, sizeof kPrologue - 1));
}

void DxfWriter::writePoint(QByteArrayView name, QByteArrayView x, QByteArrayView y,
                           QByteArrayView z)
{
    // The pair is assembled in place: one size check per point instead of one
    // per line, which matters for files of a million points.
    static constexpr QByteArrayView kParts[] = {
        "POINT\r\n8\r\nPOINT\r\n10\r\n",
        "\r\n20\r\n",
        "\r\n30\r\n",
        "\r\n0\r\nTEXT\r\n8\r\nANNOTATION\r\n10\r\n",
        "\r\n20\r\n",
        "\r\n40\r\n1.000000\r\n50\r\n0.000000\r\n1\r\n",
        "  ",
        "\r\n0\r\n",
    };
    const QByteArrayView values[] = {x, y, z, x, y, name, z};
    qsizetype total = 0;
    for (const QByteArrayView part : kParts)
        total += part.size();
    for (const QByteArrayView value : values)
        total += value.size();
    const qsizetype used = m_buffer.size();
    m_buffer.resize(used + total);
    char *out = m_buffer.data() + used;
    const auto put = [&out](QByteArrayView bytes) {
        std::memcpy(out, bytes.data(), size_t(bytes.size()));
        out += bytes.size();
    };
    for (int i = 0; i < 7; ++i) {
        put(kParts[i]);
        put(values[i]);
    }
    put(kParts[7]);
    if (m_buffer.size() >= kBufferSize)
        flush();
}

void DxfWriter::writeLayeredPrologue()
{
    append(QByteArrayView(kLayeredPrologue, sizeof kLayeredPrologue - 1));
}

void DxfWriter::writeLayeredPoint(QByteArrayView name, double x, double y, QByteArrayView xText,
                                  QByteArrayView yText, QByteArrayView zText)
{
    const auto text = [this](const char *layer, double tx, double ty, QByteArrayView value) {
        append("TEXT\r\n8\r\n");
        appendLine(layer);
        append("10\r\n");
        appendLine(coordinate(tx));
        append("20\r\n");
        appendLine(coordinate(ty));
        append("40\r\n");
        appendLine(coordinate(kTextHeight));
        append("1\r\n");
        appendLine(value);
        append("0\r\n");
    };
    append("POINT\r\n8\r\nPOINT\r\n10\r\n");
    appendLine(xText);
    append("20\r\n");
    appendLine(yText);
    append("30\r\n");
    appendLine(zText);
    append("0\r\n");
    const double right = x + kLabelRight * kTextHeight;
    if (!name.isEmpty())
        text("NAME", right, y + kNameUp * kTextHeight, name);
    text("ELEVATION", right, y - kElevationDown * kTextHeight, zText);
}

void DxfWriter::writeEpilogue()
{
    append(QByteArrayView(kEpilogue, sizeof kEpilogue - 1));
}

bool DxfWriter::flush()
{
    if (!m_buffer.isEmpty() && !m_failed &&
        m_device.write(m_buffer.constData(), m_buffer.size()) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0);
    return !m_failed;
}

QString DxfWriter::errorString() const
{
    return m_device.errorString();
}
