// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrbWriter.h"

#include "coordfiles/LineEncoder.h"

DelimitedResult OrbWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &OrbWriter::buildLine);
}

QByteArray OrbWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &OrbWriter::buildLine);
}

void OrbWriter::buildLine(const PointRecord &p, LineEncoder &line)
{
    line.field(p.number);
    line.literal(",");
    line.field(p.name);
    line.literal(",");
    line.field(p.northing);
    line.literal(",");
    line.field(p.easting);
    line.literal(",");
    line.field(p.elevation);
    line.literal("\r\n");
}
