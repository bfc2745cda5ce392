// SPDX-License-Identifier: GPL-3.0-or-later
#include "SouthWriter.h"

#include "coordfiles/LineEncoder.h"

DelimitedResult SouthWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &SouthWriter::buildLine);
}

QByteArray SouthWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &SouthWriter::buildLine);
}

void SouthWriter::buildLine(const PointRecord &p, LineEncoder &line)
{
    line.field(p.name);
    line.literal(",");
    line.field(p.code);
    line.literal(",");
    line.field(p.easting);
    line.literal(",");
    line.field(p.northing);
    line.literal(",");
    line.field(p.elevation);
    line.literal("\r\n");
}
