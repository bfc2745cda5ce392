// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dxf/GsiToDxf.h"

#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString python3()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

} // namespace

TEST(LayeredDxf, aDxfReaderFindsThreeLayersAndLabelsBesideTheirPoints)
{
    QProcess probe;
    probe.start(python3(), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("three.dxf"));
    const testsupport::ScopedAnsiCodePage page("CP1252"); // passed on to rqtcom-cli
    const testsupport::ProgramRun run =
        testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                {QStringLiteral("gsi2dxf"), testsupport::dataPath("dxf/three.gsi"),
                                 out, QStringLiteral("--layers")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    QProcess p;
    p.start(python3(), {QStringLiteral(RQT_DXF_CHECK_SCRIPT), out});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    // Names above right, elevations below right of the point, 1 unit high;
    // the point without a name has only its elevation.
    EXPECT_EQ(p.readAllStandardOutput(), "POINT POINT 100.0000 200.0000 0.0000\n"
                                         "TEXT NAME 100.5000 200.3000 1.0 [12]\n"
                                         "TEXT ELEVATION 100.5000 198.7000 1.0 [0.0000]\n"
                                         "POINT POINT -1234.5670 0.5000 12.3450\n"
                                         "TEXT NAME -1234.0670 0.8000 1.0 [PT7]\n"
                                         "TEXT ELEVATION -1234.0670 -0.8000 1.0 [12.3450]\n"
                                         "POINT POINT 1.0000 2.0000 -3.0010\n"
                                         "TEXT ELEVATION 1.5000 0.7000 1.0 [-3.0010]\n"
                                         "LAYERS POINT NAME ELEVATION 0 Defpoints\n"
                                         "HEADER AC1009 ANSI_1252\n"
                                         "AUDIT 0\n");
}

TEST(LayeredDxf, defaultDrawingIsUnchanged)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("three.dxf"));
    const testsupport::ScopedAnsiCodePage page("CP1252"); // the golden file's
    const testsupport::ProgramRun run = testsupport::runProgram(
        QStringLiteral("rqtcom-cli"),
        {QStringLiteral("gsi2dxf"), testsupport::dataPath("dxf/three.gsi"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(out),
              testsupport::readAll(testsupport::dataPath("dxf/three.dxf")));
}
