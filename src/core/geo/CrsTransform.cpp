// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geo/CrsTransform.h"

#include <QRegularExpression>

#ifdef RQTCOM_HAVE_PROJ
#include <proj.h>

#include <QLibrary>

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

namespace {

// PROJ is loaded the first time a coordinate system is asked for, not linked:
// linked, its database, network and TLS libraries came into every start of
// rqtcom-cli and took most of its start-up time, for the two formats that
// need it.
struct ProjApi
{
    decltype(&proj_context_create) context_create = nullptr;
    decltype(&proj_context_destroy) context_destroy = nullptr;
    decltype(&proj_log_level) log_level = nullptr;
    decltype(&proj_create) create = nullptr;
    decltype(&proj_destroy) destroy = nullptr;
    decltype(&proj_get_type) get_type = nullptr;
    decltype(&proj_get_name) get_name = nullptr;
    decltype(&proj_crs_get_coordinate_system) crs_get_coordinate_system = nullptr;
    decltype(&proj_cs_get_axis_info) cs_get_axis_info = nullptr;
    decltype(&proj_get_area_of_use) get_area_of_use = nullptr;
    decltype(&proj_create_crs_to_crs_from_pj) create_crs_to_crs_from_pj = nullptr;
    decltype(&proj_normalize_for_visualization) normalize_for_visualization = nullptr;
    decltype(&proj_coord) coord = nullptr;
    decltype(&proj_trans) trans = nullptr;
    QString error;
};

template <typename F> bool resolve(QLibrary &library, const char *name, F *function)
{
    *function = reinterpret_cast<F>(library.resolve(name));
    return *function != nullptr;
}

const ProjApi &proj()
{
    static const ProjApi api = [] {
        ProjApi a;
        // Never unloaded: the functions stay valid for the whole run.
        static QLibrary library(QStringLiteral(RQTCOM_PROJ_LIBRARY));
        if (!library.load()) {
            a.error = library.errorString();
            return a;
        }
        const bool all =
            resolve(library, "proj_context_create", &a.context_create) &&
            resolve(library, "proj_context_destroy", &a.context_destroy) &&
            resolve(library, "proj_log_level", &a.log_level) &&
            resolve(library, "proj_create", &a.create) &&
            resolve(library, "proj_destroy", &a.destroy) &&
            resolve(library, "proj_get_type", &a.get_type) &&
            resolve(library, "proj_get_name", &a.get_name) &&
            resolve(library, "proj_crs_get_coordinate_system", &a.crs_get_coordinate_system) &&
            resolve(library, "proj_cs_get_axis_info", &a.cs_get_axis_info) &&
            resolve(library, "proj_get_area_of_use", &a.get_area_of_use) &&
            resolve(library, "proj_create_crs_to_crs_from_pj", &a.create_crs_to_crs_from_pj) &&
            resolve(library, "proj_normalize_for_visualization", &a.normalize_for_visualization) &&
            resolve(library, "proj_coord", &a.coord) && resolve(library, "proj_trans", &a.trans);
        if (!all) {
            a = ProjApi();
            a.error = library.errorString();
        }
        return a;
    }();
    return api;
}

} // namespace

struct CrsTransform::Impl
{
    PJ_CONTEXT *context = nullptr;
    PJ *transform = nullptr;
    double west = -180, south = -90, east = 180, north = 90;

    ~Impl()
    {
        if (transform)
            proj().destroy(transform);
        if (context)
            proj().context_destroy(context);
    }
};

bool CrsTransform::available()
{
    return proj().create != nullptr;
}

CrsTransform::CrsTransform(const QString &crs)
{
    m_code = normalised(crs);
    if (m_code.isEmpty()) {
        m_error = QStringLiteral("\"%1\" is no coordinate system; give one as EPSG:NNNN").arg(crs);
        return;
    }
    if (!proj().create) {
        m_error = QStringLiteral("PROJ, which GeoJSON and KML need, cannot be loaded: %1")
                      .arg(proj().error);
        return;
    }
    auto impl = std::make_unique<Impl>();
    impl->context = proj().context_create();
    proj().log_level(impl->context, PJ_LOG_NONE);
    const QByteArray code = m_code.toLatin1();
    PJ *source = proj().create(impl->context, code.constData());
    if (!source) {
        m_error = QStringLiteral("%1 is no coordinate system PROJ knows").arg(m_code);
        return;
    }
    const PJ_TYPE type = proj().get_type(source);
    m_name = QString::fromUtf8(proj().get_name(source));
    bool metres = false;
    if (type == PJ_TYPE_PROJECTED_CRS) {
        if (PJ *cs = proj().crs_get_coordinate_system(impl->context, source)) {
            double factor = 0;
            if (proj().cs_get_axis_info(impl->context, cs, 0, nullptr, nullptr, nullptr, &factor,
                                        nullptr, nullptr, nullptr))
                metres = std::fabs(factor - 1.0) < 1e-12;
            proj().destroy(cs);
        }
    }
    double west = 0, south = 0, east = 0, north = 0;
    const bool hasArea =
        proj().get_area_of_use(impl->context, source, &west, &south, &east, &north, nullptr);
    if (type != PJ_TYPE_PROJECTED_CRS) {
        proj().destroy(source);
        m_error = QStringLiteral("%1 (%2) is no projected system; the points hold plane "
                                 "coordinates in metres")
                      .arg(m_code, m_name);
        return;
    }
    if (!metres) {
        proj().destroy(source);
        m_error = QStringLiteral("%1 (%2) does not measure in metres, as the points do")
                      .arg(m_code, m_name);
        return;
    }
    PJ *wgs84 = proj().create(impl->context, "EPSG:4326");
    PJ *raw = wgs84
                  ? proj().create_crs_to_crs_from_pj(impl->context, source, wgs84, nullptr, nullptr)
                  : nullptr;
    if (wgs84)
        proj().destroy(wgs84);
    proj().destroy(source);
    if (!raw) {
        m_error = QStringLiteral("PROJ finds no way from %1 to WGS 84").arg(m_code);
        return;
    }
    // Easting first and longitude first, whatever order the EPSG definitions use.
    impl->transform = proj().normalize_for_visualization(impl->context, raw);
    proj().destroy(raw);
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
    PJ_COORD c = proj().coord(easting, northing, 0, 0);
    c = proj().trans(m_impl->transform, PJ_FWD, c);
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
    PJ_COORD c = proj().coord(lon, lat, 0, 0);
    c = proj().trans(m_impl->transform, PJ_INV, c);
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
