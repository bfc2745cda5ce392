// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswerer.h"
#include "QtPrinters.h"
#include "TestSupport.h"
#include "converter/GsiToDxfDialog.h"
#include "editor/FileDialogs.h"

#include <QDir>
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
    void TearDown() override
    {
        m_answerer.expectEveryDialogAnswered();
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    ModalAnswerer m_answerer;
    QTemporaryDir m_dir;
    GsiToDxfDialog m_converter;
};

TEST_F(ConverterTest, startsEmptyWithFontHeightOneAndReadOnlyBoxesThatLookIt)
{
    EXPECT_EQ(m_converter.windowTitle(), QStringLiteral("GSIToDXF"));
    EXPECT_TRUE(m_converter.pathBox()->text().isEmpty());
    EXPECT_EQ(m_converter.fontHeightBox()->text(), QStringLiteral("1"));
    EXPECT_EQ(m_converter.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(m_converter.browseButton()->text(), QStringLiteral("..."));
    for (QLineEdit *box : {m_converter.pathBox(), m_converter.fontHeightBox()}) {
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->palette().color(QPalette::Base), box->palette().color(QPalette::Window));
    }
}

TEST_F(ConverterTest, browsedFileIsConvertedAndTheCountReported)
{
    writeAll(path("three.gsi"), gsi16Line("PT1", "1000", "2000", "3000") +
                                    gsi16Line("PT2", "1500", "2500", "3500") +
                                    gsi16Line("PT3", "1700", "2700", "3700"));
    m_converter.show();
    m_answerer.then(ModalAnswerer::chooseFile(path("three.gsi")))
        .then(ModalAnswerer::chooseFile(path("out")))
        .then(m_answerer.press(QMessageBox::Ok));
    QTest::mouseClick(m_converter.browseButton(), Qt::LeftButton);
    EXPECT_EQ(m_converter.gsiPath(), path("three.gsi"));
    QTest::mouseClick(m_converter.okButton(), Qt::LeftButton);
    ASSERT_EQ(m_answerer.messages().size(), 1);
    EXPECT_EQ(m_answerer.messages().at(0),
              QStringLiteral("Writing dxf file done, 3 Point convert OK !"));
    // The default extension is added, and the converter closes after the run.
    const QByteArray dxf = readAll(path("out.dxf"));
    EXPECT_EQ(countLines(dxf), kEmptyDrawingLines + 3 * 24);
    EXPECT_TRUE(dxf.contains("PT2  3.5000\r\n"));
    EXPECT_FALSE(m_converter.isVisible());
    EXPECT_EQ(m_converter.result(), QDialog::Accepted);
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

    // A file gone since it was browsed: no drawing, no "0 Point convert OK !".
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
