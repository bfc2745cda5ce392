// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument commands: jobs, download, upload, erase. Each opens the port,
// runs the manager's opening conversation and then the transfer's commands as
// the manager sends them once the user has confirmed its dialog.

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/InstrumentCommandHelpers.h"

namespace cli {

int runJobs(const QStringList &args)
{
    QCommandLineParser parser;
    LinkOptions link;
    const Parsed parsed = parseInstrumentCommand(parser, "jobs", args, &link);
    if (parsed != Parsed::Ok)
        return exitCodeFor(parsed);
    InstrumentRun run(link);
    if (const int status = run.connect(); status != kExitOk)
        return status;
    QString lines;
    for (int number = 1; number <= JobTable::kJobCount; ++number)
        lines += run.jobLine(number) + QLatin1Char('\n');
    printOut(lines);
    return kExitOk;
}

int runErase(const QStringList &args)
{
    QCommandLineParser parser;
    addJobOption(parser);
    LinkOptions link;
    const Parsed parsed = parseInstrumentCommand(parser, "erase", args, &link);
    if (parsed != Parsed::Ok)
        return exitCodeFor(parsed);
    const int job = jobNumber(parser);
    if (job == 0)
        return kExitUsage;

    InstrumentRun run(link);
    if (const int status = run.connect(); status != kExitOk)
        return status;
    const QString refused = run.engine().erase(job);
    if (!refused.isEmpty()) {
        printError(refused);
        return kExitFailure;
    }
    if (const int status = awaitRefresh(run, QStringLiteral("erase")); status != kExitOk)
        return status;
    printOut(run.jobLine(job) + QLatin1Char('\n'));
    return kExitOk;
}

} // namespace cli
