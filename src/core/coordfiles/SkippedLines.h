// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Lines a coordinate reader passed over, by reason, for the user: a file from
// another program may hold much besides points, and what was not read must be
// said, never dropped in silence.
struct SkippedLines
{
    qsizetype noCoordinates =
        0;                     // GSI lines without words 81 and 82 (stations, observations, codes)
    qsizetype noValue = 0;     // records whose easting or northing is missing or empty
    qsizetype notRecord = 0;   // lines that are no record of the format
    qsizetype unknownUnit = 0; // GSI point lines whose unit is no length unit

    qsizetype total() const { return noCoordinates + noValue + notRecord + unknownUnit; }

    // "5 lines skipped: 3 without coordinates, 2 not a record"; empty when none.
    QString describe() const;
};
