// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/PointRecord.h"
#include "core/survey/ObservationReducer.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

// The windows' road from a GSI observation file to coordinates: the set-up
// asked with StationSetupDialog (prefilled from the file's station lines),
// the reduction, and what is told about it. The same core calls as the
// command line's reduce.
class ReductionRun
{
    Q_DECLARE_TR_FUNCTIONS(ReductionRun)

public:
    // A file the coordinate reader would refuse for want of coordinates but
    // that holds observations to reduce: GSI words, no line with 81/82.
    static bool holdsObservationsOnly(const QString &path);

    struct Reduced
    {
        ReductionResult result;
        ReductionOptions options;
        PointList points;
        QString outputPath;                     // with offerOutput
        CoordFormat format = CoordFormat::None; // with offerOutput
    };
    // Asks for the set-up and reduces; asks again while a station is refused
    // (with the reason). False when the user cancelled or the file could not
    // be read (said). offerOutput: the dialog also asks for the coordinate
    // file written beside the observations.
    static bool run(QWidget *parent, const QString &path, bool offerOutput, Reduced *out);

    // The counts, each station's orientation and its backsights' residuals.
    static QString summary(const ReductionResult &r);
    // Why the stations were refused, one line each.
    static QString refusals(const ReductionResult &r, const ReductionOptions &options);
};
