// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrsTransform.h"

#include <QRegularExpression>

#ifdef RQTCOM_HAVE_PROJ
#include <proj.h>

#include <cmath>
#endif

namespace {
// How far outside its area of use a point may lie, in degrees: work at a zone's
// edge is common, a point of another zone or with swapped axes is far beyond.
constexpr double kAreaMargin = 1.0;
} // namespace

QString CrsTransform::normalised(const QString &crs)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(?:EPSG\\s*:\\s*)?(\\d{4,6})\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(crs);
    return match.hasMatch() ? QStringLiteral("EPSG:") + match.captured(1) : QString();
}

#ifdef RQTCOM_HAVE_PROJ

struct CrsTransform::Impl
{
    PJ_CONTEXT *context = nullptr;
    PJ *transform = nullptr;
    double west = -180, south = -90, east = 180, north = 90;

    ~Impl()
    {
        if (transform)
            proj_destroy(transform);
        if (context)
            proj_context_destroy(context);
    }
};

bool CrsTransform::available()
{
    return true;
}

CrsTransform::CrsTransform(const QString &crs)
{
    m_code = normalised(crs);
    if (m_code.isEmpty()) {
        m_error = QStringLiteral("\"%1\" is no coordinate system; give one as EPSG:NNNN").arg(crs);
        return;
    }
    auto impl = std::make_unique<Impl>();
    impl->context = proj_context_create();
    proj_log_level(impl->context, PJ_LOG_NONE);
    const QByteArray code = m_code.toLatin1();
    PJ *source = proj_create(impl->context, code.constData());
    if (!source) {
        m_error = QStringLiteral("%1 is no coordinate system PROJ knows").arg(m_code);
        return;
    }
    const PJ_TYPE type = proj_get_type(source);
    m_name = QString::fromUtf8(proj_get_name(source));
    bool metres = false;
    if (type == PJ_TYPE_PROJECTED_CRS) {
        if (PJ *cs = proj_crs_get_coordinate_system(impl->context, source)) {
            double factor = 0;
            if (proj_cs_get_axis_info(impl->context, cs, 0, nullptr, nullptr, nullptr, &factor,
                                      nullptr, nullptr, nullptr))
                metres = std::fabs(factor - 1.0) < 1e-12;
            proj_destroy(cs);
        }
    }
    double west = 0, south = 0, east = 0, north = 0;
    const bool hasArea =
        proj_get_area_of_use(impl->context, source, &west, &south, &east, &north, nullptr);
    if (type != PJ_TYPE_PROJECTED_CRS) {
        proj_destroy(source);
        m_error = QStringLiteral("%1 (%2) is no projected system; the points hold plane "
                                 "coordinates in metres")
                      .arg(m_code, m_name);
        return;
    }
    if (!metres) {
        proj_destroy(source);
        m_error = QStringLiteral("%1 (%2) does not measure in metres, as the points do")
                      .arg(m_code, m_name);
        return;
    }
    PJ *wgs84 = proj_create(impl->context, "EPSG:4326");
    PJ *raw = wgs84 ? proj_create_crs_to_crs_from_pj(impl->context, source, wgs84, nullptr, nullptr)
                    : nullptr;
    if (wgs84)
        proj_destroy(wgs84);
    proj_destroy(source);
    if (!raw) {
        m_error = QStringLiteral("PROJ finds no way from %1 to WGS 84").arg(m_code);
        return;
    }
    // Easting first and longitude first, whatever order the EPSG definitions use.
    impl->transform = proj_normalize_for_visualization(impl->context, raw);
    proj_destroy(raw);
    if (!impl->transform) {
        m_error = QStringLiteral("PROJ finds no way from %1 to WGS 84").arg(m_code);
        return;
    }
    if (hasArea && west > -1000) {
        impl->west = west;
        impl->south = south;
        impl->east = east < west ? east + 360 : east;
        impl->north = north;
    }
    m_impl = std::move(impl);
}

bool CrsTransform::toWgs84(double easting, double northing, double *lon, double *lat) const
{
    if (!m_impl)
        return false;
    PJ_COORD c = proj_coord(easting, northing, 0, 0);
    c = proj_trans(m_impl->transform, PJ_FWD, c);
    if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL)
        return false;
    double x = c.xy.x;
    if (x < m_impl->west - kAreaMargin)
        x += 360;
    if (x < m_impl->west - kAreaMargin || x > m_impl->east + kAreaMargin ||
        c.xy.y < m_impl->south - kAreaMargin || c.xy.y > m_impl->north + kAreaMargin)
        return false;
    *lon = c.xy.x;
    *lat = c.xy.y;
    return true;
}

bool CrsTransform::fromWgs84(double lon, double lat, double *easting, double *northing) const
{
    if (!m_impl)
        return false;
    PJ_COORD c = proj_coord(lon, lat, 0, 0);
    c = proj_trans(m_impl->transform, PJ_INV, c);
    if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL)
        return false;
    *easting = c.xy.x;
    *northing = c.xy.y;
    return true;
}

#else

struct CrsTransform::Impl
{
};

bool CrsTransform::available()
{
    return false;
}

CrsTransform::CrsTransform(const QString &crs)
{
    m_code = normalised(crs);
    m_error = QStringLiteral("this build of rqtcom has no coordinate transformation (PROJ); "
                             "GeoJSON and KML cannot be written");
}

bool CrsTransform::toWgs84(double, double, double *, double *) const
{
    return false;
}

bool CrsTransform::fromWgs84(double, double, double *, double *) const
{
    return false;
}

#endif

CrsTransform::~CrsTransform() = default;
