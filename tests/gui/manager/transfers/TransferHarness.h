// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/state/AppState.h"
#include "gui/common/Translations.h"
#include "gui/manager/ManagerWindow.h"
#include "sim/SimInstrument.h"

#include <QByteArrayList>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class DragTree;
class QMenu;
class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;

// The manager window over a simulated RQT-318 on a pty, with a temporary
// folder as its only drive. Message boxes are recorded and questions answered
// from m_answer; dialogs are answered through the window's signals.
class TransferHarness : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Job store of the simulated instrument: 2 ROAD (2 lines), 3 ROAD1 (25
    // lines, 3 observations), 4 PIT (1 line), every other slot unnamed.
    static SimJobStore jobStore();
    static QByteArray coordinateLine(int block);

    // The drive nodes under "My Computer".
    virtual QStringList drives() const { return {drivePath()}; }
    // The window's language: 1 installs the Chinese translation first.
    virtual int uiLanguage() const { return 0; }

    // Opens the connection and reads the directory, as a double-click would.
    void connectInstrument();

    // Waits until the transfer under way has ended and its end has been told.
    bool transferDone();

    // The PC node of path, listing the folders above it on the way.
    QTreeWidgetItem *pcNode(const QString &path);
    QString drivePath(const QString &relative = QString()) const;
    void writeFile(const QString &relative, const QByteArray &bytes);

    // Commands the instrument received from index mark on.
    QByteArrayList commandsSince(int mark) const;
    int commandMark() const { return int(m_sim->commands().size()); }
    // Waits until the instrument has received count commands after mark and
    // the conversation is idle again.
    bool waitForCommands(int mark, int count);
    // Waits until the instrument has received every command the window sent,
    // so a check that nothing (more) went out means what it says.
    bool instrumentCaughtUp();

    // Synthetic drag of node (selected first, as a press would) from source,
    // hovering over each point of path and dropping at the last one.
    void dragAndDrop(DragTree *source, QTreeWidgetItem *node, QTreeWidget *target,
                     const QList<QPoint> &path);
    // One place a drag passes over: a widget of the window and a point in it.
    struct DragStop
    {
        QWidget *widget;
        QPoint pos;
    };
    // Synthetic drag of node from source across the stops, with enter and
    // leave events wherever the widget changes, as the window system sends
    // them, and a release at the last stop. mime replaces the drag's own
    // data (another program's drag). Returns whether the drop was taken.
    bool dragAcross(DragTree *source, QTreeWidgetItem *node, const QList<DragStop> &stops,
                    const QMimeData *mime = nullptr);
    // Expands the node's parents and scrolls it into view.
    static void reveal(QTreeWidget *tree, QTreeWidgetItem *node);
    // Inside a node's cell: on its icon, and well right of its label.
    static QPoint onIcon(const QTreeWidget *tree, const QTreeWidgetItem *node);
    static QPoint rightOfLabel(const QTreeWidget *tree, const QTreeWidgetItem *node);

    // A right-click on node: returns the pop-up menu it opened.
    QMenu *rightClick(QTreeWidget *tree, QTreeWidgetItem *node);
    // Chooses the entry with that text in the open pop-up menu.
    void choose(QMenu *menu, const QString &text);

    static QByteArrayList repeat(const QByteArray &command, int times);
    static QByteArrayList refreshCommands();

    QTemporaryDir m_tmp;
    std::unique_ptr<SimInstrument> m_sim;
    AppState m_state;
    std::unique_ptr<ManagerWindow> m_window;
    QStringList m_shown; // texts of the message boxes shown
    QStringList m_asked; // texts of the questions asked
    bool m_answer = true;
    QStringList m_choices;    // texts of the choices offered (Messages::choose)
    int m_choice = 0;         // the one taken: the first (Append for an occupied job)
    QList<int> m_nextChoices; // taken, one per choice, before m_choice
    std::unique_ptr<Translations::Scope> m_language;
    int m_commandsSent = 0;
};
