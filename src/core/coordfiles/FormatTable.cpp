// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/FormatTable.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/CsvReader.h"
#include "core/coordfiles/CsvWriter.h"
#include "core/coordfiles/DelimitedIo.h"
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/GsiWriter.h"
#include "core/coordfiles/IdxReader.h"
#include "core/coordfiles/IdxWriter.h"
#include "core/coordfiles/LandXmlReader.h"
#include "core/coordfiles/LandXmlWriter.h"
#include "core/coordfiles/MapWriters.h"
#include "core/coordfiles/PointStreamWriter.h"

#include "core/text/Translatable.h"

namespace {

using L = DelimitedLayout;

// ORB: number, name, northing, easting, elevation; four fields have no name.
const DelimitedLayout kOrb{{L::Number, L::Name, L::Northing, L::Easting, L::Elevation}, 5, 1};
// SOUTH / CASS: name, code, easting, northing, elevation, numbered as read;
// four fields have no code.
const DelimitedLayout kSouth{{L::Name, L::Code, L::Easting, L::Northing, L::Elevation}, 5, 1};
// TOPCON: number, northing, easting, elevation, name; short lines lack the last fields.
const DelimitedLayout kTopcon{{L::Number, L::Northing, L::Easting, L::Elevation, L::Name}, 5};
// XYZ: easting, northing, elevation between blanks or tabs, as terrain and
// point-cloud programs exchange them ("ENZ, space delimited"); no name, the
// points are numbered as read.
const DelimitedLayout kXyz{{L::Easting, L::Northing, L::Elevation}, 3, -1, ' '};

CoordReadResult fromDelimited(const DelimitedResult &read, CoordFormat format)
{
    CoordReadResult result;
    result.format = format;
    result.sinkCleared = true;
    result.pointCount = read.pointCount;
    if (read.ok) {
        result.status = CoordReadResult::Status::Read;
    } else {
        result.status = CoordReadResult::Status::Failed;
        result.error =
            QCoreApplication::translate("CoordFileIo", "Reading stopped after %1 points: %2")
                .arg(read.pointCount)
                .arg(read.error);
    }
    return result;
}

CoordWriteResult fromDelimited(const DelimitedResult &written)
{
    CoordWriteResult result;
    result.pointCount = written.pointCount;
    result.status =
        written.ok ? CoordWriteResult::Status::Written : CoordWriteResult::Status::Failed;
    result.error = written.error;
    return result;
}

CoordReadResult readGsi(QIODevice &device, PointSink &sink, const CoordReadOptions &)
{
    const GsiReadResult read = GsiReader::read(device, sink);
    CoordReadResult result;
    result.pointCount = read.points;
    result.sinkCleared = read.form != GsiForm::None;
    result.skipped = read.skipped;
    result.feet = read.feet;
    if (read.form != GsiForm::None)
        result.format = read.form == GsiForm::Gsi16 ? CoordFormat::Gsi16 : CoordFormat::Gsi8;
    if (!read.error.isEmpty()) {
        result.status = CoordReadResult::Status::Failed;
        result.error = read.error;
    } else if (read.form == GsiForm::None) {
        result.status = CoordReadResult::Status::NotRecognised;
        result.error =
            QCoreApplication::translate("CoordFileIo", "No line of the file is a point (words 81 "
                                                       "and 82)");
        if (read.skipped.total() > 0)
            result.error += QStringLiteral("; ") + read.skipped.describe();
    } else {
        result.status = CoordReadResult::Status::Read;
    }
    return result;
}

template <GsiVariant variant>
CoordWriteResult writeGsi(QIODevice &device, const PointSource &points,
                          const CoordWriteOptions &options)
{
    const GsiWriteResult written = GsiWriter::write(device, points, variant, options.gsiRangeRule);
    CoordWriteResult result;
    result.pointCount = written.lines;
    result.zeroRows = written.zeroedRows;
    result.status =
        written.ok ? CoordWriteResult::Status::Written : CoordWriteResult::Status::Failed;
    result.error = written.error;
    return result;
}

template <GsiVariant variant>
std::unique_ptr<PointStreamWriter> streamGsi(QIODevice &device, bool rangeRule)
{
    return PointStreamWriter::forGsi(device, variant, rangeRule);
}

CoordReadResult readIdx(QIODevice &device, PointSink &sink, const CoordReadOptions &)
{
    SkippedLines skipped;
    CoordReadResult result =
        fromDelimited(IdxReader::read(device, sink, &skipped), CoordFormat::Idx);
    result.skipped = skipped;
    return result;
}

CoordWriteResult writeIdx(QIODevice &device, const PointSource &points, const CoordWriteOptions &)
{
    return fromDelimited(IdxWriter::write(device, points));
}

std::unique_ptr<PointStreamWriter> streamIdx(QIODevice &device, bool)
{
    return PointStreamWriter::forLines(device, &IdxWriter::buildLine, IdxWriter::header(),
                                       IdxWriter::trailer());
}

CoordReadResult readCsv(QIODevice &device, PointSink &sink, const CoordReadOptions &options)
{
    return fromDelimited(CsvReader::read(device, sink, options.csvColumns), CoordFormat::Csv);
}

CoordWriteResult writeCsv(QIODevice &device, const PointSource &points, const CoordWriteOptions &)
{
    return fromDelimited(CsvWriter::write(device, points));
}

CoordReadResult readLandXml(QIODevice &device, PointSink &sink, const CoordReadOptions &)
{
    return fromDelimited(LandXmlReader::read(device, sink), CoordFormat::LandXml);
}

CoordWriteResult writeLandXml(QIODevice &device, const PointSource &points,
                              const CoordWriteOptions &)
{
    return fromDelimited(LandXmlWriter::write(device, points));
}

CoordWriteResult writeGeoJson(QIODevice &device, const PointSource &points,
                              const CoordWriteOptions &options)
{
    return fromDelimited(GeoJsonWriter::write(device, points, options.crs));
}

CoordWriteResult writeKml(QIODevice &device, const PointSource &points,
                          const CoordWriteOptions &options)
{
    return fromDelimited(KmlWriter::write(device, points, options.crs));
}

} // namespace

const std::vector<FormatInfo> &FormatTable::all()
{
    using F = CoordFormat;
    constexpr GsiVariant k16 = GsiVariant::Gsi16;
    constexpr GsiVariant k8 = GsiVariant::Gsi8;
    // The order is the order of Open's and Save as's lists. An IDEX download
    // holds the instrument's GSI lines unchanged and is read as GSI.
    // clang-format off
    static const std::vector<FormatInfo> rows = {
        // format, name, --to, extensions, Open's entry, Save as's entry,
        // then layout or reader, writer, stream; needsCrs, keepsUnplacedRows, gsiLimits
        {F::Gsi16, "GSI-16", "gsi16", "gsi idex",
         {QT_TRANSLATE_NOOP("FormatTable", "GSI file"), "(*.gsi *.GSI)"},
         {QT_TRANSLATE_NOOP("FormatTable", "GSI-16 file"), "(*.gsi)"},
         nullptr, &readGsi, &writeGsi<k16>, &streamGsi<k16>, false, false, k16},
        {F::Gsi8, "GSI-8", "gsi8", "gsi idex",
         {},
         {QT_TRANSLATE_NOOP("FormatTable", "GSI-8 file"), "(*.gsi)"},
         nullptr, &readGsi, &writeGsi<k8>, &streamGsi<k8>, false, false, k8},
        {F::Orb, "ORB", "orb", "orb",
         {"ORB", "(*.orb *.ORB)"}, {"ORB", "(*.orb)"},
         &kOrb, nullptr, nullptr, nullptr, false, false, {}},
        {F::South, "SOUTH", "dat", "dat",
         {"SOUTH", "(*.dat *.DAT)"}, {"SOUTH", "(*.dat)"},
         &kSouth, nullptr, nullptr, nullptr, false, false, {}},
        {F::Topcon, "TOPCON", "pts", "pts",
         {"TOPCON", "(*.pts *.PTS)"}, {"TOPCON", "(*.pts)"},
         &kTopcon, nullptr, nullptr, nullptr, false, false, {}},
        {F::Idx, "IDX", "idx", "idx",
         {"IDX", "(*.idx *.IDX)"}, {"IDX", "(*.idx)"},
         nullptr, &readIdx, &writeIdx, &streamIdx, false, false, {}},
        {F::Csv, "CSV", "csv", "csv",
         {"CSV", "(*.csv *.CSV)"}, {"CSV", "(*.csv)"},
         nullptr, &readCsv, &writeCsv, nullptr, false, false, {}},
        {F::LandXml, "LandXML", "xml", "xml",
         {"LandXML", "(*.xml *.XML)"}, {"LandXML", "(*.xml)"},
         nullptr, &readLandXml, &writeLandXml, nullptr, false, false, {}},
        // Longitude and latitude for maps and GIS, not read back; a row
        // without a place is a feature without geometry.
        {F::GeoJson, "GeoJSON", "geojson", "geojson",
         {}, {"GeoJSON", "(*.geojson)"},
         nullptr, nullptr, &writeGeoJson, nullptr, true, true, {}},
        {F::Kml, "KML", "kml", "kml",
         {}, {"KML", "(*.kml)"},
         nullptr, nullptr, &writeKml, nullptr, true, true, {}},
        {F::Xyz, "XYZ", "xyz", "xyz",
         {"XYZ", "(*.xyz *.XYZ)"}, {"XYZ", "(*.xyz)"},
         &kXyz, nullptr, nullptr, nullptr, false, false, {}},
    };
    // clang-format on
    return rows;
}

QString FileType::text() const
{
    if (!label)
        return QString();
    // The labels that are sentences were marked for translation; a format's
    // name has no translation and comes back as it stands.
    return QCoreApplication::translate("FormatTable", label) + QLatin1String(patterns);
}

QStringList FormatInfo::extensionList() const
{
    return QString::fromLatin1(extensions).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool FormatInfo::hasExtension(QStringView extension) const
{
    if (extension.isEmpty())
        return false;
    for (const QString &own : extensionList()) {
        if (extension.compare(own, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

const FormatInfo *FormatTable::find(CoordFormat format)
{
    for (const FormatInfo &row : all()) {
        if (row.format == format)
            return &row;
    }
    return nullptr;
}

const FormatInfo *FormatTable::forExtension(QStringView extension)
{
    for (const FormatInfo &row : all()) {
        if (row.hasExtension(extension))
            return &row;
    }
    return nullptr;
}

const FormatInfo *FormatTable::forOption(QStringView value)
{
    for (const FormatInfo &row : all()) {
        if (value.compare(QLatin1String(row.option), Qt::CaseInsensitive) == 0)
            return &row;
    }
    return forExtension(value);
}

const FormatInfo *FormatTable::forSaveAs(int fileTypeEntry, QStringView extension)
{
    const FormatInfo *only = nullptr;
    int count = 0;
    for (const FormatInfo &row : all()) {
        if (row.hasExtension(extension)) {
            only = &row;
            ++count;
        }
    }
    if (count == 1)
        return only->writable() ? only : nullptr;
    // Several formats share the extension (GSI-16 and GSI-8): the entry decides.
    for (const FormatInfo &row : all()) {
        if (row.hasExtension(extension) && row.writable() &&
            saveAsEntry(row.format) == fileTypeEntry)
            return &row;
    }
    return nullptr;
}

int FormatTable::saveAsEntry(CoordFormat format)
{
    int entry = 0;
    for (const FormatInfo &row : all()) {
        if (!row.saveAs.label)
            continue;
        ++entry;
        if (row.format == format)
            return entry;
    }
    return 0;
}

QString FormatTable::openTypeList()
{
    QString list;
    for (const FormatInfo &row : all()) {
        if (row.open.label)
            list += row.open.text() + QStringLiteral("|*.") + row.extension() + QLatin1Char('|');
    }
    return list;
}

QString FormatTable::saveAsTypeList()
{
    QString list;
    for (const FormatInfo &row : all()) {
        if (row.saveAs.label)
            list += row.saveAs.text() + QStringLiteral("|*.") + row.extension() + QLatin1Char('|');
    }
    return list;
}

QStringList FormatTable::readableExtensions()
{
    QStringList readable;
    for (const FormatInfo &row : all()) {
        if (!row.readable())
            continue;
        for (const QString &extension : row.extensionList()) {
            if (!readable.contains(extension))
                readable << extension;
        }
    }
    return readable;
}

QStringList FormatTable::openExtensions()
{
    QStringList listed;
    for (const FormatInfo &row : all()) {
        if (row.open.label)
            listed << row.extension();
    }
    return listed;
}

QStringList FormatTable::options()
{
    QStringList values;
    for (const FormatInfo &row : all())
        values << QString::fromLatin1(row.option);
    return values;
}
