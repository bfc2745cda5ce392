// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/UploadConversation.h"

#include "core/protocol/CommandEncoding.h"
#include "core/protocol/ConversationEngine.h"
#include "core/protocol/JobTable.h"
#include "core/protocol/UploadReader.h"
#include "core/serial/CommSettings.h"

#include <QCoreApplication>

namespace {
constexpr char kSub = 26; // end of data
} // namespace

UploadConversation::UploadConversation(ConversationHost &host, const UploadRequest &request,
                                       bool intoNewJob, int expectedLines)
    : TransferConversation(host), m_request(request), m_intoNewJob(intoNewJob)
{
    m_tally.kind = TransferResult::Kind::Upload;
    m_tally.path = request.filePath;
    m_tally.expected = expectedLines;
}

UploadConversation::~UploadConversation() = default;

void UploadConversation::start()
{
    if (!m_intoNewJob) {
        sendPreamble(false);
        return;
    }
    const int number = m_request.jobNumber;
    m_host.jobSlotRenamed(number);
    m_step = Step::AwaitingJobSet;
    QByteArray command("JOB/SET/");
    command += NameEncoding::writePage(m_host.settings().JobNameEncoding)
                   .encode(m_host.jobs().JobSlotNames.at(number - 1));
    command += '/';
    command += CommandEncoding::jobNumber(number);
    m_host.send(command);
}

void UploadConversation::sendPreamble(bool eraseDone)
{
    if (m_request.replaceExisting && !eraseDone) {
        m_step = Step::AwaitingErase;
        m_host.send("JOB/ERASE/COORDS/" + CommandEncoding::jobNumber(m_request.jobNumber));
        return;
    }
    m_step = Step::AwaitingFormSet;
    m_host.send("FORM/SET/0");
}

void UploadConversation::onReply(const QByteArray &)
{
    switch (m_step) {
    case Step::AwaitingJobSet:
        sendPreamble(false);
        return;
    case Step::AwaitingErase:
        sendPreamble(true);
        return;
    case Step::AwaitingFormSet:
        m_host.send("JOB/SND/COORD/" + CommandEncoding::jobNumber(m_request.jobNumber));
        if (m_host.linkDown())
            return;
        m_reader = std::make_unique<UploadReader>();
        m_reader->open(m_request.filePath); // a file that will not open sends the SUB at once
        m_step = Step::AwaitingGoAhead;
        return;
    case Step::AwaitingGoAhead:
        break;
    }
    if (!m_reader || !m_reader->isOpen()) {
        finish(TransferResult::Outcome::Failed,
               QCoreApplication::translate("ConversationEngine", "The file could not be opened."),
               0);
        return;
    }
    const UploadReader::Next next = m_reader->next();
    switch (next.status) {
    case UploadReader::Next::Status::Line:
        // The instrument needs a breath before each line; resume() sends it.
        m_heldLine = next.bytes;
        m_host.pauseRequested(ConversationEngine::kUploadLinePauseMs);
        return;
    case UploadReader::Next::Status::Stopped:
        finish(TransferResult::Outcome::EndedEarly, next.reason, next.lineNumber);
        return;
    case UploadReader::Next::Status::End:
        finish(TransferResult::Outcome::Complete, QString(), 0);
        return;
    }
}

void UploadConversation::resume()
{
    if (!m_heldLine)
        return;
    const QByteArray line = *m_heldLine;
    m_heldLine.reset();
    m_host.send(line);
    if (m_host.linkDown())
        return;
    ++m_tally.lines;
    m_host.progress(m_tally.lines, m_tally.expected);
}

void UploadConversation::finish(TransferResult::Outcome outcome, const QString &reason,
                                int stoppedAtLine)
{
    m_host.send(QByteArray(1, kSub));
    // A link lost under the SUB has reported the upload already.
    if (m_host.linkDown())
        return;
    m_tally.stoppedAtLine = stoppedAtLine;
    const TransferResult result = abandon(outcome, reason);
    // The instrument's reply to the SUB starts the directory refresh.
    m_host.transferEnded(result, true);
}

TransferResult UploadConversation::abandon(TransferResult::Outcome outcome, const QString &reason)
{
    m_heldLine.reset();
    if (m_reader) {
        m_reader->close();
        m_reader.reset();
    }
    return m_tally.result(outcome, reason);
}
