// SPDX-License-Identifier: GPL-3.0-or-later
// Each written format read back by programs that share no code with ours:
// GDAL's ogr2ogr for CSV, GeoJSON and KML, PROJ's cs2cs to take the degrees
// back to plane coordinates.
#include "tests/core/coordfiles/formats/FormatTestPoints.h"

#include "core/geo/CrsTransform.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kCrs = QStringLiteral("EPSG:4548");

QByteArray run(const QString &program, const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

// ogr2ogr's reading of path as CSV rows: X,Y[,Z] of the geometry first, then
// the fields.
QList<QByteArrayList> ogrRows(const QString &path, const QStringList &openOptions = {})
{
    QStringList args{QStringLiteral("-f"),          QStringLiteral("CSV"),
                     QStringLiteral("/vsistdout/"), path,
                     QStringLiteral("-lco"),        QStringLiteral("GEOMETRY=AS_XYZ")};
    for (const QString &option : openOptions)
        args << QStringLiteral("-oo") << option;
    const QByteArray out = run(QStringLiteral("ogr2ogr"), args);
    QList<QByteArrayList> rows;
    for (const QByteArray &line : out.split('\n')) {
        if (!line.trimmed().isEmpty())
            rows.append(line.trimmed().split(','));
    }
    return rows;
}

class IndependentReader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ogr2ogr")).isEmpty())
            GTEST_SKIP() << "GDAL's ogr2ogr is not installed";
        ASSERT_TRUE(m_dir.isValid());
    }

    QString write(CoordFormat format, const char *name, const QString &crs = QString())
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        CoordWriteOptions options;
        options.crs = crs;
        const CoordWriteResult written = CoordFileIo::write(path, format, m_points, options);
        EXPECT_TRUE(written.ok()) << written.error.toStdString();
        return path;
    }

    // Degrees read by GDAL, through cs2cs back to plane coordinates, against ours.
    void expectPlacesOfOurPoints(const QList<QByteArrayList> &rows)
    {
        ASSERT_EQ(rows.size(), 4) << "header and three points";
        QByteArray degrees;
        for (int i = 1; i < rows.size(); ++i)
            degrees += rows.at(i).at(1) + ' ' + rows.at(i).at(0) + '\n'; // lat lon for EPSG:4326
        const QByteArray plane =
            run(QStringLiteral("cs2cs"),
                {QStringLiteral("-f"), QStringLiteral("%.4f"), QStringLiteral("EPSG:4326"), kCrs},
                degrees);
        const QList<QByteArray> lines = plane.trimmed().split('\n');
        ASSERT_EQ(lines.size(), 3) << plane.constData();
        for (int i = 0; i < 3; ++i) {
            // EPSG:4548 orders northing before easting.
            const QList<QByteArray> values = lines.at(i).simplified().split(' ');
            ASSERT_GE(values.size(), 2);
            EXPECT_NEAR(values.at(0).toDouble(), m_points.points().at(i).northing.toDouble(), 0.001)
                << i;
            EXPECT_NEAR(values.at(1).toDouble(), m_points.points().at(i).easting.toDouble(), 0.001)
                << i;
        }
    }

    QTemporaryDir m_dir;
    PointList m_points = formatTestPoints();
};

} // namespace

TEST_F(IndependentReader, gdalReadsOurCsvWithCoordinatesAndNames)
{
    const QString path = write(CoordFormat::Csv, "points.csv");
    const QList<QByteArrayList> rows = ogrRows(
        path, {QStringLiteral("X_POSSIBLE_NAMES=East"), QStringLiteral("Y_POSSIBLE_NAMES=North"),
               QStringLiteral("Z_POSSIBLE_NAMES=Elevation")});
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.at(1).at(0).toDouble(), 500987.654);
    EXPECT_EQ(rows.at(1).at(1).toDouble(), 3405123.456);
    EXPECT_EQ(rows.at(1).at(2).toDouble(), 45.678);
    EXPECT_EQ(rows.at(3).at(3), QStringLiteral("测点3").toUtf8()) << "the byte-order mark is no "
                                                                     "part of the first name";
    EXPECT_EQ(rows.at(1).at(3), "CP1");
}

TEST_F(IndependentReader, gdalReadsOurGeoJsonAtTheRightPlace)
{
    if (!CrsTransform::available())
        GTEST_SKIP() << "built without PROJ";
    const QList<QByteArrayList> rows = ogrRows(write(CoordFormat::GeoJson, "points.geojson", kCrs));
    expectPlacesOfOurPoints(rows);
    EXPECT_EQ(rows.at(1).at(3), "CP1");
}

TEST_F(IndependentReader, gdalReadsOurKmlAtTheRightPlace)
{
    if (!CrsTransform::available())
        GTEST_SKIP() << "built without PROJ";
    const QList<QByteArrayList> rows = ogrRows(write(CoordFormat::Kml, "points.kml", kCrs));
    expectPlacesOfOurPoints(rows);
    EXPECT_EQ(rows.at(1).at(3), "CP1");
}
