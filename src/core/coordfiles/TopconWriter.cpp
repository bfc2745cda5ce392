#include "TopconWriter.h"

DelimitedResult TopconWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &TopconWriter::buildLine);
}

QByteArray TopconWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &TopconWriter::buildLine);
}

void TopconWriter::buildLine(const PointRecord &p, QString &line)
{
    line += p.number;
    line += QLatin1Char(',');
    line += p.northing;
    line += QLatin1Char(',');
    line += p.easting;
    line += QLatin1Char(',');
    line += p.elevation;
    line += QLatin1Char(',');
    line += p.name;
    line += QLatin1String("\r\n");
}
