// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/ProgramInfo.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using testsupport::runProgram;

namespace {

QStringList programs()
{
    QStringList names{QStringLiteral("rqtcom-cli"), QStringLiteral("rqtsim")};
#ifdef RQT_HAS_GUI_PROGRAM
    names << QStringLiteral("rqtcom");
#endif
    return names;
}

QByteArray firstLine(const QByteArray &text)
{
    return text.left(text.indexOf('\n'));
}

// Standard error without Qt's note about a missing XDG_RUNTIME_DIR, which
// belongs to the test machine (root without a login session), not the program.
QByteArray ownErrors(const QByteArray &err)
{
    QByteArray kept;
    for (const QByteArray &line : err.split('\n')) {
        if (!line.isEmpty() && !line.startsWith("QStandardPaths: "))
            kept += line + '\n';
    }
    return kept;
}

} // namespace

// GNU: --version prints "NAME (PACKAGE) VERSION", copyright and licence on
// standard output and exits 0; the version is the one the build was made with.
TEST(CommandLine, versionFollowsTheGnuLayoutWithTheBuildsVersion)
{
    for (const QString &program : programs()) {
        SCOPED_TRACE(program.toStdString());
        const auto run = runProgram(program, {QStringLiteral("--version")});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(firstLine(run.out),
                  program.toUtf8() + " (rqtcom) " + ProgramInfo::version().toUtf8());
        EXPECT_TRUE(run.out.contains("\nCopyright (C) "));
        EXPECT_TRUE(run.out.contains("GPLv3+"));
        EXPECT_TRUE(ownErrors(run.err).isEmpty()) << run.err.constData();
    }
}

TEST(CommandLine, helpGoesToStandardOutputAndNamesVersion)
{
    for (const QString &program : programs()) {
        SCOPED_TRACE(program.toStdString());
        const auto run = runProgram(program, {QStringLiteral("--help")});
        EXPECT_EQ(run.exitCode, 0);
        // Qt's parser names the program as it was started, here by its full path.
        const QList<QByteArray> usage = firstLine(run.out).split(' ');
        ASSERT_GE(usage.size(), 2) << run.out.constData();
        EXPECT_EQ(usage[0], "Usage:");
        QByteArray shown = usage[1];
        shown.replace('\\', '/');
        if (shown.endsWith(".exe"))
            shown.chop(4);
        const QByteArray name = program.toUtf8();
        EXPECT_TRUE(shown == name || shown.endsWith("/" + name)) << usage[1].constData();
        EXPECT_TRUE(run.out.contains("--version"));
        EXPECT_TRUE(ownErrors(run.err).isEmpty()) << run.err.constData();
    }
}

TEST(CommandLine, anUnknownOptionFailsOnStandardErrorOnly)
{
    for (const QString &program : programs()) {
        SCOPED_TRACE(program.toStdString());
        const auto run = runProgram(program, {QStringLiteral("--no-such-option")});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
        EXPECT_TRUE(ownErrors(run.err).startsWith(program.toUtf8() + ": ")) << run.err.constData();
    }
}

TEST(CommandLine, cliVersionCommandAndOptionAgree)
{
    const auto command = runProgram(QStringLiteral("rqtcom-cli"), {QStringLiteral("version")});
    const auto option = runProgram(QStringLiteral("rqtcom-cli"), {QStringLiteral("--version")});
    EXPECT_EQ(command.exitCode, 0);
    EXPECT_EQ(command.out, option.out);
}

// Every command listed by --help answers its own --help with a usage line
// that names it, whoever parses its options.
TEST(CommandLine, everyCliCommandHasAHelpNamingIt)
{
    const auto overview = runProgram(QStringLiteral("rqtcom-cli"), {QStringLiteral("--help")});
    const QByteArray list = overview.out.mid(overview.out.indexOf("Commands:\n") + 10);
    int commands = 0;
    for (const QByteArray &line : list.left(list.indexOf("\n\n")).split('\n')) {
        const QByteArray command = line.trimmed().split(' ').value(0);
        if (command.isEmpty() || command == "version")
            continue;
        SCOPED_TRACE(command.toStdString());
        ++commands;
        const auto run = runProgram(QStringLiteral("rqtcom-cli"),
                                    {QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.startsWith("Usage: rqtcom-cli " + command + " "))
            << firstLine(run.out).constData();
    }
    EXPECT_GE(commands, 6);
}

TEST(CommandLine, cliWithoutCommandIsAUsageError)
{
    const auto run = runProgram(QStringLiteral("rqtcom-cli"), {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("--help")) << run.err.constData();
}

#if defined(RQT_HAS_GUI_PROGRAM) && defined(Q_OS_UNIX)
// Over ssh or in a packaging script there is no display; asking the GUI
// program for its help or version must still work.
TEST(CommandLine, guiProgramAnswersHelpAndVersionWithoutADisplay)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    for (const QString &option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
        SCOPED_TRACE(option.toStdString());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(testsupport::binPath(QStringLiteral("rqtcom")), {option});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        EXPECT_FALSE(process.readAllStandardOutput().isEmpty());
    }
}
#endif

// The completion offers what the program's help lists, so the speeds and end
// marks it offers are those the program takes. bash-completion's own helpers
// are stood in for, so only the script is tried.
TEST(CommandLine, completionOffersTheLinkOptionsTheProgramTakes)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "bash completion is for Linux";
#else
    const QString script =
        testsupport::dataPath(QStringLiteral("../../packaging/completion/rqtcom-cli"));
    ASSERT_TRUE(QFile::exists(script));
    const auto offered = [&](const QString &option) {
        QProcess bash;
        bash.start(
            QStringLiteral("bash"),
            {QStringLiteral("-c"),
             QStringLiteral("_init_completion() { cur=${COMP_WORDS[COMP_CWORD]};"
                            " prev=${COMP_WORDS[COMP_CWORD-1]}; words=(\"${COMP_WORDS[@]}\");"
                            " cword=$COMP_CWORD; }; _filedir() { :; }; source \"$1\";"
                            " COMP_WORDS=(rqtcom-cli jobs \"$3\" ''); COMP_CWORD=3;"
                            " _rqtcom_cli \"$2\"; printf '%s\\n' \"${COMPREPLY[@]}\""),
             QStringLiteral("bash"), script, testsupport::binPath(QStringLiteral("rqtcom-cli")),
             option});
        if (!bash.waitForStarted() || !bash.waitForFinished(30000))
            return QStringList{QStringLiteral("bash did not run")};
        return QString::fromLatin1(bash.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    EXPECT_EQ(offered(QStringLiteral("--baud")), (QStringList{"19200", "9600", "4800", "1200"}));
    EXPECT_EQ(offered(QStringLiteral("--endmark")), (QStringList{"crlf", "cr"}));
#endif
}
