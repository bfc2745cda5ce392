// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/FormatTable.h"

#include <QString>
#include <QStringList>

struct CoordReadResult;

// Exit statuses shared by every rqtcom-cli command.
namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;       // bad input, file error
constexpr int kExitUsage = 2;         // bad command line
constexpr int kExitCommunication = 3; // port cannot be opened, instrument silent
constexpr int kExitInterrupted = 130; // SIGINT or SIGTERM: what ran was cancelled

// Prints "rqtcom-cli: MESSAGE" as one line on standard error.
void printError(const QString &message);
void printOut(const QString &text);

// Checked before anything is read, each refusal on standard error: an input
// that is no file, an output that is the input itself (the run would replace
// the data it reads; sameFile names the two as the command's usage does) and
// an output that exists without --overwrite.
bool inputAndOutputAreSafe(const QString &input, const QString &output, bool overwrite,
                           const QString &sameFile);
// The same, first refusing an output format that needs a coordinate system
// (GeoJSON, KML) without a usable crs, so no file is read only to be refused.
bool inputAndOutputAreSafe(const QString &input, const QString &output, bool overwrite,
                           const QString &sameFile, CoordFormat outputFormat, const QString &crs);

// The output format of a command writing coordinates: to (a --to value) when
// given, else output's extension, both in any case; and a crs given that is
// no "EPSG:NNNN". False with *usageError saying why (a usage error).
bool outputFormatOf(const QString &to, const QString &crs, const QString &output,
                    CoordFormat *format, QString *usageError);

// "gsi16|gsi8|orb|...": every --to value, as the help shows it and the bash
// completion reads it.
QString formatChoices();
// "gsi, orb, dat, ...": the extensions Open's list names, for messages.
QString readableExtensionsText(const QString &lastSeparator = QStringLiteral(" or "));

// Notes on standard error about what reading input skipped and its unit.
void reportRead(const QString &input, const CoordReadResult &read);

// One sub-command: its name, a one-line summary and its entry point.
// args holds the arguments after the command name.
struct Command
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &args);
};

} // namespace cli
