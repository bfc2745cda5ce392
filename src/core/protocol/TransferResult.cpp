// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/TransferTypes.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// "12 of 40" when the total is known, else "12".
QString linesOf(int done, int expected)
{
    return expected >= 0 ? TransferResult::tr("%1 of %2").arg(done).arg(expected)
                         : QString::number(done);
}

QString downloadReport(const TransferResult &r)
{
    const QString path = QDir::toNativeSeparators(r.path);
    const QString lines = linesOf(r.linesTransferred, r.expectedLines);
    QString text;
    switch (r.outcome) {
    case TransferResult::Outcome::Complete:
        text = TransferResult::tr("%1 lines were saved in %2.")
                   .arg(r.linesTransferred - r.skippedLines)
                   .arg(path);
        if (r.skippedLines > 0)
            text += QLatin1Char(' ') +
                    TransferResult::tr("%1 of the %2 lines received had a length no CASS line is "
                                       "made from and were left out.")
                        .arg(r.skippedLines)
                        .arg(r.linesTransferred);
        return text;
    case TransferResult::Outcome::EndedEarly:
        text = r.fileKept
                   ? TransferResult::tr("The instrument sent only %1 lines; they were saved in %2.")
                         .arg(lines, path)
                   : TransferResult::tr("The instrument sent only %1 lines; nothing was saved.")
                         .arg(lines);
        break;
    case TransferResult::Outcome::Failed:
        text = TransferResult::tr("The download failed: %1 Nothing was saved under %2.")
                   .arg(r.reason, path);
        break;
    case TransferResult::Outcome::Cancelled:
        text = TransferResult::tr("The download was cancelled after %1 lines; nothing was saved.")
                   .arg(lines);
        break;
    case TransferResult::Outcome::LinkLost:
        text = TransferResult::tr(
                   "The connection to the instrument was lost during the download (%1). "
                   "The %2 lines received were discarded; nothing was saved.")
                   .arg(r.reason, lines);
        break;
    }
    if (r.existingFileKept)
        text +=
            QLatin1Char(' ') + TransferResult::tr("The existing %1 was left as it was.").arg(path);
    return text;
}

QString uploadReport(const TransferResult &r)
{
    const QString lines = linesOf(r.linesTransferred, r.expectedLines);
    switch (r.outcome) {
    case TransferResult::Outcome::Complete:
        return TransferResult::tr("%1 lines were sent from %2.")
            .arg(r.linesTransferred)
            .arg(QDir::toNativeSeparators(r.path));
    case TransferResult::Outcome::EndedEarly:
        if (r.stoppedAtLine > 0)
            return TransferResult::tr(
                       "The upload stopped at line %1 of the file, after %2 lines: %3")
                .arg(r.stoppedAtLine)
                .arg(lines, r.reason);
        return TransferResult::tr("The upload stopped after %1 lines: %2").arg(lines, r.reason);
    case TransferResult::Outcome::Failed:
        return TransferResult::tr("The upload failed after %1 lines: %2").arg(lines, r.reason);
    case TransferResult::Outcome::Cancelled:
        if (r.linesTransferred == 0)
            return TransferResult::tr("The upload was cancelled before any line was sent.");
        return TransferResult::tr(
                   "The upload was cancelled after %1 lines; the job on the instrument holds "
                   "the lines sent so far.")
            .arg(lines);
    case TransferResult::Outcome::LinkLost:
        return TransferResult::tr(
                   "The connection to the instrument was lost during the upload (%1) after %2 "
                   "lines; the job on the instrument holds the lines sent so far.")
            .arg(r.reason, lines);
    }
    return QString();
}

} // namespace

QString TransferResult::report() const
{
    return kind == Kind::Download ? downloadReport(*this) : uploadReport(*this);
}

TransferResult TransferTally::result(TransferResult::Outcome outcome, const QString &reason,
                                     bool fileInPlace) const
{
    TransferResult r;
    r.kind = kind;
    r.outcome = outcome;
    r.path = path;
    r.linesTransferred = lines;
    r.expectedLines = expected;
    r.stoppedAtLine = stoppedAtLine;
    r.reason = reason;
    r.skippedLines = skipped;
    if (kind == TransferResult::Kind::Download) {
        // A download's file is in place or not at all; a file it would have
        // replaced is untouched unless it was.
        r.fileKept = fileInPlace;
        r.existingFileKept = replacesFile && !fileInPlace;
    } else {
        r.fileKept = lines > 0; // the lines sent are in the job
    }
    return r;
}
