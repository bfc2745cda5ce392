// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/ManagerWindow.h"
#include "core/about/ProgramInfo.h"
#include "core/protocol/JobTable.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/common/Translations.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/PcTree.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include "tests/support/WhenShown.h"

#include <gtest/gtest.h>

namespace {

ManagerWindow::Options withDrive(const QString &drive)
{
    ManagerWindow::Options options;
    options.drives = {drive};
    return options;
}

QStringList rootTexts(const QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0);
    return out;
}

struct PortCase
{
    int portNumber;
    QStringList roots;
    int storedPort;
};

class ManagerOpening : public ::testing::TestWithParam<PortCase>
{
};

TEST_P(ManagerOpening, rootsFollowThePortNumber)
{
    QTemporaryDir dir;
    AppState state;
    state.commSettings.PortNumber = GetParam().portNumber;
    ManagerWindow w(state, withDrive(dir.path()));
    EXPECT_EQ(rootTexts(w.instrumentTree()), GetParam().roots);
    EXPECT_EQ(state.commSettings.PortNumber, GetParam().storedPort);
    EXPECT_EQ(w.instrumentTree()->portNode()->text(0), GetParam().roots.last());
}

INSTANTIATE_TEST_SUITE_P(Ports, ManagerOpening,
                         ::testing::Values(PortCase{0, {"COM1"}, 1}, PortCase{1, {"COM1"}, 1},
                                           PortCase{5, {"COM1", "COM5"}, 5},
                                           PortCase{17, {"COM1"}, 1}));

TEST(ManagerWindow, openingResetsTheSharedValues)
{
    QTemporaryDir dir;
    AppState state;
    state.selection.downloadFormat = DownloadFormat::Cass;
    state.commSettings.CommandEnd = EndMark::CrLf;
    ManagerWindow w(state, withDrive(dir.path()));
    EXPECT_EQ(state.selection.downloadFormat, DownloadFormat::Gsi);
    EXPECT_EQ(state.commSettings.replyTerminator(), '\n');
    EXPECT_EQ(w.statusField(1)->text(), "NUM");
    EXPECT_TRUE(w.statusField(0)->text().isEmpty());
    EXPECT_TRUE(w.statusField(2)->text().isEmpty());
    EXPECT_EQ(w.filterBox()->count(), 3);
    EXPECT_EQ(w.filterBox()->itemText(0), "GSI(*.gsi)");
    EXPECT_EQ(w.filterBox()->itemText(1), "CASS(*.dat)");
    EXPECT_EQ(w.filterBox()->itemText(2), "All files(*)");
    EXPECT_EQ(w.filterBox()->currentIndex(), 2);
    EXPECT_TRUE(w.pcTree()->fileFilter().isEmpty());
    EXPECT_FALSE(w.action(ManagerWindow::Command::FileInfo)->isEnabled());
}

TEST(ManagerWindow, terminatorFollowsACrEndMark)
{
    QTemporaryDir dir;
    AppState state;
    state.commSettings.CommandEnd = EndMark::Cr;
    ManagerWindow w(state, withDrive(dir.path()));
    EXPECT_EQ(state.commSettings.replyTerminator(), '\r');
}

TEST(ManagerWindow, captionsInBothLanguages)
{
    QTemporaryDir dir;
    AppState state;
    ManagerWindow en(state, withDrive(dir.path()));
    EXPECT_EQ(en.windowTitle(), "ORB Data Exchange Manager");
    QStringList menus;
    for (QAction *a : en.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"File", "View", "Options", "Help"}));
    EXPECT_EQ(en.action(ManagerWindow::Command::PortSettings)->text(), "Port Settings");

    const Translations::Scope chinese(QStringLiteral("zh_CN"));
    ManagerWindow zh(state, withDrive(dir.path()));
    EXPECT_EQ(zh.windowTitle(), "ORB数据交换管理器");
    menus.clear();
    for (QAction *a : zh.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"文件", "查看", "选项", "帮助"}));
    using C = ManagerWindow::Command;
    const QList<QPair<C, QString>> expected = {{C::Move, "移动"},
                                               {C::Delete, "删除"},
                                               {C::Rename, "重命名"},
                                               {C::Exit, "退出"},
                                               {C::Statusbar, "状态栏"},
                                               {C::FileInfo, "文件信息"},
                                               {C::PortSettings, "端口设置"},
                                               {C::About, "关于..."}};
    for (const auto &e : expected)
        EXPECT_EQ(zh.action(e.first)->text(), e.second);

    // "Filter：", "Ready" and the tree's labels stay as the instrument's
    // manager always showed them, in both languages.
    QStringList labels;
    for (QLabel *l : zh.findChildren<QLabel *>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("Filter：")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("Ready")) << labels.join('|').toStdString();
    EXPECT_EQ(zh.pcTree()->myComputerNode()->text(0), "My Computer");
    JobTable jobs;
    jobs.JobNames[0] = "ROAD1";
    jobs.FixPointCounts[0] = "25";
    jobs.MeasurementCounts[0] = "3\r\n";
    jobs.JobNames[1] = JobTable::emptyName();
    zh.instrumentTree()->buildJobTree(jobs);
    InstrumentTree *tree = zh.instrumentTree();
    EXPECT_EQ(tree->portNode()->text(0), "COM1");
    EXPECT_EQ(tree->jobNode()->text(0), "JOB");
    EXPECT_EQ(tree->slotNode(0)->text(0), "JobList 1:ROAD1");
    EXPECT_EQ(tree->slotNode(1)->text(0), "JobList 2:<empty>");
    EXPECT_EQ(tree->fixPointsNode(0)->text(0), "FixPoints: 25");
    EXPECT_EQ(tree->measurementPointsNode(0)->text(0), "MeasurementPoints: 3");
}

TEST(ManagerWindow, statusbarShowsAndHidesTheStatusRowAndIsRemembered)
{
    QTemporaryDir dir;
    AppState state;
    QSettings().remove(QStringLiteral("manager/statusbar"));
    {
        ManagerWindow w(state, withDrive(dir.path()));
        w.show();
        QAction *statusbar = w.action(ManagerWindow::Command::Statusbar);
        EXPECT_TRUE(statusbar->isChecked());
        EXPECT_TRUE(w.statusBar()->isVisible());
        statusbar->trigger();
        EXPECT_FALSE(statusbar->isChecked());
        EXPECT_FALSE(w.statusBar()->isVisible());
        EXPECT_TRUE(w.isVisible());
    }
    ManagerWindow next(state, withDrive(dir.path()));
    next.show();
    EXPECT_FALSE(next.action(ManagerWindow::Command::Statusbar)->isChecked());
    EXPECT_FALSE(next.statusBar()->isVisible());
    next.action(ManagerWindow::Command::Statusbar)->trigger();
    EXPECT_TRUE(next.statusBar()->isVisible());
    QSettings().remove(QStringLiteral("manager/statusbar"));
}

TEST(ManagerWindow, theFilterChoosesTheFilesThePcTreeShows)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Data/sub.gsi.d");
    for (const char *name : {"Data/a.gsi", "Data/B.GSI", "Data/c.dat", "Data/d.txt"})
        testsupport::writeAll(dir.filePath(name), "x");
    AppState state;
    ManagerWindow w(state, withDrive(dir.path()));
    PcTree *pc = w.pcTree();
    QTreeWidgetItem *drive = pc->myComputerNode()->child(0);
    pc->enumerateFolderNode(drive);
    QTreeWidgetItem *data = pc->findByPath(dir.filePath("Data"));
    ASSERT_TRUE(data);
    pc->enumerateFolderNode(data);
    auto shown = [data] {
        QStringList names;
        for (int i = 0; i < data->childCount(); ++i) {
            if (!data->child(i)->isHidden())
                names << data->child(i)->text(0);
        }
        return names;
    };
    EXPECT_EQ(shown(), QStringList({"a.gsi", "B.GSI", "c.dat", "d.txt", "sub.gsi.d"}));
    pc->setCurrentItem(pc->findByPath(dir.filePath("Data/d.txt")));

    w.filterBox()->setCurrentIndex(0);
    EXPECT_EQ(shown(), QStringList({"a.gsi", "B.GSI", "sub.gsi.d"}));
    // The file the filter hid is no longer what Move or Delete would take.
    EXPECT_EQ(pc->currentItem(), data);
    EXPECT_EQ(state.selection.pcPath, dir.filePath("Data") + "/");

    w.filterBox()->setCurrentIndex(1);
    EXPECT_EQ(shown(), QStringList({"c.dat", "sub.gsi.d"}));
    // A folder listed later follows the filter too; a download shows at once.
    testsupport::writeAll(dir.filePath("Data/sub.gsi.d/e.dat"), "x");
    testsupport::writeAll(dir.filePath("Data/sub.gsi.d/f.gsi"), "x");
    QTreeWidgetItem *sub = pc->findByPath(dir.filePath("Data/sub.gsi.d"));
    pc->enumerateFolderNode(sub);
    EXPECT_FALSE(pc->findByPath(dir.filePath("Data/sub.gsi.d/e.dat"))->isHidden());
    EXPECT_TRUE(pc->findByPath(dir.filePath("Data/sub.gsi.d/f.gsi"))->isHidden());
    testsupport::writeAll(dir.filePath("Data/new.idex"), "x");
    EXPECT_FALSE(pc->addFileNode(data, dir.filePath("Data/new.idex"))->isHidden());
    EXPECT_FALSE(pc->addFileNode(data, dir.filePath("Data/d.txt"))->isHidden()); // replaced

    w.filterBox()->setCurrentIndex(2);
    EXPECT_EQ(shown().size(), 6);
    EXPECT_EQ(data->childCount(), 6);
}

TEST(ManagerWindow, buttonsSayWhatTheyDoAndAboutTellsTheVersion)
{
    QTemporaryDir dir;
    AppState state;
    ManagerWindow w(state, withDrive(dir.path()));
    for (QPushButton *b : {w.downloadButton(), w.eraseButton(), w.settingsButton()})
        EXPECT_FALSE(b->toolTip().isEmpty());
    EXPECT_FALSE(w.filterBox()->toolTip().isEmpty());
    // The main menu's File Info stays greyed; its tooltip points to the one that works.
    EXPECT_FALSE(w.action(ManagerWindow::Command::FileInfo)->isEnabled());
    EXPECT_TRUE(w.action(ManagerWindow::Command::FileInfo)->toolTip().contains("File Info"));

    QStringList shown;
    Messages::Handler handler;
    handler.show = [&shown](const QString &text, Messages::Kind) {
        shown << text;
    };
    handler.ask = [](const QString &) {
        return false;
    };
    Messages::setHandler(handler);
    w.action(ManagerWindow::Command::About)->trigger();
    Messages::setHandler({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.value(0).contains(ProgramInfo::version())) << shown.value(0).toStdString();
}

TEST(ManagerWindow, portSettingsOpenTheSettingsDialogFromMenuAndButton)
{
    QTemporaryDir dir;
    AppState state;
    ManagerWindow w(state, withDrive(dir.path()));
    int opened = 0;
    new WhenShown<CommSettingsDialog>(&w, [&opened](CommSettingsDialog *d) {
        ++opened;
        QTimer::singleShot(0, d->cancelButton(), &QPushButton::click);
    });
    w.action(ManagerWindow::Command::PortSettings)->trigger();
    w.settingsButton()->click();
    EXPECT_EQ(opened, 2);
    // The roots keep the labels they got at opening.
    EXPECT_EQ(rootTexts(w.instrumentTree()), QStringList({"COM1"}));
}

TEST(ManagerWindow, exitClosesAsOk)
{
    QTemporaryDir dir;
    AppState state;
    ManagerWindow w(state, withDrive(dir.path()));
    w.show();
    w.action(ManagerWindow::Command::Exit)->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

} // namespace
