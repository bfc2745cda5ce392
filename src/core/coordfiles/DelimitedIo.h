// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "coordfiles/PointRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class FieldDecoder;
class QIODevice;

// Outcome of reading or writing one delimited file.
struct DelimitedResult
{
    bool ok = true;
    qsizetype pointCount = 0; // points appended (reading) or lines written (writing)
    QString error;            // the device's reason when !ok
};

// The reading loop shared by ORB, SOUTH and TOPCON: lines of fewer than 4
// characters are skipped, the rest split into five tokens and handed to the
// format's row builder.
class DelimitedReader
{
public:
    static constexpr int kTokenCount = 5;
    static constexpr qsizetype kMinLineLength = 4;

    // Builds the row of one line from its tokens; false when the line is no point.
    // row counts the points read so far, from 0.
    using RowBuilder = bool (*)(QByteArrayView *tokens, qsizetype row, const FieldDecoder &decoder,
                                PointRecord &point);

    // Empties sink, then appends one point per line that makes one.
    static DelimitedResult read(QIODevice &device, PointSink &sink, RowBuilder builder);

    // One line (without its line end) through builder, decoded from the ANSI code page.
    static bool parseLine(QByteArrayView line, qsizetype row, RowBuilder builder,
                          PointRecord &point);

    // The five tokens of a line: by position when it has exactly five fields,
    // else through the collapsing CommaTokenizer::split.
    static void splitTokens(QByteArrayView line, QByteArrayView *tokens);

    // The shift of ORB and SOUTH: a line without a fifth token moves its tokens
    // one place towards the end, leaving the second empty.
    static void shiftWhenFifthMissing(QByteArrayView *tokens);
};

class LineEncoder;

// The writing loop shared by every delimited format: the header, one line per
// row in the ANSI code page, then the trailer.
class DelimitedWriter
{
public:
    // Appends one row's line, line end included.
    using LineBuilder = void (*)(const PointRecord &point, LineEncoder &line);

    static DelimitedResult write(QIODevice &device, const PointSource &points, LineBuilder builder,
                                 QByteArrayView header = {}, QByteArrayView trailer = {});

    // The bytes of one row's line.
    static QByteArray formatLine(const PointRecord &point, LineBuilder builder);
};

// Collects the lines of a file and hands them to the device in large blocks.
class BufferedWriter
{
public:
    // sizeHint: about how many bytes will be written.
    BufferedWriter(QIODevice &device, qsizetype sizeHint);

    void append(QByteArrayView bytes);
    // The bytes not yet written, for appending in place; call flushIfFull() after.
    QByteArray &buffer() { return m_buffer; }
    void flushIfFull();
    // Writes what is left; false when any write failed.
    bool finish();
    QString errorString() const;

private:
    void flush();

    static constexpr qsizetype kBlockSize = 256 * 1024;

    QIODevice &m_device;
    QByteArray m_buffer;
    bool m_failed = false;
};
