// SPDX-License-Identifier: GPL-3.0-or-later
#include "TopconWriter.h"

#include "coordfiles/LineEncoder.h"

DelimitedResult TopconWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &TopconWriter::buildLine);
}

QByteArray TopconWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &TopconWriter::buildLine);
}

void TopconWriter::buildLine(const PointRecord &p, LineEncoder &line)
{
    line.field(p.number);
    line.literal(",");
    line.field(p.northing);
    line.literal(",");
    line.field(p.easting);
    line.literal(",");
    line.field(p.elevation);
    line.literal(",");
    line.field(p.name);
    line.literal("\r\n");
}
