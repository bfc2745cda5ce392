// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/coordfiles/formats/FormatTestPoints.h"

#include "core/geo/CrsTransform.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const QString kCrs = QStringLiteral("EPSG:4548"); // CGCS2000 / 3-degree GK CM 117E

// A macro: GTEST_SKIP in a helper function would only leave the helper.
#define SKIP_WITHOUT_PROJ()                                                                        \
    if (!CrsTransform::available())                                                                \
    GTEST_SKIP() << "built without PROJ"

} // namespace

TEST(MapFormats, areRefusedWithAReasonWithoutACoordinateSystem)
{
    for (const CoordFormat format : {CoordFormat::GeoJson, CoordFormat::Kml}) {
        for (const QString &crs : {QString(), QStringLiteral("UTM50"), QStringLiteral("EPSG:4326"),
                                   QStringLiteral("EPSG:2229"), QStringLiteral("EPSG:999999")}) {
            CoordWriteResult written;
            const QByteArray bytes = writeToBytes(format, formatTestPoints(), &written, crs);
            EXPECT_FALSE(written.ok()) << crs.toStdString();
            EXPECT_FALSE(written.error.isEmpty());
            EXPECT_TRUE(bytes.isEmpty()) << "nothing is written: " << crs.toStdString();
        }
    }
}

TEST(MapFormats, reasonsNameWhatIsWrong)
{
    SKIP_WITHOUT_PROJ();
    EXPECT_TRUE(
        CrsTransform(QStringLiteral("EPSG:4326")).error().contains(QLatin1String("projected")));
    EXPECT_TRUE(
        CrsTransform(QStringLiteral("EPSG:2229")).error().contains(QLatin1String("metres")));
    EXPECT_EQ(CrsTransform::normalised(QStringLiteral(" epsg:4548 ")), kCrs);
    EXPECT_EQ(CrsTransform::normalised(QStringLiteral("4548")), kCrs);
    EXPECT_TRUE(CrsTransform::normalised(QStringLiteral("EPSG:45x8")).isEmpty());
}

TEST(MapFormats, swappedEastingAndNorthingAreRefusedNotDrawnElsewhere)
{
    SKIP_WITHOUT_PROJ();
    PointList points = formatTestPoints();
    std::swap(points.points()[2].easting, points.points()[2].northing);
    CoordWriteResult written;
    writeToBytes(CoordFormat::GeoJson, points, &written, kCrs);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QLatin1String("row 3"))) << written.error.toStdString();
    EXPECT_TRUE(written.error.contains(QLatin1String("swapped"))) << written.error.toStdString();
}

TEST(MapFormats, geoJsonHoldsDegreesNamesAndPointsWithoutPlace)
{
    SKIP_WITHOUT_PROJ();
    PointList points = formatTestPoints();
    PointRecord unplaced;
    unplaced.name = QStringLiteral("lost");
    points.append(unplaced);
    CoordWriteResult written;
    const QByteArray bytes = writeToBytes(CoordFormat::GeoJson, points, &written, kCrs);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray features = document.object().value(QLatin1String("features")).toArray();
    ASSERT_EQ(features.size(), 4);
    const QJsonObject first = features.at(0).toObject();
    const QJsonArray xy = first.value(QLatin1String("geometry"))
                              .toObject()
                              .value(QLatin1String("coordinates"))
                              .toArray();
    ASSERT_EQ(xy.size(), 3);
    EXPECT_NEAR(xy.at(0).toDouble(), 117.0102, 0.001); // longitude first
    EXPECT_NEAR(xy.at(1).toDouble(), 30.7668, 0.001);
    EXPECT_DOUBLE_EQ(xy.at(2).toDouble(), 45.678);
    const QJsonObject properties = first.value(QLatin1String("properties")).toObject();
    EXPECT_EQ(properties.value(QLatin1String("name")).toString(), QStringLiteral("CP1"));
    EXPECT_EQ(properties.value(QLatin1String("code")).toString(), QStringLiteral("STN"));
    EXPECT_TRUE(features.at(1)
                    .toObject()
                    .value(QLatin1String("properties"))
                    .toObject()
                    .value(QLatin1String("elevation"))
                    .isNull());
    EXPECT_EQ(features.at(1)
                  .toObject()
                  .value(QLatin1String("properties"))
                  .toObject()
                  .value(QLatin1String("name"))
                  .toString(),
              QStringLiteral("A,\"B\""));
    EXPECT_TRUE(features.at(3).toObject().value(QLatin1String("geometry")).isNull())
        << "a point without coordinates is no point at 0,0";
}

TEST(MapFormats, transformGoesBothWays)
{
    SKIP_WITHOUT_PROJ();
    const CrsTransform crs(kCrs);
    ASSERT_TRUE(crs.isValid()) << crs.error().toStdString();
    double lon = 0, lat = 0, e = 0, n = 0;
    ASSERT_TRUE(crs.toWgs84(500000.0, 3400000.0, &lon, &lat));
    EXPECT_NEAR(lon, 117.0, 1e-9);
    ASSERT_TRUE(crs.fromWgs84(lon, lat, &e, &n));
    EXPECT_NEAR(e, 500000.0, 1e-4);
    EXPECT_NEAR(n, 3400000.0, 1e-4);
}
