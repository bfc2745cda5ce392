// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where the plan's world (easting right, northing up, metres) lands on a
// picture of a given size in pixels: north up, one scale for both axes.
class PlanViewport
{
public:
    void setSize(const QSizeF &pixels) { m_size = pixels; }
    QSizeF size() const { return m_size; }

    // Shows all of extent with margin pixels around it; a single point or an
    // empty extent gets a 10 m wide view.
    void fit(const QRectF &extent, double margin);

    QPointF centre() const { return m_centre; }
    void setCentre(const QPointF &world) { m_centre = world; }
    double scale() const { return m_scale; } // pixels per metre
    void setScale(double pixelsPerMetre);

    QPointF toScreen(double east, double north) const
    {
        return {m_size.width() / 2 + (east - m_centre.x()) * m_scale,
                m_size.height() / 2 - (north - m_centre.y()) * m_scale};
    }
    QPointF toWorld(const QPointF &pixel) const;
    // The world shown, as a rectangle of easting (x) and northing (y).
    QRectF visibleWorld() const;

    // Zooms by factor keeping the world point under pixel where it is.
    void zoomAt(const QPointF &pixel, double factor);
    // Moves the picture by delta pixels, as dragging it does.
    void panBy(const QPointF &delta);

private:
    QSizeF m_size{100, 100};
    QPointF m_centre;
    double m_scale = 1.0;
};
