// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/IdxWriter.h"

#include "core/coordfiles/LineEncoder.h"

namespace {

// The project name and the creation date are fixed texts, not the file's or the clock's.
constexpr char kHeader[] = "HEADER\r\n"
                           "  VERSION      1.31\r\n"
                           "  SYSTEM       \"QMX\"\r\n"
                           "  SEPARATOR    ','\r\n"
                           "  TERMINATOR   ';'\r\n"
                           "  UNITS\r\n"
                           "    LINEAR     METRE\r\n"
                           "  END UNITS\r\n"
                           "  PROJECT\r\n"
                           "    NAME           \"idx\"\r\n"
                           "    CREATION_DATE  08-05-2015/13:23:39.0\r\n"
                           "  END PROJECT\r\n"
                           "END HEADER\r\n"
                           "\r\n"
                           "\r\n"
                           "DATABASE\r\n"
                           "  POINTS (PointNo,PointID,Code,East,North,Elevation,CLASS)\r\n";

constexpr char kTrailer[] = "    THEMINFO (PointNo,PointID,Attribute,Value)\r\n"
                            "    END THEMINFO\r\n"
                            "  END POINTS\r\n"
                            "END DATABASE\r\n";

} // namespace

QByteArrayView IdxWriter::header()
{
    return QByteArrayView(kHeader, sizeof(kHeader) - 1);
}

QByteArrayView IdxWriter::trailer()
{
    return QByteArrayView(kTrailer, sizeof(kTrailer) - 1);
}

DelimitedResult IdxWriter::write(QIODevice &device, const PointSource &points)
{
    return DelimitedWriter::write(device, points, &IdxWriter::buildLine, header(), trailer());
}

QByteArray IdxWriter::formatLine(const PointRecord &point)
{
    return DelimitedWriter::formatLine(point, &IdxWriter::buildLine);
}

void IdxWriter::buildLine(const PointRecord &p, LineEncoder &line)
{
    // CLASS is always FIX.
    line.literal("    ");
    line.field(p.number);
    line.literal(",  \"");
    line.field(p.name);
    line.literal("\",  \"");
    line.field(p.code);
    line.literal("\",    ");
    line.field(p.easting);
    line.literal(",  ");
    line.field(p.northing);
    line.literal(",  ");
    line.field(p.elevation);
    line.literal(",  FIX;\r\n");
}
