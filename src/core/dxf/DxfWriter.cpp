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

constexpr char kEpilogue[] = "ENDSEC\r\n0\r\nEOF\r\n";

} // namespace

DxfWriter::DxfWriter(QIODevice &device) : m_device(device)
{
    m_buffer.resize(kBufferSize);
}

DxfWriter::~DxfWriter()
{
    flush();
}

void DxfWriter::append(QByteArrayView bytes)
{
    if (m_used + bytes.size() > m_buffer.size()) {
        flush();
        if (bytes.size() > m_buffer.size()) {
            if (!m_failed && m_device.write(bytes.data(), bytes.size()) != bytes.size())
                m_failed = true;
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_used, bytes.data(), size_t(bytes.size()));
    m_used += bytes.size();
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
    append("POINT\r\n8\r\nPOINT\r\n10\r\n");
    appendLine(x);
    append("20\r\n");
    appendLine(y);
    append("30\r\n");
    appendLine(z);
    append("0\r\nTEXT\r\n8\r\nANNOTATION\r\n10\r\n");
    appendLine(x);
    append("20\r\n");
    appendLine(y);
    append("40\r\n1.000000\r\n50\r\n0.000000\r\n1\r\n");
    append(name);
    append("  ");
    appendLine(z);
    append("0\r\n");
}

void DxfWriter::writeEpilogue()
{
    append(QByteArrayView(kEpilogue, sizeof kEpilogue - 1));
}

bool DxfWriter::flush()
{
    if (m_used > 0 && !m_failed && m_device.write(m_buffer.constData(), m_used) != m_used)
        m_failed = true;
    m_used = 0;
    return !m_failed;
}

QString DxfWriter::errorString() const
{
    return m_device.errorString();
}
