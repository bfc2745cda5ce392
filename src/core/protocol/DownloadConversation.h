// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/Conversation.h"

#include <memory>

class DownloadWriter;

// A job's coordinates or observations into a file: FORM/SET/0, the request,
// then one "?" per line. The file is put in place only when every line is in.
class DownloadConversation : public TransferConversation
{
public:
    // writer: open on the request's file.
    DownloadConversation(ConversationHost &host, const DownloadRequest &request,
                         std::unique_ptr<DownloadWriter> writer);
    ~DownloadConversation() override;

    LinkMode mode() const override;
    // Reads the job's count (a refresh since the item was chosen may have
    // changed it) and sends FORM/SET/0.
    void start() override;
    void onReply(const QByteArray &reply) override;
    TransferResult abandon(TransferResult::Outcome outcome, const QString &reason) override;

private:
    enum class Step { AwaitingFormSet, AwaitingRequestAnswer, AwaitingLine };

    bool coordinates() const { return m_request.dataKind == DataKind::FixPoints; }
    void storeLine(const QByteArray &reply);
    void finish(TransferResult::Outcome outcome, const QString &reason);

    DownloadRequest m_request;
    std::unique_ptr<DownloadWriter> m_writer;
    Step m_step = Step::AwaitingFormSet;
    int m_progressTotal = 0; // the job's count of the kind, as progress() reports it
    bool m_ended = false;
};
