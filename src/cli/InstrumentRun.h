// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/InstrumentSession.h"
#include "core/state/AppState.h"

#include <QObject>
#include <QString>

#include <functional>

class QCommandLineParser;
class QEventLoop;

namespace cli {

// The link options every instrument command takes.
struct LinkOptions
{
    QString device;     // --port: a device path; empty: RQTCOM_PORT or port number 1
    int portNumber = 1; // --port given as a number
    int baudRate = CommSettings::kBaudRates[0];
    EndMark endMark = EndMark::CrLf;
    int timeoutMs = 10000;
    NameEncoding::Choice nameEncoding = NameEncoding::Automatic;
};

// Adds --port, --baud, --endmark, --name-encoding and --timeout.
void addLinkOptions(QCommandLineParser &parser);
// False with *error when a value is not one of the accepted ones.
bool readLinkOptions(const QCommandLineParser &parser, LinkOptions *options, QString *error);

// One command line run against the instrument: the session, the opening
// conversation, and waiting on the event loop with the --timeout watchdog.
// Anything sent or received counts as a sign of life. SIGINT and SIGTERM
// cancel what runs (the engine closes the port and discards a partial
// download) and end the wait; interrupted() then tells the command to stop.
class InstrumentRun : public QObject
{
    Q_OBJECT
public:
    explicit InstrumentRun(const LinkOptions &options);
    ~InstrumentRun() override;

    // Opens the port and reads the job directory as the manager does on a
    // double-click. kExitOk, or kExitCommunication with the message printed.
    int connect();

    // Runs the event loop until done() holds. False when the instrument stayed
    // silent past the timeout, the line was lost or the run was interrupted;
    // failure() says which.
    bool waitFor(const std::function<bool()> &done);
    // Lets the reply to the last command arrive, so the instrument is left
    // between conversations; a missing reply is not an error here.
    void settle();
    QString failure() const { return m_failure; }
    bool linkLost() const { return m_linkLost; }
    bool interrupted() const { return m_interrupted; }
    // After an interruption outside a transfer: prints why and returns kExitInterrupted.
    int reportInterrupted(const QString &what) const;

    AppState &state() { return m_state; }
    ConversationEngine &engine() { return m_session.engine(); }

    // "N<TAB>NAME<TAB>FIXCOUNT<TAB>MEASCOUNT", counts without their line end,
    // control characters as \xNN and a backslash doubled.
    QString jobLine(int number) const;
    static QString escaped(const QString &text);

private:
    void check();
    // A hint about --endmark when the bytes received so far show the other one.
    QString endMarkHint() const;

    AppState m_state;
    InstrumentSession m_session;
    int m_timeoutMs;
    qint64 m_lastActivityMs = 0;
    int m_commandsSent = 0;
    int m_repliesReceived = 0;
    bool m_linkLost = false;
    bool m_interrupted = false;
    bool m_directoryRead = false;
    QString m_failure;
    std::function<bool()> m_done;
    QEventLoop *m_loop = nullptr;
};

} // namespace cli
