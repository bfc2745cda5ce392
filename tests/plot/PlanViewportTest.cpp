// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlanViewport.h"
#include "plot/PlanRenderer.h"
#include "plot/PlotPoints.h"

#include <QFont>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

PointRecord point(const char *e, const char *n, const char *z = "")
{
    PointRecord p;
    p.easting = QString::fromLatin1(e);
    p.northing = QString::fromLatin1(n);
    p.elevation = QString::fromLatin1(z);
    return p;
}

} // namespace

TEST(PlanViewport, fitShowsEverythingNorthUpWithOneScale)
{
    PlanViewport view;
    view.setSize(QSizeF(200, 200));
    view.fit(QRectF(QPointF(0, 0), QPointF(100, 50)), 24);
    EXPECT_DOUBLE_EQ(view.scale(), 1.52);
    EXPECT_EQ(view.toScreen(0, 0), QPointF(24, 138));
    EXPECT_EQ(view.toScreen(100, 50), QPointF(176, 62)) << "north is up";
    EXPECT_EQ(view.toWorld(QPointF(24, 138)), QPointF(0, 0));
}

TEST(PlanViewport, zoomKeepsThePointUnderThePointerAndPanMovesWithTheDrag)
{
    PlanViewport view;
    view.setSize(QSizeF(300, 200));
    view.fit(QRectF(QPointF(1000, 2000), QPointF(1100, 2100)), 10);
    const QPointF pointer(40, 170);
    const QPointF world = view.toWorld(pointer);
    view.zoomAt(pointer, 2.5);
    const QPointF after = view.toScreen(world.x(), world.y());
    EXPECT_NEAR(after.x(), pointer.x(), 1e-9);
    EXPECT_NEAR(after.y(), pointer.y(), 1e-9);

    const QPointF before = view.toScreen(1050, 2050);
    view.panBy(QPointF(30, -20));
    const QPointF moved = view.toScreen(1050, 2050);
    EXPECT_NEAR(moved.x() - before.x(), 30, 1e-9);
    EXPECT_NEAR(moved.y() - before.y(), -20, 1e-9);
}

TEST(PlotPoints, pointsWithoutCoordinatesAreKeptButHaveNoPlace)
{
    PlotPoints points;
    points.append(point("10", "20", "3.5"));
    points.append(point("", "20"));
    points.append(point("abc", "5"));
    points.append(point(" 30 ", "40"));
    EXPECT_EQ(points.size(), 4);
    EXPECT_EQ(points.locatedCount(), 2);
    EXPECT_EQ(points.unlocatedRows(10), (std::vector<qsizetype>{1, 2}));
    EXPECT_EQ(points.extent(), QRectF(QPointF(10, 20), QPointF(30, 40)));
    EXPECT_TRUE(points.hasElevation(0));
    EXPECT_FALSE(points.hasElevation(3));

    points.set(1, point("0", "0"));
    EXPECT_EQ(points.extent(), QRectF(QPointF(0, 0), QPointF(30, 40)));
    points.remove(0, 2);
    EXPECT_EQ(points.size(), 2);
    EXPECT_EQ(points.locatedCount(), 1);
    points.insert(0, point("-5", "-5"));
    EXPECT_EQ(points.east(0), -5);
    EXPECT_EQ(points.extent(), QRectF(QPointF(-5, -5), QPointF(30, 40)));
}

TEST(PlanRenderer, theNoteStandsBesideTheScaleBarOrAboveItNeverOverIt)
{
    const QFontMetricsF metrics{QFont()};
    const QString note = QStringLiteral("Without coordinates (3): K1, K2, K3");
    const QSizeF wide(800, 400);
    const QRectF beside = PlanRenderer::noteRect(metrics, wide, note);
    EXPECT_EQ(beside.bottom(), wide.height());
    EXPECT_EQ(beside.right(), wide.width());

    const QSizeF narrow(260, 400);
    const QRectF above = PlanRenderer::noteRect(metrics, narrow, note);
    const QRectF band(QPointF(0, narrow.height() - PlanRenderer::kScaleBarBand.height()),
                      PlanRenderer::kScaleBarBand);
    EXPECT_FALSE(above.intersects(band));
    EXPECT_LE(above.width(), narrow.width());
}
