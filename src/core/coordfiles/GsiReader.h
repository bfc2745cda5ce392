// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiWord.h"
#include "core/coordfiles/SkippedLines.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class PointSink;
class QIODevice;

// The variant of a GSI coordinate file, told by its first point line; None
// when no line of the file is a point.
enum class GsiForm { None, Gsi16, Gsi8 };

// One coordinate of a point line: word 81, 82 or 83.
struct GsiValue
{
    bool present = false; // the line holds the word
    bool noValue = false; // its block holds the empty value (dashes or blanks)
    double count = 0;     // the signed block, in units of 10^-decimals metres or feet
    gsi::GsiUnit unit;

    bool hasValue() const { return present && !noValue; }
    // The value of a word (index, information characters, sign, block), its
    // unit by the unit digit.
    static GsiValue fromWord(QByteArrayView word);
    // The value in the file's unit (metres or feet) with the unit's decimals,
    // at least minDecimals; 0 length without a value. out needs 48 bytes.
    int text(char *out, int minDecimals = 0) const;
};

// One line of a GSI file read word by word.
struct GsiPointLine
{
    enum class Kind {
        Blank,         // nothing but blanks
        Point,         // holds words 81 and 82
        NoCoordinates, // words, but not both 81 and 82
        NotRecord,     // not a sequence of GSI words
        UnknownUnit,   // a point whose 81, 82 or 83 has no length unit
    };

    qsizetype number = 0; // 1 for the first point line, one more for each following
    GsiForm form = GsiForm::None;
    QByteArrayView name; // the raw block of word 11, leading zeros still in it
    GsiValue value[3];   // 81 easting, 82 northing, 83 elevation

    // A line (without its line end) is GSI-16 when it begins with "*", else
    // GSI-8; its words are separated by one blank, the closing blank is
    // optional, any words in any order.
    static Kind decode(QByteArrayView line, GsiPointLine &point);
};

struct GsiReadResult
{
    bool opened = true;           // false: the file could not be opened (path overload)
    GsiForm form = GsiForm::None; // of the first point line; None: no point, nothing was read
    qsizetype points = 0;
    bool feet = false; // a coordinate is in feet (the numbers are kept as they are)
    SkippedLines skipped;
    QString error; // a read error of the device
};

// The reading of GSI coordinate files, shared by the editor's Open, the
// converters and the download's CASS conversion: every line holding words 81
// and 82 is a point; other lines are counted and reading goes on. Lines end in
// CR LF, LF or CR alone.
class GsiReader
{
public:
    // Calls onPoint for every point line, in order.
    static GsiReadResult scan(QIODevice &device,
                              const std::function<void(const GsiPointLine &)> &onPoint);

    // Reads the points into sink, which is cleared at the first point, so a
    // file without one leaves it as it was. Coordinates keep the decimals of
    // their unit ("%.3f" for mm); a missing word or the empty value gives an
    // empty field.
    static GsiReadResult read(QIODevice &device, PointSink &sink);
    static GsiReadResult read(const QString &path, PointSink &sink);

    // Longer lines are cut here and count as no record.
    static constexpr qsizetype kMaxLine = 64 * 1024;
};
