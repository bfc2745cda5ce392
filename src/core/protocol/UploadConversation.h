// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/protocol/Conversation.h"

#include <memory>

class UploadReader;

// A coordinate file into a job: the new name (JOB/SET) for an "<empty>" slot,
// the erase of a replacing upload, FORM/SET/0, JOB/SND/COORD, then one line
// per go-ahead after a pause, and the SUB. A refresh of the directory follows.
class UploadConversation : public TransferConversation
{
public:
    // expectedLines: the file's lines that hold something, -1 when unknown.
    UploadConversation(ConversationHost &host, const UploadRequest &request, bool intoNewJob,
                       int expectedLines);
    ~UploadConversation() override;

    LinkMode mode() const override { return LinkMode::SendCoordinates; }
    void start() override;
    void onReply(const QByteArray &reply) override;
    void resume() override;
    TransferResult abandon(TransferResult::Outcome outcome, const QString &reason) override;

private:
    enum class Step { AwaitingJobSet, AwaitingErase, AwaitingFormSet, AwaitingGoAhead };

    // After JOB/SET (or at once): the erase of a replacing upload, else FORM/SET/0.
    void sendPreamble(bool eraseDone);
    void finish(TransferResult::Outcome outcome, const QString &reason, int stoppedAtLine);

    UploadRequest m_request;
    bool m_intoNewJob;
    std::unique_ptr<UploadReader> m_reader;
    Step m_step = Step::AwaitingFormSet;
    // The next data line, read on the go-ahead and sent when the pause is over.
    std::optional<QByteArray> m_heldLine;
};
