// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotPicture.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

testsupport::ProgramRun plot(const QStringList &args)
{
    return testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                   QStringList{QStringLiteral("plot")} + args);
}

} // namespace

TEST(PlotCli, pictureHasCrossesAtTheKnownPoints)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("p.csv"));
    ASSERT_TRUE(testsupport::writeAll(csv, "Name,East,North\nA,1000,5000\nB,1100,5000\n"
                                           "C,1000,5050\nD,,\n"));
    const QString png = dir.filePath(QStringLiteral("p.png"));
    const testsupport::ProgramRun run =
        plot({csv, png, QStringLiteral("--size"), QStringLiteral("200x200"),
              QStringLiteral("--labels")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("3 points drawn")) << run.out.constData();
    EXPECT_TRUE(run.out.contains("1 without coordinates")) << run.out.constData();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(200, 200));
    const QColor cross(0x10, 0x40, 0x90);
    for (const QPoint p : {QPoint(40, 130), QPoint(160, 130), QPoint(40, 70)}) {
        EXPECT_EQ(image.pixelColor(p), cross) << p.x() << "," << p.y();
        EXPECT_EQ(image.pixelColor(p + QPoint(2, 0)), cross);
        EXPECT_EQ(image.pixelColor(p + QPoint(0, -2)), cross);
    }
    EXPECT_EQ(image.pixelColor(QPoint(100, 100)), QColor(Qt::white));
}

TEST(PlotCli, refusesBadSizesOutputsAndInputs)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("p.png"));
    const QString gsi = testsupport::dataPath(QStringLiteral("dxf/three.gsi"));
    EXPECT_EQ(plot({gsi, out, QStringLiteral("--size"), QStringLiteral("0x10")}).exitCode, 2);
    EXPECT_EQ(plot({gsi, dir.filePath(QStringLiteral("p.jpg"))}).exitCode, 2);
    EXPECT_EQ(plot({dir.filePath(QStringLiteral("none.gsi")), out}).exitCode, 1);
    const testsupport::ProgramRun svg = plot({gsi, dir.filePath(QStringLiteral("p.svg"))});
    if (!PlotPicture::svgAvailable()) { // a build without Qt Svg (the Windows kit has none)
        EXPECT_EQ(svg.exitCode, 1);
        EXPECT_TRUE(svg.err.contains("PNG")) << svg.err.constData();
        return;
    }
    EXPECT_EQ(svg.exitCode, 0) << svg.err.constData();
    EXPECT_TRUE(testsupport::readAll(dir.filePath(QStringLiteral("p.svg"))).contains("<svg"));
}
