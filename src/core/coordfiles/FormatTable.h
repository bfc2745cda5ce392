// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiWord.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

class PointSink;
class PointSource;
class PointStreamWriter;
class QIODevice;
struct CoordReadOptions;
struct CoordReadResult;
struct CoordWriteOptions;
struct CoordWriteResult;
struct DelimitedLayout;

// The coordinate file formats the editor reads and writes, one row each in
// FormatTable.cpp.
enum class CoordFormat {
    None, // the extension or the file-type entry names no format
    Gsi16,
    Gsi8,
    Orb,     // "orb"
    South,   // "dat" (CASS)
    Topcon,  // "pts"
    Idx,     // "idx"
    Csv,     // "csv", with or without a header
    LandXml, // "xml", LandXML 1.2 CgPoints
    GeoJson, // "geojson", written only, needs a coordinate system
    Kml,     // "kml", written only, needs a coordinate system
    Xyz,     // "xyz", easting northing elevation between blanks
};

// One entry of a file dialog's type list: a label (translated where it is a
// sentence, a format's name stays) and its patterns, "ORB" + "(*.orb *.ORB)".
struct FileType
{
    const char *label = nullptr; // nullptr: the format is not in this list
    const char *patterns = nullptr;

    QString text() const; // "ORB(*.orb *.ORB)"
};

// Everything the program knows of one format. Adding a format is adding a
// row: the dialogs, the command line, the upload, the manager's preview and
// the completion read this table and nothing else.
struct FormatInfo
{
    using Reader = CoordReadResult (*)(QIODevice &device, PointSink &sink,
                                       const CoordReadOptions &options);
    using Writer = CoordWriteResult (*)(QIODevice &device, const PointSource &points,
                                        const CoordWriteOptions &options);
    // A writer taking points one by one; nullptr: written from a whole list.
    using Streamer = std::unique_ptr<PointStreamWriter> (*)(QIODevice &device, bool gsiRangeRule);

    CoordFormat format;
    const char *name;       // "ORB": shown as it stands, never translated
    const char *option;     // the command line's --to value
    const char *extensions; // lower case, blank separated; the first is the one written
    FileType open;          // entry of the editor's Open list
    FileType saveAs;        // entry of Save as; its position in the list is the row's order
    // A delimited format is read and written by its columns alone; the
    // reader, writer and streamer below are then not used.
    const DelimitedLayout *layout = nullptr;
    Reader read = nullptr; // nullptr: not read
    Writer write = nullptr;
    Streamer stream = nullptr;
    bool needsCrs = false; // the writer needs CoordWriteOptions::crs (longitude and latitude)
    // Rows without a position are written too (as features without a place);
    // every other format leaves them out.
    bool keepsUnplacedRows = false;
    // The GSI word width the written values must fit: a value outside it is
    // written as 0 and a long name is cut, so the loss check runs before writing.
    std::optional<GsiVariant> gsiLimits;

    bool readable() const { return layout || read; }
    bool writable() const { return layout || write; }
    QStringList extensionList() const;
    QString extension() const { return extensionList().value(0); }
    bool hasExtension(QStringView extension) const; // compared without case
};

class FormatTable
{
public:
    // Every row, in the order of the dialogs' lists.
    static const std::vector<FormatInfo> &all();

    // nullptr for CoordFormat::None.
    static const FormatInfo *find(CoordFormat format);
    // The first row with the extension, compared without case ("GSI" is "gsi").
    static const FormatInfo *forExtension(QStringView extension);
    // A --to value: a row's option ("gsi16", "orb"), else an extension; any case.
    static const FormatInfo *forOption(QStringView value);

    // Save as: among the rows having the extension, the only one, else the
    // one the file-type entry (from 1) names; nullptr when neither decides.
    static const FormatInfo *forSaveAs(int fileTypeEntry, QStringView extension);
    // The position (from 1) of format in the Save as list; 0 when not listed.
    static int saveAsEntry(CoordFormat format);

    // The file dialogs' lists, "Text|pattern|Text|pattern|" in the rows' order.
    static QString openTypeList();
    static QString saveAsTypeList();

    // The extensions of the readable formats (without dot, lower case, each once).
    static QStringList readableExtensions();
    // The first extension of each format in Open's list: "gsi", "orb", ...
    static QStringList openExtensions();
    // Every --to value, in the rows' order.
    static QStringList options();
};
