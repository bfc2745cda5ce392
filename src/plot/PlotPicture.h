// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plot/PlanRenderer.h"

#include <QImage>
#include <QSize>
#include <QString>

class PlotPoints;

// A whole plan as a picture: all points fitted into the size, for rqtcom-cli
// plot and the manager's preview.
class PlotPicture
{
public:
    static constexpr double kMargin = 40; // pixels around the points, clear of the scale bar

    static QImage image(const PlotPoints &points, const QSize &size, const PlanStyle &style);

    static bool svgAvailable();
    // False with the reason in error when the file cannot be written.
    static bool writeSvg(const QString &path, const PlotPoints &points, const QSize &size,
                         const PlanStyle &style, QString *error);

    // A label source over the names PlotPoints keeps.
    static PlanRenderer::NameOf namesOf(const PlotPoints &points);
};
