// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/formats/FormatTestPoints.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(LandXml, fileOfAnotherProgramReadsNorthingBeforeEasting)
{
    PointList points;
    const CoordReadResult read = CoordFileIo::open(
        testsupport::dataPath(QStringLiteral("formats/other-program.xml")), points);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(points.points().size(), 3) << "only CgPoint elements are points";
    const PointRecord &first = points.points().at(0);
    EXPECT_EQ(first.name, QStringLiteral("CP1"));
    EXPECT_EQ(first.northing, QStringLiteral("3405123.456"));
    EXPECT_EQ(first.easting, QStringLiteral("500987.654"));
    EXPECT_EQ(first.elevation, QStringLiteral("45.678"));
    EXPECT_EQ(first.code, QStringLiteral("STN"));
    EXPECT_EQ(points.points().at(1).code, QStringLiteral("fence"));
    EXPECT_EQ(points.points().at(1).elevation, QString());
    const PointRecord &third = points.points().at(2);
    EXPECT_EQ(third.name, QStringLiteral("测点3"));
    EXPECT_EQ(third.easting, QStringLiteral("501010.75"));
    EXPECT_EQ(third.elevation, QStringLiteral("47.25"));
}

TEST(LandXml, roundTripKeepsEveryPoint)
{
    const PointList original = formatTestPoints();
    CoordWriteResult written;
    const QByteArray bytes = writeToBytes(CoordFormat::LandXml, original, &written);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    EXPECT_TRUE(bytes.contains("<CgPoint name=\"CP1\" code=\"STN\">3405123.456 500987.654 "
                               "45.678</CgPoint>"))
        << bytes.constData();
    EXPECT_TRUE(bytes.contains("xmlns=\"http://www.landxml.org/schema/LandXML-1.2\""));
    EXPECT_TRUE(bytes.contains("linearUnit=\"meter\""));
    PointList back;
    ASSERT_TRUE(readFromBytes(CoordFormat::LandXml, bytes, back).ok());
    ASSERT_EQ(back.points().size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back.points().at(i), original.points().at(i)) << i;
}

TEST(LandXml, writerRefusesPointsItCannotCarry)
{
    PointList points = formatTestPoints();
    points.points()[1].easting.clear();
    CoordWriteResult written;
    writeToBytes(CoordFormat::LandXml, points, &written);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QLatin1String("row 2"))) << written.error.toStdString();

    points = formatTestPoints();
    points.points()[2].elevation = QStringLiteral("12,5");
    writeToBytes(CoordFormat::LandXml, points, &written);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QLatin1String("12,5"))) << written.error.toStdString();
}

TEST(LandXml, readerRefusesFeetBrokenXmlAndOtherDocuments)
{
    PointList points({PointRecord()});
    CoordReadResult read =
        readFromBytes(CoordFormat::LandXml,
                      "<LandXML><Units><Imperial linearUnit=\"USSurveyFoot\"/></Units><CgPoints>"
                      "<CgPoint name=\"1\">1 2 3</CgPoint></CgPoints></LandXML>",
                      points);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QLatin1String("USSurveyFoot"))) << read.error.toStdString();

    read =
        readFromBytes(CoordFormat::LandXml, "<LandXML><CgPoints><CgPoint name=\"1\">1 2", points);
    EXPECT_FALSE(read.ok());

    points = PointList({PointRecord()});
    read = readFromBytes(CoordFormat::LandXml, "<kml><CgPoint>1 2</CgPoint></kml>", points);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(points.points().size(), 1) << "a document of another kind leaves the rows";

    read = readFromBytes(CoordFormat::LandXml,
                         "<LandXML><CgPoints><CgPoint name=\"A\">1 x 3</CgPoint></CgPoints>"
                         "</LandXML>",
                         points);
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QLatin1String("\"x\""))) << read.error.toStdString();
}
