#include "serial/InstrumentSession.h"

#include "serial/QtSerialLink.h"

InstrumentSession::InstrumentSession(AppState &state, QObject *parent)
    : InstrumentSession(state, std::make_unique<QtSerialLink>(), parent)
{
}

InstrumentSession::InstrumentSession(AppState &state, std::unique_ptr<SerialLink> link,
                                     QObject *parent)
    : QObject(parent), m_link(std::move(link)),
      m_engine(std::make_unique<ConversationEngine>(state, *m_link))
{
    m_timer.setInterval(kTimerIntervalMs);
    connect(m_link.get(), &SerialLink::bytesReceived, this, &InstrumentSession::onBytesReceived);
    connect(m_link.get(), &SerialLink::linkLost, this, &InstrumentSession::linkLost);
    connect(m_engine.get(), &ConversationEngine::timerStartRequested, this,
            &InstrumentSession::onTimerStartRequested);
    connect(m_engine.get(), &ConversationEngine::timerStopRequested, &m_timer, &QTimer::stop);
    connect(m_engine.get(), &ConversationEngine::portClosed, &m_timer, &QTimer::stop);
    connect(&m_timer, &QTimer::timeout, m_engine.get(), &ConversationEngine::tick);
}

InstrumentSession::~InstrumentSession()
{
    m_timer.stop();
    // The engine goes first: it still refers to the link while it closes its files.
    m_engine.reset();
    m_link->close();
}

void InstrumentSession::setDevicePath(const QString &path)
{
    if (auto *serial = qobject_cast<QtSerialLink *>(m_link.get()))
        serial->setDevicePath(path);
}

void InstrumentSession::setTimerInterval(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void InstrumentSession::onBytesReceived()
{
    const QByteArray bytes = m_link->readAll();
    if (!bytes.isEmpty())
        m_engine->feed(bytes);
}

void InstrumentSession::onTimerStartRequested()
{
    // A restart would postpone a tick the engine is already waiting for.
    if (!m_timer.isActive())
        m_timer.start();
}
