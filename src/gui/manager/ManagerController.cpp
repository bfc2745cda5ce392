// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/ManagerController.h"

#include "core/about/ProgramInfo.h"
#include "core/protocol/ConversationEngine.h"
#include "core/session/InstrumentSession.h"
#include "core/state/AppState.h"
#include "gui/common/Messages.h"
#include "gui/manager/InstrumentTree.h"
#include "gui/manager/ManagerPrompts.h"

#include <QAction>
#include <QDir>
#include <QSettings>

namespace {

bool isPointKind(int kind)
{
    return kind == InstrumentTree::FixPoints || kind == InstrumentTree::MeasurementPoints;
}

// The selection record of a job or point node; roots and "JOB" change
// nothing, so the last job stays the current one.
void recordJob(int kind, int slot, const QString &portLabel, const JobTable &jobs,
               ManagerSelection &selection)
{
    if (kind != InstrumentTree::Slot && !isPointKind(kind))
        return;
    selection.jobName = jobs.JobNames.value(slot);
    selection.jobNumber = slot + 1;
    const bool observations = kind == InstrumentTree::MeasurementPoints;
    selection.countText =
        observations ? jobs.MeasurementCounts.value(slot) : jobs.FixPointCounts.value(slot);
    selection.dataKind = observations ? DataKind::Observations : DataKind::FixPoints;
    if (kind != InstrumentTree::Slot && !portLabel.isEmpty())
        selection.portLabel = portLabel;
}

} // namespace

ManagerController::ManagerController(AppState &state, const Options &options,
                                     ManagerPrompts *prompts, QObject *parent)
    : QObject(parent), m_state(state), m_prompts(prompts)
{
    CommSettings &cs = m_state.commSettings;
    if (cs.PortNumber < 1 || cs.PortNumber > 16)
        cs.PortNumber = 1;
    m_state.selection.downloadFormat = DownloadFormat::Gsi;

    m_session = std::make_unique<InstrumentSession>(cs);
    m_session->setTickInterval(options.engineTickMs);
    if (!options.devicePath.isEmpty())
        m_session->setDevicePath(options.devicePath);
    ConversationEngine &e = m_session->engine();
    connect(&e, &ConversationEngine::jobTableChanged, this, &ManagerController::onJobTableChanged);
    connect(&e, &ConversationEngine::jobSlotRenamed, this, [this](int jobNumber) {
        Q_EMIT jobSlotRenamed(jobNumber, jobTable().JobSlotNames.value(jobNumber - 1));
    });
    connect(&e, &ConversationEngine::fileAdded, this,
            [this](const QString &path) { Q_EMIT fileAdded(path); });
    connect(&e, &ConversationEngine::finished, this, &ManagerController::onFinished);
    connect(&e, &ConversationEngine::linkLost, this, &ManagerController::onLinkLost);
    connect(&e, &ConversationEngine::connectionClosed, this,
            &ManagerController::onConnectionClosed);
    connect(&e, &ConversationEngine::instrumentAnswered, this,
            &ManagerController::instrumentAnswered);
    connect(&e, &ConversationEngine::progress, this, &ManagerController::transferProgress);
    buildActions();
}

ManagerController::~ManagerController() = default;

ConversationEngine &ManagerController::engine() const
{
    return m_session->engine();
}

const JobTable &ManagerController::jobTable() const
{
    return engine().jobTable();
}

void ManagerController::buildActions()
{
    auto add = [this](Action which, const QString &text) {
        auto *a = new QAction(text, this);
        m_actions.insert(int(which), a);
        return a;
    };
    connect(add(Action::Connect, tr("Connect")), &QAction::triggered, this,
            &ManagerController::connectInstrument);
    for (Action a : {Action::Move, Action::Rename})
        connect(add(a, a == Action::Move ? tr("Move") : tr("Rename")), &QAction::triggered, this,
                &ManagerController::download);
    connect(add(Action::Delete, tr("Delete")), &QAction::triggered, this,
            &ManagerController::erase);
    connect(add(Action::Upload, tr("Move")), &QAction::triggered, this, [this] { upload(true); });
    connect(add(Action::Exit, tr("Exit")), &QAction::triggered, this,
            &ManagerController::exitRequested);
    QAction *statusbar = add(Action::Statusbar, tr("Statusbar"));
    statusbar->setCheckable(true);
    statusbar->setChecked(QSettings().value(QStringLiteral("manager/statusbar"), true).toBool());
    connect(statusbar, &QAction::toggled, this, [this](bool shown) {
        QSettings().setValue(QStringLiteral("manager/statusbar"), shown);
        Q_EMIT statusbarToggled(shown);
    });
    QAction *fileInfo = add(Action::FileInfo, tr("File Info"));
    fileInfo->setEnabled(false);
    fileInfo->setToolTip(tr("Right-click a file on the PC side and choose File Info to open it"));
    connect(add(Action::PortSettings, tr("Port Settings")), &QAction::triggered, this,
            &ManagerController::editPortSettings);
    connect(add(Action::About, tr("About...")), &QAction::triggered, this,
            &ManagerController::showAbout);
    updateActions();
}

void ManagerController::updateActions()
{
    // While a conversation runs its dialog is in front; the commands wait for it.
    const bool busy = m_connecting || m_transferring;
    action(Action::Connect)->setEnabled(!busy && !engine().hasDirectory());
    for (Action a : {Action::Move, Action::Rename})
        action(a)->setEnabled(!busy && isPointKind(m_nodeKind));
    // Erase explains itself when there is no job to erase.
    action(Action::Delete)->setEnabled(!busy);
    action(Action::Upload)->setEnabled(!busy);
    action(Action::PortSettings)->setEnabled(!busy);
}

void ManagerController::tell(const QString &text, Messages::Kind kind)
{
    if (m_prompts)
        m_prompts->tell(text, kind);
    else
        Messages::show(nullptr, text, kind);
}

bool ManagerController::ask(const QString &question)
{
    return m_prompts ? m_prompts->ask(question) : Messages::ask(nullptr, question);
}

void ManagerController::chooseInstrumentNode(int kind, int slot, const QString &portLabel)
{
    m_nodeKind = kind;
    recordJob(kind, slot, portLabel, jobTable(), m_state.selection);
    updateActions();
}

void ManagerController::setPcPath(const QString &path)
{
    m_state.selection.pcPath = path;
}

void ManagerController::showAbout()
{
    tell(ProgramInfo::versionText(QStringLiteral("rqtcom")), Messages::Kind::Plain);
}

void ManagerController::editPortSettings()
{
    if (m_prompts)
        m_prompts->editPortSettings();
    Q_EMIT portSettingsChanged();
}

// ---- connecting ----

void ManagerController::connectInstrument()
{
    if (m_connecting || m_transferring)
        return;
    ConversationEngine &e = engine();
    const ConversationEngine::ConnectResult result = e.connectToInstrument();
    if (result == ConversationEngine::ConnectResult::AlreadyConnected)
        return;
    if (result == ConversationEngine::ConnectResult::OpenFailed) {
        m_eraseAfterConnect = 0;
        // Nothing was sent, so there is nothing to wait for.
        const QString reason = e.lastError();
        // The instrument's own words first, then what the port said.
        QString text = QStringLiteral("Open Port Fail!");
        if (!reason.isEmpty())
            text += QLatin1Char('\n') + tr("%1", "why the port could not be opened").arg(reason);
        if (e.lastOpenWasDenied())
            text += QStringLiteral("\n\n") + tr("Serial ports belong to the group \"dialout\". "
                                                "Add yourself to it with\n"
                                                "    sudo usermod -aG dialout $USER\n"
                                                "then log out and in again.");
        tell(text, Messages::Kind::Stop);
        return;
    }
    m_connecting = true;
    updateActions();
    Q_EMIT connecting();
}

void ManagerController::waitEnded()
{
    if (!m_connecting)
        return;
    m_connecting = false;
    m_eraseAfterConnect = 0;
    updateActions();
}

void ManagerController::cancel()
{
    const bool wasConnecting = m_connecting;
    engine().cancel();
    if (wasConnecting)
        waitEnded();
}

void ManagerController::onJobTableChanged(bool fullRead)
{
    if (fullRead) {
        m_stale = false;
        m_jobsShown = true;
    }
    Q_EMIT jobTableChanged(fullRead);
    if (!fullRead || !m_connecting)
        return;
    m_connecting = false;
    const int eraseJob = m_eraseAfterConnect;
    m_eraseAfterConnect = 0;
    updateActions();
    Q_EMIT directoryRead();
    if (eraseJob > 0) {
        const QString refused = engine().erase(eraseJob);
        if (!refused.isEmpty())
            tell(tr("%1", "the erase was refused for this reason").arg(refused),
                 Messages::Kind::Warning);
    }
}

void ManagerController::onLinkLost(const QString &reason)
{
    // Only a loss outside a transfer comes here; a transfer reports its own.
    const QString text = tr("The connection to the instrument was lost: %1\n"
                            "Double-click the port to connect again.")
                             .arg(reason);
    if (m_connecting) {
        m_connecting = false;
        m_eraseAfterConnect = 0;
        updateActions();
        Q_EMIT connectingAborted(text);
        return;
    }
    tell(text, Messages::Kind::Stop);
}

void ManagerController::onConnectionClosed()
{
    m_nodeKind = 0;
    // A job list read before stays in sight, greyed, until the next connection.
    m_stale = m_jobsShown;
    updateActions();
    Q_EMIT connectionClosed();
}

bool ManagerController::mayClose()
{
    if (!engine().isConnected())
        return true;
    if (!ask(tr("A connection to the instrument is open. Close it and the manager?")))
        return false;
    cancel();
    return true;
}
