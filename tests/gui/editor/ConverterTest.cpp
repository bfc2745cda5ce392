// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/Translations.h"
#include "gui/converter/GsiToDxfDialog.h"
#include "gui/editor/FileDialogs.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/gui/editor/QtPrinters.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Lines of a drawing without points: header, tables, the empty entities.
constexpr int kEmptyDrawingLines = 146;

using testsupport::readAll;
using testsupport::writeAll;

QByteArray gsi16Line(const QByteArray &name, const QByteArray &e, const QByteArray &n,
                     const QByteArray &h)
{
    auto block = [](const QByteArray &digits) {
        return digits.rightJustified(16, '0');
    };
    return "*110001+" + block(name) + " 81..10+" + block(e) + " 82..10+" + block(n) + " 83..10+" +
           block(h) + " \r\n";
}

int countLines(const QByteArray &bytes)
{
    return int(bytes.count("\r\n"));
}

class ConverterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FileDialogs::setNativeDialogsAllowed(false); }
    void TearDown() override { m_answerer.expectEveryDialogAnswered(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    ModalAnswerer m_answerer;
    QTemporaryDir m_dir;
    GsiToDxfDialog m_converter;
};

TEST_F(ConverterTest, startsEmptyWithFontHeightOneAndAPathBoxThatLooksReadOnly)
{
    EXPECT_EQ(m_converter.windowTitle(), QStringLiteral("GSIToDXF"));
    EXPECT_TRUE(m_converter.pathBox()->text().isEmpty());
    EXPECT_EQ(m_converter.fontHeightBox()->text(), QStringLiteral("1"));
    EXPECT_EQ(m_converter.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(m_converter.browseButton()->text(), QStringLiteral("..."));
    QLineEdit *path = m_converter.pathBox();
    EXPECT_TRUE(path->isReadOnly());
    EXPECT_EQ(path->palette().color(QPalette::Base), path->palette().color(QPalette::Window));
    EXPECT_FALSE(m_converter.fontHeightBox()->isReadOnly());
}

TEST_F(ConverterTest, browsedFileIsConvertedAndTheCountReported)
{
    writeAll(path("three.gsi"), gsi16Line("PT1", "1000", "2000", "3000") +
                                    gsi16Line("PT2", "1500", "2500", "3500") +
                                    gsi16Line("PT3", "1700", "2700", "3700"));
    m_converter.show();
    QString offered;
    m_answerer.then(ModalAnswerer::chooseFile(path("three.gsi")))
        .then([&offered](QWidget *widget) {
            // The save dialog offers the input's name with .dxf, in its folder.
            auto *dialog = qobject_cast<QFileDialog *>(widget);
            ASSERT_NE(dialog, nullptr);
            offered = dialog->selectedFiles().value(0);
            static_cast<QDialog *>(dialog)->accept();
        })
        .then(m_answerer.press(QMessageBox::Ok));
    QTest::mouseClick(m_converter.browseButton(), Qt::LeftButton);
    EXPECT_EQ(m_converter.gsiPath(), path("three.gsi"));
    QTest::mouseClick(m_converter.okButton(), Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).absoluteFilePath(), path("three.dxf"));
    ASSERT_EQ(m_answerer.messages().size(), 1);
    EXPECT_EQ(m_answerer.messages().at(0),
              QStringLiteral("Writing dxf file done, 3 Point convert OK !"));
    const QByteArray dxf = readAll(path("three.dxf"));
    EXPECT_EQ(countLines(dxf), kEmptyDrawingLines + 3 * 24);
    EXPECT_TRUE(dxf.contains("PT2  3.5000\r\n"));
    EXPECT_TRUE(dxf.contains("\r\n40\r\n1.000000\r\n"));
    // The converter closes after the run.
    EXPECT_FALSE(m_converter.isVisible());
    EXPECT_EQ(m_converter.result(), QDialog::Accepted);
}

TEST_F(ConverterTest, theFontHeightTypedIsTheLabelsHeight)
{
    writeAll(path("in.gsi"), gsi16Line("PT1", "1000", "2000", "3000"));
    m_converter.setGsiPath(path("in.gsi"));
    m_converter.show();
    QLineEdit *box = m_converter.fontHeightBox();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("2.5"));
    EXPECT_EQ(box->text(), QStringLiteral("2.5"));
    // Letters never get in.
    QTest::keyClicks(box, QStringLiteral("m"));
    EXPECT_EQ(box->text(), QStringLiteral("2.5"));
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    ASSERT_TRUE(m_converter.convertTo(path("big.dxf")));
    EXPECT_DOUBLE_EQ(m_converter.fontHeight(), 2.5);
    const QByteArray dxf = readAll(path("big.dxf"));
    EXPECT_TRUE(dxf.contains("\r\n40\r\n2.500000\r\n")) << dxf.constData();
    EXPECT_FALSE(dxf.contains("\r\n40\r\n1.000000\r\n"));
    EXPECT_EQ(m_answerer.messages().value(0),
              QStringLiteral("Writing dxf file done, 1 Point convert OK !"));

    // A height of 0 draws nothing readable: refused before any file is chosen.
    box->setText(QStringLiteral("0"));
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    m_converter.runConversion();
    EXPECT_EQ(m_answerer.dialogs().last(), QStringLiteral("converterMessage"));
    EXPECT_TRUE(m_answerer.messages().last().contains(QStringLiteral("font height")));
    EXPECT_TRUE(m_converter.isVisible());
    EXPECT_FALSE(QFile::exists(path("in.dxf")));
}

TEST_F(ConverterTest, theCaptionAndTheDoneMessageReadTheSameInChinese)
{
    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    GsiToDxfDialog zh;
    EXPECT_EQ(zh.windowTitle(), QStringLiteral("GSIToDXF"));
    writeAll(path("in.gsi"), gsi16Line("PT1", "1000", "2000", "3000"));
    zh.setGsiPath(path("in.gsi"));
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    ASSERT_TRUE(zh.convertTo(path("zh.dxf")));
    EXPECT_EQ(m_answerer.messages().value(0),
              QStringLiteral("Writing dxf file done, 1 Point convert OK !"));
}

TEST_F(ConverterTest, withoutAnInputFileNothingRunsAndNothingIsWritten)
{
    m_converter.show();
    EXPECT_FALSE(m_converter.okButton()->isEnabled());
    EXPECT_FALSE(m_converter.okButton()->toolTip().isEmpty());
    // The run itself refuses too, without a save dialog, and the window stays.
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    m_converter.runConversion();
    EXPECT_EQ(m_answerer.dialogs(), QStringList({"converterMessage"}));
    EXPECT_TRUE(m_converter.isVisible());
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());

    // A file gone since it was browsed: no drawing, no "0 points written".
    writeAll(path("old.dxf"), "previous drawing");
    m_converter.setGsiPath(path("gone.gsi"));
    EXPECT_TRUE(m_converter.okButton()->isEnabled());
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_converter.convertTo(path("old.dxf")));
    EXPECT_TRUE(m_answerer.messages().last().contains(QStringLiteral("gone.gsi")));
    EXPECT_EQ(readAll(path("old.dxf")), QByteArray("previous drawing"));
    EXPECT_TRUE(m_converter.isVisible());
}

TEST_F(ConverterTest, cancellingTheSaveDialogWritesNothingAndCloses)
{
    m_converter.setGsiPath(path("any.gsi"));
    m_converter.show();
    m_answerer.then(ModalAnswerer::cancelDialog());
    m_converter.runConversion();
    EXPECT_FALSE(m_converter.isVisible());
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ConverterTest, refusesToWriteTheDrawingOverItsInput)
{
    const QByteArray gsi = gsi16Line("PT1", "1000", "2000", "3000");
    writeAll(path("in.gsi"), gsi);
    m_converter.setGsiPath(path("in.gsi"));
    m_converter.show();
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_converter.convertTo(path("in.gsi")));
    EXPECT_EQ(m_answerer.messages().size(), 1);
    EXPECT_EQ(readAll(path("in.gsi")), gsi);
    EXPECT_TRUE(m_converter.isVisible());
}

TEST_F(ConverterTest, aDrawingThatCannotBeWrittenIsReportedAndTheWindowStays)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("taken.dxf"));
    writeAll(path("in.gsi"), gsi16Line("PT1", "1000", "2000", "3000"));
    m_converter.setGsiPath(path("in.gsi"));
    m_converter.show();
    m_answerer.then(m_answerer.press(QMessageBox::Ok));
    EXPECT_FALSE(m_converter.convertTo(path("taken.dxf")));
    EXPECT_EQ(m_answerer.messages().size(), 1);
    EXPECT_TRUE(m_converter.isVisible());
}

} // namespace
