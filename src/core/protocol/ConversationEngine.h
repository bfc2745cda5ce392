#pragma once

#include "protocol/JobTable.h"
#include "protocol/LinkMode.h"
#include "protocol/ReplyAssembler.h"
#include "protocol/TransferTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

struct AppState;
class SerialLink;
class DownloadWriter;
class UploadReader;

// The conversation with the instrument: one command, one reply, driven only by
// received bytes (feed) and the ticks of the manager's 500 ms timer (tick).
// It owns no timer, no thread and no port; it writes through the SerialLink and
// keeps the process-wide transfer values of AppState::transfer up to date
// (TransferKind, ConnectProgress, TransferBlock, TransferDone, ...), which the
// wait and progress dialogs poll.
//
// Typical use (the window or the command line):
//   startConnection()            -> "a"; the directory is read reply by reply;
//                                   jobTableChanged(true), ConnectProgress 32
//   prepareDownload()            -> "a" while the download dialog is open
//   confirmDownload(request)     -> the next tick after the "a"/"c" exchange starts it
//   prepareUpload() / confirmUpload(request) likewise; startErase() needs no tick
// Replies come in through feed(); the session calls tick() every 500 ms while
// wantsTicks() is true (timerStartRequested / timerStopRequested mark the changes).
// A new "a" is held back until the reply to the previous command has arrived
// (at most two ticks), so commands and replies never get out of step.
class ConversationEngine : public QObject
{
    Q_OBJECT
public:
    enum class ConnectResult {
        Started,          // port open, "a" sent
        AlreadyConnected, // LinkMode is not Directory: nothing done
        OpenFailed,       // the port could not be opened; nothing sent
    };

    // Listens to link.linkLost itself: a running transfer is abandoned (a
    // download's partial file is removed), transferFailed and portClosed are
    // emitted and the conversation returns to Directory, ready to connect again.
    // CommSettings::ReplyTerminator must be set (10 or 13) before replies arrive.
    ConversationEngine(AppState &state, SerialLink &link, QObject *parent = nullptr);
    ~ConversationEngine() override;

    // ---- inputs ----
    // The bytes of one receive event (SerialLink::readAll after bytesReceived).
    void feed(const QByteArray &bytes);
    // One tick of timer 1: carries out the pending action of TransferKind.
    void tick();

    // ---- operations ----
    // Double-click on a port root: opens the port with CommSettings and sends "a".
    // Only while LinkMode is Directory. On OpenFailed see lastError().
    ConnectResult startConnection();
    // Cancel of the wait dialog: the next tick closes the port.
    void requestClose();

    // Instrument Move or a drop on the PC tree: LinkMode becomes Idle and "a" is
    // sent, so the instrument is awake while the download dialog is open.
    // False (nothing sent) before a connection is open or while a download or
    // upload is running.
    bool prepareDownload();
    // OK of the download dialog. Creates the destination (a temporary file in the
    // folder) and sets TransferKind 3; the transfer starts at the next tick once
    // the "a"/"c" exchange has been answered. Returns why it cannot start (the
    // file cannot be created, it exists and overwrite is not set, no job), or an
    // empty text.
    QString confirmDownload(const DownloadRequest &request);

    // PC Move or a drop on the instrument tree, after the file passed
    // UploadFileCheck: sends "a". Only while LinkMode is Idle; false otherwise.
    bool prepareUpload();
    // OK of the upload dialog (and of the new-name dialog for an "<empty>" slot):
    // sets TransferKind 5, or stores the new name and sets TransferKind 4.
    // Returns why it is refused (no slot chosen, bad new name, unreadable file),
    // or an empty text; nothing is sent when refused.
    QString confirmUpload(const UploadRequest &request);

    // Instrument Delete: erases the coordinates of AppState's JobNumber, then
    // refreshes the directory. Refused (text returned) before a connection has
    // been opened or when no job has been selected.
    QString startErase();

    // The file a download request writes: folder + safe file name + extension
    // (".gsi", ".idex", ".dat"; ".gsi" for observations). For the overwrite question.
    static QString downloadFilePath(const DownloadRequest &request);
    // Why a new job name cannot be sent to the instrument; empty when it can.
    static QString jobNameError(const QString &name);

    // The two 10 ms pauses around each uploaded line. Default: a plain sleep of
    // the calling thread. Tests install a recorder.
    void setPauseFunction(std::function<void(int milliseconds)> pause);

    // ---- state ----
    LinkMode linkMode() const { return m_mode; }
    int linkStep() const { return m_step; }
    const JobTable &jobTable() const { return m_jobs; }
    // True while timer 1 should run (between an "a" and the tick that acts on it).
    bool wantsTicks() const { return m_wantsTicks; }
    // True while a download or upload has its file open.
    bool transferRunning() const;
    QString lastError() const { return m_lastError; }
    // On OpenFailed: the user may not use the device (see SerialLink).
    bool lastOpenWasDenied() const;

Q_SIGNALS:
    void timerStartRequested();
    void timerStopRequested();
    // The job table was read: in full by the opening conversation (rebuild the
    // "JOB" subtree) or again by a refresh after an upload or erase (relabel only).
    void jobTableChanged(bool fullRead);
    // An upload into an "<empty>" slot is starting under its new name:
    // relabel job item index as JobSlotLabels[index] + JobSlotNames[index].
    void jobSlotRenamed(int index);
    // A download's file is in place at path; replacedExisting tells whether a
    // file of that name was there before (the PC tree then has its item already).
    void fileAdded(const QString &path, bool replacedExisting);
    // TransferBlock changed: the number of the last data line sent or received.
    void progress(int transferBlock);
    void transferFinished(const TransferSummary &summary);
    void transferFailed(const QString &reason);
    void linkModeChanged(LinkMode mode);
    // The port was closed on request (TransferKind 6) or the link was lost.
    void portClosed();
    // Every command written and every complete reply, for traces and timing.
    void commandSent(const QByteArray &bytes);
    void replyReceived(const QByteArray &reply);

private:
    void onLinkLost(const QString &reason);
    void handleReply(const QByteArray &reply);
    void handleDirectory(const QByteArray &reply);
    void handleRefresh(const QByteArray &reply);
    void handleIdle();
    void handleReceiveCoordinates(const QByteArray &reply);
    void handleReceiveObservations(const QByteArray &reply);
    void handleSendCoordinates();
    void handleErase();

    void send(const QByteArray &command);
    void sendRaw(const QByteArray &bytes);
    void sendOpeningCall(bool startTimer);
    void setMode(LinkMode mode);
    void setStep(int step) { m_step = step; }
    void setWantsTicks(bool wanted);
    void setTransferBlock(int block);
    void sendNextUploadLine();
    void finishDownload(const QString &shortfallNote);
    void abandonTransfer(const QString &reason);
    bool startPendingTransfer();

    AppState &m_state;
    SerialLink &m_link;
    ReplyAssembler m_reply;
    JobTable m_jobs;
    LinkMode m_mode = LinkMode::Directory;
    int m_step = 0;
    bool m_wantsTicks = false;

    // A command whose reply has not arrived yet; a new "a" waits for it so
    // commands and replies never get out of step.
    bool m_awaitingReply = false;
    bool m_openingCallDeferred = false;
    int m_deferredTicks = 0;
    // The "a" and "c" of a prepared transfer have both been answered.
    bool m_openingAnswered = false;
    // The link was lost and has not been opened again.
    bool m_linkDown = false;

    std::unique_ptr<DownloadWriter> m_download;
    int m_downloadCount = 0;
    int m_downloadDataKind = 0;
    int m_downloadType = 0;
    int m_downloadJob = 0;
    std::unique_ptr<UploadReader> m_upload;
    QString m_uploadPath;
    int m_uploadLinesSent = 0;

    std::function<void(int)> m_pause;
    QString m_lastError;
};
