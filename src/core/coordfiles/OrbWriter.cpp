#include "OrbWriter.h"

DelimitedResult OrbWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &OrbWriter::buildLine);
}

QByteArray OrbWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &OrbWriter::buildLine);
}

void OrbWriter::buildLine(const PointRecord &p, QString &line)
{
    line += p.number;
    line += QLatin1Char(',');
    line += p.name;
    line += QLatin1Char(',');
    line += p.northing;
    line += QLatin1Char(',');
    line += p.easting;
    line += QLatin1Char(',');
    line += p.elevation;
    line += QLatin1String("\r\n");
}
