// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/gui/manager/transfers/TransferHarness.h"
#include "tests/support/WhenShown.h"

#include "core/protocol/ConversationEngine.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/NewNameDialog.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/UploadDialog.h"
#include "tests/support/WaitFor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QByteArray gsi8Line(const QByteArray &start, int point)
{
    QByteArray name = QByteArray::number(point).rightJustified(8, '0');
    return start + "0001+" + name + " 81..00+00123456 82..00+00654321 83..00+0000" +
           QByteArray::number(1000 + point) + " ";
}

class Upload : public TransferHarness
{
protected:
    void SetUp() override
    {
        TransferHarness::SetUp();
        m_gsi16 = {coordinateLine(31), coordinateLine(32), coordinateLine(33)};
        writeFile("up/road.gsi", m_gsi16.join("\r\n") + "\r\n");
        m_gsi8 = {gsi8Line("11", 41), gsi8Line("11", 42)};
        writeFile("up/field.gsi", m_gsi8.join("\r\n") + "\r\n");
        writeFile("up/loose.gsi", gsi8Line("12", 51) + "\r\n");
        writeFile("up/job1.txt", m_gsi16.join("\r\n") + "\r\n");
        writeFile("up/long.gsi", coordinateLine(1) + "  \r\n");
        writeFile("up/obs.gsi", "110001+00000001 21.324+09000000 22.324+09000000 \r\n");
        writeFile("up/road.orb", "1,K1,4100,500,12\r\n2,K2,4100.5,600,\r\n");
        writeFile("up/far.orb", "1,K1,4100,500,12\r\n2,K2,4100,1e9,12\r\n");
    }

    // Answers the next upload dialog: records its opening state, picks slot
    // (unless it is -1) and, for an "<empty>" slot, types newName.
    void answerUploadDialog(int slot, const QString &newName = QString(), bool accept = true)
    {
        m_dialogSeen = false;
        new WhenShown<UploadDialog>(
            m_window.get(),
            [=](UploadDialog *dialog) {
                new WhenShown<NewNameDialog>(dialog, [=](NewNameDialog *names) {
                    QTimer::singleShot(0, names, [=] {
                        names->nameField()->setText(newName);
                        names->okButton()->click();
                    });
                });
                QTimer::singleShot(0, dialog, [=] {
                    m_dialogSeen = true;
                    m_initialSlot = dialog->jobBox()->currentIndex();
                    m_okInitiallyEnabled = dialog->okButton()->isEnabled();
                    m_from = dialog->fromField()->text();
                    if (slot >= 0)
                        dialog->jobBox()->setCurrentIndex(slot);
                    if (accept)
                        dialog->okButton()->click();
                    else
                        dialog->cancelButton()->click();
                });
            },
            WhenShown<UploadDialog>::Once);
    }

    void dropOnInstrument(const QString &relative, QTreeWidgetItem *target)
    {
        InstrumentTree *instrument = m_window->instrumentTree();
        reveal(instrument, target);
        dragAndDrop(m_window->pcTree(), pcNode(drivePath(relative)), instrument,
                    {instrument->visualItemRect(target).center()});
        ASSERT_TRUE(instrumentCaughtUp());
    }

    QByteArrayList m_gsi16, m_gsi8;
    bool m_dialogSeen = false;
    bool m_okInitiallyEnabled = false;
    int m_initialSlot = -2;
    QString m_from;
};

TEST_F(Upload, droppedGsi16FileGoesIntoTheNamedJobDroppedOn)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    answerUploadDialog(-1);
    const int mark = commandMark();
    dropOnInstrument("up/road.gsi", instrument->slotNode(3));
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_initialSlot, 3); // the job dropped on
    EXPECT_TRUE(m_okInitiallyEnabled);
    EXPECT_EQ(m_from, QDir::toNativeSeparators(drivePath("up/road.gsi")));

    ASSERT_TRUE(waitForCommands(mark, 4 + 3 + 1 + 18));
    EXPECT_EQ(commandsSince(mark), QByteArrayList({"a", "c", "FORM/SET/0", "JOB/SND/COORD/4"}) +
                                       m_gsi16 + QByteArrayList{"\x1a"} + refreshCommands());
    EXPECT_EQ(m_sim->protocol().store().job(4).coordinates,
              QByteArrayList{coordinateLine(7)} + m_gsi16);
    EXPECT_EQ(instrument->fixPointsNode(3)->text(0).trimmed(), "FixPoints: 4");
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join('|').toStdString();
    // PIT held a point: the user chose to append (the harness's first choice).
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_TRUE(m_choices[0].contains("JobList 4:PIT already holds 1 points"))
        << m_choices[0].toStdString();
}

// Into a job that holds points nothing goes without a choice: Cancel (the
// default) sends no line and leaves the dialog open for another job; erase
// then upload puts the file in the points' place.
TEST_F(Upload, anOccupiedJobIsAppendedToOrReplacedOnlyWhenTheUserSaysSo)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    enum { Append, Replace, Cancel };
    bool stillOpen = false;
    new WhenShown<UploadDialog>(
        m_window.get(),
        [&](UploadDialog *dialog) {
            QTimer::singleShot(0, dialog, [&, dialog] {
                dialog->okButton()->click();
                stillOpen = dialog->isVisible();
                dialog->cancelButton()->click();
            });
        },
        WhenShown<UploadDialog>::Once);
    m_nextChoices = {Cancel};
    int mark = commandMark();
    dropOnInstrument("up/road.gsi", instrument->slotNode(3));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(m_choices.size(), 1);
    ASSERT_TRUE(instrumentCaughtUp());
    // Only the wake-up calls of the dialog; no data.
    for (const QByteArray &command : commandsSince(mark))
        EXPECT_TRUE(command == "a" || command == "c") << command.constData();
    EXPECT_EQ(m_sim->protocol().store().job(4).coordinates, QByteArrayList{coordinateLine(7)});

    m_nextChoices = {Replace};
    answerUploadDialog(-1);
    mark = commandMark();
    dropOnInstrument("up/road.gsi", instrument->slotNode(3));
    ASSERT_TRUE(waitForCommands(mark, 5 + 3 + 1 + 18));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "JOB/ERASE/COORDS/4", "FORM/SET/0", "JOB/SND/COORD/4"}) +
                  m_gsi16 + QByteArrayList{"\x1a"} + refreshCommands());
    EXPECT_EQ(m_sim->protocol().store().job(4).coordinates, m_gsi16);
    EXPECT_EQ(instrument->fixPointsNode(3)->text(0).trimmed(), "FixPoints: 3");
    EXPECT_EQ(m_choices.size(), 2);
}

// The instrument's coordinate line carries no code: the window says so, and
// which points, before the upload dialog opens; the lines go as before.
TEST_F(Upload, codesThatCannotBeSentAreSaidBeforeAnythingIsSent)
{
    writeFile("up/trees.csv",
              "Name,Code,East,North,Elevation\r\n"
              "T1,TREE,500,4100,12\r\nT2,POLE,600,4100.5,11\r\nT3,,700,4101,10\r\n");
    connectInstrument();
    qsizetype shownAtDialog = -1;
    new WhenShown<UploadDialog>(
        m_window.get(),
        [&](UploadDialog *dialog) {
            shownAtDialog = m_shown.size();
            QTimer::singleShot(0, dialog, [dialog] {
                dialog->jobBox()->setCurrentIndex(11);
                dialog->cancelButton()->click();
            });
        },
        WhenShown<UploadDialog>::Once);
    const int mark = commandMark();
    m_window->pcTree()->setCurrentItem(pcNode(drivePath("up/trees.csv")));
    m_window->controller().upload(true);
    ASSERT_EQ(shownAtDialog, 1);
    EXPECT_TRUE(m_shown[0].contains("codes of 2 points are not sent")) << m_shown[0].toStdString();
    EXPECT_TRUE(m_shown[0].contains("rows 1, 2")) << m_shown[0].toStdString();
    ASSERT_TRUE(instrumentCaughtUp());
    for (const QByteArray &command : commandsSince(mark))
        EXPECT_TRUE(command == "a" || command == "c") << command.constData();
}

// A cancelled upload leaves lines in the job: the user is offered to erase
// them (Keep is the default), told how many; the job list stays greyed,
// saying the connection is closed. Erase connects again and erases the job.
TEST_F(Upload, aCancelledUploadOffersToEraseWhatWasSentAndKeepsTheListGreyed)
{
    QByteArrayList many;
    for (int i = 1; i <= 40; ++i)
        many << coordinateLine(100 + i);
    writeFile("up/many.gsi", many.join("\r\n") + "\r\n");
    InstrumentTree *instrument = m_window->instrumentTree();
    TransferResult cancelled;
    QObject::connect(&m_window->controller().engine(), &ConversationEngine::finished,
                     m_window.get(), [&](const TransferResult &r) { cancelled = r; });
    const auto uploadAndCancel = [&](int slot, const QString &name) {
        SimInstrument::Options slow;
        slow.baud = 2400; // a line takes 0.4 s
        m_sim->setOptions(slow);
        answerUploadDialog(slot, name);
        bool clicked = false;
        const QMetaObject::Connection progress = QObject::connect(
            &m_window->controller(), &ManagerController::transferStarted, m_window.get(), [&] {
                ProgressDialog *p = m_window->progressDialog();
                QObject::connect(&m_window->controller().engine(), &ConversationEngine::progress, p,
                                 [&, p](int done) {
                                     if (done == 2 && !clicked) {
                                         clicked = true;
                                         QTimer::singleShot(0, p->cancelButton(),
                                                            &QPushButton::click);
                                     }
                                 });
            });
        m_window->pcTree()->setCurrentItem(pcNode(drivePath("up/many.gsi")));
        m_window->controller().upload(true);
        EXPECT_TRUE(transferDone()); // until the offer is answered
        QObject::disconnect(progress);
        m_sim->setOptions({});
    };

    connectInstrument();
    m_nextChoices = {0}; // Keep
    uploadAndCancel(11, "NEW");
    ASSERT_EQ(cancelled.outcome, TransferResult::Outcome::Cancelled);
    const int sent = cancelled.linesTransferred;
    ASSERT_GE(sent, 2);
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_TRUE(m_choices[0].contains(QString("after %1 lines").arg(sent)))
        << m_choices[0].toStdString();
    EXPECT_TRUE(m_choices[0].contains("JobList 12:NEW")) << m_choices[0].toStdString();
    EXPECT_FALSE(m_window->controller().engine().isConnected());
    ASSERT_NE(instrument->jobNode(), nullptr);
    EXPECT_TRUE(instrument->isStale());
    EXPECT_TRUE(instrument->jobNode()->text(0).contains("connection closed"));
    EXPECT_EQ(instrument->fixPointsNode(11)->foreground(0).color(),
              instrument->palette().color(QPalette::Disabled, QPalette::Text));
    ASSERT_TRUE(
        waitFor([&] { return m_sim->protocol().store().job(12).coordinates.size() == sent; }));

    // Again into the job, now holding those lines: appended, cancelled, erased.
    connectInstrument();
    m_nextChoices = {0 /* Append */, 1 /* Erase */};
    m_choices.clear();
    uploadAndCancel(11, QString());
    ASSERT_EQ(m_choices.size(), 2);
    EXPECT_TRUE(m_choices[1].contains(QString("%1 points the job held before").arg(sent)))
        << m_choices[1].toStdString();
    ASSERT_TRUE(
        waitFor([&] { return m_sim->protocol().store().job(12).coordinates.isEmpty(); }, 10000));
    ASSERT_TRUE(waitFor([&] {
        return !instrument->isStale() &&
               instrument->fixPointsNode(11)->text(0).trimmed() == "FixPoints: 0";
    }));
    EXPECT_TRUE(m_window->controller().engine().isConnected());
}

TEST_F(Upload, aReleaseOnThePcTreeDropsOnTheJobLastHighlighted)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    PcTree *pc = m_window->pcTree();
    QTreeWidgetItem *slot = instrument->slotNode(3);
    reveal(instrument, slot);
    QLineEdit *pathField = m_window->instrumentPathField();
    answerUploadDialog(-1);
    const int mark = commandMark();
    // Over "JobList 4:", through the path field, back over the PC tree the
    // drag began in, released there.
    EXPECT_TRUE(dragAcross(pc, pcNode(drivePath("up/road.gsi")),
                           {{instrument->viewport(), instrument->visualItemRect(slot).center()},
                            {pathField, pathField->rect().center()},
                            {pc->viewport(), QPoint(5, 5)}}));
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_initialSlot, 3);
    ASSERT_TRUE(waitForCommands(mark, 4 + 3 + 1 + 18));
    EXPECT_EQ(m_sim->protocol().store().job(4).coordinates,
              QByteArrayList{coordinateLine(7)} + m_gsi16);
    EXPECT_FALSE(instrument->dropTarget());
}

TEST_F(Upload, pcMoveSendsAGsi8FileIntoAnEmptyJobUnderItsNewName)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    // No job selected yet: the list starts without a choice and OK waits for one.
    answerUploadDialog(11, "NEW");
    const int mark = commandMark();
    QMenu *menu = rightClick(m_window->pcTree(), pcNode(drivePath("up/field.gsi")));
    ASSERT_TRUE(menu);
    choose(menu, "Move");
    ASSERT_TRUE(m_dialogSeen);
    EXPECT_EQ(m_initialSlot, -1);
    EXPECT_FALSE(m_okInitiallyEnabled);

    ASSERT_TRUE(waitForCommands(mark, 5 + 2 + 1 + 18));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "JOB/SET/NEW/12", "FORM/SET/0", "JOB/SND/COORD/12"}) +
                  m_gsi8 + QByteArrayList{"\x1a"} + refreshCommands());
    EXPECT_EQ(m_sim->protocol().store().job(12).name, "NEW");
    EXPECT_EQ(m_sim->protocol().store().job(12).coordinates, m_gsi8);
    EXPECT_EQ(instrument->slotNode(11)->text(0), "JobList 12:NEW");
    EXPECT_EQ(instrument->fixPointsNode(11)->text(0).trimmed(), "FixPoints: 2");
}

TEST_F(Upload, rejectedFilesSendNothing)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    int dialogs = 0;
    new WhenShown<UploadDialog>(m_window.get(), [&dialogs](UploadDialog *d) {
        ++dialogs;
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    const int mark = commandMark();

    // An extension that names no coordinate format: ignored without a word.
    dropOnInstrument("up/job1.txt", instrument->slotNode(3));
    EXPECT_TRUE(m_shown.isEmpty());
    // Observations without a coordinate: nothing to send.
    dropOnInstrument("up/obs.gsi", instrument->slotNode(3));
    // The instrument's text as it stands, then which files are taken.
    ASSERT_EQ(m_shown.size(), 1);
    const QStringList lines = m_shown.value(0).split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.value(0), "Please Sellect Right File!");
    for (const char *extension : {".gsi", ".orb", ".dat", ".pts", ".idx"})
        EXPECT_TRUE(lines.value(1).contains(extension)) << lines.value(1).toStdString();
    // A value the instrument's lines cannot hold: refused, the row named.
    m_window->pcTree()->setCurrentItem(pcNode(drivePath("up/far.orb")));
    m_window->controller().upload(true);
    ASSERT_EQ(m_shown.size(), 2);
    EXPECT_TRUE(m_shown.value(1).contains("row 2")) << m_shown.value(1).toStdString();
    EXPECT_EQ(dialogs, 0);
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_TRUE(commandsSince(mark).isEmpty());

    // Lines breaking the upload's rules but holding points are converted, so
    // these pass to the dialog; cancelling it sends no data.
    dropOnInstrument("up/long.gsi", instrument->slotNode(3));
    EXPECT_EQ(dialogs, 1);
    m_window->pcTree()->setCurrentItem(pcNode(drivePath("up/loose.gsi")));
    m_window->controller().upload(true);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(m_shown.size(), 2);
    // Each dialog wakes the instrument with "a" and "c"; no data goes out.
    ASSERT_TRUE(waitForCommands(mark, 2));
    ASSERT_TRUE(instrumentCaughtUp());
    const QByteArrayList sent = commandsSince(mark);
    for (const QByteArray &command : sent)
        EXPECT_TRUE(command == "a" || command == "c") << command.constData();
}

TEST_F(Upload, aFileOfAnotherFormatIsSentAsGsi16LinesOfItsPoints)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    answerUploadDialog(-1);
    const int mark = commandMark();
    dropOnInstrument("up/road.orb", instrument->slotNode(3));
    ASSERT_TRUE(m_dialogSeen);
    const QByteArrayList lines = {
        "*11....+00000000000000K1 81..10+0000000000500000 82..10+0000000004100000 "
        "83..10+0000000000012000 ",
        // No elevation: the instrument gets 0, and the user is told.
        "*11....+00000000000000K2 81..10+0000000000600000 82..10+0000000004100500 "
        "83..10+0000000000000000 "};
    ASSERT_TRUE(waitForCommands(mark, 4 + 2 + 1 + 18));
    EXPECT_EQ(commandsSince(mark).mid(4, 3), lines + QByteArrayList{"\x1a"});
    EXPECT_EQ(m_sim->protocol().store().job(4).coordinates.mid(1), lines);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown.value(0).contains("sent with 0") && m_shown.value(0).endsWith("rows 2"))
        << m_shown.value(0).toStdString();
}

TEST_F(Upload, cancellingTheNewNameKeepsTheSlotEmpty)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    new WhenShown<UploadDialog>(
        m_window.get(),
        [this](UploadDialog *dialog) {
            new WhenShown<NewNameDialog>(dialog, [](NewNameDialog *names) {
                QTimer::singleShot(0, names, [names] {
                    names->nameField()->setText("");
                    names->okButton()->click(); // refused: empty
                    names->nameField()->setText("A/B");
                    names->okButton()->click(); // refused: "/"
                    names->cancelButton()->click();
                });
            });
            QTimer::singleShot(0, dialog, [dialog] {
                dialog->jobBox()->setCurrentIndex(9);
                dialog->okButton()->click();
            });
        },
        WhenShown<UploadDialog>::Once);
    const int mark = commandMark();
    dropOnInstrument("up/road.gsi", instrument->slotNode(9));
    EXPECT_EQ(m_shown.size(), 2);
    ASSERT_TRUE(waitForCommands(mark, 2)); // "a" and "c" keep the instrument awake
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_EQ(commandsSince(mark), QByteArrayList({"a", "c"}));
    EXPECT_EQ(instrument->slotNode(9)->text(0), "JobList 10:<empty>");
    EXPECT_TRUE(m_sim->protocol().store().job(10).name.isEmpty());
}

TEST_F(Upload, aDropBeforeTheLinkIsOpenDoesNothing)
{
    InstrumentTree *instrument = m_window->instrumentTree();
    const int mark = commandMark();
    dropOnInstrument("up/road.gsi", instrument->portNode());
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_TRUE(commandsSince(mark).isEmpty());
}

} // namespace
