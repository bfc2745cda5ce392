// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geo/WgsPoint.h"

#include "core/coordfiles/CoordinateText.h"
#include "core/geo/CrsTransform.h"

namespace {

QString rowName(qsizetype row, const PointRecord &p)
{
    return p.name.isEmpty() ? QStringLiteral("row %1").arg(row + 1)
                            : QStringLiteral("row %1 (%2)").arg(row + 1).arg(p.name);
}

} // namespace

bool WgsPoint::from(const CrsTransform &crs, qsizetype row, const PointRecord &point, WgsPoint *out,
                    QString *error)
{
    double east = 0;
    double north = 0;
    const coordtext::Kind e = coordtext::parse(point.easting, &east);
    const coordtext::Kind n = coordtext::parse(point.northing, &north);
    const coordtext::Kind z = coordtext::parse(point.elevation, &out->elevation);
    const struct
    {
        coordtext::Kind kind;
        const QString &text;
        const char *what;
    } fields[] = {{e, point.easting, "easting"},
                  {n, point.northing, "northing"},
                  {z, point.elevation, "elevation"}};
    for (const auto &field : fields) {
        if (field.kind == coordtext::Kind::Invalid) {
            *error = QStringLiteral("%1: the %2 \"%3\" is no number")
                         .arg(rowName(row, point), QLatin1String(field.what), field.text);
            return false;
        }
    }
    out->hasElevation = z == coordtext::Kind::Number;
    if (e == coordtext::Kind::Empty && n == coordtext::Kind::Empty) {
        out->located = false; // written without a place, never at 0,0
        return true;
    }
    if (e == coordtext::Kind::Empty || n == coordtext::Kind::Empty) {
        *error = QStringLiteral("%1 has only one plane coordinate").arg(rowName(row, point));
        return false;
    }
    if (!crs.toWgs84(east, north, &out->lon, &out->lat)) {
        *error =
            QStringLiteral("%1 at easting %2, northing %3 lies outside the area of %4 (%5); "
                           "is it the right coordinate system, are easting and northing "
                           "swapped?")
                .arg(rowName(row, point), point.easting, point.northing, crs.code(), crs.name());
        return false;
    }
    out->located = true;
    return true;
}
