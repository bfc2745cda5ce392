// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/coordfiles/CoordFileIo.h"

#include "core/coordfiles/DelimitedIo.h"
#include "core/pcfiles/FileCommit.h"
#include "core/text/Translatable.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

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
    const FormatInfo *row = FormatTable::forExtension(extension);
    return row ? row->format : CoordFormat::None;
}

QStringList CoordFileIo::readableExtensions()
{
    return FormatTable::readableExtensions();
}

CoordFormat CoordFileIo::saveAsFormat(int fileTypeEntry, QStringView extension)
{
    const FormatInfo *row = FormatTable::forSaveAs(fileTypeEntry, extension);
    return row ? row->format : CoordFormat::None;
}

QString CoordFileIo::formatName(CoordFormat format)
{
    const FormatInfo *row = FormatTable::find(format);
    return row ? QString::fromLatin1(row->name) : QString();
}

bool CoordFileIo::needsCrs(CoordFormat format)
{
    const FormatInfo *row = FormatTable::find(format);
    return row && row->needsCrs;
}

bool CoordFileIo::isReadable(CoordFormat format)
{
    const FormatInfo *row = FormatTable::find(format);
    return row && row->readable();
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
    const FormatInfo *row = FormatTable::find(format);
    if (!row) {
        sink.clear();
        CoordReadResult result;
        result.status = CoordReadResult::Status::UnknownExtension;
        result.sinkCleared = true;
        return result;
    }
    if (row->layout) {
        const DelimitedResult read = DelimitedReader::read(device, sink, *row->layout);
        CoordReadResult result;
        result.format = format;
        result.sinkCleared = true;
        result.pointCount = read.pointCount;
        result.status = read.ok ? CoordReadResult::Status::Read : CoordReadResult::Status::Failed;
        if (!read.ok)
            result.error =
                QCoreApplication::translate("CoordFileIo", "Reading stopped after %1 points: %2")
                    .arg(read.pointCount)
                    .arg(read.error);
        return result;
    }
    if (row->read)
        return row->read(device, sink, options);
    // The sink keeps its rows: nothing was read.
    CoordReadResult result;
    result.status = CoordReadResult::Status::Failed;
    result.format = format;
    result.error = QStringLiteral("%1 files are written for maps and GIS, not read back")
                       .arg(formatName(format));
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
    const FormatInfo *row = FormatTable::find(format);
    if (row && row->keepsUnplacedRows)
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
    const FormatInfo *row = FormatTable::find(format);
    CoordWriteResult result;
    if (row && row->layout) {
        const DelimitedResult written = DelimitedWriter::write(device, points, *row->layout);
        result.pointCount = written.pointCount;
        result.status =
            written.ok ? CoordWriteResult::Status::Written : CoordWriteResult::Status::Failed;
        result.error = written.error;
    } else if (row && row->write) {
        result = row->write(device, points, options);
    } else {
        result.status = CoordWriteResult::Status::UnknownFormat;
        result.error = QCoreApplication::translate("CoordFileIo", "No coordinate format chosen");
        return result;
    }
    result.format = format;
    return result;
}
