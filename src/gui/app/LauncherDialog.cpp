// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/LauncherDialog.h"

#include "core/about/ProgramInfo.h"
#include "core/state/AppState.h"
#include "gui/app/LanguageFile.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Pictures.h"
#include "gui/common/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *pictureButton(Pictures::Launcher which, const DialogUnits &du, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    const QSize picture = Pictures::launcherSize(which);
    button->setIcon(Pictures::launcherIcon(which));
    button->setIconSize(picture);
    // The pictures are wider than 99 dialog units at small fonts; never clip them.
    button->setMinimumSize(du.size(99, 36).expandedTo(picture + QSize(10, 8)));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

} // namespace

LauncherDialog::LauncherDialog(AppState &state, Tools tools, QWidget *parent,
                               const QString &languageFolder)
    : QDialog(parent), m_state(state), m_tools(std::move(tools))
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowIcon(Pictures::applicationIcon());

    // Decided anew at every start, from this file in the working directory
    // only, and installed before any text is made: every window built from
    // here on takes its texts from tr().
    Translations::install(LanguageFile::readLanguage(languageFolder.isEmpty() ? QDir::currentPath()
                                                                              : languageFolder));
    m_state.UiLanguage = Translations::isChinese() ? 1 : 0;
    setWindowTitle(QStringLiteral("RQT300_COM V") + ProgramInfo::version());

    const DialogUnits du(font());
    m_managerButton = pictureButton(Pictures::Launcher::Manager, du, this);
    m_editorButton = pictureButton(Pictures::Launcher::Editor, du, this);
    m_converterButton = pictureButton(Pictures::Launcher::Converter, du, this);
    m_exitButton = new QPushButton(tr("EXIT"), this);
    m_exitButton->setMinimumSize(du.size(50, 14));
    m_exitButton->setAutoDefault(false);
    for (QPushButton *b : {m_managerButton, m_editorButton, m_converterButton})
        b->setAutoDefault(false);

    // Vertical rhythm of the launcher: 7, 36, 10, 36, 9, 36, 35, 14, 7.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(du.x(4), du.y(7), du.x(4), du.y(7));
    column->setSpacing(0);
    column->addWidget(m_managerButton);
    column->addSpacing(du.y(10));
    column->addWidget(m_editorButton);
    column->addSpacing(du.y(9));
    column->addWidget(m_converterButton);
    column->addStretch(1);
    column->addSpacing(du.y(20));
    auto *exitRow = new QHBoxLayout;
    exitRow->addStretch(1);
    exitRow->addWidget(m_exitButton);
    column->addLayout(exitRow);

    m_managerButton->setEnabled(bool(m_tools.openManager));
    m_editorButton->setEnabled(bool(m_tools.openEditor));
    m_converterButton->setEnabled(bool(m_tools.openConverter));
    connect(m_managerButton, &QPushButton::clicked, this, &LauncherDialog::openManager);
    connect(m_editorButton, &QPushButton::clicked, this, &LauncherDialog::openEditor);
    connect(m_converterButton, &QPushButton::clicked, this, &LauncherDialog::openConverter);
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);

    // The buttons alone make a window narrower than its title, which window
    // managers then cut to "RQT30..."; the pictures widen with it.
    setMinimumWidth(qMax(minimumSizeHint().width(), titleBarWidth(windowTitle())));
}

int LauncherDialog::titleBarWidth(const QString &title)
{
    QFont caption = QApplication::font("QMdiSubWindowTitleBar");
    caption.setBold(true);
    const QFontMetrics metrics(caption);
    // An icon on the left and up to three buttons on the right, each about
    // one and a half lines square, and a margin at each end.
    const int decorations = 4 * (metrics.height() * 3 / 2) + 2 * metrics.height();
    return metrics.horizontalAdvance(title) + decorations;
}

void LauncherDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        Q_EMIT firstPainted();
    }
}

void LauncherDialog::openManager()
{
    if (m_tools.openManager)
        m_tools.openManager(this);
}

void LauncherDialog::openEditor()
{
    if (m_tools.openEditor)
        m_tools.openEditor(this);
}

void LauncherDialog::openConverter()
{
    if (m_tools.openConverter)
        m_tools.openConverter(this);
}
