// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's document without its window: which file it belongs to after a
// read or a save, and its history.
#include "gui/editor/PointDocument.h"
#include "gui/editor/PointTableModel.h"
#include "tests/gui/editor/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

using testsupport::readAll;
using testsupport::writeAll;

class PointDocumentTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString cell(int row, int column) const { return m_document.model()->cellText(row, column); }

    QTemporaryDir m_dir;
    PointDocument m_document;
};

TEST_F(PointDocumentTest, aPathIsAdoptedOnlyOnceItsFileWasRead)
{
    writeAll(path("good.ORB"), "1,A,200.000,100.000,3.000\r\n");
    writeAll(path("bad.gsi"), "no GSI line\r\n");
    writeAll(path("notes.txt"), "1,A,200.000,100.000,3.000\r\n");
    QSignalSpy fileChanged(&m_document, &PointDocument::fileChanged);

    EXPECT_EQ(m_document.read(path("good.ORB"), CoordFormat::Orb).status,
              CoordReadResult::Status::Read);
    EXPECT_EQ(m_document.path(), path("good.ORB"));
    EXPECT_EQ(m_document.extension(), QStringLiteral("ORB"));
    EXPECT_EQ(m_document.format(), CoordFormat::Orb);
    EXPECT_TRUE(m_document.canSave());
    EXPECT_EQ(fileChanged.count(), 1);

    // Not recognised, or not there at all: the rows and the file stay.
    m_document.editCell(0, 1, QStringLiteral("B"));
    EXPECT_EQ(m_document.read(path("bad.gsi"), CoordFormat::Gsi16).status,
              CoordReadResult::Status::NotRecognised);
    EXPECT_EQ(m_document.read(path("missing.orb"), CoordFormat::Orb).status,
              CoordReadResult::Status::Failed);
    EXPECT_EQ(m_document.path(), path("good.ORB"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("B"));
    EXPECT_TRUE(m_document.isModified());
    EXPECT_EQ(fileChanged.count(), 1);

    // A read that emptied the rows and failed: they belong to no file, and
    // the history of the rows that were there is gone.
    QSignalSpy replaced(&m_document, &PointDocument::rowsReplaced);
    EXPECT_NE(m_document.read(path("notes.txt"), CoordFormat::None).status,
              CoordReadResult::Status::Read);
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_TRUE(m_document.path().isEmpty());
    EXPECT_FALSE(m_document.canSave());
    EXPECT_EQ(m_document.undoStack()->count(), 0);
    EXPECT_EQ(readAll(path("good.ORB")), QByteArray("1,A,200.000,100.000,3.000\r\n"));
}

TEST_F(PointDocumentTest, saveAsAdoptsThePathOnlyWhenWrittenAndMarksTheHistorySaved)
{
    writeAll(path("a.orb"), "1,A,200.000,100.000,3.000\r\n");
    ASSERT_EQ(m_document.read(path("a.orb"), CoordFormat::Orb).status,
              CoordReadResult::Status::Read);
    m_document.editCell(0, 1, QStringLiteral("B"));
    ASSERT_TRUE(m_document.isModified());

    // A folder where the file should go: nothing adopted, still unsaved.
    QDir(m_dir.path()).mkdir(QStringLiteral("taken.dat"));
    EXPECT_EQ(m_document.saveAs(path("taken.dat"), CoordFormat::South, QString()).status,
              CoordWriteResult::Status::Failed);
    EXPECT_EQ(m_document.path(), path("a.orb"));
    EXPECT_EQ(m_document.format(), CoordFormat::Orb);
    EXPECT_TRUE(m_document.isModified());

    QSignalSpy modified(&m_document, &PointDocument::modifiedChanged);
    EXPECT_EQ(m_document.saveAs(path("b.dat"), CoordFormat::South, QString()).status,
              CoordWriteResult::Status::Written);
    EXPECT_EQ(m_document.path(), path("b.dat"));
    EXPECT_EQ(m_document.format(), CoordFormat::South);
    EXPECT_TRUE(m_document.rangeRule());
    EXPECT_FALSE(m_document.isModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());

    m_document.editCell(0, 4, QStringLiteral("4.5"));
    EXPECT_EQ(m_document.save().status, CoordWriteResult::Status::Written);
    EXPECT_EQ(readAll(path("b.dat")), QByteArray("B,,100.000,200.000,4.5\r\n"));
    EXPECT_EQ(readAll(path("a.orb")), QByteArray("1,A,200.000,100.000,3.000\r\n"));
}

TEST_F(PointDocumentTest, eachEditIsOneStepAndAnUnchangedCellNone)
{
    PointRecord p;
    p.number = QStringLiteral("1");
    p.name = QStringLiteral("A");
    m_document.insertPoint(0, p);
    m_document.editCell(0, 1, QStringLiteral("A"));
    EXPECT_EQ(m_document.undoStack()->count(), 1);
    m_document.editCell(0, 1, QStringLiteral("B"));
    m_document.removeRows({});
    EXPECT_EQ(m_document.undoStack()->count(), 2);
    m_document.removeRows({0});
    EXPECT_EQ(m_document.model()->rowCount(), 0);
    m_document.undoStack()->undo();
    m_document.undoStack()->undo();
    EXPECT_EQ(cell(0, 1), QStringLiteral("A"));
    m_document.undoStack()->undo();
    EXPECT_EQ(m_document.model()->rowCount(), 0);
    EXPECT_FALSE(m_document.isModified());
}

} // namespace
