// SPDX-License-Identifier: GPL-3.0-or-later
// download and upload: the two transfers of the manager, from the command line.

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/InstrumentCommandHelpers.h"
#include "cli/ProgressBar.h"

#include "core/protocol/DownloadWriter.h"
#include "core/protocol/UploadReader.h"

#include <QFile>
#include <QFileInfo>

namespace cli {

namespace {

// Runs a started transfer to its end; *result holds how it ended.
int awaitTransfer(InstrumentRun &run, ProgressBar &bar, const QString &what, TransferResult *result)
{
    bool finished = false;
    ConversationEngine &engine = run.engine();
    QObject::connect(&engine, &ConversationEngine::progress, &run,
                     [&](int done, int total) { bar.update(done, total); });
    QObject::connect(&engine, &ConversationEngine::finished, &run, [&](const TransferResult &r) {
        *result = r;
        finished = true;
    });
    const bool ended = run.waitFor([&] { return finished; });
    bar.finish();
    if (finished && result->outcome == TransferResult::Outcome::Cancelled) {
        printError(QStringLiteral("%1 interrupted: %2").arg(what, result->report()));
        return kExitInterrupted;
    }
    if (finished && result->outcome == TransferResult::Outcome::LinkLost) {
        printError(QStringLiteral("%1: %2").arg(what, result->report()));
        return kExitCommunication;
    }
    if (!ended && !finished) {
        // Silent past the timeout: the transfer is cancelled, so a download
        // leaves no file behind.
        run.engine().cancel();
        const int status = reportFailure(run, what);
        printError(
            result->kind == TransferResult::Kind::Download
                ? QStringLiteral("the download was abandoned; no file was written")
                : QStringLiteral("the upload was cut off; the job may hold part of the file"));
        return status;
    }
    if (result->outcome == TransferResult::Outcome::Failed) {
        printError(QStringLiteral("%1: %2").arg(what, result->reason));
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

int runDownload(const QStringList &args)
{
    QCommandLineParser parser;
    addJobOption(parser);
    parser.addOption(
        {QStringLiteral("observations"),
         QStringLiteral("Download the job's observations instead of its coordinates.")});
    parser.addOption({QStringLiteral("type"),
                      QStringLiteral("Coordinate file type: gsi (default), idex or cass."),
                      QStringLiteral("gsi|idex|cass"), QStringLiteral("gsi")});
    parser.addOption(
        {QStringLiteral("dir"), QStringLiteral("Destination folder."), QStringLiteral("folder")});
    parser.addOption({QStringLiteral("name"),
                      QStringLiteral("File name without extension (default: the job's name)."),
                      QStringLiteral("name")});
    parser.addOption(
        {QStringLiteral("overwrite"), QStringLiteral("Replace an existing file of that name.")});
    parser.addOption({QStringLiteral("northing-first"),
                      QStringLiteral("CASS: write the northing before the easting "
                                     "(name,code,N,E,H), the order of earlier versions; by "
                                     "default the easting comes first (name,code,E,N,H).")});
    LinkOptions link;
    const Parsed parsed = parseInstrumentCommand(parser, "download", args, &link);
    if (parsed != Parsed::Ok)
        return exitCodeFor(parsed);
    const int job = jobNumber(parser);
    if (job == 0)
        return kExitUsage;

    DownloadRequest request;
    request.jobNumber = job;
    request.dataKind =
        parser.isSet(QStringLiteral("observations")) ? DataKind::Observations : DataKind::FixPoints;
    const std::optional<DownloadFormat> format =
        TransferKinds::downloadFormatFromKey(parser.value(QStringLiteral("type")));
    if (!format) {
        printError(QStringLiteral("--type must be gsi, idex or cass"));
        return kExitUsage;
    }
    request.format = *format;
    if (request.dataKind == DataKind::Observations && request.format != DownloadFormat::Gsi) {
        printError(QStringLiteral("observations are always downloaded as GSI; leave out --type"));
        return kExitUsage;
    }
    request.cassNorthingFirst = parser.isSet(QStringLiteral("northing-first"));
    if (request.cassNorthingFirst && request.format != DownloadFormat::Cass) {
        printError(QStringLiteral("--northing-first is for --type cass only"));
        return kExitUsage;
    }
    request.folder = parser.value(QStringLiteral("dir"));
    if (request.folder.isEmpty()) {
        printError(QStringLiteral("--dir is required"));
        return kExitUsage;
    }
    if (!QFileInfo(request.folder).isDir()) {
        printError(QStringLiteral("%1 is not a folder").arg(request.folder));
        return kExitFailure;
    }
    request.overwrite = parser.isSet(QStringLiteral("overwrite"));
    // Checked before the port is opened when the name is given, so a refused
    // target never costs a conversation.
    const auto refuseExisting = [&request]() {
        const QString path = ConversationEngine::downloadFilePath(request);
        const QString error = DownloadWriter::targetError(path, request.overwrite);
        if (error.isEmpty())
            return false;
        const QFileInfo info(path);
        if (!request.overwrite && info.isFile() && !info.isSymLink())
            printError(QStringLiteral("%1 exists; give --overwrite to replace it").arg(path));
        else
            printError(error);
        return true;
    };
    request.fileName = parser.value(QStringLiteral("name"));
    if (!request.fileName.isEmpty() && refuseExisting())
        return kExitFailure;

    InstrumentRun run(link);
    if (const int status = run.connect(); status != kExitOk)
        return status;
    const JobTable &jobs = run.engine().jobTable();
    if (request.fileName.isEmpty()) {
        request.fileName = jobs.JobNames.at(job - 1);
        if (refuseExisting())
            return kExitFailure;
    }
    if (request.dataKind == DataKind::FixPoints) {
        QString countError;
        if (!jobs.coordinateCount(job - 1, &countError)) {
            printError(countError);
            return kExitFailure;
        }
    }

    if (!run.engine().prepareDownload()) {
        printError(QStringLiteral("the instrument is not ready for a download"));
        return kExitFailure;
    }
    const QString refused = run.engine().startDownload(request);
    if (!refused.isEmpty()) {
        printError(refused);
        return kExitFailure;
    }
    ProgressBar bar(QStringLiteral("download"));
    TransferResult result;
    if (const int status = awaitTransfer(run, bar, QStringLiteral("download"), &result);
        status != kExitOk)
        return status;
    run.settle();
    printOut(result.path + QLatin1Char('\n'));
    if (!result.complete()) {
        printError(result.reason);
        return kExitFailure;
    }
    if (result.skippedLines > 0) {
        printError(QStringLiteral("warning: %1 of the %2 lines received had a length no CASS "
                                  "line is made from and were left out")
                       .arg(result.skippedLines)
                       .arg(result.linesTransferred));
    }
    return kExitOk;
}

int runUpload(const QStringList &args)
{
    QCommandLineParser parser;
    addJobOption(parser);
    parser.addOption({QStringLiteral("name"),
                      QStringLiteral("Name for a job that has none (\"<empty>\"); at most "
                                     "%1 bytes in the name encoding, so that its "
                                     "directory line fits one reply.")
                          .arg(JobTable::kMaxJobNameBytes),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("append"),
                      QStringLiteral("A job that holds coordinates: add the file's points "
                                     "after them.")});
    parser.addOption({QStringLiteral("replace"),
                      QStringLiteral("A job that holds coordinates: erase them, then send "
                                     "the file.")});
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("The coordinate file to send: a GSI file as it stands, any other "
                       "(%1) as GSI-16 lines of its points.")
            .arg(readableExtensionsText(QStringLiteral(", "))));
    LinkOptions link;
    const Parsed parsed = parseInstrumentCommand(parser, "upload", args, &link, 1);
    if (parsed != Parsed::Ok)
        return exitCodeFor(parsed);
    const int job = jobNumber(parser);
    if (job == 0)
        return kExitUsage;
    if (parser.positionalArguments().size() != 1) {
        printError(QStringLiteral("upload takes exactly one file"));
        return kExitUsage;
    }
    UploadRequest request;
    request.jobNumber = job;
    request.filePath = parser.positionalArguments().constFirst();
    request.newJobName = parser.value(QStringLiteral("name"));
    const bool named = parser.isSet(QStringLiteral("name"));
    const bool append = parser.isSet(QStringLiteral("append"));
    request.replaceExisting = parser.isSet(QStringLiteral("replace"));
    if (append && request.replaceExisting) {
        printError(QStringLiteral("give --append or --replace, not both"));
        return kExitUsage;
    }

    // The strict first-line rule of the manager's Move command.
    const UploadReader::Inspection inspection = UploadReader::inspect(request.filePath, true);
    switch (inspection.check) {
    case UploadReader::FileCheck::Accepted:
        break;
    case UploadReader::FileCheck::Missing:
        printError(QStringLiteral("%1: no such file").arg(request.filePath));
        return kExitFailure;
    case UploadReader::FileCheck::NotAFile:
        printError(QStringLiteral("%1: not a file").arg(request.filePath));
        return kExitFailure;
    case UploadReader::FileCheck::Unreadable:
        printError(QStringLiteral("%1: %2").arg(request.filePath, inspection.reason));
        return kExitFailure;
    case UploadReader::FileCheck::NotGsi:
        printError(QStringLiteral("%1: only coordinate files (%2) can be uploaded")
                       .arg(request.filePath, readableExtensionsText(QStringLiteral(", "))));
        return kExitFailure;
    case UploadReader::FileCheck::WrongFirstLine:
        printError(QStringLiteral("%1: Please Sellect Right File! (%2)")
                       .arg(request.filePath, inspection.reason));
        return kExitFailure;
    case UploadReader::FileCheck::Refused:
        printError(QStringLiteral("%1: %2").arg(request.filePath, inspection.reason));
        return kExitFailure;
    }
    if (inspection.converted) {
        printError(QStringLiteral("note: %1 is sent as %2 GSI-16 lines made from its points")
                       .arg(request.filePath)
                       .arg(inspection.lines));
    }
    if (!inspection.note.isEmpty())
        printError(QStringLiteral("note: %1: %2").arg(request.filePath, inspection.note));
    if (named) {
        const QString nameError =
            ConversationEngine::jobNameError(request.newJobName, link.nameEncoding);
        if (!nameError.isEmpty()) {
            printError(nameError);
            return kExitFailure;
        }
    }

    InstrumentRun run(link);
    if (const int status = run.connect(); status != kExitOk)
        return status;
    const QString slotName = run.engine().jobTable().JobSlotNames.at(job - 1);
    const bool empty = slotName == JobTable::emptyName();
    if (empty && !named) {
        printError(QStringLiteral("job %1 has no name; give it one with --name").arg(job));
        return kExitFailure;
    }
    if (!empty && named) {
        printError(QStringLiteral("job %1 is named %2; --name is only for a job without a name")
                       .arg(job)
                       .arg(slotName));
        return kExitFailure;
    }
    if (!empty)
        request.newJobName.clear();
    // Points already in the job are never added to or erased without a word.
    const int held = JobTable::leadingCount(run.engine().jobTable().FixPointCounts.at(job - 1));
    if (held > 0 && !append && !request.replaceExisting) {
        printError(QStringLiteral("job %1 holds %2 points; give --append to add the file's "
                                  "points after them or --replace to erase them first")
                       .arg(job)
                       .arg(held));
        return kExitFailure;
    }

    if (!run.engine().prepareUpload()) {
        printError(QStringLiteral("the instrument is not ready for an upload"));
        return kExitFailure;
    }
    const QString refused = run.engine().startUpload(request);
    if (!refused.isEmpty()) {
        printError(refused);
        return kExitFailure;
    }
    ProgressBar bar(QStringLiteral("upload"));
    TransferResult summary;
    summary.kind = TransferResult::Kind::Upload;
    if (const int status = awaitTransfer(run, bar, QStringLiteral("upload"), &summary);
        status != kExitOk)
        return status;
    if (const int status = awaitRefresh(run, QStringLiteral("upload")); status != kExitOk)
        return status;
    printOut(run.jobLine(job) + QLatin1Char('\n'));
    if (!summary.complete()) {
        printError(QStringLiteral("upload ended at line %1 of %2 (%3); %4 lines were sent")
                       .arg(summary.stoppedAtLine)
                       .arg(request.filePath, summary.reason)
                       .arg(summary.linesTransferred));
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace cli
