// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/gui/manager/transfers/TransferHarness.h"

#include "core/protocol/ConversationEngine.h"
#include "gui/common/Messages.h"
#include "gui/common/Translations.h"
#include "gui/manager/DragTree.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/PcTree.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

void TransferHarness::SetUp()
{
    ASSERT_TRUE(m_tmp.isValid());
    ASSERT_TRUE(QDir().mkpath(drivePath("Data")));
    m_sim = std::make_unique<SimInstrument>(jobStore());
    QString error;
    ASSERT_TRUE(m_sim->start(&error)) << error.toStdString();

    Messages::setHandler({[this](const QString &text, Messages::Kind) { m_shown << text; },
                          [this](const QString &text) {
                              m_asked << text;
                              return m_answer;
                          }});
    Messages::setChoiceHandler([this](const QString &text, const QStringList &) {
        m_choices << text;
        return m_nextChoices.isEmpty() ? m_choice : m_nextChoices.takeFirst();
    });
    m_state.commSettings.PortNumber = 1;
    m_state.UiLanguage = uiLanguage();
    if (uiLanguage() == 1)
        m_language = std::make_unique<Translations::Scope>(QStringLiteral("zh_CN"));
    ManagerWindow::Options options;
    options.drives = drives();
    options.devicePath = m_sim->slavePath();
    options.engineTickMs = 20;
    options.waitTickMs = 50;
    m_window = std::make_unique<ManagerWindow>(m_state, options);
    m_commandsSent = 0;
    QObject::connect(&m_window->controller().engine(), &ConversationEngine::commandSent,
                     m_window.get(), [this] { ++m_commandsSent; });
    m_window->resize(900, 600);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
}

void TransferHarness::TearDown()
{
    m_window.reset();
    m_language.reset();
    m_sim.reset();
    Messages::setHandler({});
    Messages::setChoiceHandler({});
}

QByteArray TransferHarness::coordinateLine(int block)
{
    return gsi16CoordinateLine(block, "P" + QByteArray::number(block), 500000 + block * 1250,
                               4100000 + block * 730, 12000 + block);
}

SimJobStore TransferHarness::jobStore()
{
    SimJobStore store;
    store.job(2).name = QStringLiteral("ROAD");
    store.job(2).coordinates = {coordinateLine(1), coordinateLine(2)};
    store.job(3).name = QStringLiteral("ROAD1");
    for (int i = 1; i <= 25; ++i)
        store.job(3).coordinates << coordinateLine(i);
    store.job(3).observations = {"110001+000000T1 21.324+18000000 22.324+09000000 ",
                                 "110002+000000T2 21.324+27000000 22.324+09012000 ",
                                 "110003+000000T3 21.324+00000000 22.324+08959000 "};
    store.job(4).name = QStringLiteral("PIT");
    store.job(4).coordinates = {coordinateLine(7)};
    return store;
}

void TransferHarness::connectInstrument()
{
    m_window->controller().connectInstrument();
    ASSERT_TRUE(waitFor([this] {
        return m_window->instrumentTree()->jobNode() != nullptr &&
               !m_window->instrumentTree()->isStale();
    }));
    // The directory's last "?" goes out as the wait dialog closes.
    ASSERT_TRUE(instrumentCaughtUp());
    ASSERT_EQ(m_window->controller().engine().linkMode(), LinkMode::Idle);
}

bool TransferHarness::transferDone()
{
    return waitFor([this] { return !m_window->controller().isTransferring(); }, 10000);
}

QString TransferHarness::drivePath(const QString &relative) const
{
    return relative.isEmpty() ? m_tmp.filePath("drive") : m_tmp.filePath("drive/" + relative);
}

void TransferHarness::writeFile(const QString &relative, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(drivePath(relative)).absolutePath());
    ASSERT_TRUE(testsupport::writeAll(drivePath(relative), bytes));
}

QTreeWidgetItem *TransferHarness::pcNode(const QString &path)
{
    PcTree *tree = m_window->pcTree();
    const QString wanted = QDir::cleanPath(path);
    QTreeWidgetItem *node = tree->findByPath(drivePath());
    while (node && node->data(0, PcTree::kPathRole).toString() != wanted) {
        tree->enumerateFolderNode(node);
        node->setExpanded(true);
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < node->childCount() && !next; ++i) {
            const QString child = node->child(i)->data(0, PcTree::kPathRole).toString();
            if (wanted == child || wanted.startsWith(child + '/'))
                next = node->child(i);
        }
        node = next;
    }
    if (node)
        reveal(tree, node);
    return node;
}

QByteArrayList TransferHarness::commandsSince(int mark) const
{
    return m_sim->commands().mid(mark);
}

bool TransferHarness::waitForCommands(int mark, int count)
{
    return waitFor([&] {
        return commandMark() - mark >= count &&
               m_window->controller().engine().linkMode() == LinkMode::Idle;
    });
}

bool TransferHarness::instrumentCaughtUp()
{
    return waitFor([this] { return commandMark() >= m_commandsSent; });
}

void TransferHarness::dragAndDrop(DragTree *source, QTreeWidgetItem *node, QTreeWidget *target,
                                  const QList<QPoint> &path)
{
    source->setCurrentItem(node);
    std::unique_ptr<QMimeData> mime(source->mimeData({node}));
    ASSERT_TRUE(mime);
    QWidget *viewport = target->viewport();
    QDragEnterEvent enter(path.first(), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    for (const QPoint &p : path) {
        QDragMoveEvent move(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QDropEvent drop(QPointF(path.last()), Qt::CopyAction, mime.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
}

bool TransferHarness::dragAcross(DragTree *source, QTreeWidgetItem *node,
                                 const QList<DragStop> &stops, const QMimeData *mime)
{
    source->setCurrentItem(node);
    std::unique_ptr<QMimeData> own(source->mimeData({node}));
    if (!mime)
        mime = own.get();
    QWidget *current = nullptr;
    for (const DragStop &stop : stops) {
        if (stop.widget != current) {
            if (current) {
                QDragLeaveEvent leave;
                QApplication::sendEvent(current, &leave);
            }
            current = stop.widget;
            QDragEnterEvent enter(stop.pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(current, &enter);
        }
        QDragMoveEvent move(stop.pos, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(current, &move);
    }
    QDropEvent drop(QPointF(stops.last().pos), Qt::CopyAction, mime, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(current, &drop);
    return drop.isAccepted();
}

void TransferHarness::reveal(QTreeWidget *tree, QTreeWidgetItem *node)
{
    for (QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->scrollToItem(node);
}

QPoint TransferHarness::onIcon(const QTreeWidget *tree, const QTreeWidgetItem *node)
{
    const QRect r = tree->visualItemRect(node);
    return QPoint(r.left() + 4, r.center().y());
}

QPoint TransferHarness::rightOfLabel(const QTreeWidget *tree, const QTreeWidgetItem *node)
{
    const QRect r = tree->visualItemRect(node);
    return QPoint(r.left() + tree->fontMetrics().horizontalAdvance(node->text(0)) + 80,
                  r.center().y());
}

QMenu *TransferHarness::rightClick(QTreeWidget *tree, QTreeWidgetItem *node)
{
    reveal(tree, node);
    const QPoint pos = tree->visualItemRect(node).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(tree->viewport(), &event);
    for (QMenu *menu : m_window->findChildren<QMenu *>()) {
        if (menu->isVisible() && !menu->parentWidget()->inherits("QMenuBar") &&
            menu->title().isEmpty())
            return menu;
    }
    return nullptr;
}

void TransferHarness::choose(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == text) {
            menu->close();
            a->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
}

QByteArrayList TransferHarness::repeat(const QByteArray &command, int times)
{
    QByteArrayList out;
    for (int i = 0; i < times; ++i)
        out << command;
    return out;
}

QByteArrayList TransferHarness::refreshCommands()
{
    return QByteArrayList{"JOB/CONF/LIST"} + repeat("?", 17);
}
