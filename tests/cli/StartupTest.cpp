// SPDX-License-Identifier: GPL-3.0-or-later
// What rqtcom-cli loads at its start: Qt Core and the serial port, never Qt
// Gui or PROJ, which plot and the map formats load when they are asked for.
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray libraries(const QString &program)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {program});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
        return QByteArray();
    return ldd.readAllStandardOutput();
}

} // namespace

TEST(Startup, theProgramLinksNeitherQtGuiNorProj)
{
    const QByteArray linked = libraries(testsupport::binPath(QStringLiteral("rqtcom-cli")));
    if (linked.isEmpty())
        GTEST_SKIP() << "ldd cannot list the program's libraries";
    EXPECT_TRUE(linked.contains("libQt6Core")) << linked.constData();
    EXPECT_FALSE(linked.contains("libQt6Gui")) << linked.constData();
    EXPECT_FALSE(linked.contains("libproj")) << linked.constData();
}

// The module and the program's own start both work: plot draws, and the
// file commands beside it still run without the module loaded.
TEST(Startup, plotRunsFromItsModuleAndOtherCommandsDoNotNeedIt)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString gsi = tmp.filePath(QStringLiteral("p.gsi"));
    ASSERT_TRUE(testsupport::writeAll(
        gsi, "*110001+0000000000000P01 81..10+0000000001000000 82..10+0000000002000000 \r\n"
             "*110002+0000000000000P02 81..10+0000000001005000 82..10+0000000002003000 \r\n"));

    // A copy of the program without the module beside it or in a library folder.
    const QString lone = tmp.filePath(QStringLiteral("rqtcom-cli"));
    ASSERT_TRUE(QFile::copy(testsupport::binPath(QStringLiteral("rqtcom-cli")), lone));
    const auto plot = testsupport::runProgram(
        lone, {QStringLiteral("plot"), gsi, tmp.filePath(QStringLiteral("p.png"))});
    EXPECT_EQ(plot.exitCode, 1) << "a missing module is a failure, not a crash";
    EXPECT_TRUE(plot.err.contains("drawing module cannot be loaded")) << plot.err.constData();
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath(QStringLiteral("p.png"))));
    const auto dxf = testsupport::runProgram(
        lone, {QStringLiteral("gsi2dxf"), gsi, tmp.filePath(QStringLiteral("p.dxf"))});
    EXPECT_EQ(dxf.exitCode, 0) << dxf.err.constData();

    const auto drawn = testsupport::runProgram(
        QStringLiteral("rqtcom-cli"),
        {QStringLiteral("plot"), gsi, tmp.filePath(QStringLiteral("q.png"))});
    EXPECT_EQ(drawn.exitCode, 0) << drawn.err.constData();
    EXPECT_TRUE(testsupport::readAll(tmp.filePath(QStringLiteral("q.png"))).startsWith("\x89PNG"));
}
