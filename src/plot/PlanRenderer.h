// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

class PlanViewport;
class PlotPoints;
class QFont;
class QFontMetricsF;
class QPaintDevice;
class QPainter;

// An instrument set-up on the plan: a triangle and its name, above the points.
struct PlanStation
{
    double east = 0;
    double north = 0;
    QString name;
};

// How a plan is drawn.
struct PlanStyle
{
    bool labels = true;      // names beside points, where they fit
    bool elevations = false; // elevation after the name
    QColor background = QColor(0xFF, 0xFF, 0xFF);
    QColor point = QColor(0x10, 0x40, 0x90);
    QColor selected = QColor(0xD0, 0x20, 0x10);
    QColor text = QColor(0x30, 0x30, 0x30);
    int markRadius = 3; // half the size of a point's cross, in pixels
    QString note;       // drawn in the lower right corner, e.g. points without coordinates
    QColor station = QColor(0x10, 0x80, 0x30);
    std::vector<PlanStation> stations; // the set-ups the points were measured from
};

// Draws points on a plan: a cross per point, the selected ones over the rest,
// labels where they fit without overlapping, a scale bar and a north arrow.
// On a 32-bit QImage the crosses are written straight into the pixels, which
// keeps a million points within a few milliseconds; any other device (SVG)
// gets the same drawing through QPainter.
class PlanRenderer
{
public:
    using NameOf = std::function<QString(qsizetype row)>;

    // More visible points than this draw no labels: they could not be read.
    static constexpr qsizetype kMaxLabelledPoints = 4000;

    struct Label
    {
        qsizetype row;
        QRectF rect;
        QString text;
    };
    // Where the labels go: beside their point (right, left, above or below,
    // the first that is free), never over another label, the scale bar, the
    // north arrow or the note; selected points first.
    static std::vector<Label> placeLabels(const QFont &font, QPaintDevice *device,
                                          const PlotPoints &points, const PlanViewport &view,
                                          const PlanStyle &style,
                                          const std::vector<qsizetype> &selected,
                                          const NameOf &nameOf);

    static void render(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                       const PlanStyle &style, const std::vector<qsizetype> &selected,
                       const NameOf &nameOf);

    // extent (x easting, y northing; meaningful when hasPoints) grown to hold
    // the stations too.
    static QRectF withStations(const QRectF &extent, bool hasPoints,
                               const std::vector<PlanStation> &stations);
    // Pixels from a station's centre to the corners of its triangle.
    static constexpr double kStationRadius = 7;

    // The scale bar's length for a scale: 1, 2 or 5 times a power of ten,
    // about maxPixels long or less.
    static double scaleBarMetres(double pixelsPerMetre, double maxPixels);
    static QString lengthText(double metres);
    // Where the note goes: the bottom right corner, raised over the scale
    // bar's band when the plan is too narrow for both side by side.
    static QRectF noteRect(const QFontMetricsF &metrics, const QSizeF &size, const QString &note);
    static constexpr QSizeF kScaleBarBand{200, 36};

private:
    // rows: only these rows (all when null), in colour.
    static void drawMarksFast(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                              const PlanStyle &style, const std::vector<qsizetype> *rows,
                              const QColor &colour);
    static void drawMarks(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                          const PlanStyle &style);
    static void drawSelected(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                             const PlanStyle &style, const std::vector<qsizetype> &selected);
    static void drawLabels(QPainter &painter, const PlotPoints &points, const PlanViewport &view,
                           const PlanStyle &style, const std::vector<qsizetype> &selected,
                           const NameOf &nameOf);
    static void drawStations(QPainter &painter, const PlanViewport &view, const PlanStyle &style);
    static void drawScaleBar(QPainter &painter, const PlanViewport &view, const PlanStyle &style);
    static void drawNorthArrow(QPainter &painter, const PlanViewport &view, const PlanStyle &style);
};
