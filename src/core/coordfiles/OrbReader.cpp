// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrbReader.h"

#include "coordfiles/FieldDecoder.h"

DelimitedResult OrbReader::read(QIODevice &device, PointSink &sink)
{
    return DelimitedReader::read(device, sink, &OrbReader::buildRow);
}

bool OrbReader::parseLine(QByteArrayView line, qsizetype row, PointRecord &point)
{
    return DelimitedReader::parseLine(line, row, &OrbReader::buildRow, point);
}

bool OrbReader::buildRow(QByteArrayView *t, qsizetype, const FieldDecoder &decoder,
                         PointRecord &point)
{
    DelimitedReader::shiftWhenFifthMissing(t);
    if (t[2].isEmpty() || t[3].isEmpty())
        return false;
    point.number = decoder.decode(t[0]);
    point.name = decoder.decode(t[1]);
    point.easting = decoder.decode(t[3]);
    point.northing = decoder.decode(t[2]);
    point.elevation = decoder.decode(t[4]);
    point.code.clear();
    return true;
}
