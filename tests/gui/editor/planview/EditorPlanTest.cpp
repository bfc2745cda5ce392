// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geo/CrsTransform.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/PlanView.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"
#include "tests/gui/editor/ModalAnswerer.h"

#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EditorPlan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("editor"));
        FileDialogs::setNativeDialogsAllowed(false);
    }
    void TearDown() override { QSettings().remove(QStringLiteral("editor")); }
};

} // namespace

TEST_F(EditorPlan, planIsShownBesideTheGridAndHidingItIsRemembered)
{
    {
        EditorWindow editor(0);
        editor.show();
        ASSERT_NE(editor.planView(), nullptr);
        EXPECT_TRUE(editor.planView()->isVisible());
        editor.planAction()->trigger();
        EXPECT_FALSE(editor.planView()->isVisible());
    }
    EditorWindow again(0);
    again.show();
    EXPECT_FALSE(again.planAction()->isChecked());
    EXPECT_FALSE(again.planView()->isVisible());
}

TEST_F(EditorPlan, theGridKeepsEveryColumnInViewBesideThePlan)
{
    EditorWindow editor(0);
    int columns = 0;
    for (int column = 0; column < PointTableModel::kColumnCount; ++column)
        columns += editor.grid()->columnWidth(column);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    // The plan gives up its room first when the window is narrower, and takes
    // what a wider window adds.
    for (int width : {editor.sizeHint().width(), 1000, 1600, 1000}) {
        editor.resize(width, 500);
        QApplication::processEvents();
        EXPECT_GE(editor.grid()->viewport()->width(), columns) << width;
        EXPECT_GT(editor.planView()->width(), 0) << width;
    }
}

TEST_F(EditorPlan, openedFileAndTypedCellsShowOnThePlan)
{
    EditorWindow editor(0);
    editor.show();
    ASSERT_TRUE(editor.openFile(testsupport::dataPath(QStringLiteral("formats/header.csv"))));
    EXPECT_EQ(editor.planView()->points().locatedCount(), 2);
    editor.grid()->doubleClickCell(0, 2);
    editor.grid()->cellEdit()->setText(QStringLiteral("500990"));
    editor.grid()->commitEdit();
    EXPECT_EQ(editor.planView()->points().east(0), 500990.0);

    // A click on the plan selects the row in the grid.
    PlanView *plan = editor.planView();
    const QPoint p = plan->viewport().toScreen(500990.0, 3405123.456).toPoint();
    QTest::mouseClick(plan, Qt::LeftButton, Qt::NoModifier, p);
    EXPECT_TRUE(editor.grid()->selectionModel()->isRowSelected(0));
}

TEST_F(EditorPlan, saveAsGeoJsonAsksForTheCoordinateSystemOnceAndRemembersIt)
{
    if (!CrsTransform::available())
        GTEST_SKIP() << "built without PROJ";
    QTemporaryDir dir;
    EditorWindow editor(0);
    ASSERT_TRUE(editor.openFile(testsupport::dataPath(QStringLiteral("formats/header.csv"))));
    const QString out = dir.filePath(QStringLiteral("p.geojson"));
    const auto answer = [](const QString &text) {
        return [text](QWidget *w) {
            auto *dialog = qobject_cast<QInputDialog *>(w);
            ASSERT_NE(dialog, nullptr) << w->objectName().toStdString();
            dialog->setTextValue(text);
            dialog->accept();
        };
    };
    ModalAnswerer answerer;
    answerer.then(answer(QStringLiteral("EPSG:4326")))
        .then(answerer.press(0x00000400)) // OK on the reason why not
        .then(answer(QStringLiteral("epsg:4548")));
    EXPECT_TRUE(editor.saveAsFile(out, 9));
    EXPECT_TRUE(answerer.allAnswered());
    EXPECT_TRUE(testsupport::readAll(out).contains("\"coordinates\":[117."));
    EXPECT_EQ(EditorWindow::rememberedCrs(), QStringLiteral("EPSG:4548"));
}
