// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/LineScanner.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qsizetype kChunk = 256 * 1024;

} // namespace

LineScanner::LineScanner(QIODevice &device, qsizetype keep, bool crEndsLine)
    : m_device(device), m_keep(keep), m_crEndsLine(crEndsLine)
{
    // A small file gets a small buffer; a big one reads in chunks.
    qsizetype size = kChunk;
    if (!device.isSequential())
        size = qBound(qsizetype(4096), qsizetype(device.size() - device.pos()) + 1, kChunk);
    m_buffer.resize(size);
}

// Moves what is left to the front and reads more behind it.
bool LineScanner::fill()
{
    if (m_eof)
        return false;
    const qsizetype left = m_end - m_begin;
    if (left > 0 && m_begin > 0)
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(left));
    m_begin = 0;
    m_end = left;
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const qint64 got = m_device.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got < 0)
        m_failed = true;
    if (got <= 0) {
        m_eof = true;
        return false;
    }
    m_end += got;
    return true;
}

const char *LineScanner::findEnd(const char *start, qsizetype avail, qsizetype *endLength) const
{
    const auto *lf =
        static_cast<const char *>(avail > 0 ? std::memchr(start, '\n', size_t(avail)) : nullptr);
    if (!m_crEndsLine) {
        *endLength = 1;
        return lf;
    }
    const qsizetype limit = lf ? lf - start : avail;
    const auto *cr =
        static_cast<const char *>(limit > 0 ? std::memchr(start, '\r', size_t(limit)) : nullptr);
    if (!cr) {
        *endLength = 1;
        return lf;
    }
    if (cr + 1 == lf) {
        *endLength = 2;
        return cr;
    }
    // A CR at the end of what is in view may be the first half of CR LF.
    if (cr + 1 == start + avail && !m_eof)
        return nullptr;
    *endLength = 1;
    return cr;
}

bool LineScanner::next(QByteArrayView &line)
{
    m_long.clear();
    bool longLine = false;
    // Bytes of the line already searched for its end: a line longer than one
    // read is searched once, not again from its start after every read.
    qsizetype scanned = 0;
    for (;;) {
        const char *start = m_buffer.constData() + m_begin;
        const qsizetype avail = m_end - m_begin;
        qsizetype endLength = 1;
        const char *found = findEnd(start + scanned, avail - scanned, &endLength);
        if (found) {
            const qsizetype length = found - start;
            m_begin += length + endLength;
            ++m_lineNumber;
            if (longLine) {
                line = QByteArrayView(m_long);
                return true;
            }
            const qsizetype cut = length > 0 && start[length - 1] == '\r' ? length - 1 : length;
            line = QByteArrayView(start, m_keep >= 0 ? qMin(cut, m_keep) : cut);
            return true;
        }
        // The last byte again next time: a CR there may be the first half of CR LF.
        scanned = qMax(qsizetype(0), avail - 1);
        if (m_keep >= 0 && avail > m_keep + 1) {
            // Longer than we keep: save its head, drop the rest as it comes
            // (all but a last CR, which may start the line end).
            if (!longLine)
                m_long = QByteArray(start, m_keep);
            longLine = true;
            m_begin = m_crEndsLine && start[avail - 1] == '\r' ? m_end - 1 : m_end;
            scanned = 0;
        }
        if (!fill()) {
            if (m_end > m_begin || longLine) {
                // The last line, without a line end; m_eof now lets a final CR end it.
                if (m_crEndsLine && m_end > m_begin &&
                    findEnd(m_buffer.constData() + m_begin, m_end - m_begin, &endLength))
                    continue;
                ++m_lineNumber;
                const qsizetype length = m_end - m_begin;
                if (!longLine) {
                    m_long = QByteArray(m_buffer.constData() + m_begin,
                                        m_keep >= 0 ? qMin(length, m_keep) : length);
                }
                m_begin = m_end;
                line = QByteArrayView(m_long);
                return true;
            }
            return false;
        }
    }
}

bool LineScanner::restIsBlank()
{
    for (;;) {
        for (qsizetype i = m_begin; i < m_end; ++i) {
            const char c = m_buffer[i];
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\x1a' && c != '\0')
                return false;
        }
        m_begin = m_end;
        if (!fill())
            return true;
    }
}
