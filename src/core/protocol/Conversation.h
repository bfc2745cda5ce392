// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/LinkMode.h"
#include "core/protocol/TransferTypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct CommSettings;
struct JobTable;

// What a conversation may ask of the engine that runs it. The engine keeps
// what every conversation shares: the link, the settings of the connection,
// the job table, the ticks and the pauses, and the signals.
class ConversationHost
{
public:
    virtual ~ConversationHost() = default;

    // Writes the command with the connection's end mark. The link may be lost
    // during the write: check linkDown() before going on.
    virtual void send(const QByteArray &command) = 0;
    virtual bool linkDown() const = 0;
    virtual const CommSettings &settings() const = 0;
    virtual JobTable &jobs() = 0;

    // The conversation is over: nothing runs until the next operation.
    virtual void rest() = 0;
    // The conversation is over and the directory is read again; the next
    // reply answers the conversation's last command.
    virtual void refreshDirectory() = 0;
    // The directory was read (fullRead: by the opening conversation); rests.
    virtual void directoryRead(bool fullRead) = 0;
    // A transfer ended: rests (or refreshes the directory), tells of a
    // download's file now in place (replacedExisting: a file of that name was
    // there), then reports result.
    virtual void transferEnded(const TransferResult &result, bool thenRefresh,
                               bool replacedExisting = false) = 0;

    virtual void instrumentAnswered() = 0;
    virtual void jobSlotRenamed(int jobNumber) = 0;
    virtual void progress(int done, int total) = 0;
    virtual void pauseRequested(int milliseconds) = 0;
};

// One conversation with the instrument: the opening, a refresh of the
// directory, a download, an upload or an erase. It owns its own steps; each
// complete reply moves it on by at most one command.
class Conversation
{
public:
    explicit Conversation(ConversationHost &host) : m_host(host) {}
    virtual ~Conversation() = default;
    Conversation(const Conversation &) = delete;
    Conversation &operator=(const Conversation &) = delete;

    virtual LinkMode mode() const = 0;
    // The first command, when the engine makes the conversation the running one.
    virtual void start() {}
    virtual void onReply(const QByteArray &reply) = 0;
    // The pause asked for by pauseRequested() is over.
    virtual void resume() {}

protected:
    ConversationHost &m_host;
};

// A download or an upload: prepared first (the engine holds it while "a" and
// "c" are answered), then running.
class TransferConversation : public Conversation
{
public:
    using Conversation::Conversation;

    const TransferTally &tally() const { return m_tally; }
    // Ends the transfer without another command: a download's partial file is
    // discarded, an upload's file closed. Returns what to report.
    virtual TransferResult abandon(TransferResult::Outcome outcome, const QString &reason) = 0;

protected:
    TransferTally m_tally;
};
