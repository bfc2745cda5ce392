#pragma once

#include "protocol/ConversationEngine.h"
#include "serial/SerialLink.h"

#include <QObject>
#include <QTimer>

#include <memory>

struct AppState;

// One connection to the instrument as the manager window and the command line
// both run it: the serial link, the conversation engine, and timer 1 that
// carries out the pending action. Received bytes go straight to the engine,
// one receive event at a time; the timer runs while the engine asks for ticks.
class InstrumentSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 500;

    // Over a QtSerialLink.
    explicit InstrumentSession(AppState &state, QObject *parent = nullptr);
    // Over any link (the session owns it).
    InstrumentSession(AppState &state, std::unique_ptr<SerialLink> link, QObject *parent = nullptr);
    ~InstrumentSession() override;

    ConversationEngine &engine() { return *m_engine; }
    const ConversationEngine &engine() const { return *m_engine; }
    SerialLink &link() { return *m_link; }

    // A device that overrides PortNumber: a pty of the simulated instrument,
    // --port of the command line. Only for the QtSerialLink of the first constructor.
    void setDevicePath(const QString &path);

    // Timer 1's period; tests shorten it.
    void setTimerInterval(int milliseconds);
    int timerInterval() const { return m_timer.interval(); }
    bool timerActive() const { return m_timer.isActive(); }

Q_SIGNALS:
    // The port failed under the conversation (unplugged adapter, closed pty).
    void linkLost(const QString &reason);

private:
    void onBytesReceived();
    void onTimerStartRequested();

    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<ConversationEngine> m_engine;
    QTimer m_timer;
};
