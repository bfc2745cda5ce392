// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlanViewport.h"

#include <algorithm>
#include <cmath>

namespace {
// Zoom stops where a pixel is a tenth of a millimetre or a thousand kilometres.
constexpr double kMinScale = 1e-6;
constexpr double kMaxScale = 1e4;
constexpr double kSinglePointWidth = 10.0;
} // namespace

void PlanViewport::setScale(double pixelsPerMetre)
{
    m_scale = std::clamp(pixelsPerMetre, kMinScale, kMaxScale);
}

void PlanViewport::fit(const QRectF &extent, double margin)
{
    const double w = std::max(1.0, m_size.width() - 2 * margin);
    const double h = std::max(1.0, m_size.height() - 2 * margin);
    m_centre = extent.center();
    const double ew = extent.width();
    const double eh = extent.height();
    if (ew <= 0 && eh <= 0) {
        setScale(w / kSinglePointWidth);
        return;
    }
    const double sx = ew > 0 ? w / ew : kMaxScale;
    const double sy = eh > 0 ? h / eh : kMaxScale;
    setScale(std::min(sx, sy));
}

QPointF PlanViewport::toWorld(const QPointF &pixel) const
{
    return {m_centre.x() + (pixel.x() - m_size.width() / 2) / m_scale,
            m_centre.y() - (pixel.y() - m_size.height() / 2) / m_scale};
}

QRectF PlanViewport::visibleWorld() const
{
    const QPointF a = toWorld(QPointF(0, m_size.height()));
    const QPointF b = toWorld(QPointF(m_size.width(), 0));
    return QRectF(a, b).normalized();
}

void PlanViewport::zoomAt(const QPointF &pixel, double factor)
{
    const QPointF before = toWorld(pixel);
    setScale(m_scale * factor);
    const QPointF after = toWorld(pixel);
    m_centre += before - after;
}

void PlanViewport::panBy(const QPointF &delta)
{
    m_centre -= QPointF(delta.x() / m_scale, -delta.y() / m_scale);
}
