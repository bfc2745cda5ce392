// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/PointRecord.h"

#include <QRectF>
#include <QString>

#include <vector>

// The points of a plan as numbers: easting, northing and elevation per row,
// packed so a million of them draw in a few milliseconds. A row whose easting
// or northing is empty or no number has no place; it is kept (rows stay
// aligned with the file) and listed, never drawn at 0,0. It is also a sink,
// so a file can be read straight into it.
class PlotPoints : public PointSink
{
public:
    // keepNames: hold each row's name for labels (a reader fills them).
    explicit PlotPoints(bool keepNames = false) : m_keepNames(keepNames) {}

    void clear() override;
    void append(const PointRecord &point) override;
    void reserve(qsizetype rows);

    void set(qsizetype row, const PointRecord &point);
    void insert(qsizetype row, const PointRecord &point);
    void remove(qsizetype row, qsizetype count);

    qsizetype size() const { return qsizetype(m_east.size()); }
    bool isLocated(qsizetype row) const { return m_flags[size_t(row)] & kLocated; }
    bool hasElevation(qsizetype row) const { return m_flags[size_t(row)] & kHasElevation; }
    double east(qsizetype row) const { return m_east[size_t(row)]; }
    double north(qsizetype row) const { return m_north[size_t(row)]; }
    double elevation(qsizetype row) const { return m_elevation[size_t(row)]; }
    // Empty unless names are kept.
    QString name(qsizetype row) const;

    qsizetype locatedCount() const;
    // Rows with nothing in them at all (the editor's empty row to type into):
    // neither drawn nor listed as points without a place.
    qsizetype blankCount() const;
    // Rows without a place that are not blank, in order; at most limit of them.
    std::vector<qsizetype> unlocatedRows(qsizetype limit) const;
    // Bounds of the located points (x easting, y northing); empty without any.
    QRectF extent() const;

    const double *eastData() const { return m_east.data(); }
    const double *northData() const { return m_north.data(); }
    const unsigned char *flagData() const { return m_flags.data(); }

private:
    static constexpr unsigned char kLocated = 1;
    static constexpr unsigned char kHasElevation = 2;
    static constexpr unsigned char kBlank = 4;

    void parse(const PointRecord &point, double *e, double *n, double *z,
               unsigned char *flags) const;
    void invalidate() { m_extentValid = false; }

    bool m_keepNames;
    std::vector<double> m_east;
    std::vector<double> m_north;
    std::vector<double> m_elevation;
    std::vector<unsigned char> m_flags;
    std::vector<QString> m_names;
    mutable QRectF m_extent;
    mutable qsizetype m_locatedCount = 0;
    mutable qsizetype m_blankCount = 0;
    mutable bool m_extentValid = false;
};
