// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/JobTable.h"
#include "protocol/LinkMode.h"
#include "protocol/ReplyAssembler.h"
#include "protocol/TransferTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

struct CommSettings;
class SerialLink;
class DownloadWriter;
class UploadReader;

// The conversation with the instrument: one command, one reply. It is fed the
// bytes of each receive event (feed), the ticks of a slow timer while it asks
// for them (tick) and the end of a pause it asked for (resume); it writes
// through the SerialLink. It owns no timer, no thread and no port, and its
// state is its own: windows and the command line call the operations below and
// listen to the signals.
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

    // settings are read when the port opens and for every command's end mark
    // and reply terminator, so a change between connections takes effect.
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
    // (".gsi", ".idex", ".dat"; ".gsi" for observations).
    static QString downloadFilePath(const DownloadRequest &request);
    // Why a new job name cannot be sent to the instrument in the given name
    // encoding; empty when it can.
    static QString jobNameError(const QString &name,
                                NameEncoding::Choice encoding = NameEncoding::Automatic);

    // ---- what the windows may ask ----
    // The port is open: a connection was started and has not been closed or lost.
    bool isConnected() const;
    // The opening conversation has read the directory; the connection is open.
    bool hasDirectory() const { return m_mode != LinkMode::Directory; }
    // The directory has been read and nothing runs: transfers may be prepared.
    bool isIdle() const { return m_mode == LinkMode::Idle && !m_pending; }
    // A download or upload is prepared or running.
    bool transferActive() const;
    const JobTable &jobTable() const { return m_jobs; }
    // True while tick() has work to do.
    bool wantsTicks() const { return m_wantsTicks; }
    QString lastError() const { return m_lastError; }
    // The bytes of a reply still waiting for its end mark.
    QByteArray pendingReply() const { return m_reply.pending(); }
    // Which conversation runs (for traces and tests).
    LinkMode linkMode() const { return m_mode; }
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
    // An upload into an "<empty>" slot is starting under its new name:
    // relabel job item index as JobSlotLabels[index] + JobSlotNames[index].
    void jobSlotRenamed(int index);
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
    // What the next tick starts once "a" and "c" of a prepared transfer are answered.
    enum class PendingStart { Download, UploadIntoNewJob, Upload };
    // Where a prepared transfer's "a" and "c" stand while the mode is Idle.
    enum class IdleStep { Quiet, AwaitingA, AwaitingC, Answered };
    enum class DownloadStep { AwaitingFormSet, AwaitingRequestAnswer, AwaitingLine };
    enum class UploadStep { AwaitingJobSet, AwaitingErase, AwaitingFormSet, AwaitingGoAhead };
    enum class EraseStep { AwaitingA, AwaitingC };

    void onLinkLost(const QString &reason);
    void handleReply(const QByteArray &reply);
    void handleOpening(const QByteArray &reply);
    void handleRefresh(const QByteArray &reply);
    void handleIdle();
    void handleDownload(const QByteArray &reply);
    void handleUpload();
    // After JOB/SET (or at once): the erase of a replacing upload, else FORM/SET/0.
    void sendUploadPreamble(bool eraseDone);
    void handleErase();

    void send(const QByteArray &command);
    void sendOpeningCall(bool wantTicks);
    void setMode(LinkMode mode);
    void setWantsTicks(bool wanted);
    void reportProgress(int done);
    void startPendingTransfer();
    void storeDownloadLine(const QByteArray &reply);
    void finishDownload(TransferResult::Outcome outcome, const QString &reason);
    void sendHeldLineOrEnd();
    void finishUpload(TransferResult::Outcome outcome, const QString &reason, int stoppedAtLine);
    // Ends a prepared or running transfer with outcome; a download's partial
    // file is discarded. Returns the result to report, if a transfer was active.
    std::optional<TransferResult> dropTransfer(TransferResult::Outcome outcome,
                                               const QString &reason);
    // Closes the port and returns to the state before any connection.
    void closeConnection();

    const CommSettings &m_settings;
    SerialLink &m_link;
    ReplyAssembler m_reply;
    JobTable m_jobs;
    LinkMode m_mode = LinkMode::Directory;
    bool m_wantsTicks = false;
    // The link was lost and has not been opened again.
    bool m_linkDown = false;

    // Opening conversation.
    bool m_firstAnswerSeen = false;
    int m_openingRow = 0;    // row of the opening table
    int m_openingRepeat = 0; // replies handled in that row
    int m_refreshLines = -1; // refresh: job lines stored; -1 before JOB/CONF/LIST

    // A command whose reply has not arrived yet; a new "a" waits for it so
    // commands and replies never get out of step.
    bool m_awaitingReply = false;
    bool m_openingCallDeferred = false;
    int m_deferredTicks = 0;
    IdleStep m_idleStep = IdleStep::Quiet;
    std::optional<PendingStart> m_pending;

    // Download.
    std::unique_ptr<DownloadWriter> m_download;
    DownloadStep m_downloadStep = DownloadStep::AwaitingFormSet;
    int m_downloadJob = 0;
    int m_downloadDataKind = 0;
    int m_downloadType = 0;
    bool m_downloadNorthingFirst = false;
    int m_downloadExpected = 0;
    int m_downloadSkipped = 0; // CASS: received lines of no known length
    bool m_downloadRunning = false;

    // Upload.
    std::unique_ptr<UploadReader> m_upload;
    UploadStep m_uploadStep = UploadStep::AwaitingFormSet;
    QString m_uploadPath;
    int m_uploadJobIndex = 0;
    bool m_uploadReplaces = false; // the job's coordinates are erased before the first line
    int m_uploadExpected = -1;
    bool m_uploadRunning = false;
    // The next data line, read on the go-ahead and sent when the pause is over.
    std::optional<QByteArray> m_heldLine;

    EraseStep m_eraseStep = EraseStep::AwaitingA;
    int m_eraseJob = 0;

    int m_linesDone = 0;
    QString m_lastError;
};
