// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/StationSetupDialog.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/FileDialogs.h"
#include "gui/editor/PlanView.h"
#include "gui/editor/PointTableModel.h"
#include "sim/SimJobStore.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::writeAll;

QByteArray word(const char *header, qint64 value)
{
    return QByteArray(header) + (value < 0 ? '-' : '+') +
           QByteArray::number(qAbs(value)).rightJustified(16, '0');
}

QByteArray nameWord(int block, const QByteArray &name)
{
    return "*11" + QByteArray::number(block).rightJustified(4, '0') + '+' +
           name.rightJustified(16, '0');
}

// A station ST7 at E 1000.000, N 2000.000, H 50.000, instrument height
// 1.550, then two observations in gon.
const QByteArray kStationLine = nameWord(1, "ST7") + word(" 84..10", 1000000) +
                                word(" 85..10", 2000000) + word(" 86..10", 50000) +
                                word(" 88..10", 1550) + " \r\n";
const QByteArray kObservations =
    nameWord(2, "P1") + word(" 21.322", 10000000) + word(" 22.322", 10000000) +
    word(" 31..00", 100000) + word(" 87..10", 1500) + " \r\n" + nameWord(3, "P2") +
    word(" 21.322", 20000000) + word(" 22.322", 10000000) + word(" 31..00", 50000) + " \r\n";
// A station line with its height but no easting and northing.
const QByteArray kBareStation =
    nameWord(4, "ST8") + word(" 86..10", 51000) + word(" 88..10", 1600) + " \r\n";

ReductionResult scanOf(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ObservationReducer::scanStations(buffer);
}

TEST(StationSetupDialog, isPrefilledFromTheStationLineAndGivesItsSetUp)
{
    StationSetupDialog dialog(scanOf(kStationLine + kObservations));
    EXPECT_EQ(dialog.nameField()->text(), "ST7");
    EXPECT_EQ(dialog.eastingField()->text(), "1000.000");
    EXPECT_EQ(dialog.northingField()->text(), "2000.000");
    EXPECT_EQ(dialog.heightField()->text(), "50.000");
    EXPECT_EQ(dialog.instrumentHeightField()->text(), "1.550");
    EXPECT_TRUE(dialog.hzAsReadButton()->isChecked());
    EXPECT_TRUE(dialog.okButton()->isEnabled()) << dialog.problem().toStdString();

    dialog.angleButton()->setChecked(true);
    dialog.angleField()->setText("100");
    dialog.eastingField()->setText("1010.5");
    dialog.curvatureBox()->setChecked(true);
    const ReductionOptions o = dialog.options();
    EXPECT_EQ(*o.first.easting, 1010.5);
    EXPECT_EQ(*o.first.northing, 2000.0);
    EXPECT_EQ(*o.first.instrumentHeight, 1.55);
    EXPECT_EQ(*o.first.orientation, 100.0);
    EXPECT_EQ(o.first.orientationUnit, AngleUnit::Gon); // the file's Hz unit
    EXPECT_TRUE(o.curvature);
    EXPECT_DOUBLE_EQ(o.refraction, 0.13);
}

TEST(StationSetupDialog, refusesAStationWithoutCoordinatesAndWrongNumbers)
{
    // No coordinates on the line: never 0,0, OK stays off with the reason.
    StationSetupDialog bare(scanOf(kBareStation + kObservations));
    EXPECT_EQ(bare.nameField()->text(), "ST8");
    EXPECT_TRUE(bare.eastingField()->text().isEmpty());
    EXPECT_FALSE(bare.okButton()->isEnabled());
    EXPECT_TRUE(bare.problemLabel()->text().contains("no coordinates"))
        << bare.problemLabel()->text().toStdString();
    bare.eastingField()->setText("1000");
    EXPECT_FALSE(bare.okButton()->isEnabled()); // the northing is still missing
    bare.northingField()->setText("2000,5");
    EXPECT_FALSE(bare.okButton()->isEnabled());
    EXPECT_TRUE(bare.problem().contains("2000,5"));
    bare.northingField()->setText("2000.5");
    EXPECT_TRUE(bare.okButton()->isEnabled()) << bare.problem().toStdString();

    // A later station without coordinates is refused too, until a known-points
    // file holds it by name.
    StationSetupDialog later(scanOf(kStationLine + kObservations + kBareStation + kObservations));
    EXPECT_FALSE(later.okButton()->isEnabled());
    EXPECT_TRUE(later.problem().contains("ST8")) << later.problem().toStdString();
    QTemporaryDir dir;
    const QString known = dir.filePath("known.csv");
    writeAll(known, "Name,East,North,Elevation\r\nST8,1500.000,2500.000,51.000\r\n"
                    "BS1,1100.000,2000.000,\r\n");
    ASSERT_TRUE(later.setKnownFile(known));
    EXPECT_TRUE(later.okButton()->isEnabled()) << later.problem().toStdString();

    // Backsights must be known points.
    later.backsightButton()->setChecked(true);
    EXPECT_FALSE(later.okButton()->isEnabled());
    later.backsightField()->setText("BS1, NOPE");
    EXPECT_TRUE(later.problem().contains("NOPE"));
    later.backsightField()->setText("BS1");
    EXPECT_TRUE(later.okButton()->isEnabled()) << later.problem().toStdString();
    EXPECT_EQ(later.options().backsights, QStringList{"BS1"});
}

TEST(StationSetupDialog, writesTheCoordinatesBesideTheObservationsNeverOverThem)
{
    StationSetupDialog dialog(scanOf(kStationLine + kObservations));
    dialog.offerOutput("/data/jobs/ROAD1.gsi");
    const QList<CoordFormat> formats = StationSetupDialog::outputFormats();
    dialog.formatBox()->setCurrentIndex(int(formats.indexOf(CoordFormat::South)));
    // Absolute as the dialog makes it (on Windows with the current drive).
    EXPECT_EQ(dialog.outputPath(), QFileInfo("/data/jobs/ROAD1.dat").absoluteFilePath());
    dialog.formatBox()->setCurrentIndex(int(formats.indexOf(CoordFormat::Gsi16)));
    EXPECT_EQ(dialog.outputPath(), QFileInfo("/data/jobs/ROAD1_coord.gsi").absoluteFilePath());
}

class ObservationImportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FileDialogs::setNativeDialogsAllowed(false); }
    void TearDown() override { m_answerer.expectEveryDialogAnswered(); }

    // The demo instrument's first job: its observations as a downloaded file.
    QString simObservations()
    {
        QByteArray bytes;
        for (const QByteArray &line : m_store.job(1).observations)
            bytes += line + "\r\n";
        const QString path = m_dir.filePath("ROAD1.gsi");
        writeAll(path, bytes);
        return path;
    }
    static ModalAnswerer::Handler acceptSetup()
    {
        return [](QWidget *w) {
            auto *dialog = qobject_cast<StationSetupDialog *>(w);
            ASSERT_NE(dialog, nullptr) << w->objectName().toStdString();
            ASSERT_TRUE(dialog->okButton()->isEnabled()) << dialog->problem().toStdString();
            dialog->okButton()->click();
        };
    }

    SimJobStore m_store = SimJobStore::demo();
    QTemporaryDir m_dir;
    ModalAnswerer m_answerer;
    EditorWindow m_editor;
};

TEST_F(ObservationImportTest, simulatedObservationsGiveTheJobsFixedPointsOnGridAndPlan)
{
    const QString path = simObservations();
    m_answerer.then(acceptSetup()).then(m_answerer.press(QMessageBox::Ok));
    ASSERT_TRUE(m_editor.openFile(path));
    PointTableModel *model = m_editor.pointModel();
    // Every fixed point of the job, within a millimetre, wherever it was observed.
    int matched = 0;
    for (const QByteArray &line : m_store.job(1).coordinates) {
        const QString name = QString::fromLatin1(line.mid(8, 16)).remove(QRegularExpression("^0+"));
        const double e = line.mid(31, 17).toDouble() / 1000;
        const double n = line.mid(55, 17).toDouble() / 1000;
        const double h = line.mid(79, 17).toDouble() / 1000;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->cellText(row, 1) != name)
                continue;
            EXPECT_NEAR(model->cellText(row, 2).toDouble(), e, 0.0011) << name.toStdString();
            EXPECT_NEAR(model->cellText(row, 3).toDouble(), n, 0.0011) << name.toStdString();
            EXPECT_NEAR(model->cellText(row, 4).toDouble(), h, 0.0011) << name.toStdString();
            ++matched;
        }
    }
    EXPECT_EQ(matched, 39); // 39 observations over the job's 25 points
    ASSERT_EQ(m_editor.planView()->stations().size(), 1u);
    EXPECT_EQ(m_editor.planView()->stations().front().name, "RST1");
    // A new list: the observation file is not the one Save writes.
    EXPECT_TRUE(m_editor.currentFilePath().isEmpty());
    EXPECT_TRUE(m_editor.isModified());
    ASSERT_EQ(m_answerer.messages().size(), 1);
    EXPECT_TRUE(m_answerer.messages().front().contains("39 reduced"))
        << m_answerer.messages().front().toStdString();
}

TEST_F(ObservationImportTest, cancelLeavesTheEditorAsItWas)
{
    const QString points = m_dir.filePath("points.gsi");
    writeAll(points, "*110001+000000000000KZ01 81..10+0000000512345678 "
                     "82..10+0000003456789012 83..10+0000000000045120 \r\n");
    ASSERT_TRUE(m_editor.openFile(points));
    const int rows = m_editor.pointModel()->rowCount();
    const QString path = simObservations();
    m_answerer.then(ModalAnswerer::cancelDialog());
    EXPECT_FALSE(m_editor.openFile(path));
    EXPECT_EQ(m_editor.pointModel()->rowCount(), rows);
    EXPECT_EQ(m_editor.pointModel()->cellText(0, 1), "KZ01");
    EXPECT_EQ(m_editor.currentFilePath(), points);
    EXPECT_FALSE(m_editor.isModified());
    EXPECT_TRUE(m_editor.planView()->stations().empty());
}

TEST_F(ObservationImportTest, aStationTheReductionRefusesIsSaidAndAskedAgain)
{
    // BS1 is known but the station never observed it: the reduction refuses.
    const QString known = m_dir.filePath("known.csv");
    writeAll(known, "Name,East,North\r\nBS1,1100.000,2000.000\r\n");
    const QString path = m_dir.filePath("obs.gsi");
    writeAll(path, kStationLine + kObservations);
    const int rows = m_editor.pointModel()->rowCount();
    m_answerer
        .then([known](QWidget *w) {
            auto *dialog = qobject_cast<StationSetupDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(dialog->setKnownFile(known));
            dialog->backsightButton()->setChecked(true);
            dialog->backsightField()->setText("BS1");
            ASSERT_TRUE(dialog->okButton()->isEnabled()) << dialog->problem().toStdString();
            dialog->okButton()->click();
        })
        .then(m_answerer.press(QMessageBox::Ok))
        .then([](QWidget *w) {
            // Asked again with what was entered, to mend or to give up.
            auto *dialog = qobject_cast<StationSetupDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->backsightField()->text(), "BS1");
            dialog->reject();
        });
    EXPECT_FALSE(m_editor.openFile(path));
    EXPECT_EQ(m_editor.pointModel()->rowCount(), rows);
    EXPECT_FALSE(m_editor.isModified());
    ASSERT_EQ(m_answerer.messages().size(), 1);
    EXPECT_TRUE(m_answerer.messages().front().contains("ST7 observed none of the backsights BS1"))
        << m_answerer.messages().front().toStdString();
}

} // namespace
