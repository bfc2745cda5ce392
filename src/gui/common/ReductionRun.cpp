// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ReductionRun.h"

#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/LineScanner.h"
#include "core/survey/GsiObservation.h"
#include "gui/common/Messages.h"
#include "gui/common/StationSetupDialog.h"

#include <QDir>
#include <QFile>


namespace {

QString metres(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

bool ReductionRun::holdsObservationsOnly(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    LineScanner lines(file, GsiReader::kMaxLine, true);
    QByteArrayView line;
    GsiObservationLine obs;
    bool observations = false;
    bool first = true;
    while (lines.next(line)) {
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        first = false;
        if (line.size() >= GsiReader::kMaxLine)
            return false;
        switch (GsiObservationLine::decode(line, obs)) {
        case GsiObservationLine::Kind::Coordinates:
            return false; // the coordinate reader reads it as it always has
        case GsiObservationLine::Kind::Observation:
            if (obs.hasCoordinates())
                return false;
            observations = true;
            break;
        case GsiObservationLine::Kind::NotRecord:
            return false; // no GSI file: the readers say what it is
        default:
            break;
        }
    }
    return observations && !lines.failed();
}

bool ReductionRun::run(QWidget *parent, const QString &path, bool offerOutput, Reduced *out)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Messages::show(parent, tr("Cannot read %1: %2").arg(name, file.errorString()),
                       Messages::Kind::Warning);
        return false;
    }
    const ReductionResult scan = ObservationReducer::scanStations(file);
    file.close();
    if (!scan.error.isEmpty()) {
        Messages::show(parent, tr("Cannot read %1: %2").arg(name, scan.error),
                       Messages::Kind::Warning);
        return false;
    }
    if (scan.observations == 0) {
        Messages::show(parent, tr("%1 holds no observations.").arg(name), Messages::Kind::Warning);
        return false;
    }
    StationSetupDialog dialog(scan, parent);
    if (offerOutput)
        dialog.offerOutput(path);
    while (dialog.exec() == QDialog::Accepted) {
        Reduced reduced;
        reduced.options = dialog.options();
        reduced.result = ObservationReducer::reduce(path, reduced.options, reduced.points);
        if (!reduced.result.opened || !reduced.result.error.isEmpty()) {
            Messages::show(parent, tr("Cannot read %1: %2").arg(name, reduced.result.error),
                           Messages::Kind::Warning);
            return false;
        }
        if (reduced.result.refused()) {
            // Nothing is shown from a half-set-up file; the user may mend the set-up.
            Messages::show(parent,
                           tr("%1: no coordinates made.\n%2")
                               .arg(name, refusals(reduced.result, reduced.options)),
                           Messages::Kind::Warning);
            continue;
        }
        reduced.outputPath = dialog.outputPath();
        reduced.format = dialog.outputFormat();
        *out = std::move(reduced);
        return true;
    }
    return false;
}

QString ReductionRun::refusals(const ReductionResult &r, const ReductionOptions &options)
{
    QStringList lines;
    for (const StationReport &s : r.stations) {
        const QString station = s.name.isEmpty() ? tr("on line %1").arg(s.line) : s.name;
        if (s.observations == 0)
            continue;
        if (s.refusal == StationReport::Refusal::NoCoordinates)
            lines << tr("The station %1 has no coordinates: enter them, or choose a known-points "
                        "file that holds it; %2 observations not reduced.")
                         .arg(station)
                         .arg(s.observations);
        else if (s.refusal == StationReport::Refusal::NoBacksight)
            lines << tr("The station %1 observed none of the backsights %2; %3 observations not "
                        "reduced.")
                         .arg(station, options.backsights.join(QStringLiteral(", ")))
                         .arg(s.observations);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ReductionRun::summary(const ReductionResult &r)
{
    QStringList lines;
    lines << tr("%1 observations: %2 reduced, %3 kept the instrument's coordinates, %4 skipped.")
                 .arg(r.observations)
                 .arg(r.reduced)
                 .arg(r.kept)
                 .arg(r.skipped());
    QStringList reasons;
    if (r.noDistance > 0)
        reasons << tr("%1 without a distance or with 0").arg(r.noDistance);
    if (r.noHz > 0)
        reasons << tr("%1 without a Hz reading").arg(r.noHz);
    if (r.noZenith > 0)
        reasons << tr("%1 with a slope distance but no zenith angle").arg(r.noZenith);
    if (r.unknownUnit > 0)
        reasons << tr("%1 with a unit digit that is no unit").arg(r.unknownUnit);
    if (!reasons.isEmpty())
        lines << tr("Skipped: %1.").arg(reasons.join(QStringLiteral(", ")));
    for (const StationReport &s : r.stations) {
        if (s.reduced == 0)
            continue;
        const QString station = s.name.isEmpty() ? tr("on line %1").arg(s.line) : s.name;
        QString source;
        switch (s.orientationSource) {
        case StationReport::OrientationSource::Given:
            source = tr("given");
            break;
        case StationReport::OrientationSource::Backsights:
            source = tr("mean of %1 backsights").arg(s.backsights.size());
            break;
        case StationReport::OrientationSource::Zero:
            source = tr("Hz taken as azimuths");
            break;
        }
        lines << tr("Station %1: E %2, N %3, H %4, instrument height %5; orientation %6 (%7); "
                    "%8 points.")
                     .arg(station, metres(s.easting), metres(s.northing),
                          s.elevation ? metres(*s.elevation) : tr("none"),
                          metres(s.instrumentHeight), gsi::directionText(s.orientation, r.hzUnit),
                          source)
                     .arg(s.reduced);
        for (const BacksightCheck &b : s.backsights)
            lines << tr("    Backsight %1: residual %2, %3 m at %4 m.")
                         .arg(b.name, gsi::angleText(b.residual, r.hzUnit),
                              QString::number(b.offset, 'f', 4), metres(b.distance));
        for (const QString &b : s.unknownBacksights)
            lines << tr("    Backsight %1: observed, but not among the known points.").arg(b);
    }
    if (r.withoutTargetHeight > 0)
        lines << tr("%1 heights computed with target height 0 (no target height in the file).")
                     .arg(r.withoutTargetHeight);
    if (r.withoutElevation > 0)
        lines << tr("%1 points without a height (no station height or no height difference).")
                     .arg(r.withoutElevation);
    if (r.feet)
        lines << tr("Lengths in feet were converted to metres.");
    return lines.join(QLatin1Char('\n'));
}
