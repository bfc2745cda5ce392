// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotPicture.h"
#include "plot/PlanRenderer.h"
#include "plot/PlanViewport.h"
#include "plot/PlotPoints.h"

#include <QLineF>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

PointRecord point(const char *name, const char *e, const char *n)
{
    PointRecord p;
    p.name = QString::fromLatin1(name);
    p.easting = QString::fromLatin1(e);
    p.northing = QString::fromLatin1(n);
    return p;
}

// Pixels of exactly colour in a square of radius r around p.
int pixelsOf(const QImage &image, QPoint p, int r, QColor colour)
{
    int count = 0;
    for (int y = p.y() - r; y <= p.y() + r; ++y)
        for (int x = p.x() - r; x <= p.x() + r; ++x)
            count += image.valid(x, y) && image.pixelColor(x, y) == colour;
    return count;
}

} // namespace

TEST(PlotPicture, crossesStandWhereThePointsLieAndNowhereElse)
{
    PlotPoints points(true);
    points.append(point("A", "0", "0"));
    points.append(point("B", "100", "0"));
    points.append(point("C", "0", "50"));
    points.append(point("lost", "", ""));
    PlanStyle style;
    style.labels = false;
    const QImage image = PlotPicture::image(points, QSize(200, 200), style);
    // Margin 40: scale 1.2 px/m, centre (50, 25).
    for (const QPoint p : {QPoint(40, 130), QPoint(160, 130), QPoint(40, 70)})
        EXPECT_EQ(pixelsOf(image, p, 2, style.point), 9) << p.x() << "," << p.y();
    // The middle of the triangle, far from every point, is background.
    EXPECT_EQ(pixelsOf(image, QPoint(100, 100), 6, style.point), 0);
}

TEST(PlotPicture, labelsNeverOverlapAndSelectedPointsStandOut)
{
    PlotPoints points(true);
    for (int i = 0; i < 40; ++i)
        points.append(point("LONGNAME", QByteArray::number(i * 0.1).constData(), "0"));
    points.append(point("far", "100", "100"));
    PlanViewport view;
    view.setSize(QSizeF(300, 300));
    view.fit(points.extent(), 40);
    QImage image(300, 300, QImage::Format_RGB32);
    PlanStyle style;
    const auto names = [&](qsizetype row) {
        return points.name(row);
    };
    const std::vector<PlanRenderer::Label> labels =
        PlanRenderer::placeLabels(QFont(), &image, points, view, style, {40}, names);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_LT(labels.size(), 10u) << "forty names on one spot cannot all be written";
    EXPECT_EQ(labels.front().row, 40) << "the selected point is labelled first";
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_TRUE(QRectF(0, 0, 300, 300).contains(labels[i].rect));
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect)) << i << " " << j;
    }
    // The label stands beside its point, not on it.
    const QPointF far = view.toScreen(100, 100);
    EXPECT_FALSE(labels.front().rect.contains(far));
    EXPECT_LT(QLineF(labels.front().rect.center(), far).length(), 40);

    QPainter painter(&image);
    PlanRenderer::render(painter, points, view, style, {40}, names);
    painter.end();
    int reddish = 0;
    for (int dy = -7; dy <= 7; ++dy)
        for (int dx = -7; dx <= 7; ++dx) {
            const QColor c = image.pixelColor(far.toPoint() + QPoint(dx, dy));
            reddish += c.red() > 150 && c.green() < 120 && c.blue() < 120;
        }
    EXPECT_GT(reddish, 8) << "the selected point is ringed in the selection colour";
}

TEST(PlotPicture, scaleBarTakesRoundLengths)
{
    EXPECT_DOUBLE_EQ(PlanRenderer::scaleBarMetres(1.0, 160), 100);
    EXPECT_DOUBLE_EQ(PlanRenderer::scaleBarMetres(0.01, 160), 10000);
    EXPECT_DOUBLE_EQ(PlanRenderer::scaleBarMetres(3.0, 160), 50);
    EXPECT_EQ(PlanRenderer::lengthText(5000), QStringLiteral("5 km"));
    EXPECT_EQ(PlanRenderer::lengthText(0.5), QStringLiteral("0.5 m"));
}
