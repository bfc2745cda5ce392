// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/survey/GsiObservation.h"
#include "core/survey/KnownPoints.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class PointSink;
class QIODevice;

// What the user says about the set-up of the file's first station (the one
// in force at the first observation); anything given wins over the file's
// station line. Later stations are taken as their lines say.
struct StationSetup
{
    std::optional<double> easting, northing, elevation; // metres
    QString name; // the station's coordinates by name, from the known points
    std::optional<double> instrumentHeight;
    // In orientationUnit, by default the unit of the file's first Hz word.
    std::optional<double> orientation;
    AngleUnit orientationUnit = AngleUnit::Unknown;

    bool hasPosition() const { return easting && northing; }
};

struct ReductionOptions
{
    StationSetup first;
    // Every station is oriented by those of these points it observed.
    QStringList backsights;
    // Coordinates of backsights and of stations named but not placed; the
    // file's own coordinate lines are added to them (these win).
    KnownPoints known;
    bool recompute = false; // reduce lines that carry the instrument's 81/82/83 as well
    bool curvature = false; // earth curvature and refraction on the height difference
    double refraction = 0.13;
};

// One backsight of a station: the orientation it gives and how far it is
// from the mean.
struct BacksightCheck
{
    QString name;
    double orientation = 0;                 // radians, azimuth to the known point minus its Hz
    double residual = 0;                    // radians, this orientation minus the station's mean
    double offset = 0;                      // metres at the target: residual times the distance
    double distance = 0;                    // metres, from the coordinates
    std::optional<double> distanceResidual; // measured minus from coordinates
};

struct StationReport
{
    enum class Refusal {
        None,
        NoCoordinates, // neither the options, the line nor the known points place it
        NoBacksight,   // backsights were asked for and it observed none
    };
    enum class OrientationSource {
        Given,      // by the options
        Backsights, // the mean of its backsights
        Zero,       // none asked for: the circle taken as oriented, Hz is the azimuth
    };

    QString name;
    qsizetype line = 0; // of its station line; 0 for observations before any
    bool placed = false;
    double easting = 0, northing = 0;
    std::optional<double> elevation;
    double instrumentHeight = 0;
    bool instrumentHeightGiven = false;
    bool instrumentHeightFromObservations = false; // the observation lines' own 88 were used
    OrientationSource orientationSource = OrientationSource::Zero;
    double orientation = 0; // radians
    QVector<BacksightCheck> backsights;
    QStringList unknownBacksights; // observed, but no known point of that name
    Refusal refusal = Refusal::None;
    qsizetype observations = 0; // lines that needed it (reduced or refused)
    qsizetype reduced = 0;
};

struct ReductionResult
{
    bool opened = true;
    QString error; // a read error of the device, or why it could not be opened

    qsizetype observations = 0; // observation lines
    qsizetype reduced = 0;      // turned into coordinates
    qsizetype kept = 0;    // points whose line carries the instrument's 81/82 (written as they are)
    qsizetype written = 0; // points handed to the sink
    // Observations passed over, by reason.
    qsizetype noHz = 0;           // no horizontal circle reading
    qsizetype noDistance = 0;     // no distance, or a distance of 0 (a failed measurement)
    qsizetype noZenith = 0;       // a slope distance without the zenith angle
    qsizetype unknownUnit = 0;    // an angle or length word whose unit is no unit of its kind
    qsizetype refusedStation = 0; // their station has no coordinates or no orientation
    qsizetype notRecord = 0;      // lines that are no GSI words
    qsizetype otherLines = 0;     // lines of words that are neither observation, station nor point
    qsizetype withoutTargetHeight = 0;     // heights computed with the target height 0
    qsizetype withoutElevation = 0;        // reduced without a height (no station height or no dH)
    bool feet = false;                     // some length was in feet (converted to metres)
    AngleUnit hzUnit = AngleUnit::Unknown; // of the first Hz word
    qsizetype ignoredWords[100] = {};      // words of other indexes, by index
    QVector<StationReport> stations;

    qsizetype skipped() const
    {
        return noHz + noDistance + noZenith + unknownUnit + refusedStation;
    }
    // Some station that had observations to reduce was refused.
    bool refused() const;
};

// Turns the observations of a GSI file into coordinates, station by
// station, and hands the points to a sink as they come, so a file of any
// size is reduced in the same memory. Distances and heights are in metres
// (feet are converted); reduced coordinates are written to the millimetre.
class ObservationReducer
{
public:
    // With backsights the device is read twice (it must be seekable): the
    // backsights of every station are collected first.
    static ReductionResult reduce(QIODevice &device, const ReductionOptions &options,
                                  PointSink &sink);
    static ReductionResult reduce(const QString &path, const ReductionOptions &options,
                                  PointSink &sink);

    // Only the stations (and what is known of them) and the first Hz unit, for
    // a dialog that asks for the set-up: no reduction, no backsights. Each
    // station's observations counts every observation line after it.
    static ReductionResult scanStations(QIODevice &device);

    static constexpr double kEarthRadius = 6371000.0; // metres, the mean radius
};
