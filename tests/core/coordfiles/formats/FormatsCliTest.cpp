// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include "core/coordfiles/FormatTable.h"
#include "core/geo/CrsTransform.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

testsupport::ProgramRun convert(const QStringList &args)
{
    return testsupport::runProgram(QStringLiteral("rqtcom-cli"),
                                   QStringList{QStringLiteral("convert")} + args);
}

QString dataFile(const char *name)
{
    return testsupport::dataPath(QStringLiteral("formats/") + QLatin1String(name));
}

} // namespace

TEST(FormatsCli, csvWithoutHeaderThroughLandXmlBackToCsv)
{
    QTemporaryDir dir;
    const QString xml = dir.filePath(QStringLiteral("points.xml"));
    const QString csv = dir.filePath(QStringLiteral("back.csv"));
    testsupport::ProgramRun run = convert({dataFile("noheader.csv"), xml});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.contains("2 points written")) << run.out.constData();
    run = convert({xml, csv});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(testsupport::readAll(csv), QByteArray("\xEF\xBB\xBFName,Code,East,North,Elevation\r\n"
                                                    "1,STN,500987.654,3405123.456,45.678\r\n"
                                                    "2,fence,501000.250,3405130.000,\r\n"));

    // The letters say the file holds northing before easting.
    run = convert({dataFile("noheader.csv"), csv, QStringLiteral("--columns=PNEZD"),
                   QStringLiteral("--overwrite")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(testsupport::readAll(csv).contains("1,STN,3405123.456,500987.654,45.678"));

    run = convert({dataFile("noheader.csv"), csv, QStringLiteral("--columns=PEZD"),
                   QStringLiteral("--overwrite")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("N")) << run.err.constData();
}

TEST(FormatsCli, mapFormatsNeedACoordinateSystem)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("points.geojson"));
    testsupport::ProgramRun run = convert({dataFile("header.csv"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("--crs")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(out));

    run = convert({dataFile("header.csv"), out, QStringLiteral("--crs"), QStringLiteral("UTM")});
    EXPECT_EQ(run.exitCode, 2) << run.err.constData();

    run = convert({dataFile("header.csv"), out, QStringLiteral("--crs=EPSG:4548")});
    if (!CrsTransform::available()) {
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("PROJ")) << run.err.constData();
        return;
    }
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(testsupport::readAll(out).startsWith("{\"type\":\"FeatureCollection\""));

    run = convert({out, dir.filePath(QStringLiteral("x.csv"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("written, not read")) << run.err.constData();
}

TEST(FormatsCli, theHelpAndTheCompletionOfferEveryFormatOfTheTable)
{
    QStringList writable;
    for (const FormatInfo &row : FormatTable::all()) {
        if (row.writable())
            writable << QString::fromLatin1(row.option);
    }
    for (const char *command : {"convert", "reduce"}) {
        const testsupport::ProgramRun help = testsupport::runProgram(
            QStringLiteral("rqtcom-cli"), {QLatin1String(command), QStringLiteral("--help")});
        ASSERT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.contains("--to <" + writable.join(QLatin1Char('|')).toLatin1() + ">"))
            << help.out.constData();
    }
#ifdef Q_OS_UNIX
    // The completion reads the values from that help; bash-completion's own
    // helpers are stood in for, so only the script is tried.
    const QString script =
        testsupport::dataPath(QStringLiteral("../../packaging/completion/rqtcom-cli"));
    ASSERT_TRUE(QFile::exists(script));
    QProcess bash;
    bash.start(
        QStringLiteral("bash"),
        {QStringLiteral("-c"),
         QStringLiteral("_init_completion() { cur=${COMP_WORDS[COMP_CWORD]};"
                        " prev=${COMP_WORDS[COMP_CWORD-1]}; words=(\"${COMP_WORDS[@]}\");"
                        " cword=$COMP_CWORD; }; _filedir() { :; }; source \"$1\";"
                        " COMP_WORDS=(rqtcom-cli convert in.orb out.x --to ''); COMP_CWORD=5;"
                        " _rqtcom_cli \"$2\"; printf '%s\\n' \"${COMPREPLY[@]}\""),
         QStringLiteral("bash"), script, testsupport::binPath(QStringLiteral("rqtcom-cli"))});
    if (!bash.waitForStarted())
        GTEST_SKIP() << "no bash";
    ASSERT_TRUE(bash.waitForFinished(30000));
    QStringList offered = QString::fromLatin1(bash.readAllStandardOutput())
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    offered.sort();
    writable.sort();
    EXPECT_EQ(offered, writable) << bash.readAllStandardError().constData();
#endif
}
