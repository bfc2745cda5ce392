// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Reads a device line by line in large chunks, the way the coordinate readers
// want it: binary, the LF removed together with one CR before it, no limit on
// the line length unless one is asked for.
class LineScanner
{
public:
    // keep >= 0: of a longer line only the first keep bytes are returned (the
    // rest is skipped), so junk without line ends cannot fill the memory.
    // crEndsLine: a CR not followed by LF ends a line too (old GSI files).
    explicit LineScanner(QIODevice &device, qsizetype keep = -1, bool crEndsLine = false);

    // The next line; false at the end of the input. The view is valid until
    // the next call.
    bool next(QByteArrayView &line);

    // 1-based number of the line last returned.
    qsizetype lineNumber() const { return m_lineNumber; }

    // True when what is left holds only blanks, line ends and end-of-file marks.
    bool restIsBlank();

    bool failed() const { return m_failed; }

private:
    bool fill();
    // Where the line at start ends (its first line-end byte) and how many
    // bytes the line end takes; nullptr when the line end is not in view yet.
    const char *findEnd(const char *start, qsizetype avail, qsizetype *endLength) const;

    QIODevice &m_device;
    qsizetype m_keep;
    bool m_crEndsLine;
    QByteArray m_buffer;
    qsizetype m_begin = 0;
    qsizetype m_end = 0;
    QByteArray m_long; // a line kept across chunks
    qsizetype m_lineNumber = 0;
    bool m_eof = false;
    bool m_failed = false;
};
