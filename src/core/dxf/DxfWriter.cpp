// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dxf/DxfWriter.h"

#include "core/text/CodePage.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qsizetype kBufferSize = 256 * 1024;

// An R12 drawing as strict readers expect it: the header names the version
// and the code page, every table carries its entry count, CONTINUOUS is
// defined before the layers that use it and STANDARD is there for the labels.
constexpr char kHeaderStart[] = "0\r\nSECTION\r\n2\r\nHEADER\r\n"
                                "9\r\n$ACADVER\r\n1\r\nAC1009\r\n"
                                "9\r\n$DWGCODEPAGE\r\n3\r\n";

constexpr char kLineTypes[] =
    "0\r\nENDSEC\r\n"
    "0\r\nSECTION\r\n2\r\nTABLES\r\n"
    "0\r\nTABLE\r\n2\r\nLTYPE\r\n70\r\n1\r\n"
    "0\r\nLTYPE\r\n2\r\nCONTINUOUS\r\n70\r\n0\r\n3\r\nSolid line\r\n72\r\n65\r\n"
    "73\r\n0\r\n40\r\n0.0\r\n"
    "0\r\nENDTAB\r\n";

constexpr char kLayers[] =
    "0\r\nTABLE\r\n2\r\nLAYER\r\n70\r\n6\r\n"
    "0\r\nLAYER\r\n2\r\nATTRIBUTE\r\n70\r\n0\r\n62\r\n3\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nLINE\r\n70\r\n0\r\n62\r\n2\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nANNOTATION\r\n70\r\n0\r\n62\r\n1\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nPLANFORM\r\n70\r\n0\r\n62\r\n4\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nSYMBOL\r\n70\r\n0\r\n62\r\n5\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nPOINT\r\n70\r\n0\r\n62\r\n2\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nENDTAB\r\n";

constexpr char kStyles[] =
    "0\r\nTABLE\r\n2\r\nSTYLE\r\n70\r\n1\r\n"
    "0\r\nSTYLE\r\n2\r\nSTANDARD\r\n70\r\n0\r\n40\r\n0.0\r\n41\r\n1.0\r\n50\r\n0.0\r\n"
    "71\r\n0\r\n42\r\n1.0\r\n3\r\ntxt\r\n4\r\n\r\n"
    "0\r\nENDTAB\r\n"
    "0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\n";

// The same frame as the classic drawing, with the three layers the layered
// drawing uses.
constexpr char kLayeredLayers[] =
    "0\r\nTABLE\r\n2\r\nLAYER\r\n70\r\n3\r\n"
    "0\r\nLAYER\r\n2\r\nPOINT\r\n70\r\n0\r\n62\r\n2\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nNAME\r\n70\r\n0\r\n62\r\n3\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nLAYER\r\n2\r\nELEVATION\r\n70\r\n0\r\n62\r\n1\r\n6\r\nCONTINUOUS\r\n"
    "0\r\nENDTAB\r\n";

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

DxfWriter::DxfWriter(QIODevice &device) : m_device(device)
{
    setTextHeight(kTextHeight);
}

void DxfWriter::setTextHeight(double height)
{
    m_textHeight = height;
    m_heightText = QByteArray::number(height, 'f', 6);
}

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
    writeFrame(QByteArrayView(kLayers, sizeof kLayers - 1));
}

void DxfWriter::writeFrame(QByteArrayView layerTable)
{
    append(QByteArrayView(kHeaderStart, sizeof kHeaderStart - 1));
    appendLine(drawingCodePage(CodePage::ansi().name()));
    append(QByteArrayView(kLineTypes, sizeof kLineTypes - 1));
    append(layerTable);
    append(QByteArrayView(kStyles, sizeof kStyles - 1));
}

QByteArray DxfWriter::drawingCodePage(QByteArrayView pageName)
{
    const QByteArray name = pageName.toByteArray().toUpper();
    if (name == "GBK" || name == "GB2312" || name == "GB18030" || name == "CP936")
        return "ANSI_936";
    if (name.startsWith("BIG5") || name == "CP950")
        return "ANSI_950";
    if (name == "SHIFT_JIS" || name == "SJIS" || name == "CP932")
        return "ANSI_932";
    if (name == "EUC-KR" || name == "UHC" || name == "CP949")
        return "ANSI_949";
    for (const char *prefix : {"CP", "WINDOWS-"}) {
        const QByteArray number =
            name.startsWith(prefix) ? name.mid(qstrlen(prefix)) : QByteArray();
        bool ok = false;
        const int page = number.toInt(&ok);
        if (ok && page >= 874 && page <= 1258)
            return "ANSI_" + QByteArray::number(page);
    }
    // Latin-1 and anything R12 has no name for: the western page.
    return "ANSI_1252";
}

void DxfWriter::writePoint(QByteArrayView name, QByteArrayView x, QByteArrayView y,
                           QByteArrayView z, bool labelHeight)
{
    // The pair is assembled in place: one size check per point instead of one
    // per line, which matters for files of a million points.
    static constexpr QByteArrayView kParts[] = {
        "POINT\r\n8\r\nPOINT\r\n10\r\n",
        "\r\n20\r\n",
        "\r\n30\r\n",
        "\r\n0\r\nTEXT\r\n8\r\nANNOTATION\r\n10\r\n",
        "\r\n20\r\n",
        "\r\n40\r\n",
        "\r\n50\r\n0.000000\r\n1\r\n",
        "  ",
        "\r\n0\r\n",
    };
    constexpr int kValues = 8;
    const QByteArrayView values[kValues] = {
        x, y, z, x, y, m_heightText, name, labelHeight ? z : QByteArrayView()};
    const QByteArrayView parts[kValues + 1] = {
        kParts[0], kParts[1], kParts[2], kParts[3],
        kParts[4], kParts[5], kParts[6], labelHeight ? kParts[7] : QByteArrayView(),
        kParts[8]};
    qsizetype total = 0;
    for (const QByteArrayView part : parts)
        total += part.size();
    for (const QByteArrayView value : values)
        total += value.size();
    const qsizetype used = m_buffer.size();
    m_buffer.resize(used + total);
    char *out = m_buffer.data() + used;
    const auto put = [&out](QByteArrayView bytes) {
        if (bytes.isEmpty())
            return; // an absent value has no data pointer to copy from
        std::memcpy(out, bytes.data(), size_t(bytes.size()));
        out += bytes.size();
    };
    for (int i = 0; i < kValues; ++i) {
        put(parts[i]);
        put(values[i]);
    }
    put(parts[kValues]);
    if (m_buffer.size() >= kBufferSize)
        flush();
}

void DxfWriter::writeLayeredPrologue()
{
    writeFrame(QByteArrayView(kLayeredLayers, sizeof kLayeredLayers - 1));
}

void DxfWriter::writeLayeredPoint(QByteArrayView name, double x, double y, QByteArrayView xText,
                                  QByteArrayView yText, QByteArrayView zText, bool labelHeight)
{
    const auto text = [this](const char *layer, double tx, double ty, QByteArrayView value) {
        append("TEXT\r\n8\r\n");
        appendLine(layer);
        append("10\r\n");
        appendLine(coordinate(tx));
        append("20\r\n");
        appendLine(coordinate(ty));
        append("40\r\n");
        appendLine(coordinate(m_textHeight));
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
    const double right = x + kLabelRight * m_textHeight;
    if (!name.isEmpty())
        text("NAME", right, y + kNameUp * m_textHeight, name);
    if (labelHeight)
        text("ELEVATION", right, y - kElevationDown * m_textHeight, zText);
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
