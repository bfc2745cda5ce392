// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/TransferTypes.h"
#include "gui/manager/ProgressInfo.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

struct AppState;
struct JobTable;
class ConversationEngine;
class InstrumentSession;
class ManagerPrompts;
class QAction;
namespace Messages {
enum class Kind;
}

// The data exchange manager without its window: the session with the
// instrument, the user's selection, the commands as QActions and what follows
// from the conversation's signals. The window lays out the trees, builds its
// menus and buttons from actions() and follows the signals below; the wait
// and progress dialogs are opened on connecting() and transferStarted() and
// closed by the signals that follow, never by a nested event loop here.
class ManagerController : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        // A device that stands for the port (the demo instrument's pty);
        // empty: the port PortNumber names.
        QString devicePath;
        int engineTickMs = 500;
    };
    enum class Action {
        Connect, // double-click on the port root
        Move,    // download the chosen point item (instrument Move)
        Rename,  // the main menu's Rename: a download, as it always was
        Delete,  // erase the chosen job's coordinates
        Upload,  // PC Move: upload the chosen file (strict rule)
        Exit,
        Statusbar, // checkable; the window shows and hides its status row
        FileInfo,  // the main menu's, greyed: the PC pop-up menu's works
        PortSettings,
        About,
    };

    // prompts may be null (no window): Messages then shows unparented.
    ManagerController(AppState &state, const Options &options, ManagerPrompts *prompts,
                      QObject *parent = nullptr);
    ~ManagerController() override;

    QAction *action(Action which) const { return m_actions.value(int(which)); }
    ConversationEngine &engine() const;
    const JobTable &jobTable() const;
    AppState &state() const { return m_state; }

    // Between connecting() and the end of the wait: directory read, cancelled,
    // link lost or given up (waitEnded()).
    bool isConnecting() const { return m_connecting; }
    // From transferStarted() until what the transfer's end has to say is said.
    bool isTransferring() const { return m_transferring || m_endPending; }
    // The jobs shown were read by a connection that has closed since.
    bool isStale() const { return m_stale; }

    // The second line under "Please Sellect Right File!": the files an upload takes.
    static QString acceptedFilesText();

    // The node the user chose in the instrument tree: its kind
    // (InstrumentTree::NodeKind, 0 for none), its job slot 0..16 and the port
    // root's label. Job and point nodes set the job the commands act on.
    void chooseInstrumentNode(int kind, int slot, const QString &portLabel);
    // A point item dropped on a PC folder: it becomes the download's folder.
    void dropOnPcFolder(const QString &folder);
    // A PC file dropped on a job slot: uploaded there, the loose rule.
    void dropOnJob(int kind, int slot, const QString &portLabel);
    void setPcPath(const QString &path);

    // The commands behind the actions, for the window's own triggers.
    void connectInstrument();
    void download();
    void erase();
    void upload(bool strictGsi8);
    // The wait dialog closed on its own (a silent instrument): no more waiting.
    void waitEnded();
    // CANCEL in the wait or progress dialog.
    void cancel();
    // Escape or the close button: false when the user keeps the connection.
    bool mayClose();

Q_SIGNALS:
    void connecting();
    void instrumentAnswered();
    void directoryRead();
    // The link went while connecting: the wait dialog tells text and closes.
    void connectingAborted(const QString &text);
    void jobTableChanged(bool fullRead);
    void jobSlotRenamed(int jobNumber, const QString &name);
    void fileAdded(const QString &path);
    void connectionClosed();
    void transferStarted(const ProgressInfo &info);
    void transferProgress(int done, int total);
    // The progress dialog closes; what the transfer's end has to say follows.
    void transferEnded();
    void statusbarToggled(bool shown);
    void exitRequested();
    void portSettingsChanged();

private:
    void buildActions();
    void updateActions();
    void tell(const QString &text, Messages::Kind kind);
    bool ask(const QString &question);
    void onJobTableChanged(bool fullRead);
    void onLinkLost(const QString &reason);
    void onConnectionClosed();
    void onFinished(const TransferResult &result);
    void afterTransfer(const QString &note, std::optional<TransferResult> cancelledUpload);
    void offerEraseAfterCancel(const TransferResult &result);
    void beginTransfer(const QString &destination);
    QString confirmUpload(const UploadRequest &request);
    void showAbout();
    void editPortSettings();

    AppState &m_state;
    ManagerPrompts *m_prompts;
    std::unique_ptr<InstrumentSession> m_session;
    QHash<int, QAction *> m_actions;
    int m_nodeKind = 0;
    bool m_connecting = false;
    bool m_transferring = false;
    bool m_progressOpen = false;
    bool m_endPending = false; // the end of a transfer is still to be told
    bool m_stale = false;
    bool m_jobsShown = false; // a directory has been read into the tree
    // A job to erase once the connection under way has read the directory
    // (the offer after a cancelled upload); 0 none.
    int m_eraseAfterConnect = 0;
    // What the user chose for the upload under way: its job and whether the
    // job held points that stay (append) or went first (replace).
    struct UploadChoice
    {
        int jobIndex = -1;
        int pointsBefore = 0;
        bool replaced = false;
    } m_uploadChoice;
};
