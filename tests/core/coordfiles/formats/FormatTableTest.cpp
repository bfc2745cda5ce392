// SPDX-License-Identifier: GPL-3.0-or-later
// The table every format choice reads: its rows keep the dialogs' lists and
// positions as they always were, and each row's reader, writer and stream
// agree with one another.
#include "tests/core/coordfiles/formats/FormatTestPoints.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/FormatTable.h"
#include "core/coordfiles/PointStreamWriter.h"

#include <QBuffer>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QByteArray written(const FormatInfo &row, const PointSource &points)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CoordWriteOptions options;
    options.gsiRangeRule = true;
    options.crs = QStringLiteral("EPSG:4548");
    const CoordWriteResult result = CoordFileIo::write(buffer, row.format, points, options);
    EXPECT_TRUE(result.ok() || row.needsCrs) << row.name << ": " << qPrintable(result.error);
    return bytes;
}

// Places every format holds, GSI-8 included: no separator in a name.
PointList plainPoints()
{
    const auto point = [](const char *number, const char *name, const char *e, const char *n,
                          const char *z) {
        return PointRecord{QString::fromLatin1(number), QString::fromLatin1(name),
                           QString::fromLatin1(e),      QString::fromLatin1(n),
                           QString::fromLatin1(z),      QString()};
    };
    return PointList({point("1", "A1", "1234.567", "2345.678", "12.345"),
                      point("2", "B2", "1300.5", "2400.25", ""),
                      point("3", "C3", "-12.5", "-7.25", "0.001")});
}

} // namespace

TEST(FormatTable, theDialogListsBeginWithTheEntriesTheyHaveAlwaysHad)
{
    // New formats go after these; the Save as positions callers name stay.
    EXPECT_TRUE(FormatTable::openTypeList().startsWith(QStringLiteral(
        "GSI file(*.gsi *.GSI)|*.gsi|ORB(*.orb *.ORB)|*.orb|SOUTH(*.dat *.DAT)|*.dat|"
        "TOPCON(*.pts *.PTS)|*.pts|IDX(*.idx *.IDX)|*.idx|CSV(*.csv *.CSV)|*.csv|"
        "LandXML(*.xml *.XML)|*.xml|")))
        << qPrintable(FormatTable::openTypeList());
    EXPECT_TRUE(FormatTable::saveAsTypeList().startsWith(
        QStringLiteral("GSI-16 file(*.gsi)|*.gsi|GSI-8 file(*.gsi)|*.gsi|ORB(*.orb)|*.orb|"
                       "SOUTH(*.dat)|*.dat|TOPCON(*.pts)|*.pts|IDX(*.idx)|*.idx|"
                       "CSV(*.csv)|*.csv|LandXML(*.xml)|*.xml|GeoJSON(*.geojson)|*.geojson|"
                       "KML(*.kml)|*.kml|")))
        << qPrintable(FormatTable::saveAsTypeList());

    const std::pair<int, CoordFormat> entries[] = {
        {kSaveAsGsi16, CoordFormat::Gsi16},     {kSaveAsGsi8, CoordFormat::Gsi8},
        {kSaveAsOrb, CoordFormat::Orb},         {kSaveAsSouth, CoordFormat::South},
        {kSaveAsTopcon, CoordFormat::Topcon},   {kSaveAsIdx, CoordFormat::Idx},
        {kSaveAsCsv, CoordFormat::Csv},         {kSaveAsLandXml, CoordFormat::LandXml},
        {kSaveAsGeoJson, CoordFormat::GeoJson}, {kSaveAsKml, CoordFormat::Kml}};
    for (const auto &[entry, format] : entries)
        EXPECT_EQ(FormatTable::saveAsEntry(format), entry) << entry;
    EXPECT_EQ(FormatTable::saveAsEntry(CoordFormat::None), 0);
}

TEST(FormatTable, everyRowIsCompleteAndNamesItsOwnExtensions)
{
    QSet<QString> options;
    QSet<QString> names;
    for (const FormatInfo &row : FormatTable::all()) {
        SCOPED_TRACE(row.name);
        EXPECT_NE(row.format, CoordFormat::None);
        EXPECT_EQ(FormatTable::find(row.format), &row);
        EXPECT_FALSE(options.contains(QLatin1String(row.option)));
        EXPECT_FALSE(names.contains(QLatin1String(row.name)));
        options.insert(QLatin1String(row.option));
        names.insert(QLatin1String(row.name));
        ASSERT_FALSE(row.extension().isEmpty());
        for (const QString &extension : row.extensionList())
            EXPECT_EQ(extension, extension.toLower());
        // A list offers only what the row can do, under its own extension.
        if (row.open.label) {
            EXPECT_TRUE(row.readable());
            EXPECT_TRUE(row.open.text().contains(QStringLiteral("*.") + row.extension()));
        }
        if (row.saveAs.label) {
            EXPECT_TRUE(row.writable());
            EXPECT_TRUE(row.saveAs.text().contains(QStringLiteral("*.") + row.extension()));
        }
        EXPECT_TRUE(row.readable() || row.writable());
        EXPECT_EQ(CoordFileIo::formatName(row.format), QLatin1String(row.name));
        EXPECT_EQ(CoordFileIo::isReadable(row.format), row.readable());
        EXPECT_EQ(CoordFileIo::needsCrs(row.format), row.needsCrs);
        EXPECT_EQ(FormatTable::forOption(QString::fromLatin1(row.option).toUpper()), &row);
    }
}

TEST(FormatTable, extensionsAndOptionsAreComparedWithoutCase)
{
    EXPECT_EQ(FormatTable::forExtension(u"GsI")->format, CoordFormat::Gsi16);
    EXPECT_EQ(FormatTable::forExtension(u"IDX")->format, CoordFormat::Idx);
    EXPECT_EQ(FormatTable::forExtension(u"GeoJSON")->format, CoordFormat::GeoJson);
    EXPECT_EQ(FormatTable::forExtension(u"txt"), nullptr);
    EXPECT_EQ(FormatTable::forExtension(u""), nullptr);
    EXPECT_EQ(FormatTable::forOption(u"gsi")->format, CoordFormat::Gsi16);
    EXPECT_EQ(FormatTable::forOption(u"Gsi8")->format, CoordFormat::Gsi8);
    EXPECT_EQ(FormatTable::forOption(u"dat")->format, CoordFormat::South);
    EXPECT_EQ(FormatTable::forOption(u"dxf"), nullptr);
    // Open's readable extensions, each once, lower case; the map formats are written only.
    const QStringList readable = FormatTable::readableExtensions();
    EXPECT_EQ(readable.mid(0, 8),
              QStringList({"gsi", "idex", "orb", "dat", "pts", "idx", "csv", "xml"}));
    EXPECT_FALSE(readable.contains(QStringLiteral("kml")));
    EXPECT_EQ(readable.count(QStringLiteral("gsi")), 1);
}

TEST(FormatTable, saveAsLetsTheEntryChooseOnlyAmongFormatsSharingTheExtension)
{
    EXPECT_EQ(FormatTable::forSaveAs(kSaveAsGsi8, u"GSI")->format, CoordFormat::Gsi8);
    EXPECT_EQ(FormatTable::forSaveAs(kSaveAsGsi16, u"idex")->format, CoordFormat::Gsi16);
    EXPECT_EQ(FormatTable::forSaveAs(kSaveAsCsv, u"gsi"), nullptr);
    EXPECT_EQ(FormatTable::forSaveAs(0, u"gsi"), nullptr);
    EXPECT_EQ(FormatTable::forSaveAs(kSaveAsGsi8, u"Kml")->format, CoordFormat::Kml);
    EXPECT_EQ(FormatTable::forSaveAs(kSaveAsOrb, u"dxf"), nullptr);
}

TEST(FormatTable, theStreamWritesWhatTheWholeListWrites)
{
    const PointList points = formatTestPoints();
    for (const FormatInfo &row : FormatTable::all()) {
        SCOPED_TRACE(row.name);
        QByteArray streamed;
        QBuffer buffer(&streamed);
        buffer.open(QIODevice::WriteOnly);
        const std::unique_ptr<PointStreamWriter> stream =
            PointStreamWriter::create(buffer, row.format, true);
        if (!stream)
            continue;
        for (const PointRecord &point : points.points())
            stream->append(point);
        ASSERT_TRUE(stream->finish());
        EXPECT_EQ(streamed, written(row, points));
    }
}

TEST(FormatTable, everyFormatThatIsReadAndWrittenGivesBackItsPlaces)
{
    const PointList points = plainPoints();
    for (const FormatInfo &row : FormatTable::all()) {
        if (!row.readable() || !row.writable())
            continue;
        SCOPED_TRACE(row.name);
        QByteArray bytes = written(row, points);
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        PointList back;
        const CoordReadResult read = CoordFileIo::read(device, row.format, back);
        ASSERT_TRUE(read.ok()) << qPrintable(read.error);
        ASSERT_EQ(back.pointCount(), points.pointCount());
        for (qsizetype i = 0; i < points.pointCount(); ++i) {
            EXPECT_EQ(back.points().at(i).easting.toDouble(),
                      points.points().at(i).easting.toDouble());
            EXPECT_EQ(back.points().at(i).northing.toDouble(),
                      points.points().at(i).northing.toDouble());
        }
    }
}
