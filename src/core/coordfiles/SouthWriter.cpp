#include "SouthWriter.h"

DelimitedResult SouthWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &SouthWriter::buildLine);
}

QByteArray SouthWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &SouthWriter::buildLine);
}

void SouthWriter::buildLine(const PointRecord &p, QString &line)
{
    line += p.name;
    line += QLatin1String(",,");
    line += p.easting;
    line += QLatin1Char(',');
    line += p.northing;
    line += QLatin1Char(',');
    line += p.elevation;
    line += QLatin1String("\r\n");
}
