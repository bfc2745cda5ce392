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

    // The shift of ORB and SOUTH: a line without a fifth token moves its tokens
    // one place towards the end, leaving the second empty.
    static void shiftWhenFifthMissing(QByteArrayView *tokens);
};

// The writing loop shared by every delimited format: the header, one line per
// row built as text and converted to the ANSI code page, then the trailer.
class DelimitedWriter
{
public:
    // Appends the text of one row's line, line end included, to line.
    using LineBuilder = void (*)(const PointRecord &point, QString &line);

    static DelimitedResult write(QIODevice &device, const PointSource &points, LineBuilder builder,
                                 QByteArrayView header = {}, QByteArrayView trailer = {});

    // The bytes of one row's line.
    static QByteArray formatLine(const PointRecord &point, LineBuilder builder);
};

// Collects the lines of a file and hands them to the device in large blocks.
class BufferedWriter
{
public:
    explicit BufferedWriter(QIODevice &device);

    void append(QByteArrayView bytes);
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
