// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReduceReport.h"

#include "cli/CliCommon.h"

#include "core/survey/ObservationReducer.h"


namespace {

QString stationTitle(const StationReport &s)
{
    if (s.line == 0)
        return s.name.isEmpty()
                   ? QStringLiteral("the station before any station line")
                   : QStringLiteral("station %1 (before any station line)").arg(s.name);
    return s.name.isEmpty() ? QStringLiteral("the station on line %1").arg(s.line)
                            : QStringLiteral("station %1 (line %2)").arg(s.name).arg(s.line);
}

} // namespace

void cli::reportReductionStations(const ReductionResult &r, const ReductionOptions &options)
{
    for (const StationReport &s : r.stations) {
        if (s.observations == 0)
            continue; // a station line repeated, or one whose lines were all kept
        if (s.refusal == StationReport::Refusal::NoCoordinates) {
            cli::printError(QStringLiteral("%1 has no coordinates: give --station E,N,H, or a "
                                           "--known file holding it by name; %2 observations "
                                           "not reduced")
                                .arg(stationTitle(s))
                                .arg(s.observations));
            continue;
        }
        if (s.refusal == StationReport::Refusal::NoBacksight) {
            cli::printError(QStringLiteral("%1 observed none of the known backsights %2; %3 "
                                           "observations not reduced")
                                .arg(stationTitle(s), options.backsights.join(QLatin1String(", ")))
                                .arg(s.observations));
            continue;
        }
        const QString height = s.elevation ? QString::number(*s.elevation, 'f', 3)
                                           : QStringLiteral("unknown (no heights)");
        QString source;
        switch (s.orientationSource) {
        case StationReport::OrientationSource::Given:
            source = QStringLiteral("given");
            break;
        case StationReport::OrientationSource::Backsights:
            source = s.backsights.size() == 1
                         ? QStringLiteral("from 1 backsight")
                         : QStringLiteral("mean of %1 backsights").arg(s.backsights.size());
            break;
        case StationReport::OrientationSource::Zero:
            source = QStringLiteral("none given: Hz taken as azimuths");
            break;
        }
        cli::printError(QStringLiteral("%1: E %2 N %3 H %4, instrument height %5%6, "
                                       "orientation %7 (%8), %9 reduced")
                            .arg(stationTitle(s), QString::number(s.easting, 'f', 3),
                                 QString::number(s.northing, 'f', 3), height,
                                 QString::number(s.instrumentHeight, 'f', 3),
                                 s.instrumentHeightGiven ? QString()
                                 : s.instrumentHeightFromObservations
                                     ? QStringLiteral(" (the observations' own)")
                                     : QStringLiteral(" (none given)"),
                                 gsi::directionText(s.orientation, r.hzUnit), source)
                            .arg(s.reduced));
        for (const BacksightCheck &b : s.backsights) {
            QString line =
                QStringLiteral("  backsight %1: orientation %2, residual %3, %4 m "
                               "at %5 m")
                    .arg(b.name, gsi::directionText(b.orientation, r.hzUnit),
                         gsi::angleText(b.residual, r.hzUnit), QString::number(b.offset, 'f', 4),
                         QString::number(b.distance, 'f', 3));
            if (b.distanceResidual)
                line += QStringLiteral("; distance measured minus from coordinates %1 m")
                            .arg(QString::number(*b.distanceResidual, 'f', 4));
            cli::printError(line);
        }
        for (const QString &name : s.unknownBacksights)
            cli::printError(QStringLiteral("  backsight %1: observed, but no known coordinates "
                                           "(--known)")
                                .arg(name));
    }
}

void cli::reportReductionCounts(const QString &input, const ReductionResult &r)
{
    QStringList reasons;
    const auto add = [&reasons](qsizetype n, const char *text) {
        if (n > 0)
            reasons << QStringLiteral("%1 %2").arg(n).arg(QLatin1String(text));
    };
    add(r.noDistance, "without a distance or with 0");
    add(r.noHz, "without a Hz reading");
    add(r.noZenith, "with a slope distance but no zenith angle");
    add(r.refusedStation, "of a refused station");
    QString text = QStringLiteral("%1: %2 observations: %3 reduced, %4 kept the instrument's "
                                  "coordinates, %5 skipped")
                       .arg(input)
                       .arg(r.observations)
                       .arg(r.reduced)
                       .arg(r.kept)
                       .arg(r.skipped() - r.unknownUnit);
    if (!reasons.isEmpty())
        text += QStringLiteral(" (%1)").arg(reasons.join(QLatin1String(", ")));
    cli::printError(text);
    QStringList lines;
    const auto addLines = [&lines](qsizetype n, const char *what) {
        if (n > 0)
            lines << QStringLiteral("%1 %2").arg(n).arg(QLatin1String(what));
    };
    addLines(r.unknownUnit, "with a unit digit that is no unit");
    addLines(r.notRecord, "not GSI words");
    addLines(r.otherLines, "neither observation, station nor point");
    if (!lines.isEmpty())
        cli::printError(
            QStringLiteral("note: lines skipped: %1").arg(lines.join(QLatin1String(", "))));
    QStringList words;
    qsizetype ignored = 0;
    for (int i = 0; i < 100; ++i) {
        if (r.ignoredWords[i] > 0) {
            words
                << QStringLiteral("%1 (%2)").arg(i, 2, 10, QLatin1Char('0')).arg(r.ignoredWords[i]);
            ignored += r.ignoredWords[i];
        }
    }
    if (ignored > 0)
        cli::printError(QStringLiteral("note: %1 words ignored: %2")
                            .arg(ignored)
                            .arg(words.join(QLatin1String(", "))));
    if (r.withoutTargetHeight > 0)
        cli::printError(QStringLiteral("note: %1 heights with target height 0 (no word 87)")
                            .arg(r.withoutTargetHeight));
    if (r.withoutElevation > 0)
        cli::printError(QStringLiteral("note: %1 points without a height (no station height or "
                                       "no height difference)")
                            .arg(r.withoutElevation));
    if (r.feet)
        cli::printError(QStringLiteral("note: lengths in feet converted to metres (0.3048 m)"));
}
