#include "LineReader.h"

#include <QIODevice>

#include <cstring>

LineReader::LineReader(QIODevice &device) : m_device(device) {}

QString LineReader::errorString() const
{
    return m_device.errorString();
}

bool LineReader::fill()
{
    // Keep the unread tail at the front; grow only when one line fills the block.
    const qsizetype tail = m_end - m_begin;
    if (m_begin > 0 && tail > 0)
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(tail));
    m_begin = 0;
    m_end = tail;
    if (m_buffer.size() - m_end < kBlockSize / 2)
        m_buffer.resize(qMax<qsizetype>(kBlockSize, m_buffer.size() * 2));
    const qint64 got = m_device.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got < 0) {
        m_failed = true;
        m_atEnd = true;
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    m_end += qsizetype(got);
    if (!m_started) {
        m_started = true;
        if (m_end >= 3 && std::memcmp(m_buffer.constData(), "\xEF\xBB\xBF", 3) == 0) {
            m_hadUtf8Bom = true;
            m_begin = 3;
        }
    }
    return true;
}

bool LineReader::next(QByteArrayView &line)
{
    if (m_failed)
        return false;
    qsizetype searchFrom = m_begin;
    for (;;) {
        const char *base = m_buffer.constData();
        const void *hit = searchFrom < m_end
                              ? std::memchr(base + searchFrom, '\n', size_t(m_end - searchFrom))
                              : nullptr;
        if (hit) {
            const qsizetype lf = static_cast<const char *>(hit) - base;
            qsizetype stop = lf;
            if (stop > m_begin && base[stop - 1] == '\r')
                --stop;
            line = QByteArrayView(base + m_begin, stop - m_begin);
            m_begin = lf + 1;
            return true;
        }
        const qsizetype scanned = m_end - m_begin;
        if (m_atEnd || !fill()) {
            if (m_failed)
                return false;
            if (m_begin < m_end) { // last line without a line end
                line = QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin);
                m_begin = m_end;
                return true;
            }
            return false;
        }
        searchFrom = m_begin + scanned; // fill() moved the unread tail to the front
    }
}
