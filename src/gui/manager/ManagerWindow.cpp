// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/ManagerWindow.h"

#include "core/state/AppState.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Messages.h"
#include "gui/common/Pictures.h"
#include "gui/editor/EditorWindow.h"
#include "gui/manager/CommSettingsDialog.h"
#include "gui/manager/FilePreview.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/PcTree.h"
#include "gui/manager/ProgressDialog.h"
#include "gui/manager/WaitDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

ManagerWindow::ManagerWindow(AppState &state, QWidget *parent)
    : ManagerWindow(state, Options(), parent)
{
}

ManagerWindow::ManagerWindow(AppState &state, const Options &options, QWidget *parent)
    : QDialog(parent), m_state(state), m_options(options)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    ManagerController::Options engineOptions;
    engineOptions.devicePath = options.devicePath;
    engineOptions.engineTickMs = options.engineTickMs;
    ManagerPrompts *prompts = this;
    m_controller = std::make_unique<ManagerController>(state, engineOptions, prompts);
    buildMenus();
    buildLayout();
    fillViews(options);
    connectController();
    connectViews();
}

ManagerWindow::~ManagerWindow()
{
    // The dialogs follow the controller's signals: they go first.
    delete m_wait;
    delete m_progress;
}

void ManagerWindow::buildMenus()
{
    m_menuBar = new QMenuBar(this);
    QMenu *file = m_menuBar->addMenu(tr("File"));
    file->addAction(action(Command::Move));
    file->addAction(action(Command::Delete));
    file->addSeparator();
    file->addAction(action(Command::Rename));
    file->addSeparator();
    file->addAction(action(Command::Exit));
    QMenu *view = m_menuBar->addMenu(tr("View"));
    view->addAction(action(Command::Statusbar));
    QMenu *options = m_menuBar->addMenu(tr("Options"));
    options->addAction(action(Command::FileInfo));
    options->setToolTipsVisible(true);
    options->addSeparator();
    options->addAction(action(Command::PortSettings));
    QMenu *help = m_menuBar->addMenu(tr("Help"));
    help->addAction(action(Command::About));
}

void ManagerWindow::buildLayout()
{
    const DialogUnits du(font());
    auto pictureButton = [this, &du](Pictures::Tool which) {
        auto *b = new QPushButton(this);
        b->setIcon(Pictures::toolIcon(which));
        b->setIconSize(Pictures::toolSize(which));
        b->setFixedSize(du.size(13, 15).expandedTo(Pictures::toolSize(which) + QSize(6, 4)));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    m_downloadButton = pictureButton(Pictures::Tool::Sheets);
    m_eraseButton = pictureButton(Pictures::Tool::Cross);
    m_settingsButton = pictureButton(Pictures::Tool::Device);
    connect(m_settingsButton, &QPushButton::clicked, action(Command::PortSettings),
            &QAction::trigger);
    // The buttons show pictures only; the tooltip says what each one does.
    m_downloadButton->setToolTip(tr("Download the selected FixPoints or MeasurementPoints into "
                                    "the folder selected on the PC side"));
    m_eraseButton->setToolTip(tr("Erase the coordinates of the selected job on the instrument"));
    m_settingsButton->setToolTip(tr("Port settings: speed, end mark and job name encoding"));

    m_filter = new QComboBox(this);
    m_filter->setMinimumWidth(du.x(89));
    m_filter->setToolTip(tr("Files the PC tree shows; folders are always shown"));

    auto *toolRow = new QHBoxLayout;
    toolRow->setSpacing(0);
    toolRow->addSpacing(du.x(17));
    toolRow->addWidget(m_downloadButton);
    toolRow->addSpacing(du.x(11));
    toolRow->addWidget(m_eraseButton);
    toolRow->addSpacing(du.x(12));
    toolRow->addWidget(m_settingsButton);
    toolRow->addSpacing(du.x(30));
    toolRow->addWidget(new QLabel(QStringLiteral("Filter："), this));
    toolRow->addSpacing(du.x(12));
    toolRow->addWidget(m_filter);
    toolRow->addStretch(1);

    auto *pathFrame = new QFrame(this);
    pathFrame->setFrameShape(QFrame::StyledPanel);
    m_instrumentPath = new QLineEdit(pathFrame);
    m_pcPath = new QLineEdit(pathFrame);
    for (QLineEdit *e : {m_instrumentPath, m_pcPath})
        e->setReadOnly(true);
    auto *pathRow = new QHBoxLayout(pathFrame);
    pathRow->setContentsMargins(0, du.y(3), 0, du.y(1));
    pathRow->setSpacing(du.x(6));
    pathRow->addWidget(m_instrumentPath, 225);
    pathRow->addWidget(m_pcPath, 229);

    m_instrumentTree = new InstrumentTree(this);
    m_pcTree = new PcTree(this);
    auto *treeRow = new QHBoxLayout;
    treeRow->setSpacing(du.x(5));
    treeRow->addWidget(m_instrumentTree, 226);
    treeRow->addWidget(m_pcTree, 229);
    m_preview = new FilePreview(this);
    treeRow->addWidget(m_preview);
    m_instrumentTree->setMinimumSize(du.size(226, 224));
    m_pcTree->setMinimumSize(du.size(229, 224));

    m_statusBar = new QWidget(this);
    // "Filter：" and "Ready" read the same in both languages, as the manager always showed them.
    m_ready = new QLabel(QStringLiteral("Ready"), m_statusBar);
    auto *statusRow = new QHBoxLayout(m_statusBar);
    statusRow->setContentsMargins(0, 0, 0, 0);
    statusRow->addSpacing(du.x(12));
    statusRow->addWidget(m_ready);
    statusRow->addStretch(1);
    for (QLineEdit *&field : m_statusFields) {
        field = new QLineEdit(m_statusBar);
        field->setReadOnly(true);
        field->setFixedHeight(du.y(12));
        field->setFocusPolicy(Qt::NoFocus);
        statusRow->addWidget(field);
    }
    statusRow->addSpacing(du.x(20));

    auto *column = new QVBoxLayout(this);
    column->setMenuBar(m_menuBar);
    column->setContentsMargins(du.x(3), du.y(1), du.x(3), du.y(2));
    column->setSpacing(du.y(1));
    column->addLayout(toolRow);
    column->addWidget(pathFrame);
    column->addLayout(treeRow, 1);
    column->addWidget(m_statusBar);
}

void ManagerWindow::fillViews(const Options &options)
{
    setWindowTitle(tr("ORB Data Exchange Manager"));
    m_statusFields[1]->setText(QStringLiteral("NUM"));
    m_instrumentTree->setRoots(m_state.commSettings.PortNumber);
    updateStatusFields();

    m_filter->clear();
    m_filter->insertItem(0, QStringLiteral("GSI(*.gsi)"));
    m_filter->insertItem(1, QStringLiteral("CASS(*.dat)"));
    m_filter->insertItem(2, tr("All files(*)"));
    // Every file is listed at first, so nothing the user knows is there is missing.
    m_filter->setCurrentIndex(2);
    connect(m_filter, &QComboBox::currentIndexChanged, this, &ManagerWindow::applyFilter);

    m_pcTree->fillDrives(options.drives.isEmpty() ? PcTree::platformDrives() : options.drives);
    m_statusBar->setVisible(action(Command::Statusbar)->isChecked());
    connect(m_pcTree, &PcTree::selectionRecorded, this, &ManagerWindow::recordPcSelection);
    connect(m_pcTree, &PcTree::selectionRecorded, m_preview, &FilePreview::showFile);
}

void ManagerWindow::updateStatusFields()
{
    // The two outer boxes stay empty, as the manager has always shown them;
    // the connection's state is in the instrument tree.
    const int least = DialogUnits(font()).x(22);
    for (QLineEdit *field : m_statusFields)
        field->setFixedWidth(least);
}

void ManagerWindow::applyFilter(int index)
{
    static const QStringList kPatterns[] = {{QStringLiteral("*.gsi")}, {QStringLiteral("*.dat")}};
    m_pcTree->setFileFilter(index == 0 || index == 1 ? kPatterns[index] : QStringList());
}

void ManagerWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter belongs to the tree that has the focus; it never ends the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (QTreeWidget *tree :
             {static_cast<QTreeWidget *>(m_instrumentTree), static_cast<QTreeWidget *>(m_pcTree)}) {
            // The window's focus child, even while another window is active.
            if (focusWidget() == tree)
                activateCurrentNode(tree);
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ManagerWindow::closeEditors()
{
    for (EditorWindow *editor : findChildren<EditorWindow *>(Qt::FindDirectChildrenOnly)) {
        if (editor->isVisible() && !editor->close())
            return false;
    }
    return true;
}

void ManagerWindow::done(int result)
{
    if (closeEditors())
        QDialog::done(result);
}

void ManagerWindow::reject()
{
    if (!closeEditors())
        return;
    if (m_controller->mayClose())
        QDialog::reject();
}
