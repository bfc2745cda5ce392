#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Splits a device into lines read in large blocks. Each line comes without its
// LF and without one CR before it; a line has no length limit. A UTF-8
// byte-order mark at the very start is skipped and reported.
class LineReader
{
public:
    explicit LineReader(QIODevice &device);

    // The next line; false at the end of the data or after a read error. The view
    // stays valid until the next call.
    bool next(QByteArrayView &line);

    bool failed() const { return m_failed; }
    QString errorString() const;
    bool hadUtf8Bom() const { return m_hadUtf8Bom; }

private:
    bool fill();

    static constexpr qsizetype kBlockSize = 256 * 1024;

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_begin = 0; // first unread byte
    qsizetype m_end = 0;   // one past the last valid byte
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_started = false;
    bool m_hadUtf8Bom = false;
};
