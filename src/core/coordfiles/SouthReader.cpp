// SPDX-License-Identifier: GPL-3.0-or-later
#include "SouthReader.h"

#include "coordfiles/FieldDecoder.h"

DelimitedResult SouthReader::read(QIODevice &device, PointSink &sink)
{
    return DelimitedReader::read(device, sink, &SouthReader::buildRow);
}

bool SouthReader::parseLine(QByteArrayView line, qsizetype row, PointRecord &point)
{
    return DelimitedReader::parseLine(line, row, &SouthReader::buildRow, point);
}

bool SouthReader::buildRow(QByteArrayView *t, qsizetype row, const FieldDecoder &decoder,
                           PointRecord &point)
{
    // A line of four fields (name,E,N,H) has no code.
    DelimitedReader::shiftWhenFifthMissing(t);
    if (t[2].isEmpty() || t[3].isEmpty())
        return false;
    point.number = QString::number(row + 1);
    point.name = decoder.decode(t[0]);
    point.easting = decoder.decode(t[2]);
    point.northing = decoder.decode(t[3]);
    point.elevation = decoder.decode(t[4]);
    point.code = decoder.decode(t[1]);
    return true;
}
