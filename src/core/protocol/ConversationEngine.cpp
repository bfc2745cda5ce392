// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/ConversationEngine.h"

#include "core/protocol/CommandEncoding.h"
#include "core/protocol/Conversation.h"
#include "core/protocol/ConversationEngineHost.h"
#include "core/serial/SerialLink.h"

namespace {

// A reply that answers an older command is waited for at most this many ticks
// before a new conversation's "a" goes out anyway (the reply may have been lost).
constexpr int kDeferredTicksLimit = 2;

} // namespace

ConversationEngine::ConversationEngine(const CommSettings &settings, SerialLink &link,
                                       QObject *parent)
    : QObject(parent), m_source(settings), m_settings(settings), m_link(link),
      m_host(std::make_unique<Host>(*this))
{
    qRegisterMetaType<TransferResult>();
    connect(&m_link, &SerialLink::linkLost, this, &ConversationEngine::onLinkLost);
}

ConversationEngine::~ConversationEngine() = default;

bool ConversationEngine::isConnected() const
{
    return m_link.isOpen() && !m_linkDown;
}

bool ConversationEngine::isIdle() const
{
    return linkMode() == LinkMode::Idle && !m_prepared;
}

bool ConversationEngine::transferActive() const
{
    return m_prepared || runningTransfer();
}

LinkMode ConversationEngine::linkMode() const
{
    if (m_conversation)
        return m_conversation->mode();
    return m_directoryRead ? LinkMode::Idle : LinkMode::Directory;
}

bool ConversationEngine::lastOpenWasDenied() const
{
    return m_link.openWasDenied();
}

// ---- inputs ----

void ConversationEngine::feed(const QByteArray &bytes)
{
    const Entry entry(*this);
    // Bytes that were on their way when the port closed belong to no conversation.
    if (!m_link.isOpen())
        return;
    const auto reply = m_reply.feed(bytes, m_settings.replyTerminator());
    if (!reply)
        return;
    Q_EMIT replyReceived(*reply);
    m_awaitingReply = false;
    if (m_openingCallDeferred) {
        // This reply answers a command from before the new conversation began;
        // only now may its "a" go out, or replies would answer the wrong commands.
        m_openingCallDeferred = false;
        send("a");
        return;
    }
    if (m_conversation)
        m_conversation->onReply(*reply);
    else if (m_directoryRead)
        handleIdle();
}

void ConversationEngine::tick()
{
    const Entry entry(*this);
    if (m_openingCallDeferred && ++m_deferredTicks >= kDeferredTicksLimit) {
        m_openingCallDeferred = false;
        send("a");
    }
    // Only once the instrument has answered "a" and "c": a quick user or a slow
    // line would otherwise put the transfer's commands between them.
    if (m_prepared && linkMode() == LinkMode::Idle && m_handshake == Handshake::Answered &&
        !m_awaitingReply && !m_openingCallDeferred)
        startPreparedTransfer();
}

void ConversationEngine::resume()
{
    const Entry entry(*this);
    if (m_conversation)
        m_conversation->resume();
}

void ConversationEngine::handleIdle()
{
    // The answer to "a" of a prepared transfer is followed by "c"; once "c" is
    // answered the next tick may start the transfer.
    if (m_handshake == Handshake::AwaitingA) {
        send("c");
        m_handshake = Handshake::AwaitingC;
    } else if (m_handshake == Handshake::AwaitingC) {
        m_handshake = Handshake::Answered;
    }
}

void ConversationEngine::startPreparedTransfer()
{
    setWantsTicks(false);
    m_handshake = Handshake::Quiet;
    // Running before its first write: a link lost during it then reports the transfer.
    run(std::move(m_prepared));
}

void ConversationEngine::onLinkLost(const QString &reason)
{
    const Entry entry(*this);
    m_linkDown = true;
    const std::optional<TransferResult> result =
        dropTransfer(TransferResult::Outcome::LinkLost, reason);
    closeConnection();
    if (result)
        Q_EMIT finished(*result);
    else
        Q_EMIT linkLost(reason);
    Q_EMIT connectionClosed();
}

// ---- helpers ----

void ConversationEngine::send(const QByteArray &command)
{
    const QByteArray bytes = CommandEncoding::encode(command, m_settings.CommandEnd);
    m_awaitingReply = true;
    m_link.send(bytes);
    Q_EMIT commandSent(bytes);
}

void ConversationEngine::sendOpeningCall(bool wantTicks)
{
    m_handshake = Handshake::AwaitingA;
    if (m_awaitingReply) {
        // The ticks also bound how long the deferred "a" waits.
        m_openingCallDeferred = true;
        m_deferredTicks = 0;
        wantTicks = true;
    } else {
        send("a");
    }
    if (wantTicks)
        setWantsTicks(true);
}

void ConversationEngine::setWantsTicks(bool wanted)
{
    if (m_wantsTicks == wanted)
        return;
    m_wantsTicks = wanted;
    Q_EMIT ticksWanted(wanted);
}

void ConversationEngine::run(std::unique_ptr<Conversation> conversation)
{
    // A write can lose the link under a conversation that goes on to the
    // next; the engine stays as the loss left it, ready to connect again.
    if (m_linkDown)
        return;
    retire();
    m_conversation = std::move(conversation);
    m_conversation->start();
}

void ConversationEngine::retire()
{
    if (m_conversation)
        m_retired.push_back(std::move(m_conversation));
}

TransferConversation *ConversationEngine::runningTransfer() const
{
    return dynamic_cast<TransferConversation *>(m_conversation.get());
}

std::optional<TransferResult> ConversationEngine::dropTransfer(TransferResult::Outcome outcome,
                                                               const QString &reason)
{
    if (m_prepared) {
        const TransferResult result = m_prepared->abandon(outcome, reason);
        m_retired.push_back(std::move(m_prepared));
        return result;
    }
    if (TransferConversation *running = runningTransfer()) {
        const TransferResult result = running->abandon(outcome, reason);
        retire();
        return result;
    }
    return std::nullopt;
}

void ConversationEngine::closeConnection()
{
    m_link.close();
    m_awaitingReply = false;
    m_openingCallDeferred = false;
    m_reply.reset();
    m_handshake = Handshake::Quiet;
    setWantsTicks(false);
    retire();
    m_directoryRead = false;
}
