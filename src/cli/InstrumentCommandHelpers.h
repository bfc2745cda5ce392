// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Option parsing and waiting shared by the instrument commands.

#include "cli/InstrumentRun.h"

#include <QCommandLineParser>
#include <QStringList>

namespace cli {

enum class Parsed { Ok, Help, Error };

// Parses args of one command; prints the error or the help text itself.
// More than maxPositional arguments besides the options are a usage error.
Parsed parseInstrumentCommand(QCommandLineParser &parser, const char *command,
                              const QStringList &args, LinkOptions *link, int maxPositional = 0);
int exitCodeFor(Parsed parsed);
void addJobOption(QCommandLineParser &parser);
// The --job value; 0 with the message printed when it is missing or out of range.
int jobNumber(const QCommandLineParser &parser);
// After a failed wait: prints the reason and returns kExitCommunication.
int reportFailure(const InstrumentRun &run, const QString &what);
// Waits for the directory refresh that ends an upload or an erase.
int awaitRefresh(InstrumentRun &run, const QString &what);

} // namespace cli
