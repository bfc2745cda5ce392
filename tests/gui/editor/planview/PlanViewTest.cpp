// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PlanView.h"
#include "gui/editor/PointTableModel.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

PointRecord point(const QString &name, const char *e, const char *n, const char *z = "")
{
    PointRecord p;
    p.name = name;
    p.easting = QString::fromLatin1(e);
    p.northing = QString::fromLatin1(n);
    p.elevation = QString::fromLatin1(z);
    return p;
}

// A model of a few points, its selection, and a plan of 300 x 300 shown on screen.
class PlanViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_model.append(point(QStringLiteral("A"), "1000", "2000", "10"));
        m_model.append(point(QStringLiteral("B"), "1100", "2000"));
        m_model.append(point(QStringLiteral("C"), "1000", "2100"));
        m_model.append(point(QStringLiteral("NOXY"), "", ""));
        m_plan.resize(300, 300);
        m_plan.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_plan));
    }

    QPoint screenOf(qsizetype row) const
    {
        const PlotPoints &pts = m_plan.points();
        return m_plan.viewport().toScreen(pts.east(row), pts.north(row)).toPoint();
    }

    PointTableModel m_model;
    QItemSelectionModel m_selection{&m_model};
    PlanView m_plan{&m_model, &m_selection};
};

} // namespace

TEST_F(PlanViewTest, followsEditsInsertsAndLoads)
{
    EXPECT_EQ(m_plan.points().size(), 4);
    EXPECT_EQ(m_plan.points().locatedCount(), 3);

    m_model.setCellText(1, 2, QStringLiteral("1200.5"));
    EXPECT_EQ(m_plan.points().east(1), 1200.5);
    m_model.setCellText(3, 2, QStringLiteral("1050"));
    m_model.setCellText(3, 3, QStringLiteral("2050"));
    EXPECT_TRUE(m_plan.points().isLocated(3)) << "a point given coordinates appears";

    m_model.insertPoint(0, point(QStringLiteral("NEW"), "900", "1900"));
    EXPECT_EQ(m_plan.points().size(), 5);
    EXPECT_EQ(m_plan.points().east(0), 900);
    EXPECT_EQ(m_plan.points().east(1), 1000);

    m_model.beginBulkLoad();
    m_model.clear();
    m_model.append(point(QStringLiteral("Z"), "5", "5"));
    m_model.endBulkLoad();
    EXPECT_EQ(m_plan.points().size(), 1);
    EXPECT_EQ(m_plan.points().extent(), QRectF(QPointF(5, 5), QPointF(5, 5)));
}

TEST_F(PlanViewTest, clickOnAPointSelectsItsRowAndClickBesideClearsIt)
{
    QSignalSpy clicked(&m_plan, &PlanView::rowClicked);
    const QPoint b = screenOf(1);
    EXPECT_EQ(m_plan.rowAt(b + QPoint(3, -3)), 1);
    EXPECT_EQ(m_plan.rowAt(b + QPoint(12, 0)), -1);

    QTest::mouseClick(&m_plan, Qt::LeftButton, Qt::NoModifier, b + QPoint(2, 1));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 1);
    EXPECT_TRUE(m_selection.isRowSelected(1));
    EXPECT_EQ(m_plan.selectedRows(), (std::vector<qsizetype>{1}));

    QTest::mouseClick(&m_plan, Qt::LeftButton, Qt::ControlModifier, screenOf(2));
    EXPECT_TRUE(m_selection.isRowSelected(1));
    EXPECT_TRUE(m_selection.isRowSelected(2));

    QTest::mouseClick(&m_plan, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    EXPECT_FALSE(m_selection.hasSelection());
}

TEST_F(PlanViewTest, rowsSelectedElsewhereAreHighlightedAndBroughtIntoView)
{
    m_plan.viewport().zoomAt(screenOf(0), 20); // only A is in view now
    ASSERT_FALSE(QRectF(m_plan.rect()).contains(screenOf(2)));
    m_selection.select(m_model.index(2, 0),
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(m_plan.selectedRows(), (std::vector<qsizetype>{2}));
    m_plan.repaint();
    EXPECT_TRUE(QRectF(m_plan.rect()).contains(screenOf(2))) << "centred on C";

    // The highlight is drawn: selection colour around C's place.
    QTest::qWait(1);
    const QImage shot = m_plan.grab().toImage();
    const QPoint c = screenOf(2);
    int red = 0;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx)
            red += shot.pixelColor(c + QPoint(dx, dy)).red() > 150 &&
                   shot.pixelColor(c + QPoint(dx, dy)).blue() < 100;
    EXPECT_GT(red, 4);
}

TEST_F(PlanViewTest, wheelZoomsAroundThePointerDragPansAndHomeFitsAll)
{
    const PlanViewport before = m_plan.viewport();
    const QPoint pointer = screenOf(0) + QPoint(10, 10);
    const QPointF world = before.toWorld(pointer);
    QWheelEvent wheel(pointer, m_plan.mapToGlobal(pointer), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&m_plan, &wheel);
    EXPECT_NEAR(m_plan.viewport().scale(), before.scale() * 1.5625, 1e-9);
    const QPointF still = m_plan.viewport().toScreen(world.x(), world.y());
    EXPECT_NEAR(still.x(), pointer.x(), 1e-6);
    EXPECT_NEAR(still.y(), pointer.y(), 1e-6);

    const QPoint a = screenOf(0);
    QTest::mousePress(&m_plan, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&m_plan, QPoint(130, 120));
    QTest::mouseMove(&m_plan, QPoint(160, 140));
    QTest::mouseRelease(&m_plan, Qt::LeftButton, Qt::NoModifier, QPoint(160, 140));
    EXPECT_EQ(screenOf(0), a + QPoint(60, 40));
    EXPECT_FALSE(m_selection.hasSelection()) << "a drag is no click";

    QTest::keyClick(&m_plan, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(m_plan.viewport().scale(), before.scale());
    EXPECT_EQ(screenOf(0), before.toScreen(1000, 2000).toPoint());
}

TEST_F(PlanViewTest, pointsWithoutCoordinatesAreListedNotDrawnAtTheOrigin)
{
    m_model.setCellText(0, 2, QStringLiteral("0"));
    m_model.setCellText(0, 3, QStringLiteral("0"));
    EXPECT_EQ(m_plan.points().extent(), QRectF(QPointF(0, 0), QPointF(1100, 2100)));
    m_model.setCellText(0, 2, QString());
    EXPECT_EQ(m_plan.points().extent(), QRectF(QPointF(1000, 2000), QPointF(1100, 2100)))
        << "a point with only one coordinate has no place";
    EXPECT_EQ(m_plan.points().unlocatedRows(10), (std::vector<qsizetype>{0, 3}));
}

TEST_F(PlanViewTest, aRowWithNothingInItIsNoPointWithoutCoordinates)
{
    // The editor's empty row to type into is not a point the note should list.
    EXPECT_EQ(m_plan.note(), QStringLiteral("Without coordinates (1): NOXY"));
    m_model.append(PointRecord());
    EXPECT_EQ(m_plan.points().blankCount(), 1);
    EXPECT_EQ(m_plan.note(), QStringLiteral("Without coordinates (1): NOXY"));
    m_model.setCellText(4, 5, QStringLiteral("BM"));
    EXPECT_EQ(m_plan.note(), QStringLiteral("Without coordinates (2): NOXY, #5"))
        << "a code alone makes a row a point";
    m_model.setCellText(3, 1, QString());
    m_model.setCellText(4, 5, QString());
    EXPECT_TRUE(m_plan.note().isEmpty());
}

TEST_F(PlanViewTest, stationsAreMarkedInTheirColourKeptInViewAndGoneWithTheNextFile)
{
    // A station outside the points' extent: the view grows to hold it.
    m_plan.setStations({{900, 1900, QStringLiteral("ST1")}});
    const QRectF world = m_plan.viewport().visibleWorld();
    EXPECT_TRUE(world.contains(QPointF(900, 1900)));
    EXPECT_TRUE(world.contains(QPointF(1100, 2100)));

    const QImage image = m_plan.grab().toImage();
    const QPoint at = m_plan.viewport().toScreen(900, 1900).toPoint();
    const QColor colour = PlanStyle().station;
    int marked = 0;
    int elsewhere = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) >
                60)
                continue;
            // The triangle and the name to its upper right.
            if (std::abs(x - at.x()) <= 80 && y >= at.y() - 40 && y <= at.y() + 8)
                ++marked;
            else
                ++elsewhere;
        }
    }
    EXPECT_GT(marked, 20);
    EXPECT_EQ(elsewhere, 0);

    m_model.beginBulkLoad();
    m_model.clear();
    m_model.append(point(QStringLiteral("Z"), "5", "5"));
    m_model.endBulkLoad();
    EXPECT_TRUE(m_plan.stations().empty());
}

TEST(PlanRendererStations, extentHoldsStationsWithOrWithoutPoints)
{
    const std::vector<PlanStation> stations = {{10, 20, QString()}, {-5, 40, QString()}};
    EXPECT_EQ(PlanRenderer::withStations(QRectF(QPointF(0, 0), QPointF(1, 1)), true, stations),
              QRectF(QPointF(-5, 0), QPointF(10, 40)));
    // One point at 3,3 has an extent without size: it is kept.
    EXPECT_EQ(PlanRenderer::withStations(QRectF(QPointF(3, 3), QSizeF(0, 0)), true, {stations[0]}),
              QRectF(QPointF(3, 3), QPointF(10, 20)));
    EXPECT_EQ(PlanRenderer::withStations(QRectF(), false, {stations[0]}),
              QRectF(QPointF(10, 20), QSizeF(0, 0)));
}
