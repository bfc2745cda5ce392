// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

// One coordinate point as the editor's grid holds it: six text fields, in the
// grid's column order. Coordinates stay text from reading to writing; only the
// writers that need numbers convert them.
struct PointRecord
{
    static constexpr int kFieldCount = 6;

    QString number;    // row label
    QString name;      // point name
    QString easting;   // Y, metres
    QString northing;  // X, metres
    QString elevation; // H, metres
    QString code;      // point code; SOUTH and IDX read and write it, other formats have none

    // A row without easting and northing (the empty row the grid appends)
    // is no point and goes into no file.
    bool hasPosition() const { return !easting.isEmpty() || !northing.isEmpty(); }

    QString &field(int index);
    const QString &field(int index) const;

    bool operator==(const PointRecord &other) const;
    bool operator!=(const PointRecord &other) const { return !(*this == other); }
};

// Where a reader puts the points it reads. A reader calls clear() only once it
// knows the file is of its format, so a rejected file leaves the rows as they were.
class PointSink
{
public:
    virtual ~PointSink() = default;
    virtual void clear() = 0;
    virtual void append(const PointRecord &point) = 0;
};

// What a writer writes, row by row in order.
class PointSource
{
public:
    virtual ~PointSource() = default;
    virtual qsizetype pointCount() const = 0;
    virtual PointRecord point(qsizetype row) const = 0;
    // PointRecord::hasPosition of a row; sources that can tell without building
    // the record answer faster.
    virtual bool hasPosition(qsizetype row) const { return point(row).hasPosition(); }
};

// A plain list of points: both a sink and a source.
class PointList : public PointSink, public PointSource
{
public:
    PointList() = default;
    explicit PointList(QVector<PointRecord> points) : m_points(std::move(points)) {}

    void clear() override { m_points.clear(); }
    void append(const PointRecord &point) override { m_points.append(point); }
    qsizetype pointCount() const override { return m_points.size(); }
    PointRecord point(qsizetype row) const override { return m_points.at(row); }

    const QVector<PointRecord> &points() const { return m_points; }
    QVector<PointRecord> &points() { return m_points; }

private:
    QVector<PointRecord> m_points;
};
