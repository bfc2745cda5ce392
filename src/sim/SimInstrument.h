// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/serial/CommSettings.h"
#include "sim/SimProtocol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTimer>

#include <deque>

class QSocketNotifier;

// The simulated RQT-318 at the far end of a pseudo-terminal. A serial link
// opens slavePath() like any port; the instrument reads commands ending in CR
// (an LF after it is skipped), answers each with one reply line through
// SimProtocol and can pace both directions like a line of the given baud rate.
// Runs on the event loop of the thread that owns it.
class SimInstrument : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        EndMark replyEnd = EndMark::CrLf; // how each reply ends
        int baud = 0;                     // 0: no pacing; else 10 bits per byte at this rate
        int splitChunks = 0;              // 2 or more: each reply is written in that many pieces
        bool silent = false;              // read and log, never answer
        int vanishAfter = -1; // >= 0: after that many replies, vanish at the next command
        QString logPath;      // every byte received, appended as it arrives
    };

    explicit SimInstrument(SimJobStore store = SimJobStore::demo(), QObject *parent = nullptr);
    ~SimInstrument() override;

    void setOptions(const Options &options);
    const Options &options() const { return m_options; }

    // Creates the pty (raw, no echo). False with *error set when it fails.
    bool start(QString *error);
    bool isRunning() const { return m_masterFd >= 0; }
    QString slavePath() const { return m_slavePath; }

    // The instrument goes away as an unplugged adapter would: the pty is
    // closed and a port open on it fails.
    void vanish();

    // Every command received so far, without its end mark.
    const QList<QByteArray> &commands() const { return m_commands; }
    // Every byte received so far.
    const QByteArray &received() const { return m_received; }
    // Every command received has been answered in full and nothing is on the
    // way in either direction.
    bool isQuiet() const
    {
        return m_incoming.empty() && m_outgoing.empty() && m_unwritten.isEmpty();
    }

    SimProtocol &protocol() { return m_protocol; }

Q_SIGNALS:
    void commandReceived(const QByteArray &command);
    void vanished();

private:
    struct Pending
    {
        QByteArray bytes;
        qint64 dueNs;
        bool last;
    };

    void onMasterReadable();
    void onWake();
    void handleIncoming(const QByteArray &bytes, qint64 arrivedNs);
    void handleCommand(const QByteArray &command, qint64 arrivedNs);
    void queueReply(const QByteArray &reply, qint64 startNs);
    void flushDue();
    bool writeToMaster(QByteArray *bytes);
    void scheduleWake();
    qint64 byteNs() const;

    SimProtocol m_protocol;
    Options m_options;
    int m_masterFd = -1;
    int m_slaveFd = -1; // kept open so the pty survives the client closing it
    QString m_slavePath;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_wake;
    QElapsedTimer m_clock;
    QFile m_log;

    std::deque<Pending> m_incoming; // bytes still on the wire towards the instrument
    std::deque<Pending> m_outgoing; // reply pieces waiting for their time
    QByteArray m_unwritten;         // written when the pty has room again
    qint64 m_rxFreeNs = 0;          // when the incoming wire is free again
    qint64 m_txFreeNs = 0;          // when the outgoing wire is free again
    QByteArray m_line;
    bool m_skipLf = false;
    int m_replies = 0;
    QList<QByteArray> m_commands;
    QByteArray m_received;
};
