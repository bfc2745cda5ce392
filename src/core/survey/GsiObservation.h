// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiReader.h"

#include <QByteArrayView>
#include <QString>

// The unit of an angle word (21, 22, 25), from its unit digit.
enum class AngleUnit {
    Unknown,
    Gon,     // '2': 400 to the circle, 5 decimals
    Degrees, // '3': decimal degrees, 5 decimals
    Dms,     // '4': degrees, minutes, seconds packed ddd mm ss s
    Mil,     // '5': 6400 to the circle, 4 decimals
};

namespace gsi {

AngleUnit angleUnitOf(char unitDigit);

// The block count of an angle word in radians.
double angleFromCount(double count, AngleUnit unit);

// Radians as the unit writes them: gon, degrees and mil as decimal numbers,
// DMS as ddd.mmsss (the usual calculator notation). Converts back and forth.
double angleToUnit(double radians, AngleUnit unit);
double angleFromUnit(double value, AngleUnit unit);

// "gon", "deg", "dms", "mil".
QString angleUnitName(AngleUnit unit);

// An angle for reports, with its unit ("12.34560 gon"; gon when unknown).
QString angleText(double radians, AngleUnit unit);
// A direction for reports, from 0 to the full circle.
QString directionText(double radians, AngleUnit unit);

} // namespace gsi

// One length word (31, 32, 33, 84 to 88) read in metres.
struct GsiLength
{
    bool present = false; // the line holds the word with a value
    double metres = 0;
    bool feet = false; // the word was in feet (and has been converted)
};

// One line of a GSI observation file, read word by word with the same word
// walk as coordinate lines.
struct GsiObservationLine
{
    enum class Kind {
        Blank,
        Observation, // holds 21 and a distance (31 or 32) or 22: something to reduce
        Station,     // holds 84, 85 or 86: an instrument set-up
        Coordinates, // holds 81 and 82 but no observation: a known point
        Other,       // words, but none of the above (codes, remarks)
        NotRecord,   // not a sequence of GSI words
        UnknownUnit, // an angle or a length whose unit digit is no unit of its kind
    };

    QByteArrayView name;    // raw block of word 11, leading zeros still in it
    bool hasHz = false;     // 21
    bool hasZenith = false; // 22
    double hz = 0;          // radians
    double zenith = 0;      // radians
    AngleUnit hzUnit = AngleUnit::Unknown;
    GsiLength slope;            // 31
    GsiLength horizontal;       // 32
    GsiLength heightDiff;       // 33
    GsiLength station[3];       // 84 E0, 85 N0, 86 H0
    GsiLength targetHeight;     // 87
    GsiLength instrumentHeight; // 88
    GsiValue coordinate[3];     // 81, 82, 83 as the coordinate reader reads them

    bool hasCoordinates() const { return coordinate[0].hasValue() && coordinate[1].hasValue(); }

    // Words of other indexes are passed over; with ignored (100 counters, by
    // word index) each is counted there.
    static Kind decode(QByteArrayView line, GsiObservationLine &out, qsizetype *ignored = nullptr);
};
