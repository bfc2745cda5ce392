// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotPicture.h"

#include "plot/PlanViewport.h"
#include "plot/PlotPoints.h"

#include <QPainter>

#ifdef RQTCOM_HAVE_SVG
#include "core/pcfiles/FileCommit.h"

#include <QSaveFile>
#include <QSvgGenerator>
#endif

namespace {

PlanViewport fitted(const PlotPoints &points, const QSize &size)
{
    PlanViewport view;
    view.setSize(size);
    view.fit(points.extent(), PlotPicture::kMargin);
    return view;
}

} // namespace

QImage PlotPicture::image(const PlotPoints &points, const QSize &size, const PlanStyle &style)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    PlanRenderer::render(painter, points, fitted(points, size), style, {}, namesOf(points));
    painter.end();
    return picture;
}

bool PlotPicture::svgAvailable()
{
#ifdef RQTCOM_HAVE_SVG
    return true;
#else
    return false;
#endif
}

bool PlotPicture::writeSvg(const QString &path, const PlotPoints &points, const QSize &size,
                           const PlanStyle &style, QString *error)
{
#ifdef RQTCOM_HAVE_SVG
    QSaveFile file(path);
    if (!FileCommit::open(file, error))
        return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Plan"));
    QPainter painter(&svg);
    PlanRenderer::render(painter, points, fitted(points, size), style, {}, namesOf(points));
    painter.end();
    return FileCommit::commit(file, error);
#else
    Q_UNUSED(path);
    Q_UNUSED(points);
    Q_UNUSED(size);
    Q_UNUSED(style);
    *error = QStringLiteral("this build of rqtcom writes PNG pictures only");
    return false;
#endif
}

PlanRenderer::NameOf PlotPicture::namesOf(const PlotPoints &points)
{
    return [&points](qsizetype row) {
        return points.name(row);
    };
}
