// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotPoints.h"

#include "core/coordfiles/CoordinateText.h"

#include <algorithm>

void PlotPoints::parse(const PointRecord &point, double *e, double *n, double *z,
                       unsigned char *flags) const
{
    *flags = 0;
    *e = *n = *z = 0;
    if (coordtext::parse(point.easting, e) == coordtext::Kind::Number &&
        coordtext::parse(point.northing, n) == coordtext::Kind::Number)
        *flags |= kLocated;
    else
        *e = *n = 0;
    if (coordtext::parse(point.elevation, z) == coordtext::Kind::Number)
        *flags |= kHasElevation;
    else
        *z = 0;
    if (point.name.trimmed().isEmpty() && point.code.trimmed().isEmpty() &&
        point.easting.trimmed().isEmpty() && point.northing.trimmed().isEmpty() &&
        point.elevation.trimmed().isEmpty())
        *flags |= kBlank;
}

void PlotPoints::clear()
{
    m_east.clear();
    m_north.clear();
    m_elevation.clear();
    m_flags.clear();
    m_names.clear();
    invalidate();
}

void PlotPoints::reserve(qsizetype rows)
{
    m_east.reserve(size_t(rows));
    m_north.reserve(size_t(rows));
    m_elevation.reserve(size_t(rows));
    m_flags.reserve(size_t(rows));
    if (m_keepNames)
        m_names.reserve(size_t(rows));
}

void PlotPoints::append(const PointRecord &point)
{
    insert(size(), point);
}

void PlotPoints::insert(qsizetype row, const PointRecord &point)
{
    double e, n, z;
    unsigned char flags;
    parse(point, &e, &n, &z, &flags);
    const size_t at = size_t(std::clamp<qsizetype>(row, 0, size()));
    m_east.insert(m_east.begin() + at, e);
    m_north.insert(m_north.begin() + at, n);
    m_elevation.insert(m_elevation.begin() + at, z);
    m_flags.insert(m_flags.begin() + at, flags);
    if (m_keepNames)
        m_names.insert(m_names.begin() + at, point.name);
    invalidate();
}

void PlotPoints::set(qsizetype row, const PointRecord &point)
{
    if (row < 0 || row >= size())
        return;
    const size_t at = size_t(row);
    parse(point, &m_east[at], &m_north[at], &m_elevation[at], &m_flags[at]);
    if (m_keepNames)
        m_names[at] = point.name;
    invalidate();
}

void PlotPoints::remove(qsizetype row, qsizetype count)
{
    if (row < 0 || count <= 0 || row >= size())
        return;
    const size_t first = size_t(row);
    const size_t last = size_t(std::min(size(), row + count));
    m_east.erase(m_east.begin() + first, m_east.begin() + last);
    m_north.erase(m_north.begin() + first, m_north.begin() + last);
    m_elevation.erase(m_elevation.begin() + first, m_elevation.begin() + last);
    m_flags.erase(m_flags.begin() + first, m_flags.begin() + last);
    if (m_keepNames)
        m_names.erase(m_names.begin() + first, m_names.begin() + last);
    invalidate();
}

QString PlotPoints::name(qsizetype row) const
{
    return m_keepNames && row >= 0 && row < size() ? m_names[size_t(row)] : QString();
}

qsizetype PlotPoints::locatedCount() const
{
    extent();
    return m_locatedCount;
}

qsizetype PlotPoints::blankCount() const
{
    extent();
    return m_blankCount;
}

std::vector<qsizetype> PlotPoints::unlocatedRows(qsizetype limit) const
{
    std::vector<qsizetype> rows;
    for (qsizetype i = 0; i < size() && qsizetype(rows.size()) < limit; ++i) {
        if (!(m_flags[size_t(i)] & (kLocated | kBlank)))
            rows.push_back(i);
    }
    return rows;
}

QRectF PlotPoints::extent() const
{
    if (m_extentValid)
        return m_extent;
    double minE = 0, maxE = 0, minN = 0, maxN = 0;
    qsizetype count = 0;
    qsizetype blank = 0;
    const size_t n = m_east.size();
    for (size_t i = 0; i < n; ++i) {
        if (!(m_flags[i] & kLocated)) {
            blank += (m_flags[i] & kBlank) ? 1 : 0;
            continue;
        }
        const double e = m_east[i];
        const double north = m_north[i];
        if (count++ == 0) {
            minE = maxE = e;
            minN = maxN = north;
            continue;
        }
        minE = std::min(minE, e);
        maxE = std::max(maxE, e);
        minN = std::min(minN, north);
        maxN = std::max(maxN, north);
    }
    m_locatedCount = count;
    m_blankCount = blank;
    m_extent = count ? QRectF(QPointF(minE, minN), QPointF(maxE, maxN)) : QRectF();
    m_extentValid = true;
    return m_extent;
}
