// SPDX-License-Identifier: GPL-3.0-or-later
#include "TopconReader.h"

#include "coordfiles/FieldDecoder.h"

DelimitedResult TopconReader::read(QIODevice &device, PointSink &sink)
{
    return DelimitedReader::read(device, sink, &TopconReader::buildRow);
}

bool TopconReader::parseLine(QByteArrayView line, qsizetype row, PointRecord &point)
{
    return DelimitedReader::parseLine(line, row, &TopconReader::buildRow, point);
}

bool TopconReader::buildRow(QByteArrayView *t, qsizetype, const FieldDecoder &decoder,
                            PointRecord &point)
{
    if (t[1].isEmpty() || t[2].isEmpty())
        return false;
    point.number = decoder.decode(t[0]);
    point.name = decoder.decode(t[4]);
    point.easting = decoder.decode(t[2]);
    point.northing = decoder.decode(t[1]);
    point.elevation = decoder.decode(t[3]);
    point.code.clear();
    return true;
}
