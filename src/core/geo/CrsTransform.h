// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// Plane coordinates of one projected system to WGS 84 longitude/latitude, the
// one place that talks to PROJ. Builds without PROJ have no transform at all:
// every instance is invalid and says why, so GeoJSON and KML are refused
// instead of written with plane numbers where degrees belong.
class CrsTransform
{
public:
    // crs: "EPSG:NNNN" (a bare number is taken as an EPSG code). It must be a
    // projected system in metres, as the coordinate files are.
    explicit CrsTransform(const QString &crs);
    ~CrsTransform();
    CrsTransform(const CrsTransform &) = delete;
    CrsTransform &operator=(const CrsTransform &) = delete;

    static bool available();
    // "EPSG:2383" for " epsg:2383 " or "2383"; empty when the text is no EPSG code.
    static QString normalised(const QString &crs);

    bool isValid() const { return m_impl != nullptr; }
    QString error() const { return m_error; }
    // The system's name, e.g. "Xian 1980 / 3-degree Gauss-Kruger CM 117E".
    QString name() const { return m_name; }
    QString code() const { return m_code; }

    // Easting/northing in metres to longitude/latitude in degrees. False when
    // PROJ cannot transform the point or it falls far outside the system's area
    // of use (a point of another zone, or easting and northing swapped).
    bool toWgs84(double easting, double northing, double *lon, double *lat) const;
    // Inverse of toWgs84, for checking a file read back.
    bool fromWgs84(double lon, double lat, double *easting, double *northing) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    QString m_error;
    QString m_name;
    QString m_code;
};
