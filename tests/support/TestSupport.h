// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Small helpers shared by the test binaries.
namespace testsupport {

// Folder of committed golden files (tests/data).
QString dataPath(const QString &relative = QString());
// Folder of the optional sample instrument files; empty when absent.
QString samplesPath(const QString &relative = QString());
// Folder holding the built programs (rqtcom-cli, rqtsim).
QString binPath(const QString &program);

// The outcome of running one of the built programs to its end.
struct ProgramRun
{
    int exitCode = -1; // -1: did not finish in time; -2: crashed
    QByteArray out;
    QByteArray err;
};
ProgramRun runProgram(const QString &program, const QStringList &args, int timeoutMs = 120000);

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

// Makes name the ANSI code page (RQTCOM_ANSI_CODEPAGE) for the scope's length,
// so output that depends on it is the same on every machine.
class ScopedAnsiCodePage
{
public:
    explicit ScopedAnsiCodePage(const QByteArray &name);
    ~ScopedAnsiCodePage();
    ScopedAnsiCodePage(const ScopedAnsiCodePage &) = delete;
    ScopedAnsiCodePage &operator=(const ScopedAnsiCodePage &) = delete;

private:
    QByteArray m_saved;
};

// An English system on the C locale for the scope's length: the locale and
// code-page override variables are cleared, LC_ALL is "C" and the code pages
// are chosen again (western ones), then everything is put back.
class ScopedCLocale
{
public:
    ScopedCLocale();
    ~ScopedCLocale();
    ScopedCLocale(const ScopedCLocale &) = delete;
    ScopedCLocale &operator=(const ScopedCLocale &) = delete;

private:
    QList<QByteArray> m_saved;
    QList<bool> m_wasSet;
};

} // namespace testsupport
