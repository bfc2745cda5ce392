// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/InstrumentSession.h"

#include "core/serial/QtSerialLink.h"

InstrumentSession::InstrumentSession(const CommSettings &settings, QObject *parent)
    : InstrumentSession(settings, std::make_unique<QtSerialLink>(), parent)
{
}

InstrumentSession::InstrumentSession(const CommSettings &settings, std::unique_ptr<SerialLink> link,
                                     QObject *parent)
    : QObject(parent), m_link(std::move(link)),
      m_engine(std::make_unique<ConversationEngine>(settings, *m_link))
{
    m_ticks.setInterval(kTickIntervalMs);
    // The pauses pace every uploaded line: a coarse timer would stretch a long upload.
    m_pause.setSingleShot(true);
    m_pause.setTimerType(Qt::PreciseTimer);
    connect(m_link.get(), &SerialLink::bytesReceived, this, &InstrumentSession::onBytesReceived);
    connect(m_engine.get(), &ConversationEngine::ticksWanted, this,
            &InstrumentSession::onTicksWanted);
    connect(m_engine.get(), &ConversationEngine::pauseRequested, &m_pause,
            qOverload<int>(&QTimer::start));
    connect(m_engine.get(), &ConversationEngine::connectionClosed, &m_pause, &QTimer::stop);
    connect(&m_ticks, &QTimer::timeout, m_engine.get(), &ConversationEngine::tick);
    connect(&m_pause, &QTimer::timeout, m_engine.get(), &ConversationEngine::resume);
}

InstrumentSession::~InstrumentSession()
{
    m_ticks.stop();
    m_pause.stop();
    // The engine goes first: it still refers to the link while it closes its files.
    m_engine.reset();
    m_link->close();
}

void InstrumentSession::setDevicePath(const QString &path)
{
    if (auto *serial = qobject_cast<QtSerialLink *>(m_link.get()))
        serial->setDevicePath(path);
}

void InstrumentSession::setTickInterval(int milliseconds)
{
    m_ticks.setInterval(milliseconds);
}

void InstrumentSession::onBytesReceived()
{
    const QByteArray bytes = m_link->readAll();
    if (!bytes.isEmpty())
        m_engine->feed(bytes);
}

void InstrumentSession::onTicksWanted(bool wanted)
{
    // A restart would postpone a tick the engine is already waiting for.
    if (!wanted)
        m_ticks.stop();
    else if (!m_ticks.isActive())
        m_ticks.start();
}
