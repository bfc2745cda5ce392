// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CoordFileIo.h"
#include "gui/common/Translations.h"
#include "gui/converter/GsiToDxfDialog.h"
#include "gui/editor/EditorSettingsDialog.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/PointGridView.h"
#include "gui/editor/PointTableModel.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/gui/editor/QtPrinters.h"
#include "tests/support/FailingDevice.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using testsupport::readAll;
using testsupport::writeAll;

// GSI point lines as this program writes them.
QByteArray gsi16Line(const QByteArray &name, const QByteArray &e, const QByteArray &n,
                     const QByteArray &h)
{
    auto block = [](const QByteArray &digits) {
        return digits.rightJustified(16, '0');
    };
    return "*11....+" + block(name) + " 81..10+" + block(e) + " 82..10+" + block(n) + " 83..10+" +
           block(h) + " \r\n";
}

QByteArray gsi8Line(const QByteArray &name, const QByteArray &e, const QByteArray &n,
                    const QByteArray &h)
{
    auto block = [](const QByteArray &digits) {
        return digits.rightJustified(8, '0');
    };
    return "11....+" + block(name) + " 81..10+" + block(e) + " 82..10+" + block(n) + " 83..10+" +
           block(h) + " \r\n";
}

PointRecord point(const QString &number, const QString &name, const QString &e, const QString &n,
                  const QString &h)
{
    PointRecord p;
    p.number = number;
    p.name = name;
    p.easting = e;
    p.northing = n;
    p.elevation = h;
    return p;
}

class EditorTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FileDialogs::setNativeDialogsAllowed(false); }
    // Every dialog a test did not answer is a failure (and is closed, not hung on).
    void TearDown() override { m_answerer.expectEveryDialogAnswered(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString cell(int row, int column) const { return m_editor.pointModel()->cellText(row, column); }
    int rows() const { return m_editor.pointModel()->rowCount(); }

    ModalAnswerer m_answerer;
    QTemporaryDir m_dir;
    EditorWindow m_editor;
};

TEST_F(EditorTest, startsWithOneNumberedRowAndNoFile)
{
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    for (int column = 1; column < 6; ++column)
        EXPECT_EQ(cell(0, column), QString());
    EXPECT_TRUE(m_editor.currentFilePath().isEmpty());
    EXPECT_TRUE(m_editor.currentFileExt().isEmpty());
    EXPECT_EQ(m_editor.idxReadState(), EditorWindow::Outside);
    EXPECT_EQ(m_editor.grid()->appendRowIndex(), 0);
    EXPECT_FALSE(m_editor.isModified());
}

TEST(EditorTexts, menusCaptionAndColumnsInEnglish)
{
    EditorWindow english;
    EXPECT_EQ(english.windowTitle(), QStringLiteral("File Editor[*]"));
    EXPECT_EQ(english.fileMenu()->title(), QStringLiteral("&File"));
    EXPECT_EQ(english.saveAsAction()->text(), QStringLiteral("Save &as..."));
    EXPECT_EQ(english.optionsMenu()->title(), QStringLiteral("O&ptions"));
    EXPECT_EQ(english.pointModel()->headerData(3, Qt::Horizontal).toString(),
              QStringLiteral("X(Northing)"));
}

TEST(EditorTexts, chineseComesFromTheTranslation)
{
    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    EditorWindow editor;
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("坐标编辑器[*]"));
    EXPECT_EQ(editor.fileMenu()->title(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(editor.saveAsAction()->text(), QStringLiteral("另存为(&A)..."));
    const QStringList headers = {" ", "点名", "Y(东)", "X(北)", "H(高程)", "编码"};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(editor.pointModel()->headerData(column, Qt::Horizontal).toString(),
                  headers.at(column));

    EditorSettingsDialog unit;
    EXPECT_EQ(unit.windowTitle(), QStringLiteral("设置"));
    EXPECT_EQ(unit.unitList()->currentText(), QStringLiteral("米"));

    GsiToDxfDialog converter;
    EXPECT_EQ(converter.windowTitle(), QStringLiteral("GSIToDXF"));
    EXPECT_EQ(converter.okButton()->text(), QStringLiteral("确定"));
    QStringList labels;
    for (QLabel *label : converter.findChildren<QLabel *>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("打开GSI文件")));
    EXPECT_TRUE(labels.contains(QStringLiteral("字体高度设置:")));
}

TEST_F(EditorTest, opensEveryFormatThroughTheOpenDialog)
{
    const PointList points(QVector<PointRecord>{point("7", "A1", "100.000", "200.000", "3.000"),
                                                point("8", "B2", "101.500", "201.500", "4.250")});
    struct Case
    {
        const char *file;
        CoordFormat format;
        const char *fileType;
        bool ownNumbers;
    };
    const Case cases[] = {
        {"p.orb", CoordFormat::Orb, "ORB(*.orb)", true},
        {"p.dat", CoordFormat::South, "SOUTH(*.dat)", false},
        {"p.pts", CoordFormat::Topcon, "TOPCON(*.pts)", true},
        {"p.idx", CoordFormat::Idx, "IDX(*.idx)", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(CoordFileIo::write(path(c.file), c.format, points, false).ok());
        ModalAnswerer &answerer = m_answerer;
        answerer.then(ModalAnswerer::chooseFile(path(c.file), c.fileType));
        ASSERT_TRUE(m_editor.runOpen());
        EXPECT_TRUE(answerer.allAnswered());
        EXPECT_EQ(answerer.dialogs().value(0), QStringLiteral("openDialog"));
        ASSERT_EQ(rows(), 2);
        EXPECT_EQ(cell(0, 0), c.ownNumbers ? QStringLiteral("7") : QStringLiteral("1"));
        EXPECT_EQ(cell(1, 1), QStringLiteral("B2"));
        EXPECT_EQ(cell(1, 2), QStringLiteral("101.500"));
        EXPECT_EQ(cell(1, 3), QStringLiteral("201.500"));
        EXPECT_EQ(cell(1, 4), QStringLiteral("4.250"));
        EXPECT_EQ(m_editor.currentFilePath(), path(c.file));
        EXPECT_EQ(m_editor.currentFileExt(), QString::fromLatin1(c.file).mid(2));
    }

    // Both GSI variants are told apart by their first line.
    writeAll(path("g16.gsi"), gsi16Line("PT1", "100000", "200000", "3000") +
                                  gsi16Line("PT2", "100500", "200500", "3500"));
    writeAll(path("g8.gsi"), gsi8Line("PT1", "100000", "200000", "3000"));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("g16.gsi")))
        .then(ModalAnswerer::chooseFile(path("g8.gsi")));
    ASSERT_TRUE(m_editor.runOpen());
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("PT2"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("100.500"));
    ASSERT_TRUE(m_editor.runOpen());
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 3), QStringLiteral("200.000"));
    EXPECT_EQ(m_editor.currentFileExt(), QStringLiteral("gsi"));
}

TEST_F(EditorTest, theOpenDialogAlsoOffersAllFiles)
{
    writeAll(path("field.ORB"), "1,A1,200.000,100.000,3.000\r\n");
    QStringList offered;
    m_answerer.then([this, &offered](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        ASSERT_NE(dialog, nullptr);
        offered = dialog->nameFilters();
        dialog->selectNameFilter(QStringLiteral("All files (*)"));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("All files (*)"));
        ModalAnswerer::chooseFile(path("field.ORB"))(widget);
    });
    ASSERT_TRUE(m_editor.runOpen());
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_EQ(offered.last(), QStringLiteral("All files (*)"));
    EXPECT_EQ(offered.first(), QStringLiteral("GSI file(*.gsi *.GSI)"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("A1"));
}

TEST_F(EditorTest, savesBackInTheFormatItWasOpenedIn)
{
    const QByteArray orb = "1,PT1,200.000,100.000,3.000\r\n2,PT2,201.000,101.000,4.000\r\n";
    writeAll(path("a.orb"), orb);
    ASSERT_TRUE(m_editor.openFile(path("a.orb")));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("a.orb")), orb);

    // An edited cell goes into the file even while its box is still open.
    m_editor.grid()->doubleClickCell(1, 1);
    m_editor.grid()->cellEdit()->setText(QStringLiteral("NEW"));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("a.orb")),
              QByteArray("1,PT1,200.000,100.000,3.000\r\n2,NEW,201.000,101.000,4.000\r\n"));
    EXPECT_FALSE(m_editor.isModified());
}

TEST_F(EditorTest, saveOnAFullDiskKeepsTheFileSaysWhyAndStaysModified)
{
    QByteArray orb;
    for (int i = 1; i <= 50; ++i)
        orb += QByteArray::number(i) + ",PT" + QByteArray::number(i) + ",200.000,100.000,3.000\r\n";
    writeAll(path("a.orb"), orb);
    ASSERT_TRUE(m_editor.openFile(path("a.orb")));
    m_editor.grid()->doubleClickCell(0, 1);
    m_editor.grid()->cellEdit()->setText(QStringLiteral("NEW"));
    bool saved = true;
    {
        FileSizeLimit limit(200);
        if (!limit.active())
            GTEST_SKIP() << "no file size limit on this system";
        m_answerer.then(m_answerer.press(QMessageBox::Ok));
        saved = m_editor.runSave();
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(m_answerer.messages().size(), 1);
    EXPECT_TRUE(m_answerer.messages().value(0).contains(qt_error_string(EFBIG)))
        << m_answerer.messages().value(0).toStdString();
    EXPECT_EQ(readAll(path("a.orb")), orb);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.orb")});
    EXPECT_TRUE(m_editor.isModified());
}

TEST_F(EditorTest, saveRewritesAGsi8FileAsGsi16)
{
    writeAll(path("b.gsi"), gsi8Line("12", "1234567", "7654321", "500"));
    ASSERT_TRUE(m_editor.openFile(path("b.gsi")));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("b.gsi")), gsi16Line("12", "1234567", "7654321", "500"));
}

TEST_F(EditorTest, saveInAFreshEditorAsksForAFile)
{
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("fresh.orb"), QStringLiteral("ORB(*.orb)")));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(answerer.dialogs().value(0), QStringLiteral("saveAsDialog"));
    // The fresh row has no position and is no point of the file.
    EXPECT_TRUE(QFile::exists(path("fresh.orb")));
    EXPECT_EQ(readAll(path("fresh.orb")), QByteArray());
    EXPECT_EQ(m_editor.currentFilePath(), path("fresh.orb"));
}

TEST_F(EditorTest, saveAsChoosesTheGsiVariantByItsEntry)
{
    m_editor.pointModel()->setCellText(0, 1, QStringLiteral("P"));
    m_editor.pointModel()->setCellText(0, 2, QStringLiteral("1234.567"));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("s16"), QStringLiteral("GSI-16 file(*.gsi)")))
        .then(ModalAnswerer::chooseFile(path("s8.gsi"), QStringLiteral("GSI-8 file(*.gsi)")));
    ASSERT_TRUE(m_editor.runSaveAs());
    // The default extension is added to a bare name; empty cells are written
    // as the empty value.
    EXPECT_EQ(readAll(path("s16.gsi")),
              gsi16Line("P", "1234567", QByteArray(16, '-'), QByteArray(16, '-')));
    ASSERT_TRUE(m_editor.runSaveAs());
    EXPECT_EQ(readAll(path("s8.gsi")),
              gsi8Line("P", "1234567", QByteArray(8, '-'), QByteArray(8, '-')));
}

TEST_F(EditorTest, aLossySaveAsksFirstAndCancelWritesNothing)
{
    m_editor.pointModel()->setCellText(0, 1, QStringLiteral("BIG"));
    m_editor.pointModel()->setCellText(0, 2, QStringLiteral("1.5"));
    m_editor.pointModel()->setCellText(0, 3, QStringLiteral("3456789.123"));
    writeAll(path("cn.gsi"), "earlier file");
    QString question;
    m_answerer.then(ModalAnswerer::chooseFile(path("cn.gsi"), QStringLiteral("GSI-8 file(*.gsi)")))
        .then(m_answerer.press(QMessageBox::Yes)) // the dialog's own "replace?"
        .then([&question](QWidget *widget) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            ASSERT_NE(box, nullptr);
            question = box->text() + '\n' + box->informativeText();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
            box->button(QMessageBox::Cancel)->click();
        });
    EXPECT_FALSE(m_editor.runSaveAs());
    ASSERT_TRUE(m_answerer.allAnswered());
    EXPECT_EQ(m_answerer.dialogs().value(2), QStringLiteral("lossQuestion"));
    EXPECT_TRUE(question.contains(QStringLiteral("GSI-8"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Row 1"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("3456789.123"))) << question.toStdString();
    EXPECT_EQ(readAll(path("cn.gsi")), QByteArray("earlier file"));
    EXPECT_TRUE(m_editor.currentFilePath().isEmpty());
}

TEST_F(EditorTest, aLossySaveAgreedToWritesTheRowsTheFormatCanHold)
{
    // A name longer than GSI-8's block: two such names could become one.
    m_editor.pointModel()->setCellText(0, 1, QStringLiteral("STATION12"));
    m_editor.pointModel()->setCellText(0, 2, QStringLiteral("1.5"));
    m_editor.pointModel()->setCellText(0, 3, QStringLiteral("3456789.123"));
    m_answerer.then([](QWidget *widget) {
        auto *anyway = widget->findChild<QAbstractButton *>(QStringLiteral("saveAnywayButton"));
        ASSERT_NE(anyway, nullptr);
        anyway->click();
    });
    ASSERT_TRUE(m_editor.saveAsFile(path("ok.gsi"), kSaveAsGsi8));
    EXPECT_EQ(m_answerer.dialogs(), QStringList({"lossQuestion"}));
    const QByteArray written = readAll(path("ok.gsi"));
    EXPECT_EQ(written.count("\r\n"), 1);
    EXPECT_TRUE(written.contains("+00001500 82..10+00000000")) << written.constData();

    // Values the format holds ask nothing.
    m_editor.pointModel()->setCellText(0, 1, QStringLiteral("ST12"));
    m_editor.pointModel()->setCellText(0, 3, QStringLiteral("3456.5"));
    ASSERT_TRUE(m_editor.saveAsFile(path("fine.gsi"), kSaveAsGsi8));
    EXPECT_EQ(m_answerer.dialogs().size(), 1);
}

TEST_F(EditorTest, saveAsWithAFileTypeThatDoesNotFitTheNameWritesNothingAndSaysSo)
{
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("x.gsi"), QStringLiteral("ORB(*.orb)")))
        .then(answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_editor.runSaveAs());
    EXPECT_TRUE(answerer.allAnswered());
    EXPECT_EQ(answerer.messages().size(), 1);
    EXPECT_FALSE(QFile::exists(path("x.gsi")));
}

TEST_F(EditorTest, saveAsAsksBeforeReplacingAFile)
{
    writeAll(path("keep.orb"), "old\r\n");
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("keep.orb"), QStringLiteral("ORB(*.orb)")))
        .then(answerer.press(QMessageBox::No))
        .then(ModalAnswerer::cancelDialog());
    EXPECT_FALSE(m_editor.runSaveAs());
    EXPECT_TRUE(answerer.allAnswered());
    EXPECT_EQ(readAll(path("keep.orb")), QByteArray("old\r\n"));
}

TEST_F(EditorTest, aFileThatCannotBeWrittenIsReportedWithItsReason)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("taken.orb"));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_editor.saveAsFile(path("taken.orb"), 3));
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().at(0).contains(QDir::toNativeSeparators(path("taken.orb"))));
    EXPECT_TRUE(QFileInfo(path("taken.orb")).isDir());
}

TEST_F(EditorTest, anUnrecognisedGsiFileLeavesGridAndFileAlone)
{
    writeAll(path("good.orb"), "1,PT1,200,100,3\r\n");
    writeAll(path("bad.gsi"), "this is no GSI line\r\n");
    ASSERT_TRUE(m_editor.openFile(path("good.orb")));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("bad.gsi"))).then(answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_editor.runOpen());
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().at(0).contains(QStringLiteral("bad.gsi")));
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("PT1"));
    // A later Save still writes the file that was read, not the rejected one.
    EXPECT_EQ(m_editor.currentFilePath(), path("good.orb"));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("bad.gsi")), QByteArray("this is no GSI line\r\n"));
}

TEST_F(EditorTest, openSaysOnceWhatWasSkippedAndThatFeetStayFeet)
{
    writeAll(path("mixed.gsi"), gsi8Line("P1", "100000", "200000", "1000") +
                                    "410001+00000017 42....+000CURB1 \r\nEND\r\n" +
                                    gsi8Line("P2", "100500", "200500", "1500"));
    writeAll(path("feet.gsi"),
             "110001+0000F001 81..01+00328084 82..01+00656168 83..01+00003281\r\n");
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::chooseFile(path("mixed.gsi")))
        .then(answerer.press(QMessageBox::Ok));
    ASSERT_TRUE(m_editor.runOpen());
    ASSERT_EQ(answerer.messages().size(), 1);
    EXPECT_TRUE(answerer.messages().at(0).contains(
        QStringLiteral("2 lines skipped: 1 without coordinates, 1 not a record")))
        << answerer.messages().at(0).toStdString();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("P2"));

    answerer.then(ModalAnswerer::chooseFile(path("feet.gsi")))
        .then(answerer.press(QMessageBox::Ok));
    ASSERT_TRUE(m_editor.runOpen());
    ASSERT_EQ(answerer.messages().size(), 2);
    EXPECT_TRUE(answerer.messages().at(1).contains(QStringLiteral("feet")));
    EXPECT_EQ(cell(0, 2), QStringLiteral("328.084"));
}

TEST_F(EditorTest, anUpperCaseExtensionIsReadAsTheLowerCaseOne)
{
    writeAll(path("UP.GSI"), gsi16Line("PT1", "1000", "2000", "3000"));
    ASSERT_TRUE(m_editor.openFile(path("UP.GSI")));
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("PT1"));
    EXPECT_EQ(m_editor.currentFormat(), CoordFormat::Gsi16);
    m_editor.grid()->doubleClickCell(0, 4);
    m_editor.grid()->cellEdit()->setText(QStringLiteral("4"));
    ASSERT_TRUE(m_editor.runSave());
    EXPECT_EQ(readAll(path("UP.GSI")), gsi16Line("PT1", "1000", "2000", "4000"));
}

TEST_F(EditorTest, aFailedOpenThatEmptiedTheGridNeverSavesOverTheFileOpenedBefore)
{
    const QByteArray orb = "1,PT1,200.000,100.000,3.000\r\n";
    writeAll(path("good.orb"), orb);
    writeAll(path("notes.txt"), "1,PT1,200.000,100.000,3.000\r\n");
    ASSERT_TRUE(m_editor.openFile(path("good.orb")));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(answerer.press(QMessageBox::Ok)).then(ModalAnswerer::cancelDialog());
    EXPECT_FALSE(m_editor.openFile(path("notes.txt")));
    EXPECT_EQ(rows(), 0);
    // The empty grid is not good.orb's content: Save asks for a file.
    EXPECT_TRUE(m_editor.currentFilePath().isEmpty());
    EXPECT_FALSE(m_editor.runSave());
    EXPECT_EQ(answerer.dialogs().value(1), QStringLiteral("saveAsDialog"));
    EXPECT_EQ(readAll(path("good.orb")), orb);
}

TEST_F(EditorTest, cancellingOpenChangesNothing)
{
    writeAll(path("c.orb"), "1,PT1,200,100,3\r\n");
    ASSERT_TRUE(m_editor.openFile(path("c.orb")));
    ModalAnswerer &answerer = m_answerer;
    answerer.then(ModalAnswerer::cancelDialog());
    EXPECT_FALSE(m_editor.runOpen());
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(m_editor.currentFilePath(), path("c.orb"));
    EXPECT_EQ(m_editor.currentFileExt(), QStringLiteral("orb"));
}

TEST_F(EditorTest, closingWithUnsavedChangesAsksFirst)
{
    writeAll(path("d.orb"), "1,PT1,200,100,3\r\n");
    ASSERT_TRUE(m_editor.openFile(path("d.orb")));
    m_editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    m_editor.grid()->doubleClickCell(0, 4);
    QTest::keyClicks(m_editor.grid()->cellEdit(), QStringLiteral("5"));
    // Enter finishes the cell; the window stays.
    QTest::keyClick(m_editor.grid()->cellEdit(), Qt::Key_Return);
    EXPECT_TRUE(m_editor.isVisible());
    EXPECT_EQ(cell(0, 4), QStringLiteral("35"));
    EXPECT_TRUE(m_editor.isModified());

    ModalAnswerer &answerer = m_answerer;
    answerer.then(answerer.press(QMessageBox::Cancel)).then(answerer.press(QMessageBox::Save));
    m_editor.close();
    EXPECT_TRUE(m_editor.isVisible());
    m_editor.close();
    EXPECT_FALSE(m_editor.isVisible());
    EXPECT_TRUE(answerer.allAnswered());
    EXPECT_EQ(readAll(path("d.orb")), QByteArray("1,PT1,200,100,35\r\n"));
}

TEST_F(EditorTest, closingUnchangedOrDiscardingDoesNotSave)
{
    m_editor.show();
    m_editor.close();
    EXPECT_FALSE(m_editor.isVisible());

    EditorWindow changed;
    changed.show();
    changed.grid()->doubleClickCell(0, 5); // adds a row
    ModalAnswerer &answerer = m_answerer;
    answerer.then(answerer.press(QMessageBox::Discard));
    changed.close();
    EXPECT_FALSE(changed.isVisible());
    EXPECT_TRUE(answerer.allAnswered());
}

TEST_F(EditorTest, openingAnotherFileOverUnsavedChangesAsksFirst)
{
    writeAll(path("e.orb"), "1,PT1,200,100,3\r\n");
    m_editor.grid()->doubleClickCell(0, 5); // adds a row: a change
    ASSERT_TRUE(m_editor.isModified());
    m_answerer.then(m_answerer.press(QMessageBox::Cancel))
        .then(m_answerer.press(QMessageBox::Discard))
        .then(ModalAnswerer::chooseFile(path("e.orb")));
    EXPECT_FALSE(m_editor.runOpen());
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(m_editor.runOpen());
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(m_editor.isModified());
    EXPECT_EQ(m_answerer.dialogs(),
              QStringList({"unsavedQuestion", "unsavedQuestion", "openDialog"}));
}

TEST_F(EditorTest, settingsDialogOpensAndCloses)
{
    ModalAnswerer &answerer = m_answerer;
    answerer.then([](QWidget *widget) {
        auto *unit = qobject_cast<EditorSettingsDialog *>(widget);
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->unitList()->currentText(), QStringLiteral("M"));
        // One choice each: shown greyed, and the tooltip says why.
        for (QComboBox *list : {unit->unitList(), unit->precisionList()}) {
            EXPECT_EQ(list->count(), 1);
            EXPECT_FALSE(list->isEnabled());
            EXPECT_TRUE(list->toolTip().contains(QStringLiteral("metres")))
                << list->toolTip().toStdString();
        }
        // And so does the dialog itself, where it is seen without hovering.
        auto *note = unit->findChild<QLabel *>(QStringLiteral("fixedNote"));
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(note->isVisible());
        EXPECT_TRUE(note->isEnabled());
        EXPECT_EQ(note->text(), unit->unitList()->toolTip());
        unit->accept();
    });
    m_editor.settingsAction()->trigger();
    EXPECT_TRUE(answerer.allAnswered());
}

} // namespace
