// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/gui/manager/transfers/TransferHarness.h"
#include "tests/support/WhenShown.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/protocol/ConversationEngine.h"
#include "gui/editor/EditorWindow.h"
#include "gui/editor/PointTableModel.h"
#include "gui/manager/DownloadDialog.h"
#include "gui/manager/DragTree.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/PcTree.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

class Download : public TransferHarness
{
protected:
    // Answers the next download dialog: records what it showed, sets the
    // file name and the data type entry, and presses OK.
    void answerDownloadDialog(const QString &fileName, int dataType)
    {
        m_dialogSeen = false;
        new WhenShown<DownloadDialog>(
            m_window.get(),
            [this, fileName, dataType](DownloadDialog *dialog) {
                QTimer::singleShot(0, dialog, [this, dialog, fileName, dataType] {
                    m_dialogSeen = true;
                    m_from = dialog->fromField()->text();
                    m_to = dialog->toField()->text();
                    m_initialName = dialog->fileNameField()->text();
                    dialog->fileNameField()->setText(fileName);
                    dialog->dataTypeBox()->setCurrentIndex(dataType);
                    dialog->okButton()->click();
                });
            },
            WhenShown<DownloadDialog>::Once);
    }

    static QByteArray fileOf(const QByteArrayList &lines)
    {
        QByteArray bytes;
        for (const QByteArray &line : lines)
            bytes += line + "\r\n";
        return bytes;
    }

    void SetUp() override
    {
        TransferHarness::SetUp();
        // A listed folder with an entry shows a downloaded file at once.
        writeFile("Data/notes.txt", "level run 3\r\n");
        writeFile("Other/plan.dxf", "0\r\nEOF\r\n");
    }

    bool m_dialogSeen = false;
    QString m_from, m_to, m_initialName;
};

TEST_F(Download, pointItemDraggedOntoAPcFolderIsWrittenByteForByte)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *folder = pcNode(drivePath("Data"));
    ASSERT_TRUE(folder);
    pc->enumerateFolderNode(folder); // listed, as a double-click does
    QTreeWidgetItem *source = instrument->fixPointsNode(2);
    ASSERT_EQ(source->text(0).trimmed(), "FixPoints: 25");

    QTreeWidgetItem *other = pcNode(drivePath("Other"));
    ASSERT_TRUE(other);

    answerDownloadDialog("ROAD1", 0);
    const int mark = commandMark();
    // Over the folder's icon, then into the blank right of another folder's
    // label, which is no target: the first folder stays highlighted and
    // takes the drop.
    dragAndDrop(instrument, source, pc, {onIcon(pc, folder), rightOfLabel(pc, other)});
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_from, "COM1");
    EXPECT_EQ(m_to, QDir::toNativeSeparators(drivePath("Data") + "/"));
    EXPECT_EQ(m_initialName, "ROAD1");
    EXPECT_EQ(m_state.selection.pcPath, drivePath("Data") + "/");

    ASSERT_TRUE(waitForCommands(mark, 30));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "FORM/SET/0", "JOB/RCV/COORDS/3"}) + repeat("?", 26));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/ROAD1.gsi")),
              fileOf(jobStore().job(3).coordinates));
    EXPECT_TRUE(pc->findByPath(drivePath("Data/ROAD1.gsi")));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join('|').toStdString();
}

TEST_F(Download, aGbkJobNameShowsRightAndNamesTheFileOnAnEnglishCLocale)
{
    testsupport::ScopedCLocale locale;
    // A Chinese instrument keeps its names in GBK; the user said so in the
    // port settings.
    m_sim->protocol().setNameEncoding(NameEncoding::Gbk);
    m_sim->protocol().store().job(3).name = QStringLiteral("道路1");
    m_state.commSettings.JobNameEncoding = NameEncoding::Gbk;
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    EXPECT_EQ(instrument->slotNode(2)->text(0), QStringLiteral("JobList 3:道路1"));

    QTreeWidgetItem *folder = pcNode(drivePath("Data"));
    ASSERT_TRUE(folder);
    pc->enumerateFolderNode(folder);
    answerDownloadDialog(QStringLiteral("道路1"), 0);
    const int mark = commandMark();
    dragAndDrop(instrument, instrument->fixPointsNode(2), pc, {onIcon(pc, folder)});
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_initialName, QStringLiteral("道路1"));
    ASSERT_TRUE(waitForCommands(mark, 30));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/道路1.gsi")),
              fileOf(jobStore().job(3).coordinates));
    EXPECT_TRUE(pc->findByPath(drivePath("Data/道路1.gsi")));
}

TEST_F(Download, aDropWithoutAHighlightedTargetOrOfARootDoesNothing)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *folder = pcNode(drivePath("Data"));
    int dialogs = 0;
    new WhenShown<DownloadDialog>(m_window.get(), [&dialogs](DownloadDialog *d) {
        ++dialogs;
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    const int mark = commandMark();
    // Only blank space right of the label: no node was ever highlighted.
    dragAndDrop(instrument, instrument->fixPointsNode(2), pc, {rightOfLabel(pc, folder)});
    // A job node is no data to download: its drop only ends the drag.
    dragAndDrop(instrument, instrument->portNode(), pc, {onIcon(pc, folder)});
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(commandsSince(mark).isEmpty());
}

TEST_F(Download, onlyLeafNodesStartADrag)
{
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    // Before the directory is read the port root stands alone.
    EXPECT_TRUE(DragTree::canDrag(instrument->portNode()));
    connectInstrument();
    EXPECT_FALSE(DragTree::canDrag(instrument->portNode()));
    EXPECT_FALSE(DragTree::canDrag(instrument->jobNode()));
    ASSERT_EQ(instrument->slotNode(1)->text(0), "JobList 2:ROAD");
    EXPECT_FALSE(DragTree::canDrag(instrument->slotNode(1)));
    EXPECT_TRUE(DragTree::canDrag(instrument->fixPointsNode(1)));
    EXPECT_TRUE(DragTree::canDrag(instrument->measurementPointsNode(1)));

    ASSERT_TRUE(QDir().mkpath(drivePath("Empty")));
    QTreeWidgetItem *drive = pc->findByPath(drivePath());
    EXPECT_TRUE(DragTree::canDrag(drive)); // not listed yet
    EXPECT_FALSE(DragTree::canDrag(pc->myComputerNode()));
    QTreeWidgetItem *data = pcNode(drivePath("Data"));
    EXPECT_TRUE(DragTree::canDrag(data)); // not listed yet
    QTreeWidgetItem *notes = pcNode(drivePath("Data/notes.txt"));
    EXPECT_FALSE(DragTree::canDrag(data)); // listed, with an entry
    EXPECT_FALSE(DragTree::canDrag(drive));
    EXPECT_TRUE(DragTree::canDrag(notes));
    QTreeWidgetItem *empty = pcNode(drivePath("Empty"));
    pc->enumerateFolderNode(empty);
    EXPECT_TRUE(DragTree::canDrag(empty)); // listed and found empty
    EXPECT_FALSE(DragTree::canDrag(nullptr));
}

TEST_F(Download, aReleaseAnywhereInTheWindowDropsOnTheFolderLastHighlighted)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *data = pcNode(drivePath("Data"));
    QTreeWidgetItem *other = pcNode(drivePath("Other"));
    QLineEdit *pathField = m_window->pcPathField();
    const QPoint inField = pathField->rect().center();

    // Over Data's icon, out onto the path field, released there.
    answerDownloadDialog("ROAD1", 0);
    int mark = commandMark();
    EXPECT_TRUE(dragAcross(instrument, instrument->fixPointsNode(2),
                           {{pc->viewport(), onIcon(pc, data)}, {pathField, inField}}));
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_to, QDir::toNativeSeparators(drivePath("Data") + "/"));
    ASSERT_TRUE(waitForCommands(mark, 30));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/ROAD1.gsi")),
              fileOf(jobStore().job(3).coordinates));
    EXPECT_FALSE(pc->dropTarget());

    // Over Other's icon, out to the status area, back into the PC tree's
    // blank space, which keeps the highlight, and released over the
    // instrument tree the drag began in.
    answerDownloadDialog("road", 0);
    mark = commandMark();
    QLineEdit *status = m_window->statusField(2);
    EXPECT_TRUE(dragAcross(instrument, instrument->fixPointsNode(1),
                           {{pc->viewport(), onIcon(pc, other)},
                            {status, status->rect().center()},
                            {pc->viewport(), rightOfLabel(pc, data)},
                            {instrument->viewport(), QPoint(5, 5)}}));
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_to, QDir::toNativeSeparators(drivePath("Other") + "/"));
    ASSERT_TRUE(waitForCommands(mark, 7));
    EXPECT_EQ(testsupport::readAll(drivePath("Other/road.gsi")),
              fileOf(jobStore().job(2).coordinates));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join('|').toStdString();
}

TEST_F(Download, aReleaseOutsideThePcTreeWithoutHighlightOrOfForeignDataDoesNothing)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *data = pcNode(drivePath("Data"));
    int dialogs = 0;
    new WhenShown<DownloadDialog>(m_window.get(), [&dialogs](DownloadDialog *d) {
        ++dialogs;
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    QLineEdit *pathField = m_window->pcPathField();
    const int mark = commandMark();
    const DragStop inField{pathField, pathField->rect().center()};
    // Only blank space in the PC tree, then out: nothing to drop on.
    EXPECT_FALSE(dragAcross(instrument, instrument->fixPointsNode(2),
                            {{pc->viewport(), rightOfLabel(pc, data)}, inField}));
    // Another program's data highlights nothing and is refused everywhere.
    QMimeData foreign;
    foreign.setUrls({QUrl::fromLocalFile(drivePath("Data/notes.txt"))});
    EXPECT_FALSE(dragAcross(instrument, instrument->fixPointsNode(2),
                            {{pc->viewport(), onIcon(pc, data)}, inField}, &foreign));
    EXPECT_FALSE(dragAcross(instrument, instrument->fixPointsNode(2),
                            {{m_window.get(), QPoint(5, 5)}}, &foreign));
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(commandsSince(mark).isEmpty());
}

TEST_F(Download, aFileNodeStandsForItsFolderAndReplacingAFileAsksFirst)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *folder = pcNode(drivePath("Data"));
    pc->enumerateFolderNode(folder);
    writeFile("Data/ROAD.gsi", "older survey\r\n");
    QTreeWidgetItem *notes = pcNode(drivePath("Data/notes.txt"));
    ASSERT_TRUE(notes);

    // Dropped on a file: the download goes into the file's folder. The name
    // is taken, so the user is asked; "no" keeps the old file and the dialog.
    m_answer = false;
    int rounds = 0;
    new WhenShown<DownloadDialog>(m_window.get(), [&](DownloadDialog *dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            m_to = dialog->toField()->text();
            dialog->okButton()->click();
            ++rounds;
            m_answer = true;
            dialog->okButton()->click();
            ++rounds;
        });
    });
    const int mark = commandMark();
    dragAndDrop(instrument, instrument->fixPointsNode(1), pc, {onIcon(pc, notes)});
    EXPECT_EQ(rounds, 2);
    EXPECT_EQ(m_to, QDir::toNativeSeparators(drivePath("Data") + "/"));
    ASSERT_EQ(m_asked.size(), 2);
    EXPECT_TRUE(m_asked[0].contains("ROAD.gsi")) << m_asked[0].toStdString();
    ASSERT_TRUE(waitForCommands(mark, 7));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/ROAD.gsi")),
              fileOf(jobStore().job(2).coordinates));
    int nodes = 0;
    for (int i = 0; i < folder->childCount(); ++i)
        nodes += folder->child(i)->text(0) == "ROAD.gsi";
    EXPECT_EQ(nodes, 1);
}

TEST_F(Download, instrumentMoveAndRenameDownloadIntoTheSelectedFolder)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    pc->setCurrentItem(pcNode(drivePath("Data")));

    // Move from the instrument's pop-up menu, IDEX: the received lines under ".idex".
    answerDownloadDialog("road", 1);
    int mark = commandMark();
    QMenu *menu = rightClick(instrument, instrument->fixPointsNode(1));
    ASSERT_TRUE(menu);
    choose(menu, "Move");
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_initialName, "ROAD");
    ASSERT_TRUE(waitForCommands(mark, 7));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "FORM/SET/0", "JOB/RCV/COORDS/2", "?", "?", "?"}));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/road.idex")),
              fileOf(jobStore().job(2).coordinates));

    // Rename does what Move does; observations go on until the end mark.
    instrument->setCurrentItem(instrument->measurementPointsNode(2));
    answerDownloadDialog("obs", 0);
    mark = commandMark();
    m_window->action(ManagerWindow::Command::Rename)->trigger();
    ASSERT_TRUE(m_dialogSeen);
    ASSERT_TRUE(waitForCommands(mark, 8));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "FORM/SET/0", "JOB/RCV/OBSERV/3", "?", "?", "?", "?"}));
    EXPECT_EQ(testsupport::readAll(drivePath("Data/obs.gsi")),
              fileOf(jobStore().job(3).observations));
}

TEST_F(Download, moveWithAJobNodeSelectedDoesNothing)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    int dialogs = 0;
    new WhenShown<DownloadDialog>(m_window.get(), [&dialogs](DownloadDialog *d) {
        ++dialogs;
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    instrument->setCurrentItem(instrument->slotNode(3));
    const int mark = commandMark();
    m_window->action(ManagerWindow::Command::Move)->trigger();
    m_window->downloadButton()->click();
    EXPECT_EQ(dialogs, 0);
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_TRUE(commandsSince(mark).isEmpty());
}

// A CASS download opened in rqtcom is no mirror image: its third column is
// the easting, as the SOUTH reader, the preview and the editor take it. The
// box for the earlier order (northing first) is offered for CASS only.
TEST_F(Download, aCassDownloadReadsBackWithTheInstrumentsEastingAndNorthing)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    pcNode(drivePath("Data"));
    m_window->pcTree()->setCurrentItem(pcNode(drivePath("Data")));
    bool boxForGsi = true, boxForCass = false;
    new WhenShown<DownloadDialog>(
        m_window.get(),
        [&](DownloadDialog *dialog) {
            QTimer::singleShot(0, dialog, [&, dialog] {
                boxForGsi = dialog->northingFirstBox()->isEnabled();
                EXPECT_EQ(dialog->dataTypeBox()->itemText(1), "IDEX(*.idex)");
                dialog->dataTypeBox()->setCurrentIndex(2);
                boxForCass = dialog->northingFirstBox()->isEnabled();
                EXPECT_FALSE(dialog->northingFirstBox()->isChecked());
                dialog->okButton()->click();
            });
        },
        WhenShown<DownloadDialog>::Once);
    const int mark = commandMark();
    instrument->setCurrentItem(instrument->fixPointsNode(2));
    m_window->controller().download();
    ASSERT_TRUE(waitForCommands(mark, 4 + 26));
    EXPECT_FALSE(boxForGsi);
    EXPECT_TRUE(boxForCass);
    PointList points;
    ASSERT_TRUE(CoordFileIo::open(drivePath("Data/ROAD1.dat"), points).ok());
    ASSERT_EQ(points.pointCount(), 25);
    const QByteArray gsi = coordinateLine(1);
    const auto metres = [&](int offset) {
        return QString::number(gsi.mid(offset, 16).toLongLong() / 1000.0, 'f', 3);
    };
    EXPECT_EQ(points.point(0).easting, metres(32));
    EXPECT_EQ(points.point(0).northing, metres(56));
}

// A downloaded file opens in the editor from the PC tree, by its pop-up menu
// or a double-click, beside the manager: the connection stays open and the
// manager answers while the editor is shown. An IDEX download opens as the
// GSI it holds.
TEST_F(Download, aDownloadedFileOpensInTheEditorWithoutClosingTheConnection)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    m_window->pcTree()->setCurrentItem(pcNode(drivePath("Data")));
    answerDownloadDialog("road", 1);
    instrument->setCurrentItem(instrument->fixPointsNode(2));
    const int mark = commandMark();
    m_window->controller().download();
    ASSERT_TRUE(waitForCommands(mark, 4 + 26));
    ASSERT_TRUE(QFile::exists(drivePath("Data/road.idex")));

    QList<EditorWindow *> editors;
    new WhenShown<EditorWindow>(m_window.get(), [&](EditorWindow *e) { editors << e; });
    QMenu *menu = rightClick(m_window->pcTree(), pcNode(drivePath("Data/road.idex")));
    ASSERT_TRUE(menu);
    choose(menu, "Open in editor");
    ASSERT_EQ(editors.size(), 1);
    EXPECT_TRUE(editors[0]->isVisible());
    EXPECT_FALSE(editors[0]->isModal());
    EXPECT_EQ(editors[0]->pointModel()->pointCount(), 25);
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join('|').toStdString();
    EXPECT_TRUE(m_window->controller().engine().isConnected());
    EXPECT_TRUE(m_window->isVisible());

    // A double-click on a coordinate file does the same; on another file nothing.
    QTreeWidgetItem *idex = pcNode(drivePath("Data/road.idex"));
    PcTree *pc = m_window->pcTree();
    reveal(pc, idex);
    // The press of the first click chooses the node the double-click acts on.
    QTest::mouseClick(pc->viewport(), Qt::LeftButton, {}, pc->visualItemRect(idex).center());
    QTest::mouseDClick(pc->viewport(), Qt::LeftButton, {}, pc->visualItemRect(idex).center());
    ASSERT_EQ(editors.size(), 2);
    QTreeWidgetItem *notes = pcNode(drivePath("Data/notes.txt"));
    reveal(pc, notes);
    QTest::mouseClick(pc->viewport(), Qt::LeftButton, {}, pc->visualItemRect(notes).center());
    QTest::mouseDClick(pc->viewport(), Qt::LeftButton, {}, pc->visualItemRect(notes).center());
    EXPECT_EQ(editors.size(), 2);

    // The manager still works with the editors open: another download.
    answerDownloadDialog("again", 0);
    const int next = commandMark();
    instrument->setCurrentItem(instrument->fixPointsNode(1));
    m_window->controller().download();
    ASSERT_TRUE(waitForCommands(next, 4 + 3));
    EXPECT_TRUE(QFile::exists(drivePath("Data/again.gsi")));
    for (EditorWindow *e : editors)
        e->close();
}

} // namespace
