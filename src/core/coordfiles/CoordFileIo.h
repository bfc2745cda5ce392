// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/FormatTable.h"
#include "core/coordfiles/PointRecord.h"
#include "core/coordfiles/SkippedLines.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

class QIODevice;

// Entries of the Save as file-type list, numbered from 1 as the dialog lists them:
// "GSI-16 file(*.gsi)", "GSI-8 file(*.gsi)", "ORB(*.orb)", "SOUTH(*.dat)",
// "TOPCON(*.pts)", "IDX(*.idx)", ... The list is FormatTable's rows in order;
// these names are for callers that choose an entry themselves.
enum SaveAsEntry {
    kSaveAsGsi16 = 1,
    kSaveAsGsi8 = 2,
    kSaveAsOrb = 3,
    kSaveAsSouth = 4,
    kSaveAsTopcon = 5,
    kSaveAsIdx = 6,
    kSaveAsCsv = 7,
    kSaveAsLandXml = 8,
    kSaveAsGeoJson = 9,
    kSaveAsKml = 10,
};

// What a reader needs beyond the bytes.
struct CoordReadOptions
{
    QString csvColumns; // column letters of a CSV file without a header; empty: PENZD
};

// What a writer needs beyond the points.
struct CoordWriteOptions
{
    bool gsiRangeRule = false; // Save as's GSI range rule
    QString crs;               // "EPSG:NNNN" of the points, for GeoJSON and KML
};

struct CoordReadResult
{
    enum class Status {
        Read,             // the sink holds the file's points (possibly none)
        NotRecognised,    // a GSI file in which no line is a point; sink untouched
        UnknownExtension, // the extension names no format; the sink was emptied
        Failed,           // the file could not be opened or read; see error
    };

    Status status = Status::Failed;
    CoordFormat format = CoordFormat::None; // for GSI, the variant of its first point line
    qsizetype pointCount = 0;               // points appended to the sink
    bool sinkCleared = false;               // whether the sink's earlier rows are gone
    QString error;                          // one line for the user; empty when Read
    SkippedLines skipped;                   // lines read past, by reason
    bool feet = false;                      // GSI: coordinates in feet, kept as they are

    bool ok() const { return status == Status::Read; }
};

struct CoordWriteResult
{
    enum class Status {
        Written,       // the file holds every row
        UnknownFormat, // no writer for this extension / entry; nothing was created
        Failed,        // could not write; any earlier file at the path is unchanged
    };

    Status status = Status::Failed;
    CoordFormat format = CoordFormat::None;
    qsizetype pointCount = 0;    // rows written
    QVector<qsizetype> zeroRows; // 0-based rows with a coordinate written as 0 (GSI only)
    QString error;               // one line for the user; empty when Written

    bool ok() const { return status == Status::Written; }
};

// The editor's file rules: which reader Open uses, which writer Save and Save as
// use, all read from FormatTable. The windows and the command line only call
// these; every write goes through a temporary file that replaces the target only
// when complete.
class CoordFileIo
{
public:
    // Text after the last '.' of the file name, as the file dialogs report it.
    static QString extensionOf(const QString &path);

    // Open's reader choice, by the extension compared without case ("POINTS.GSI"
    // is read as "points.gsi"): "gsi" and "idex" (an IDEX download, GSI lines as
    // received) give Gsi16 (the variant read is decided by the first line),
    // "orb", "dat", "pts", "idx", ... their formats, anything else None.
    static CoordFormat formatForExtension(QStringView extension);
    // The extensions (without dot, lower case, in the table's order) of the
    // formats Open reads.
    static QStringList readableExtensions();

    // Save as's writer choice: GSI-16/GSI-8 only for a "gsi" name with a GSI entry,
    // the delimited formats by the extension alone; otherwise None.
    static CoordFormat saveAsFormat(int fileTypeEntry, QStringView extension);

    // "GSI-16", "GSI-8", "ORB", "SOUTH", "TOPCON", "IDX", "CSV", "LandXML", "GeoJSON", "KML".
    static QString formatName(CoordFormat format);

    // Whether the format's writer needs CoordWriteOptions::crs.
    static bool needsCrs(CoordFormat format);
    // Whether files of the format can be read (GeoJSON and KML are written only).
    static bool isReadable(CoordFormat format);

    // Open: reads the file at path into sink by its extension. A GSI file whose
    // first line is neither form, and a file that cannot be opened, leave the sink
    // as it was; an unknown extension empties it.
    static CoordReadResult open(const QString &path, PointSink &sink,
                                const CoordReadOptions &options = CoordReadOptions());

    // Reads device as format (Gsi16 or Gsi8 both mean "a GSI file").
    static CoordReadResult read(QIODevice &device, CoordFormat format, PointSink &sink,
                                const CoordReadOptions &options = CoordReadOptions());

    // Save: the writer by the path's extension; "gsi" is always GSI-16 without
    // the range rule. UnknownFormat for any other extension.
    static CoordWriteResult save(const QString &path, const PointSource &points);

    // Save as: the writer by the file-type entry (SaveAsEntry) and the extension;
    // GSI with the range rule.
    static CoordWriteResult saveAs(const QString &path, int fileTypeEntry,
                                   const PointSource &points, const QString &crs = QString());

    // Writes points to path in format; gsiRangeRule applies Save as's range rule.
    static CoordWriteResult write(const QString &path, CoordFormat format,
                                  const PointSource &points, bool gsiRangeRule);

    // Writes points to an open device in format (no temporary file). Rows
    // without easting and northing are left out; row numbers in the result
    // count every row of points.
    static CoordWriteResult write(QIODevice &device, CoordFormat format, const PointSource &points,
                                  bool gsiRangeRule);

    static CoordWriteResult write(const QString &path, CoordFormat format,
                                  const PointSource &points, const CoordWriteOptions &options);
    static CoordWriteResult write(QIODevice &device, CoordFormat format, const PointSource &points,
                                  const CoordWriteOptions &options);

private:
    static CoordWriteResult writeRows(QIODevice &device, CoordFormat format,
                                      const PointSource &points, const CoordWriteOptions &options);
};
