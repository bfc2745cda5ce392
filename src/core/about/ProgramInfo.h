// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QString>

// What the three programs say about themselves: the version and the GNU
// style --version text, so they agree with each other and with the package.
namespace ProgramInfo {

// "1.03", from the build's project version.
QString version();

// The GNU --version text for one of the programs: its name with the package
// and version on the first line, then copyright, licence and warranty lines.
QString versionText(const QString &program);

// -v, --version, described as QCommandLineParser describes its own.
QCommandLineOption versionOption();

// Writes versionText(program) to standard output.
void printVersion(const QString &program);

} // namespace ProgramInfo
