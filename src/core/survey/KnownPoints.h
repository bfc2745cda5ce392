// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <optional>

struct KnownPoint
{
    double easting = 0;
    double northing = 0;
    std::optional<double> elevation;
};

// Points of known coordinates, by name: the backsights and stations a
// reduction looks up.
class KnownPoints
{
public:
    // A name already known keeps its first coordinates.
    void insert(const QString &name, const KnownPoint &point);
    const KnownPoint *find(const QString &name) const;
    qsizetype size() const { return m_points.size(); }
    bool isEmpty() const { return m_points.isEmpty(); }

    // Adds the named points of any coordinate file rqtcom reads (by its
    // extension); points without a name or without easting and northing are
    // left out. False with *error when the file cannot be read as coordinates.
    bool load(const QString &path, QString *error);

private:
    QHash<QString, KnownPoint> m_points;
};
