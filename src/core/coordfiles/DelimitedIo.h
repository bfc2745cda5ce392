// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

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

// The columns of a delimited format, in the order a line holds them. ORB,
// SOUTH and TOPCON are such layouts (FormatTable.cpp); a new delimited format
// is one more.
struct DelimitedLayout
{
    enum Column : unsigned char { Number, Name, Easting, Northing, Elevation, Code };
    static constexpr int kMaxColumns = 8;

    Column columns[kMaxColumns];
    int count;
    // A line one field short leaves out the column at this position (ORB its
    // name, SOUTH its code) and the later fields move one place on; -1: the
    // fields it lacks are the last ones.
    int omitted = -1;
    // The character between fields; ' ' reads any run of blanks and tabs as one.
    char separator = ',';

    // Where column stands in a line; -1 when the layout has none.
    int indexOf(Column column) const;
};

// The reading loop of every delimited layout: lines of fewer than 4 characters
// are skipped, the rest split into the layout's tokens; a line with easting
// and northing is a point. Without a Number column the points are numbered
// 1, 2, 3 ... as they are read; columns the layout lacks are left empty.
class DelimitedReader
{
public:
    static constexpr qsizetype kMinLineLength = 4;

    // Empties sink, then appends one point per line that makes one.
    static DelimitedResult read(QIODevice &device, PointSink &sink, const DelimitedLayout &layout);

    // One line (without its line end), decoded from the ANSI code page; false
    // when it is no point. row counts the points read so far, from 0.
    static bool parseLine(const DelimitedLayout &layout, QByteArrayView line, qsizetype row,
                          PointRecord &point);

    // The tokens of a line: by position when it has exactly the layout's
    // number of fields, else through the collapsing CommaTokenizer::split
    // (splitBlanks for a blank-separated layout).
    static void splitTokens(const DelimitedLayout &layout, QByteArrayView line,
                            QByteArrayView *tokens);

private:
    static bool buildRow(const DelimitedLayout &layout, QByteArrayView *tokens, qsizetype row,
                         const FieldDecoder &decoder, PointRecord &point);
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
    // The layout's columns, each cell as it stands, CR LF after each line.
    static DelimitedResult write(QIODevice &device, const PointSource &points,
                                 const DelimitedLayout &layout);

    // The bytes of one row's line.
    static QByteArray formatLine(const PointRecord &point, LineBuilder builder);
    static QByteArray formatLine(const DelimitedLayout &layout, const PointRecord &point);

    // Appends the layout's line of point.
    static void appendLine(const DelimitedLayout &layout, const PointRecord &point,
                           LineEncoder &line);
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
