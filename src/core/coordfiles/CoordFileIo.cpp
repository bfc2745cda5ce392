// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoordFileIo.h"

#include "text/Translatable.h"

#include "coordfiles/CsvReader.h"
#include "coordfiles/CsvWriter.h"
#include "coordfiles/GsiReader.h"
#include "coordfiles/GsiWriter.h"
#include "coordfiles/IdxReader.h"
#include "coordfiles/IdxWriter.h"
#include "coordfiles/LandXmlReader.h"
#include "coordfiles/LandXmlWriter.h"
#include "coordfiles/MapWriters.h"
#include "coordfiles/OrbReader.h"
#include "coordfiles/OrbWriter.h"
#include "coordfiles/SouthReader.h"
#include "coordfiles/SouthWriter.h"
#include "coordfiles/TopconReader.h"
#include "coordfiles/TopconWriter.h"
#include "pcfiles/FileCommit.h"

#include "text/Translatable.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isGsi(CoordFormat format)
{
    return format == CoordFormat::Gsi16 || format == CoordFormat::Gsi8;
}

CoordReadResult readGsi(QIODevice &device, PointSink &sink)
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

CoordWriteResult writeGsi(QIODevice &device, CoordFormat format, const PointSource &points,
                          bool rangeRule)
{
    const GsiVariant variant = format == CoordFormat::Gsi16 ? GsiVariant::Gsi16 : GsiVariant::Gsi8;
    const GsiWriteResult written = GsiWriter::write(device, points, variant, rangeRule);
    CoordWriteResult result;
    result.format = format;
    result.pointCount = written.lines;
    result.zeroRows = written.zeroedRows;
    result.status =
        written.ok ? CoordWriteResult::Status::Written : CoordWriteResult::Status::Failed;
    result.error = written.error;
    return result;
}

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

// The rows of a source that have a position, in order. Most grids have no
// empty row, and then no index is kept.
class PositionedRows : public PointSource
{
public:
    explicit PositionedRows(const PointSource &all) : m_all(all)
    {
        const qsizetype count = all.pointCount();
        for (qsizetype row = 0; row < count; ++row) {
            if (all.hasPosition(row)) {
                if (m_skipping)
                    m_rows.append(row);
                continue;
            }
            if (!m_skipping) {
                m_skipping = true;
                m_rows.reserve(count);
                for (qsizetype kept = 0; kept < row; ++kept)
                    m_rows.append(kept);
            }
        }
    }

    qsizetype pointCount() const override
    {
        return m_skipping ? m_rows.size() : m_all.pointCount();
    }
    PointRecord point(qsizetype row) const override { return m_all.point(sourceRow(row)); }
    bool hasPosition(qsizetype) const override { return true; }
    qsizetype sourceRow(qsizetype row) const { return m_skipping ? m_rows.at(row) : row; }

private:
    const PointSource &m_all;
    QVector<qsizetype> m_rows;
    bool m_skipping = false;
};

} // namespace

QString CoordFileIo::extensionOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

CoordFormat CoordFileIo::formatForExtension(QStringView extension)
{
    // An IDEX download holds the instrument's GSI lines unchanged.
    if (extension == u"gsi" || extension == u"idex")
        return CoordFormat::Gsi16;
    if (extension == u"orb")
        return CoordFormat::Orb;
    if (extension == u"dat")
        return CoordFormat::South;
    if (extension == u"pts")
        return CoordFormat::Topcon;
    if (extension == u"idx")
        return CoordFormat::Idx;
    if (extension == u"csv")
        return CoordFormat::Csv;
    if (extension == u"xml")
        return CoordFormat::LandXml;
    if (extension == u"geojson")
        return CoordFormat::GeoJson;
    if (extension == u"kml")
        return CoordFormat::Kml;
    return CoordFormat::None;
}

QStringList CoordFileIo::readableExtensions()
{
    QStringList readable;
    for (const char *extension :
         {"gsi", "idex", "orb", "dat", "pts", "idx", "csv", "xml", "geojson", "kml"}) {
        const QString name = QString::fromLatin1(extension);
        if (isReadable(formatForExtension(name)))
            readable << name;
    }
    return readable;
}

CoordFormat CoordFileIo::saveAsFormat(int fileTypeEntry, QStringView extension)
{
    const CoordFormat byExtension = formatForExtension(extension);
    if (byExtension != CoordFormat::Gsi16)
        return byExtension;
    switch (fileTypeEntry) {
    case kSaveAsGsi16:
        return CoordFormat::Gsi16;
    case kSaveAsGsi8:
        return CoordFormat::Gsi8;
    default:
        return CoordFormat::None;
    }
}

QString CoordFileIo::formatName(CoordFormat format)
{
    switch (format) {
    case CoordFormat::Gsi16:
        return QStringLiteral("GSI-16");
    case CoordFormat::Gsi8:
        return QStringLiteral("GSI-8");
    case CoordFormat::Orb:
        return QStringLiteral("ORB");
    case CoordFormat::South:
        return QStringLiteral("SOUTH");
    case CoordFormat::Topcon:
        return QStringLiteral("TOPCON");
    case CoordFormat::Idx:
        return QStringLiteral("IDX");
    case CoordFormat::Csv:
        return QStringLiteral("CSV");
    case CoordFormat::LandXml:
        return QStringLiteral("LandXML");
    case CoordFormat::GeoJson:
        return QStringLiteral("GeoJSON");
    case CoordFormat::Kml:
        return QStringLiteral("KML");
    case CoordFormat::None:
        break;
    }
    return QString();
}

bool CoordFileIo::needsCrs(CoordFormat format)
{
    return format == CoordFormat::GeoJson || format == CoordFormat::Kml;
}

bool CoordFileIo::isReadable(CoordFormat format)
{
    return format != CoordFormat::None && !needsCrs(format);
}

CoordReadResult CoordFileIo::open(const QString &path, PointSink &sink,
                                  const CoordReadOptions &options)
{
    const QString extension = extensionOf(path);
    const CoordFormat format = formatForExtension(extension);
    if (format == CoordFormat::None) {
        // Open has always emptied the grid for a name it has no reader for.
        sink.clear();
        CoordReadResult result;
        result.status = CoordReadResult::Status::UnknownExtension;
        result.sinkCleared = true;
        result.error = QCoreApplication::translate("CoordFileIo",
                                                   "No coordinate format has the extension \"%1\"")
                           .arg(extension);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CoordReadResult result;
        result.status = CoordReadResult::Status::Failed;
        result.error = file.errorString();
        return result;
    }
    return read(file, format, sink, options);
}

CoordReadResult CoordFileIo::read(QIODevice &device, CoordFormat format, PointSink &sink,
                                  const CoordReadOptions &options)
{
    switch (format) {
    case CoordFormat::Gsi16:
    case CoordFormat::Gsi8:
        return readGsi(device, sink);
    case CoordFormat::Orb:
        return fromDelimited(OrbReader::read(device, sink), format);
    case CoordFormat::South:
        return fromDelimited(SouthReader::read(device, sink), format);
    case CoordFormat::Topcon:
        return fromDelimited(TopconReader::read(device, sink), format);
    case CoordFormat::Idx: {
        SkippedLines skipped;
        CoordReadResult result = fromDelimited(IdxReader::read(device, sink, &skipped), format);
        result.skipped = skipped;
        return result;
    }
    case CoordFormat::Csv:
        return fromDelimited(CsvReader::read(device, sink, options.csvColumns), format);
    case CoordFormat::LandXml:
        return fromDelimited(LandXmlReader::read(device, sink), format);
    case CoordFormat::GeoJson:
    case CoordFormat::Kml: {
        // The sink keeps its rows: nothing was read.
        CoordReadResult result;
        result.status = CoordReadResult::Status::Failed;
        result.format = format;
        result.error = QStringLiteral("%1 files are written for maps and GIS, not read back")
                           .arg(formatName(format));
        return result;
    }
    case CoordFormat::None:
        break;
    }
    sink.clear();
    CoordReadResult result;
    result.status = CoordReadResult::Status::UnknownExtension;
    result.sinkCleared = true;
    return result;
}

CoordWriteResult CoordFileIo::save(const QString &path, const PointSource &points)
{
    const QString extension = extensionOf(path);
    const CoordFormat format = formatForExtension(extension);
    if (format == CoordFormat::None) {
        CoordWriteResult result;
        result.status = CoordWriteResult::Status::UnknownFormat;
        result.error = QCoreApplication::translate("CoordFileIo",
                                                   "No coordinate format has the extension \"%1\"")
                           .arg(extension);
        return result;
    }
    return write(path, format, points, false);
}

CoordWriteResult CoordFileIo::saveAs(const QString &path, int fileTypeEntry,
                                     const PointSource &points, const QString &crs)
{
    const QString extension = extensionOf(path);
    const CoordFormat format = saveAsFormat(fileTypeEntry, extension);
    if (format == CoordFormat::None) {
        // Writing an empty file here would replace whatever was there with nothing.
        CoordWriteResult result;
        result.status = CoordWriteResult::Status::UnknownFormat;
        result.error =
            formatForExtension(extension) == CoordFormat::Gsi16
                ? QCoreApplication::translate("CoordFileIo",
                                              "A \".gsi\" file is written as GSI-16 or GSI-8 only")
                : QCoreApplication::translate("CoordFileIo",
                                              "No coordinate format has the extension \"%1\"")
                      .arg(extension);
        return result;
    }
    CoordWriteOptions options;
    options.gsiRangeRule = true;
    options.crs = crs;
    return write(path, format, points, options);
}

CoordWriteResult CoordFileIo::write(const QString &path, CoordFormat format,
                                    const PointSource &points, bool gsiRangeRule)
{
    CoordWriteOptions options;
    options.gsiRangeRule = gsiRangeRule;
    return write(path, format, points, options);
}

CoordWriteResult CoordFileIo::write(QIODevice &device, CoordFormat format,
                                    const PointSource &points, bool gsiRangeRule)
{
    CoordWriteOptions options;
    options.gsiRangeRule = gsiRangeRule;
    return write(device, format, points, options);
}

CoordWriteResult CoordFileIo::write(const QString &path, CoordFormat format,
                                    const PointSource &points, const CoordWriteOptions &options)
{
    CoordWriteResult result;
    result.format = format;
    if (format == CoordFormat::None) {
        result.status = CoordWriteResult::Status::UnknownFormat;
        result.error = QCoreApplication::translate("CoordFileIo", "No coordinate format chosen");
        return result;
    }
    QSaveFile file(path);
    if (!FileCommit::open(file, &result.error)) {
        result.status = CoordWriteResult::Status::Failed;
        return result;
    }
    result = write(file, format, points, options);
    if (!result.ok()) {
        FileCommit::cancel(file);
        return result;
    }
    if (!FileCommit::commit(file, &result.error)) {
        result.status = CoordWriteResult::Status::Failed;
        result.zeroRows.clear();
    }
    return result;
}

CoordWriteResult CoordFileIo::write(QIODevice &device, CoordFormat format,
                                    const PointSource &source, const CoordWriteOptions &options)
{
    // GeoJSON and KML say "no place" outright (a feature without geometry);
    // every other format would write such a row as a point at 0 or not at all.
    if (format == CoordFormat::GeoJson || format == CoordFormat::Kml)
        return writeRows(device, format, source, options);
    const PositionedRows points(source);
    CoordWriteResult result = writeRows(device, format, points, options);
    for (qsizetype &row : result.zeroRows)
        row = points.sourceRow(row);
    return result;
}

CoordWriteResult CoordFileIo::writeRows(QIODevice &device, CoordFormat format,
                                        const PointSource &points, const CoordWriteOptions &options)
{
    if (isGsi(format))
        return writeGsi(device, format, points, options.gsiRangeRule);
    DelimitedResult written;
    switch (format) {
    case CoordFormat::Orb:
        written = OrbWriter::write(device, points);
        break;
    case CoordFormat::South:
        written = SouthWriter::write(device, points);
        break;
    case CoordFormat::Topcon:
        written = TopconWriter::write(device, points);
        break;
    case CoordFormat::Idx:
        written = IdxWriter::write(device, points);
        break;
    case CoordFormat::Csv:
        written = CsvWriter::write(device, points);
        break;
    case CoordFormat::LandXml:
        written = LandXmlWriter::write(device, points);
        break;
    case CoordFormat::GeoJson:
        written = GeoJsonWriter::write(device, points, options.crs);
        break;
    case CoordFormat::Kml:
        written = KmlWriter::write(device, points, options.crs);
        break;
    default: {
        CoordWriteResult result;
        result.status = CoordWriteResult::Status::UnknownFormat;
        result.error = QCoreApplication::translate("CoordFileIo", "No coordinate format chosen");
        return result;
    }
    }
    CoordWriteResult result;
    result.format = format;
    result.pointCount = written.pointCount;
    result.status =
        written.ok ? CoordWriteResult::Status::Written : CoordWriteResult::Status::Failed;
    result.error = written.error;
    return result;
}
