// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/DelimitedIo.h"
#include "core/coordfiles/SkippedLines.h"

#include <QList>

class FieldDecoder;

// IDX files (".idx"), read by their header: sections are found by their
// keywords whatever the indentation, the POINTS(...) line names the columns and
// their order, and a record is a line ending in the terminator ';'. Nested
// sections inside POINTS (THEMINFO, ANNOTATIONS, ...) hold no points. Every
// read starts outside the database section.
class IdxReader
{
public:
    enum class Line {
        Keyword,   // a section line, or anything outside the points
        Point,     // a record with easting and northing: point holds it
        NoValue,   // a record without easting or northing
        NotRecord, // a line inside the points that is no record
    };

    // Advances by one line (without its line end); row counts the points read
    // so far, from 0, for a file without a PointNo column.
    Line readLine(QByteArrayView line, const FieldDecoder &decoder, qsizetype row,
                  PointRecord &point);
    bool inPoints() const { return m_inPoints; }

    // Empties sink, then appends the points of the file; skipped counts the
    // records and lines inside POINTS that were no point.
    static DelimitedResult read(QIODevice &device, PointSink &sink,
                                SkippedLines *skipped = nullptr);

    // The column of each field this reader knows: number, name, easting,
    // northing, elevation, code; -1 where the header has none.
    enum Field { kNumber, kName, kEasting, kNorthing, kElevation, kCode, kFieldCount };
    const int *columns() const { return m_column; }

private:
    void setColumns(QByteArrayView list);

    bool m_inDatabase = false;
    bool m_inPoints = false;
    int m_nested = 0; // depth of sections inside POINTS
    // The column order rqtcom writes, for a POINTS line without a list.
    int m_column[kFieldCount] = {0, 1, 3, 4, 5, 2};
    int m_columnCount = 7;
};
