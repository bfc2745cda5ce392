// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/JobTable.h"
#include "core/protocol/LinkMode.h"
#include "core/protocol/ReplyAssembler.h"
#include "core/protocol/TransferTypes.h"
#include "core/serial/CommSettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class SerialLink;
class Conversation;
class TransferConversation;

// The conversation with the instrument: one command, one reply. It is fed the
// bytes of each receive event (feed), the ticks of a slow timer while it asks
// for them (tick) and the end of a pause it asked for (resume); it writes
// through the SerialLink. It owns no timer, no thread and no port, and its
// state is its own: windows and the command line call the operations below and
// listen to the signals. Each conversation (opening, refresh, download, upload,
// erase) is a small class of its own steps (Conversation.h); the engine keeps
// what they share and runs one at a time.
//
// Typical use (the window or the command line):
//   connectToInstrument()      -> "a"; the directory is read reply by reply;
//                                 instrumentAnswered(), then jobTableChanged(true)
//   prepareDownload()          -> "a" while the download dialog is open
//   startDownload(request)     -> the transfer starts at the next tick once
//                                 "a" and "c" are answered; progress(), finished()
//   prepareUpload() / startUpload(request) likewise; erase() needs no tick
//   cancel()                   -> stops at once, closes the port, discards a
//                                 partial download; finished(Cancelled)
// A new "a" is held back until the reply to the previous command has arrived
// (at most two ticks), so commands and replies never get out of step.
class ConversationEngine : public QObject
{
    Q_OBJECT
public:
    enum class ConnectResult {
        Started,          // port open, "a" sent
        AlreadyConnected, // a connection is open: nothing done
        OpenFailed,       // the port could not be opened; nothing sent
    };

    // The pause the instrument needs before each uploaded line (two breaths of
    // 10 ms, taken together before the line so nothing waits after it).
    static constexpr int kUploadLinePauseMs = 20;

    // settings are copied when a connection starts: the port opens with the
    // copy and every conversation of the connection uses it, so a change in
    // the dialog takes effect at the next connection.
    ConversationEngine(const CommSettings &settings, SerialLink &link, QObject *parent = nullptr);
    ~ConversationEngine() override;

    // ---- inputs ----
    // The bytes of one receive event (SerialLink::readAll after bytesReceived).
    void feed(const QByteArray &bytes);
    // One tick of the caller's timer (about 500 ms), while wantsTicks().
    void tick();
    // The pause asked for by pauseRequested() is over.
    void resume();

    // ---- operations ----
    // Double-click on a port root: opens the port and sends "a". On OpenFailed
    // see lastError().
    ConnectResult connectToInstrument();

    // Instrument Move or a drop on the PC tree: "a" is sent, so the instrument
    // is awake while the download dialog is open. False (nothing sent) before
    // the directory has been read or while a transfer runs.
    bool prepareDownload();
    // OK of the download dialog. Creates the destination (a temporary file in
    // the folder); the transfer starts at the next tick once "a" and "c" are
    // answered. Returns why it cannot start, or an empty text.
    QString startDownload(const DownloadRequest &request);

    // PC Move or a drop on the instrument tree: sends "a". Only while idle.
    bool prepareUpload();
    // OK of the upload dialog (and of the new-name dialog for an "<empty>"
    // slot). Returns why it is refused, or an empty text; nothing is sent then.
    // With replaceExisting the job's coordinates are erased first
    // ("JOB/ERASE/COORDS/n" before "FORM/SET/0"); otherwise the lines are
    // appended to the job, so a caller asks first when the job holds points.
    QString startUpload(const UploadRequest &request);

    // Erases the coordinates of job jobNumber (1..17), then refreshes the
    // directory. Refused (text returned) before a connection has been opened
    // or without a job. It replaces whatever conversation was running.
    QString erase(int jobNumber);

    // Stops whatever runs: nothing more is sent, the port is closed (so
    // nothing more is read), a partial download is discarded, a prepared
    // transfer is dropped. A running or prepared transfer ends with
    // finished(Cancelled); connectionClosed() follows. Ready to connect again.
    void cancel();

    // The file a download request writes: folder + safe file name + extension
    // (TransferKinds::downloadExtension: ".gsi", ".idex", ".dat"; ".gsi" for observations).
    static QString downloadFilePath(const DownloadRequest &request);
    // Why a new job name cannot be sent to the instrument in the given name
    // encoding; empty when it can.
    static QString jobNameError(const QString &name,
                                NameEncoding::Choice encoding = NameEncoding::Automatic);

    // ---- what the windows may ask ----
    // The port is open: a connection was started and has not been closed or lost.
    bool isConnected() const;
    // The opening conversation has read the directory; the connection is open.
    bool hasDirectory() const { return m_directoryRead; }
    // The directory has been read and nothing runs: transfers may be prepared.
    bool isIdle() const;
    // A download or upload is prepared or running.
    bool transferActive() const;
    const JobTable &jobTable() const { return m_jobs; }
    // True while tick() has work to do.
    bool wantsTicks() const { return m_wantsTicks; }
    QString lastError() const { return m_lastError; }
    // The bytes of a reply still waiting for its end mark.
    QByteArray pendingReply() const { return m_reply.pending(); }
    // Which conversation runs (for traces and tests).
    LinkMode linkMode() const;
    // On OpenFailed: the user may not use the device (see SerialLink).
    bool lastOpenWasDenied() const;

Q_SIGNALS:
    void ticksWanted(bool wanted);
    // Call resume() after this many milliseconds.
    void pauseRequested(int milliseconds);
    // The instrument answered the opening call of a new connection.
    void instrumentAnswered();
    // The job table was read: in full by the opening conversation (rebuild the
    // "JOB" subtree) or again by a refresh after an upload or erase (relabel only).
    void jobTableChanged(bool fullRead);
    // An upload into an "<empty>" slot is starting under its new name: relabel
    // job jobNumber (1..17) as JobSlotLabels + JobSlotNames at jobNumber - 1.
    void jobSlotRenamed(int jobNumber);
    // A download's file is in place at path; replacedExisting tells whether a
    // file of that name was there before (the PC tree then has its item already).
    void fileAdded(const QString &path, bool replacedExisting);
    // Data lines stored or sent so far, of total (-1 when unknown).
    void progress(int done, int total);
    // A download or upload ended, whichever way; emitted once per transfer.
    void finished(const TransferResult &result);
    // The port failed while no transfer was running (a transfer reports it
    // through finished()). connectionClosed() follows.
    void linkLost(const QString &reason);
    // The port was closed by cancel() or by a failure; ready to connect again.
    void connectionClosed();
    // Every command written and every complete reply, for traces and timing.
    void commandSent(const QByteArray &bytes);
    void replyReceived(const QByteArray &reply);

private:
    class Host; // what the conversations may ask of the engine
    class Entry;
    // Where the "a" and "c" before a prepared transfer stand while nothing runs.
    enum class Handshake { Quiet, AwaitingA, AwaitingC, Answered };

    void onLinkLost(const QString &reason);
    void handleIdle();
    void send(const QByteArray &command);
    void sendOpeningCall(bool wantTicks);
    void setWantsTicks(bool wanted);
    void startPreparedTransfer();
    // Starts conversation as the running one, unless the link is down.
    void run(std::unique_ptr<Conversation> conversation);
    // The running conversation is over; it is destroyed once the engine's
    // caller has got control back (its handler may still be on the stack).
    void retire();
    TransferConversation *runningTransfer() const;
    // Ends a prepared or running transfer with outcome; a download's partial
    // file is discarded. Returns the result to report, if a transfer was active.
    std::optional<TransferResult> dropTransfer(TransferResult::Outcome outcome,
                                               const QString &reason);
    // Closes the port and returns to the state before any connection.
    void closeConnection();

    const CommSettings &m_source; // what the user chose, copied at each connection
    CommSettings m_settings;      // the connection's copy
    SerialLink &m_link;
    std::unique_ptr<Host> m_host;
    ReplyAssembler m_reply;
    JobTable m_jobs;
    std::unique_ptr<Conversation> m_conversation;     // the one running, if any
    std::unique_ptr<TransferConversation> m_prepared; // started at a tick after "a" and "c"
    std::vector<std::unique_ptr<Conversation>> m_retired;
    int m_depth = 0; // calls into the engine on the stack
    bool m_directoryRead = false;
    bool m_wantsTicks = false;
    // The link was lost and has not been opened again.
    bool m_linkDown = false;

    // A command whose reply has not arrived yet; a new "a" waits for it so
    // commands and replies never get out of step.
    bool m_awaitingReply = false;
    bool m_openingCallDeferred = false;
    int m_deferredTicks = 0;
    Handshake m_handshake = Handshake::Quiet;

    QString m_lastError;
};
