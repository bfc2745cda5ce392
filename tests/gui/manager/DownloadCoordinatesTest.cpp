// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/DownloadCoordinates.h"
#include "core/coordfiles/CoordFileIo.h"
#include "core/protocol/ConversationEngine.h"
#include "core/serial/QtSerialLink.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/common/StationSetupDialog.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerWindow.h"
#include "gui/manager/PcTree.h"
#include "sim/SimInstrument.h"
#include "sim/SimJobStore.h"
#include "tests/gui/editor/ModalAnswerer.h"
#include "tests/gui/manager/ManagerWaits.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"
#include "tests/support/WhenShown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The manager over the simulated instrument on a pty, as in the connection tests.
class DownloadCoordinatesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [this](const QString &t) {
                                  asked << t;
                                  return replace;
                              }});
        QSettings().remove(QStringLiteral("manager/alsoSaveCoordinates"));
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        options.drives = {folder.path()};
        options.devicePath = sim.slavePath();
        options.engineTickMs = 20;
        options.waitTickMs = 20;
    }
    void TearDown() override
    {
        Messages::setHandler({});
        if (answerer)
            answerer->expectEveryDialogAnswered();
    }

    // Downloads ROAD1's observations into the folder, "Also save coordinates"
    // ticked or not.
    void download(ManagerWindow &w, bool alsoCoordinates)
    {
        ASSERT_TRUE(connectAndWait(w));
        ASSERT_NE(w.instrumentTree()->jobNode(), nullptr);
        PcTree *pc = w.pcTree();
        QTreeWidgetItem *drive = pc->myComputerNode()->child(0);
        pc->enumerateFolderNode(drive);
        pc->setCurrentItem(drive);
        w.instrumentTree()->setCurrentItem(w.instrumentTree()->measurementPointsNode(0));
        new WhenShown<DownloadDialog>(
            &w,
            [alsoCoordinates](DownloadDialog *d) {
                EXPECT_TRUE(d->alsoSaveCoordinatesBox()->isVisibleTo(d));
                d->alsoSaveCoordinatesBox()->setChecked(alsoCoordinates);
                QTimer::singleShot(0, d->okButton(), &QPushButton::click);
            },
            WhenShown<DownloadDialog>::Once);
        w.controller().download();
        ASSERT_TRUE(transferDone(w));
        // The coordinates are asked for once the progress dialog has closed.
        ASSERT_TRUE(
            waitFor([&] { return w.findChildren<DownloadCoordinates *>().isEmpty(); }, 10000));
    }

    static ModalAnswerer::Handler acceptSetup(CoordFormat format)
    {
        return [format](QWidget *w) {
            auto *dialog = qobject_cast<StationSetupDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            // Prefilled from the downloaded file's station line.
            EXPECT_EQ(dialog->nameField()->text(), "RST1");
            dialog->formatBox()->setCurrentIndex(
                int(StationSetupDialog::outputFormats().indexOf(format)));
            dialog->okButton()->click();
        };
    }

    SimInstrument sim;
    QTemporaryDir folder;
    AppState state;
    ManagerWindow::Options options;
    // Only where a set-up is expected: it would close the manager's own
    // wait dialog as unexpected otherwise.
    std::unique_ptr<ModalAnswerer> answerer;
    QStringList shown;
    QStringList asked;
    bool replace = false;
};

TEST_F(DownloadCoordinatesTest, alsoSaveCoordinatesWritesTheJobsFixedPointsBesideTheDownload)
{
    ManagerWindow w(state, options);
    answerer = std::make_unique<ModalAnswerer>();
    answerer->thenFor(QStringLiteral("stationSetupDialog"), acceptSetup(CoordFormat::South));
    download(w, true);
    ASSERT_TRUE(QFileInfo::exists(folder.filePath("ROAD1.gsi")));
    PointList points;
    const CoordReadResult read = CoordFileIo::open(folder.filePath("ROAD1.dat"), points);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(points.points().size(), 39);
    // Each point is one of the job's fixed points, to the millimetre.
    const SimJobStore store = SimJobStore::demo();
    const SimJob &job = store.job(1);
    for (const PointRecord &p : points.points()) {
        bool found = false;
        for (const QByteArray &line : job.coordinates) {
            if (QString::fromLatin1(line.mid(8, 16)).remove(QRegularExpression("^0+")) == p.name) {
                EXPECT_NEAR(p.easting.toDouble(), line.mid(31, 17).toDouble() / 1000, 0.0011);
                EXPECT_NEAR(p.northing.toDouble(), line.mid(55, 17).toDouble() / 1000, 0.0011);
                found = true;
                break;
            }
        }
        EXPECT_TRUE(found) << p.name.toStdString();
    }
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.last().contains("39 points written")) << shown.join('|').toStdString();
}

TEST_F(DownloadCoordinatesTest, anExistingCoordinateFileIsReplacedOnlyWhenTheUserAgrees)
{
    testsupport::writeAll(folder.filePath("ROAD1.dat"), "mine\r\n");
    ManagerWindow w(state, options);
    answerer = std::make_unique<ModalAnswerer>();
    answerer->thenFor(QStringLiteral("stationSetupDialog"), acceptSetup(CoordFormat::South));
    replace = false;
    download(w, true);
    EXPECT_EQ(testsupport::readAll(folder.filePath("ROAD1.dat")), "mine\r\n");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.front().contains("ROAD1.dat"));
}

TEST_F(DownloadCoordinatesTest, withoutTheTickOnlyTheObservationsAreSaved)
{
    ManagerWindow w(state, options);
    download(w, false);
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("ROAD1.gsi")));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("ROAD1.dat")));
    EXPECT_TRUE(asked.isEmpty());
}

// The observations of the demo instrument's first job, as a download leaves them.
QString writeDemoObservations(const QTemporaryDir &dir)
{
    const SimJobStore store = SimJobStore::demo();
    QByteArray bytes;
    for (const QByteArray &line : store.job(1).observations)
        bytes += line + "\r\n";
    const QString path = dir.filePath(QStringLiteral("ROAD1.gsi"));
    testsupport::writeAll(path, bytes);
    return path;
}

// Messages recorded rather than shown, so no box waits for an answer.
struct QuietMessages
{
    QuietMessages()
    {
        Messages::setHandler({[this](const QString &t, Messages::Kind) { shown << t; },
                              [](const QString &) {
                                  return false;
                              }});
    }
    ~QuietMessages() { Messages::setHandler({}); }
    QStringList shown;
};

// A part of the points would pass for all of them: only a download that
// completed leads to the set-up, whatever the file on disk holds.
TEST(DownloadCoordinatesEnd, onlyACompleteDownloadAsksForTheSetUp)
{
    QTemporaryDir dir;
    const QString path = writeDemoObservations(dir);
    QuietMessages messages;
    CommSettings settings;
    QtSerialLink link;
    ConversationEngine engine(settings, link);
    QWidget parent;
    int setUps = 0;
    WhenShown<StationSetupDialog> cancel(&parent, [&](StationSetupDialog *d) {
        ++setUps;
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    TransferResult result;
    result.kind = TransferResult::Kind::Download;
    result.path = path;
    result.fileKept = true;
    using O = TransferResult::Outcome;
    for (const O outcome : {O::EndedEarly, O::Failed, O::Cancelled, O::LinkLost}) {
        DownloadCoordinates coordinates(engine, &parent);
        result.outcome = outcome;
        Q_EMIT engine.finished(result);
        EXPECT_TRUE(coordinates.run().isEmpty());
    }
    EXPECT_EQ(setUps, 0);

    DownloadCoordinates coordinates(engine, &parent);
    result.outcome = O::Complete;
    Q_EMIT engine.finished(result);
    EXPECT_TRUE(coordinates.run().isEmpty()); // the set-up was cancelled
    EXPECT_EQ(setUps, 1);
}

// GSI-8 holds no full grid coordinates: as in the editor's Save as, the user
// is asked before anything is written, and Cancel writes nothing.
TEST(DownloadCoordinatesEnd, aGsi8OutputThatCannotHoldThePointsIsAskedAboutFirst)
{
    QTemporaryDir dir;
    const QString path = writeDemoObservations(dir);
    QuietMessages messages;
    QWidget parent;
    WhenShown<StationSetupDialog> setUp(&parent, [](StationSetupDialog *d) {
        d->formatBox()->setCurrentIndex(
            int(StationSetupDialog::outputFormats().indexOf(CoordFormat::Gsi8)));
        QTimer::singleShot(0, d->okButton(), &QPushButton::click);
    });
    bool lossAsked = false;
    WhenShown<QMessageBox> loss(&parent, [&](QMessageBox *box) {
        if (box->objectName() != QStringLiteral("lossQuestion"))
            return;
        lossAsked = true;
        QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Cancel)->click(); });
    });
    EXPECT_TRUE(DownloadCoordinates::saveBeside(&parent, path).isEmpty());
    EXPECT_TRUE(lossAsked);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ROAD1.gsi")});
}

} // namespace
