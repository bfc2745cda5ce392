// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Private to the engine's own files.

#include "core/protocol/Conversation.h"
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/RefreshConversation.h"

// What the conversations may ask of the engine.
class ConversationEngine::Host : public ConversationHost
{
public:
    explicit Host(ConversationEngine &engine) : m_engine(engine) {}

    void send(const QByteArray &command) override { m_engine.send(command); }
    bool linkDown() const override { return m_engine.m_linkDown; }
    const CommSettings &settings() const override { return m_engine.m_settings; }
    JobTable &jobs() override { return m_engine.m_jobs; }

    void rest() override
    {
        // A write that lost the link has closed the connection already.
        if (m_engine.m_linkDown)
            return;
        m_engine.retire();
        m_engine.m_handshake = Handshake::Quiet;
    }
    void refreshDirectory() override
    {
        m_engine.retire();
        m_engine.run(std::make_unique<RefreshConversation>(*this));
    }
    void directoryRead(bool fullRead) override
    {
        rest();
        if (!m_engine.m_linkDown)
            m_engine.m_directoryRead = true;
        // Nothing needs ticks until a transfer is prepared.
        if (fullRead && !m_engine.m_openingCallDeferred)
            m_engine.setWantsTicks(false);
        Q_EMIT m_engine.jobTableChanged(fullRead);
    }
    void transferEnded(const TransferResult &result, bool thenRefresh,
                       bool replacedExisting) override
    {
        if (thenRefresh)
            refreshDirectory();
        else
            rest();
        if (result.kind == TransferResult::Kind::Download && result.fileKept)
            Q_EMIT m_engine.fileAdded(result.path, replacedExisting);
        Q_EMIT m_engine.finished(result);
    }

    void instrumentAnswered() override { Q_EMIT m_engine.instrumentAnswered(); }
    void jobSlotRenamed(int jobNumber) override { Q_EMIT m_engine.jobSlotRenamed(jobNumber); }
    void progress(int done, int total) override { Q_EMIT m_engine.progress(done, total); }
    void pauseRequested(int milliseconds) override { Q_EMIT m_engine.pauseRequested(milliseconds); }

private:
    ConversationEngine &m_engine;
};

// Held by every call into the engine: conversations retired during the call
// are destroyed when the outermost call returns.
class ConversationEngine::Entry
{
public:
    explicit Entry(ConversationEngine &engine) : m_engine(engine) { ++m_engine.m_depth; }
    ~Entry()
    {
        if (--m_engine.m_depth == 0)
            m_engine.m_retired.clear();
    }
    Entry(const Entry &) = delete;
    Entry &operator=(const Entry &) = delete;

private:
    ConversationEngine &m_engine;
};
