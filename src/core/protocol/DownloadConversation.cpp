// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/DownloadConversation.h"

#include "core/protocol/CassLine.h"
#include "core/protocol/CommandEncoding.h"
#include "core/protocol/DownloadWriter.h"
#include "core/protocol/JobTable.h"

#include <QCoreApplication>

namespace {

constexpr char kSub = 26; // end of data

bool startsWithSub(const QByteArray &reply)
{
    return !reply.isEmpty() && reply.at(0) == kSub;
}

} // namespace

DownloadConversation::DownloadConversation(ConversationHost &host, const DownloadRequest &request,
                                           std::unique_ptr<DownloadWriter> writer)
    : TransferConversation(host), m_request(request), m_writer(std::move(writer))
{
    m_tally.kind = TransferResult::Kind::Download;
    m_tally.path = m_writer->path();
    m_tally.replacesFile = m_writer->replacedExisting();
}

DownloadConversation::~DownloadConversation() = default;

LinkMode DownloadConversation::mode() const
{
    return coordinates() ? LinkMode::ReceiveCoordinates : LinkMode::ReceiveObservations;
}

void DownloadConversation::start()
{
    const JobTable &jobs = m_host.jobs();
    const int index = m_request.jobNumber - 1;
    QString countError;
    if (coordinates() && !jobs.coordinateCount(index, &countError)) {
        // A count that is no number would ask for a wrong number of lines.
        m_host.transferEnded(abandon(TransferResult::Outcome::Failed, countError), false);
        return;
    }
    m_progressTotal = JobTable::leadingCount(coordinates() ? jobs.FixPointCounts.at(index)
                                                           : jobs.MeasurementCounts.at(index));
    // Observations end with the SUB; how many come is not known before.
    m_tally.expected = coordinates() ? m_progressTotal : -1;
    m_step = Step::AwaitingFormSet;
    m_host.send("FORM/SET/0");
}

void DownloadConversation::onReply(const QByteArray &reply)
{
    switch (m_step) {
    case Step::AwaitingFormSet:
        m_host.send((coordinates() ? "JOB/RCV/COORDS/" : "JOB/RCV/OBSERV/") +
                    CommandEncoding::jobNumber(m_request.jobNumber));
        m_step = Step::AwaitingRequestAnswer;
        return;
    case Step::AwaitingRequestAnswer:
        m_step = Step::AwaitingLine;
        // A job of no coordinates still gets its one question.
        if (coordinates() && m_progressTotal <= 0)
            finish(TransferResult::Outcome::Complete, QString());
        m_host.send("?");
        return;
    case Step::AwaitingLine:
        break;
    }
    if (m_ended)
        return;
    if (startsWithSub(reply)) {
        // Observations end with the SUB; coordinates end early with it.
        if (coordinates())
            finish(TransferResult::Outcome::EndedEarly,
                   QCoreApplication::translate("ConversationEngine",
                                               "The instrument sent %1 of %2 lines.")
                       .arg(m_tally.lines)
                       .arg(m_progressTotal));
        else
            finish(TransferResult::Outcome::Complete, QString());
        return;
    }
    storeLine(reply);
    if (m_ended)
        return;
    if (coordinates() && m_tally.lines >= m_progressTotal)
        finish(TransferResult::Outcome::Complete, QString());
    m_host.send("?");
}

void DownloadConversation::storeLine(const QByteArray &reply)
{
    bool stored = true;
    if (coordinates() && m_request.format == DownloadFormat::Cass) {
        const CassLine::Columns columns = m_request.cassNorthingFirst
                                              ? CassLine::Columns::NorthingFirst
                                              : CassLine::Columns::EastingFirst;
        if (const auto cass = CassLine::fromGsiLine(DownloadWriter::withoutLineEnd(reply), columns))
            stored = m_writer->append(*cass);
        else
            ++m_tally.skipped; // reported with the result, never dropped unseen
    } else {
        stored = m_writer->appendRawLine(reply);
    }
    if (!stored) {
        // No more questions: the conversation rests until the next transfer.
        m_host.transferEnded(abandon(TransferResult::Outcome::Failed, m_writer->errorString()),
                             false);
        return;
    }
    ++m_tally.lines;
    m_host.progress(m_tally.lines, m_progressTotal);
}

void DownloadConversation::finish(TransferResult::Outcome outcome, const QString &reason)
{
    if (outcome != TransferResult::Outcome::Complete) {
        // A short file must never pass for the whole job; the job is still on
        // the instrument, so nothing is kept under the file's name.
        m_host.transferEnded(abandon(outcome, reason), false);
        return;
    }
    m_ended = true;
    const bool committed = m_writer->commit();
    const QString error = m_writer->errorString();
    m_writer.reset();
    if (!committed) {
        m_host.transferEnded(m_tally.result(TransferResult::Outcome::Failed, error), false);
        return;
    }
    m_host.transferEnded(m_tally.result(outcome, reason, true), false, m_tally.replacesFile);
}

TransferResult DownloadConversation::abandon(TransferResult::Outcome outcome, const QString &reason)
{
    m_ended = true;
    if (m_writer) {
        m_writer->discard();
        m_writer.reset();
    }
    return m_tally.result(outcome, reason);
}
