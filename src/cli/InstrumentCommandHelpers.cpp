// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InstrumentCommandHelpers.h"

#include "cli/CliCommon.h"

namespace cli {

Parsed parseInstrumentCommand(QCommandLineParser &parser, const char *command,
                              const QStringList &args, LinkOptions *link, int maxPositional)
{
    parser.setApplicationDescription(
        QStringLiteral("rqtcom-cli %1: talk to the RQT-318 over a serial line.")
            .arg(QLatin1String(command)));
    parser.addHelpOption();
    addLinkOptions(parser);
    QStringList argv = args;
    argv.prepend(QStringLiteral("rqtcom-cli %1").arg(QLatin1String(command)));
    if (!parser.parse(argv)) {
        printError(parser.errorText());
        return Parsed::Error;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt names the program by the path it was started with; name the command.
        QString text = parser.helpText();
        const qsizetype end = text.indexOf(QLatin1String(" [options]"));
        if (text.startsWith(QLatin1String("Usage: ")) && end > 0)
            text.replace(7, end - 7, QStringLiteral("rqtcom-cli %1").arg(QLatin1String(command)));
        printOut(text);
        return Parsed::Help;
    }
    if (parser.positionalArguments().size() > maxPositional) {
        printError(
            QStringLiteral("%1: unexpected argument '%2' (try --help)")
                .arg(QLatin1String(command), parser.positionalArguments().at(maxPositional)));
        return Parsed::Error;
    }
    QString error;
    if (!readLinkOptions(parser, link, &error)) {
        printError(error);
        return Parsed::Error;
    }
    return Parsed::Ok;
}

int exitCodeFor(Parsed parsed)
{
    return parsed == Parsed::Help ? kExitOk : kExitUsage;
}

void addJobOption(QCommandLineParser &parser)
{
    parser.addOption(
        {QStringLiteral("job"), QStringLiteral("Job number, 1 to 17."), QStringLiteral("N")});
}

int jobNumber(const QCommandLineParser &parser)
{
    bool ok = false;
    const int number = parser.value(QStringLiteral("job")).toInt(&ok);
    if (!ok || number < 1 || number > JobTable::kJobCount) {
        printError(QStringLiteral("--job must be a job number from 1 to 17"));
        return 0;
    }
    return number;
}

int reportFailure(const InstrumentRun &run, const QString &what)
{
    if (run.interrupted())
        return run.reportInterrupted(what);
    printError(QStringLiteral("%1: %2").arg(what, run.failure()));
    return kExitCommunication;
}

int awaitRefresh(InstrumentRun &run, const QString &what)
{
    bool refreshed = false;
    QObject::connect(&run.engine(), &ConversationEngine::jobTableChanged, &run,
                     [&](bool fullRead) { refreshed = refreshed || !fullRead; });
    if (!run.waitFor([&] { return refreshed; }))
        return reportFailure(run, what);
    run.settle();
    return kExitOk;
}

} // namespace cli
