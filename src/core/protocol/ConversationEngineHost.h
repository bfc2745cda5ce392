// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Private to the engine's own files.

#include "protocol/Conversation.h"
#include "protocol/ConversationEngine.h"
#include "protocol/RefreshConversation.h"

// What the conversations may ask of the engine.
class ConversationEngine::Host : public ConversationHost
{
public:
    explicit Host(ConversationEngine &engine) : e(engine) {}

    void send(const QByteArray &command) override { e.send(command); }
    bool linkDown() const override { return e.m_linkDown; }
    const CommSettings &settings() const override { return e.m_settings; }
    JobTable &jobs() override { return e.m_jobs; }

    void rest() override
    {
        // A write that lost the link has closed the connection already.
        if (e.m_linkDown)
            return;
        e.retire();
        e.m_handshake = Handshake::Quiet;
    }
    void refreshDirectory() override
    {
        e.retire();
        e.run(std::make_unique<RefreshConversation>(*this));
    }
    void directoryRead(bool fullRead) override
    {
        rest();
        if (!e.m_linkDown)
            e.m_directoryRead = true;
        // Nothing needs ticks until a transfer is prepared.
        if (fullRead && !e.m_openingCallDeferred)
            e.setWantsTicks(false);
        Q_EMIT e.jobTableChanged(fullRead);
    }
    void transferEnded(const TransferResult &result, bool thenRefresh,
                       bool replacedExisting) override
    {
        if (thenRefresh)
            refreshDirectory();
        else
            rest();
        if (result.kind == TransferResult::Kind::Download && result.fileKept)
            Q_EMIT e.fileAdded(result.path, replacedExisting);
        Q_EMIT e.finished(result);
    }

    void instrumentAnswered() override { Q_EMIT e.instrumentAnswered(); }
    void jobSlotRenamed(int jobNumber) override { Q_EMIT e.jobSlotRenamed(jobNumber); }
    void progress(int done, int total) override { Q_EMIT e.progress(done, total); }
    void pauseRequested(int milliseconds) override { Q_EMIT e.pauseRequested(milliseconds); }

private:
    ConversationEngine &e;
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
