// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "core/about/ProgramInfo.h"

#include <QCoreApplication>

namespace {

const cli::Command kCommands[] = {
    {"version", "print the program version", cli::runVersion},
    {"convert", "convert a coordinate file to another format", cli::runConvert},
    {"reduce", "turn a GSI file's observations into coordinates", cli::runReduce},
    {"jobs", "list the instrument's 17 jobs", cli::runJobs},
    {"download", "copy a job's coordinates or observations into a file", cli::runDownload},
    {"upload", "send a coordinate file into a job", cli::runUpload},
    {"erase", "erase a job's coordinates", cli::runErase},
    {"gsi2dxf", "write the points of a GSI file as a DXF drawing", cli::runGsi2Dxf},
    // Run from the plot module before this table is read (cli::runPlotModule).
    {"plot", "draw the points of a coordinate file as a PNG or SVG plan", nullptr},
};

QString usageText()
{
    QString text = QStringLiteral("Usage: rqtcom-cli COMMAND [OPTION]...\n"
                                  "Exchange data with an RQT-318 total station and convert "
                                  "coordinate files.\n\nCommands:\n");
    for (const cli::Command &c : kCommands)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QLatin1String(c.name), -10)
                    .arg(QLatin1String(c.summary));
    text += QStringLiteral("\nOptions:\n"
                           "  -h, --help     display this help and exit\n"
                           "  -v, --version  output version information and exit\n"
                           "\nRun 'rqtcom-cli COMMAND --help' for a command's options.\n"
                           "Exit status: 0 done, 1 refused or failed, 2 bad command line,\n"
                           "3 port not opened or instrument silent or gone.\n");
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs Qt Gui, which takes longer to load than a file command
    // takes to run: it comes with the plot module, loaded for plot alone.
    if (argc > 1 && qstrcmp(argv[1], "plot") == 0)
        return cli::runPlotModule(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rqtcom-cli"));
    QCoreApplication::setApplicationVersion(ProgramInfo::version());
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        cli::printError(QStringLiteral("missing command (try --help)"));
        return cli::kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        cli::printOut(usageText());
        return cli::kExitOk;
    }
    if (name == QLatin1String("--version") || name == QLatin1String("-v")) {
        ProgramInfo::printVersion(QStringLiteral("rqtcom-cli"));
        return cli::kExitOk;
    }
    for (const cli::Command &c : kCommands) {
        if (name == QLatin1String(c.name) && c.run)
            return c.run(args);
    }
    cli::printError(QStringLiteral("unknown command '%1' (try --help)").arg(name));
    return cli::kExitUsage;
}
