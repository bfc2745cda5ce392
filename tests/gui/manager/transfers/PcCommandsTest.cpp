// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/gui/manager/transfers/TransferHarness.h"

#include "tests/support/TestSupport.h"

#include "gui/manager/InstrumentTree.h"
#include "gui/manager/PcTree.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// Stands in for the desktop: records every file URL it is asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

// A home of the test's own with its freedesktop trash, so deleted files land
// where the test can look and never in the user's trash.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_oldHome(qgetenv("HOME")), m_oldData(qgetenv("XDG_DATA_HOME")),
          m_hadData(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    {
        QDir().mkpath(m_dir.filePath("home/.local/share"));
        qputenv("HOME", m_dir.filePath("home").toUtf8());
        qputenv("XDG_DATA_HOME", m_dir.filePath("home/.local/share").toUtf8());
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_oldHome);
        if (m_hadData)
            qputenv("XDG_DATA_HOME", m_oldData);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    QString trashFiles() const { return m_dir.filePath("home/.local/share/Trash/files"); }
    // Leaves the desktop without a trash: its folder cannot be made.
    void removeTrash()
    {
        testsupport::writeAll(m_dir.filePath("no-data"), "a file, not a folder");
        qputenv("XDG_DATA_HOME", m_dir.filePath("no-data").toUtf8());
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome, m_oldData;
    bool m_hadData;
};

class PcCommands : public TransferHarness
{
protected:
    void SetUp() override
    {
        TransferHarness::SetUp();
        writeFile("Data/job1.gsi", coordinateLine(1) + "\r\n");
        writeFile("Data/old/A/.hidden", "x");
        writeFile("Data/old/A/B/deep.dat", "1,,2,3,4\r\n");
        writeFile("Data/old/README", "notes");
        QDesktopServices::setUrlHandler("file", &m_urls, "open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("file");
        TransferHarness::TearDown();
    }

    void popupCommand(const QString &relative, const QString &entry)
    {
        QMenu *menu = rightClick(m_window->pcTree(), pcNode(drivePath(relative)));
        ASSERT_TRUE(menu);
        choose(menu, entry);
    }

    // A second drive inside Data, as a mounted card or the home folder sits
    // inside the root "/".
    QStringList drives() const override { return {drivePath(), drivePath("Data/card")}; }

    UrlRecorder m_urls;
    TemporaryHome m_home;
};

// Delete asks first, naming the file; No (the default) keeps it. Yes moves it
// to the trash. The Delete key does the same as the menu entry.
TEST_F(PcCommands, deleteAsksNamingTheFileThenMovesItToTheTrashAndRemovesItsNode)
{
    m_answer = false;
    popupCommand("Data/job1.gsi", "Delete");
    ASSERT_EQ(m_asked.size(), 1);
    EXPECT_TRUE(m_asked[0].contains(QDir::toNativeSeparators(drivePath("Data/job1.gsi"))))
        << m_asked[0].toStdString();
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));

    PcTree *pc = m_window->pcTree();
    pc->setFocus();
    pc->setCurrentItem(pcNode(drivePath("Data/job1.gsi")));
    QTest::keyClick(pc, Qt::Key_Delete);
    ASSERT_EQ(m_asked.size(), 2);
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));

    m_answer = true;
    QTest::keyClick(pc, Qt::Key_Delete);
    EXPECT_EQ(m_asked.size(), 3);
    EXPECT_FALSE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_EQ(m_window->pcTree()->findByPath(drivePath("Data/job1.gsi")), nullptr);
    EXPECT_TRUE(m_shown.isEmpty());
    // The user can bring it back, byte for byte.
    EXPECT_EQ(testsupport::readAll(m_home.trashFiles() + "/job1.gsi"), coordinateLine(1) + "\r\n");

    // A folder, after its question, goes the same way with everything in it.
    m_answer = true;
    popupCommand("Data/old", "Delete");
    EXPECT_FALSE(QFileInfo::exists(drivePath("Data/old")));
    EXPECT_TRUE(QFile::exists(m_home.trashFiles() + "/old/A/B/deep.dat"));
}

TEST_F(PcCommands, withoutATrashDeleteAsksFirstNamingTheFile)
{
    m_home.removeTrash();
    m_answer = false;
    popupCommand("Data/job1.gsi", "Delete");
    ASSERT_EQ(m_asked.size(), 1); // the first question already keeps it
    EXPECT_TRUE(m_asked[0].contains(QDir::toNativeSeparators(drivePath("Data/job1.gsi"))));
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_TRUE(m_window->pcTree()->findByPath(drivePath("Data/job1.gsi")));

    m_answer = true;
    popupCommand("Data/job1.gsi", "Delete");
    EXPECT_FALSE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_EQ(m_window->pcTree()->findByPath(drivePath("Data/job1.gsi")), nullptr);
}

TEST_F(PcCommands, deletingAFolderTreeAsksFirstNamingItsEntries)
{
    m_answer = false;
    popupCommand("Data/old", "Delete");
    ASSERT_EQ(m_asked.size(), 1);
    EXPECT_TRUE(m_asked[0].contains(QDir::toNativeSeparators(drivePath("Data/old"))));
    EXPECT_TRUE(m_asked[0].contains("5"))
        << m_asked[0].toStdString(); // A, .hidden, B, deep, README
    EXPECT_TRUE(QFile::exists(drivePath("Data/old/A/B/deep.dat")));
    EXPECT_TRUE(m_window->pcTree()->findByPath(drivePath("Data/old")));

    m_answer = true;
    popupCommand("Data/old", "Delete");
    EXPECT_FALSE(QFileInfo::exists(drivePath("Data/old")));
    EXPECT_EQ(m_window->pcTree()->findByPath(drivePath("Data/old")), nullptr);
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));
}

#ifdef Q_OS_UNIX
TEST_F(PcCommands, aLinkInsideADeletedFolderIsNotFollowed)
{
    writeFile("keep/survey.gsi", coordinateLine(2) + "\r\n");
    ASSERT_TRUE(QFile::link(drivePath("keep"), drivePath("Data/old/toKeep")));
    popupCommand("Data/old", "Delete");
    EXPECT_FALSE(QFileInfo::exists(drivePath("Data/old")));
    EXPECT_TRUE(QFile::exists(drivePath("keep/survey.gsi")));
}
#endif

TEST_F(PcCommands, drivesAndMyComputerAreNeverDeleted)
{
    PcTree *pc = m_window->pcTree();
    for (QTreeWidgetItem *node : {pc->myComputerNode(), pc->findByPath(drivePath())}) {
        m_shown.clear();
        pc->setCurrentItem(node);
        m_window->pcDeleteCommand();
        EXPECT_EQ(m_shown.size(), 1);
    }
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_TRUE(pc->findByPath(drivePath()));
    EXPECT_TRUE(m_asked.isEmpty());
}

TEST_F(PcCommands, aFolderHoldingADriveIsNeverDeleted)
{
    writeFile("Data/card/field.gsi", coordinateLine(3) + "\r\n");
    popupCommand("Data", "Delete");
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_asked.isEmpty());
    EXPECT_TRUE(QFile::exists(drivePath("Data/card/field.gsi")));
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_TRUE(m_window->pcTree()->findByPath(drivePath("Data")));
}

TEST_F(PcCommands, fileInfoOpensDocumentsAndFoldersButNoPrograms)
{
    popupCommand("Data/job1.gsi", "File Info");
    popupCommand("Data/old", "File Info");
    writeFile("Data/launch.desktop", "[Desktop Entry]\nExec=rm -rf /\n");
    writeFile("Data/tool", "#!/bin/sh\n");
    QFile::setPermissions(drivePath("Data/tool"), QFile::ReadOwner | QFile::ExeOwner);
    m_window->pcTree()->findByPath(drivePath("Data"))->takeChildren();
    popupCommand("Data/launch.desktop", "File Info");
    popupCommand("Data/tool", "File Info");
    EXPECT_EQ(m_urls.opened, QList<QUrl>({QUrl::fromLocalFile(drivePath("Data/job1.gsi")),
                                          QUrl::fromLocalFile(drivePath("Data/old"))}));
    EXPECT_EQ(m_shown.size(), 2);
}

TEST_F(PcCommands, copyPutsThePcFileOnTheClipboardAndNothingGoesToTheInstrument)
{
    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    instrument->setCurrentItem(instrument->fixPointsNode(2));
    const int mark = commandMark();
    QGuiApplication::clipboard()->clear();

    popupCommand("Data/job1.gsi", "Copy");
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->urls(), QList<QUrl>({QUrl::fromLocalFile(drivePath("Data/job1.gsi"))}));
    EXPECT_EQ(copied->text(), QDir::toNativeSeparators(drivePath("Data/job1.gsi")));
    EXPECT_TRUE(copied->data("x-special/gnome-copied-files").startsWith("copy\nfile://"));

    // "My Computer" is nothing to copy: the entry is offered greyed, saying why.
    QMenu *menu = rightClick(m_window->pcTree(), m_window->pcTree()->myComputerNode());
    ASSERT_TRUE(menu);
    for (QAction *a : menu->actions()) {
        if (a->text() == "Copy") {
            EXPECT_FALSE(a->isEnabled());
            EXPECT_FALSE(a->toolTip().isEmpty());
        }
    }
    menu->close();

    // A job reaches the PC by Move or a drag; its Copy says so and does nothing.
    menu = rightClick(instrument, instrument->fixPointsNode(2));
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->toolTipsVisible());
    bool found = false;
    for (QAction *a : menu->actions()) {
        if (a->text() == "Copy") {
            found = true;
            EXPECT_FALSE(a->isEnabled());
            EXPECT_TRUE(a->toolTip().contains("Move")) << a->toolTip().toStdString();
        }
    }
    EXPECT_TRUE(found);
    choose(menu, "Copy");
    ASSERT_TRUE(instrumentCaughtUp());

    EXPECT_TRUE(commandsSince(mark).isEmpty());
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_TRUE(m_asked.isEmpty());
    EXPECT_TRUE(m_urls.opened.isEmpty());
    EXPECT_TRUE(QFile::exists(drivePath("Data/job1.gsi")));
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(PcCommands, eraseAsksNamingTheJobAndRefreshesTheCounts)
{
    InstrumentTree *instrument = m_window->instrumentTree();
    // Before the link is open: nothing at all.
    m_window->eraseButton()->click();
    EXPECT_TRUE(m_asked.isEmpty());
    EXPECT_TRUE(m_shown.isEmpty());

    connectInstrument();
    // No job ever selected: refused with a message.
    int mark = commandMark();
    m_window->eraseButton()->click();
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_asked.isEmpty());

    instrument->setCurrentItem(instrument->fixPointsNode(2));
    instrument->setCurrentItem(instrument->portNode()); // the job stays the current one
    m_answer = false;
    m_window->action(ManagerWindow::Command::Delete)->trigger();
    ASSERT_EQ(m_asked.size(), 1);
    EXPECT_TRUE(m_asked[0].contains("JobList 3:ROAD1")) << m_asked[0].toStdString();
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_TRUE(commandsSince(mark).isEmpty());

    m_answer = true;
    QMenu *menu = rightClick(instrument, instrument->fixPointsNode(2));
    ASSERT_TRUE(menu);
    choose(menu, "Delete");
    ASSERT_TRUE(waitForCommands(mark, 3 + 18));
    EXPECT_EQ(commandsSince(mark),
              QByteArrayList({"a", "c", "JOB/ERASE/COORDS/3"}) + refreshCommands());
    EXPECT_TRUE(m_sim->protocol().store().job(3).coordinates.isEmpty());
    EXPECT_EQ(instrument->fixPointsNode(2)->text(0).trimmed(), "FixPoints: 0");

    // On a job's observations line Delete would erase its coordinates: the
    // menu offers it greyed, saying why.
    menu = rightClick(instrument, instrument->measurementPointsNode(2));
    ASSERT_TRUE(menu);
    bool greyed = false;
    for (QAction *a : menu->actions()) {
        if (a->text() == "Delete") {
            greyed = !a->isEnabled();
            EXPECT_TRUE(a->toolTip().contains("observations")) << a->toolTip().toStdString();
        }
    }
    EXPECT_TRUE(greyed);
    menu->close();

    // The Delete key asks too, saying what goes and what stays.
    m_answer = false;
    instrument->setFocus();
    instrument->setCurrentItem(instrument->measurementPointsNode(1));
    mark = commandMark();
    QTest::keyClick(instrument, Qt::Key_Delete);
    ASSERT_EQ(m_asked.size(), 3);
    EXPECT_TRUE(m_asked[2].contains("coordinates of JobList 2:ROAD on the instrument "
                                    "(FixPoints: 2)"))
        << m_asked[2].toStdString();
    EXPECT_TRUE(m_asked[2].contains("Its observations (MeasurementPoints: 0) stay."))
        << m_asked[2].toStdString();
    ASSERT_TRUE(instrumentCaughtUp());
    EXPECT_TRUE(commandsSince(mark).isEmpty());
}

class PcCommandsInChinese : public PcCommands
{
protected:
    int uiLanguage() const override { return 1; }
};

TEST_F(PcCommandsInChinese, questionsAndRefusalsAreChinese)
{
    // A "%2" in the folder's name must stay there and not take the count.
    writeFile("Data/a%2/one.gsi", "x");
    writeFile("Data/a%2/two.gsi", "x");
    m_answer = false;
    popupCommand("Data/a%2", QStringLiteral("删除"));
    ASSERT_EQ(m_asked.size(), 1);
    EXPECT_EQ(m_asked[0], QStringLiteral("确定要删除文件夹 %1 及其中的 2 项内容吗？")
                              .arg(QDir::toNativeSeparators(drivePath("Data/a%2"))))
        << m_asked[0].toStdString();
    EXPECT_TRUE(QFile::exists(drivePath("Data/a%2/one.gsi")));

    connectInstrument();
    InstrumentTree *instrument = m_window->instrumentTree();
    instrument->setCurrentItem(instrument->fixPointsNode(2));
    m_window->eraseButton()->click();
    ASSERT_EQ(m_asked.size(), 2);
    // The tree's labels as the manager always showed them; the job's name as the instrument has it.
    EXPECT_EQ(m_asked[1],
              QStringLiteral("确定要删除仪器上 JobList 3:ROAD1 的坐标（FixPoints: 25）吗？\n"
                             "其观测数据（MeasurementPoints: 3）保留。"))
        << m_asked[1].toStdString();
    EXPECT_TRUE(m_shown.isEmpty());
}

} // namespace

#include "PcCommandsTest.moc"
