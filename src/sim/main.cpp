// SPDX-License-Identifier: GPL-3.0-or-later
// rqtsim: the simulated RQT-318 on a pseudo-terminal. Prints the device path
// on its first line of output, then answers until it is stopped.

#include "core/about/ProgramInfo.h"
#include "core/serial/CommSettings.h"
#include "sim/SimInstrument.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "rqtsim: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rqtsim"));
    QCoreApplication::setApplicationVersion(ProgramInfo::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated RQT-318 total station on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption version = ProgramInfo::versionOption();
    parser.addOption(version);
    const QCommandLineOption endMark(QStringLiteral("endmark"),
                                     QStringLiteral("Reply line end: crlf (default) or cr."),
                                     QStringLiteral("crlf|cr"), QStringLiteral("crlf"));
    const QStringList rates = CommSettings::baudRateTexts();
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        QStringLiteral("Pace both directions like a line of this rate (8N1): %1; 0 for no "
                       "pacing.")
            .arg(rates.join(QStringLiteral(", "))),
        QStringLiteral("rate"), QStringLiteral("0"));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Deliver every reply in several pieces."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Append every byte received to this file."),
                                 QStringLiteral("file"));
    const QCommandLineOption store(
        QStringLiteral("store"),
        QStringLiteral("Load the 17 jobs from this folder (index.txt and GSI files) instead "
                       "of the demonstration jobs."),
        QStringLiteral("folder"));
    const QCommandLineOption vanishAfter(
        QStringLiteral("vanish-after"),
        QStringLiteral("Answer this many commands, then close the line at the next one."),
        QStringLiteral("count"));
    const QCommandLineOption nameEncoding(
        QStringLiteral("name-encoding"),
        QStringLiteral("Keep the job names in this encoding: auto (default: the code pages of "
                       "the locale), gbk, big5, windows-1252 or utf-8."),
        QStringLiteral("auto|gbk|big5|windows-1252|utf-8"), QStringLiteral("auto"));
    parser.addOptions({endMark, baud, split, silent, log, store, vanishAfter, nameEncoding});
    parser.process(app);
    if (parser.isSet(version)) {
        ProgramInfo::printVersion(QStringLiteral("rqtsim"));
        return 0;
    }

    SimInstrument::Options options;
    const std::optional<EndMark> replyEnd = CommSettings::endMarkFromKey(parser.value(endMark));
    if (!replyEnd)
        return fail(QStringLiteral("--endmark must be crlf or cr"));
    options.replyEnd = *replyEnd;
    // The instrument's own speeds only: a test at another would prove nothing.
    bool ok = false;
    options.baud = parser.value(baud).toInt(&ok);
    if (!ok || (options.baud != 0 && !CommSettings::isListedBaudRate(options.baud)))
        return fail(
            QStringLiteral("--baud must be one of %1, or 0").arg(rates.join(QStringLiteral(", "))));
    options.splitChunks = parser.isSet(split) ? 3 : 0;
    options.silent = parser.isSet(silent);
    options.logPath = parser.value(log);
    if (parser.isSet(vanishAfter)) {
        options.vanishAfter = parser.value(vanishAfter).toInt(&ok);
        if (!ok || options.vanishAfter < 0)
            return fail(QStringLiteral("--vanish-after must be a count"));
    }

    const std::optional<NameEncoding::Choice> encoding =
        NameEncoding::fromKey(parser.value(nameEncoding));
    if (!encoding)
        return fail(QStringLiteral("--name-encoding must be one of %1")
                        .arg(NameEncoding::keys().join(QStringLiteral(", "))));

    SimJobStore jobs = SimJobStore::demo();
    QString error;
    if (parser.isSet(store) && !SimJobStore::loadFromFolder(parser.value(store), &jobs, &error))
        return fail(error);

    SimInstrument instrument(jobs);
    instrument.setOptions(options);
    instrument.protocol().setNameEncoding(*encoding);
    if (!instrument.start(&error))
        return fail(error);
    QObject::connect(&instrument, &SimInstrument::vanished, &app, &QCoreApplication::quit);

    std::printf("%s\n", qPrintable(instrument.slavePath()));
    std::fflush(stdout);
    return app.exec();
}
