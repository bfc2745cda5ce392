// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/KnownPoints.h"

#include "core/coordfiles/CoordFileIo.h"

void KnownPoints::insert(const QString &name, const KnownPoint &point)
{
    if (!m_points.contains(name))
        m_points.insert(name, point);
}

const KnownPoint *KnownPoints::find(const QString &name) const
{
    const auto it = m_points.constFind(name);
    return it == m_points.constEnd() ? nullptr : &it.value();
}

bool KnownPoints::load(const QString &path, QString *error)
{
    PointList points;
    const CoordReadResult read = CoordFileIo::open(path, points);
    if (!read.ok()) {
        *error = read.error;
        return false;
    }
    for (const PointRecord &p : points.points()) {
        bool eastOk = false;
        bool northOk = false;
        KnownPoint known;
        known.easting = p.easting.trimmed().toDouble(&eastOk);
        known.northing = p.northing.trimmed().toDouble(&northOk);
        const QString name = p.name.trimmed();
        if (name.isEmpty() || !eastOk || !northOk)
            continue;
        bool heightOk = false;
        const double h = p.elevation.trimmed().toDouble(&heightOk);
        if (heightOk)
            known.elevation = h;
        insert(name, known);
    }
    return true;
}
