// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include "core/text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace testsupport {

QString dataPath(const QString &relative)
{
    return QDir(QStringLiteral(RQT_TEST_DATA_DIR)).filePath(relative);
}

QString samplesPath(const QString &relative)
{
    // RQT_SAMPLES_DIR in the environment points a worktree's tests at the samples.
    const QByteArray fromEnvironment = qgetenv("RQT_SAMPLES_DIR");
    const QDir dir(fromEnvironment.isEmpty() ? QStringLiteral(RQT_SAMPLES_DIR)
                                             : QString::fromLocal8Bit(fromEnvironment));
    if (!dir.exists())
        return QString();
    const QString path = dir.filePath(relative);
    return QFile::exists(path) ? path : QString();
}

QString binPath(const QString &program)
{
#ifdef Q_OS_WIN
    // QFile::exists and friends want the whole name of a Windows program.
    return QDir(QStringLiteral(RQT_BIN_DIR)).filePath(program + QStringLiteral(".exe"));
#else
    return QDir(QStringLiteral(RQT_BIN_DIR)).filePath(program);
#endif
}

ProgramRun runProgram(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess process;
    process.start(binPath(program), args);
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
#ifdef Q_OS_WIN
    // The C runtime writes a program's text output with CR LF on Windows;
    // tests compare the text, which is the same as on Linux.
    run.out.replace("\r\n", "\n");
    run.err.replace("\r\n", "\n");
#endif
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

ScopedAnsiCodePage::ScopedAnsiCodePage(const QByteArray &name)
    : m_saved(qgetenv("RQTCOM_ANSI_CODEPAGE"))
{
    qputenv("RQTCOM_ANSI_CODEPAGE", name);
    CodePage::configure(false);
}

ScopedAnsiCodePage::~ScopedAnsiCodePage()
{
    if (m_saved.isEmpty())
        qunsetenv("RQTCOM_ANSI_CODEPAGE");
    else
        qputenv("RQTCOM_ANSI_CODEPAGE", m_saved);
    CodePage::configure(false);
}

namespace {
constexpr const char *kLocaleVars[] = {"LC_ALL", "LC_CTYPE", "LANG", "RQTCOM_ANSI_CODEPAGE",
                                       "RQTCOM_OEM_CODEPAGE"};
} // namespace

ScopedCLocale::ScopedCLocale()
{
    for (const char *var : kLocaleVars) {
        m_saved.append(qgetenv(var));
        m_wasSet.append(qEnvironmentVariableIsSet(var));
        qunsetenv(var);
    }
    qputenv("LC_ALL", "C");
    CodePage::configure(false);
}

ScopedCLocale::~ScopedCLocale()
{
    for (int i = 0; i < int(std::size(kLocaleVars)); ++i) {
        if (m_wasSet[i])
            qputenv(kLocaleVars[i], m_saved[i]);
        else
            qunsetenv(kLocaleVars[i]);
    }
    CodePage::configure(false);
}

} // namespace testsupport
