#include "CliCommon.h"
#include "Commands.h"

#include <QCoreApplication>

#include <iterator>

namespace {

const cli::Command kCommands[] = {
    {"version", "print the program version", cli::runVersion},
    {"convert", "convert a coordinate file to another format", cli::runConvert},
    {"jobs", "list the instrument's 17 jobs", cli::runJobs},
    {"download", "copy a job's coordinates or observations into a file", cli::runDownload},
    {"upload", "send a coordinate file into a job", cli::runUpload},
    {"erase", "erase a job's coordinates", cli::runErase},
    {"gsi2dxf", "write the points of a GSI file as a DXF drawing", cli::runGsi2Dxf},
};

void printUsage()
{
    QString text = QStringLiteral("Usage: rqtcom-cli COMMAND [OPTIONS]\n\nCommands:\n");
    for (const cli::Command &c : kCommands)
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(c.name), -10).arg(QLatin1String(c.summary));
    text += QStringLiteral("\nRun 'rqtcom-cli COMMAND --help' for a command's options.\n");
    cli::printOut(text);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rqtcom-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printUsage();
        return cli::kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        printUsage();
        return cli::kExitOk;
    }
    for (const cli::Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            return c.run(args);
    }
    cli::printError(QStringLiteral("unknown command '%1' (try --help)").arg(name));
    return cli::kExitUsage;
}
