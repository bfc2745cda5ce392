// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/ConversationEngine.h"
#include "core/serial/SerialLink.h"

#include <QObject>
#include <QTimer>

#include <memory>

struct CommSettings;

// One connection to the instrument as the manager window and the command line
// both run it: joins a serial link to the conversation engine. Received bytes
// go straight to the engine, one receive event at a time; a slow timer ticks
// the engine while it asks for ticks (to start a prepared transfer), and a
// one-shot timer ends the pauses it asks for between uploaded lines, so no
// one sleeps on the thread that runs the window.
class InstrumentSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTickIntervalMs = 500;

    // Over a QtSerialLink.
    explicit InstrumentSession(const CommSettings &settings, QObject *parent = nullptr);
    // Over any link (the session owns it).
    InstrumentSession(const CommSettings &settings, std::unique_ptr<SerialLink> link,
                      QObject *parent = nullptr);
    ~InstrumentSession() override;

    ConversationEngine &engine() { return *m_engine; }
    const ConversationEngine &engine() const { return *m_engine; }
    SerialLink &link() { return *m_link; }

    // A device that overrides PortNumber: a pty of the simulated instrument,
    // --port of the command line. Only for the QtSerialLink of the first constructor.
    void setDevicePath(const QString &path);

    // The tick period; tests shorten it.
    void setTickInterval(int milliseconds);
    int tickInterval() const { return m_ticks.interval(); }
    bool ticking() const { return m_ticks.isActive(); }

private:
    void onBytesReceived();
    void onTicksWanted(bool wanted);

    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<ConversationEngine> m_engine;
    QTimer m_ticks;
    QTimer m_pause;
};
