// SPDX-License-Identifier: GPL-3.0-or-later
// The line reader against a plain split, over a device that hands out its bytes
// in pieces of varying size, with inputs grown past the size of one read so
// lines cross the reader's chunk and buffer boundaries.
#include "core/coordfiles/LineScanner.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

// A pipe-like device: each read returns at most the next piece size.
class PiecewiseDevice : public QIODevice
{
public:
    PiecewiseDevice(const QByteArray &bytes, QByteArray pieces)
        : m_bytes(bytes), m_pieces(std::move(pieces))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos >= m_bytes.size())
            return 0;
        // Small pieces on small inputs; on grown ones at least 1 KiB, as a pipe
        // delivers, or the reader's rescanning of a long line takes minutes.
        const qint64 least = m_bytes.size() > 64 * 1024 ? 1024 : 1;
        qint64 piece =
            least +
            (m_pieces.isEmpty() ? 4095 : quint8(m_pieces.at(m_round++ % m_pieces.size())) * 37);
        piece = qMin(piece, qMin(maxSize, m_bytes.size() - m_pos));
        memcpy(data, m_bytes.constData() + m_pos, size_t(piece));
        m_pos += piece;
        return piece;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    QByteArray m_pieces;
    qint64 m_pos = 0;
    qsizetype m_round = 0;
};

// What the reader promises: lines split at LF, one CR before it removed, of a
// kept length only the first keep bytes; a last line without LF still counts.
QList<QByteArray> expectedLines(const QByteArray &bytes, qsizetype keep)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', start);
        const bool last = lf < 0;
        if (last)
            lf = bytes.size();
        QByteArray line = bytes.mid(start, lf - start);
        if (!last && line.endsWith('\r'))
            line.chop(1);
        if (keep >= 0 && line.size() > keep)
            line.truncate(keep);
        lines.append(line);
        start = lf + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const uint8_t flags = data[0];
    const qsizetype keep = (flags & 1) ? qsizetype(data[1]) * 4 : -1;
    const QByteArray pieces(reinterpret_cast<const char *>(data + 2), qMin<qsizetype>(8, size - 2));
    QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    // Grown past one read of the reader (256 KiB) for one input in sixteen: a
    // grown input takes a thousand times longer, and the rest find the edges.
    if ((flags & 0x1e) == 0x1e && !bytes.isEmpty()) {
        const QByteArray unit = bytes;
        while (bytes.size() < 300 * 1024)
            bytes += unit;
    }

    PiecewiseDevice device(bytes, pieces);
    LineScanner scanner(device, keep);
    const QList<QByteArray> expected = expectedLines(bytes, keep);
    QByteArrayView line;
    qsizetype count = 0;
    while (scanner.next(line)) {
        if (count >= expected.size() || line != expected.at(count))
            std::abort();
        ++count;
        if (scanner.lineNumber() != count)
            std::abort();
    }
    if (count != expected.size() || scanner.failed())
        std::abort();
    return 0;
}
