// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/ObservationReducer.h"

#include "core/coordfiles/PointRecord.h"
#include "core/survey/ObservationParts.h"

#include <QFile>
#include <QSet>

#include <charconv>
#include <cmath>
#include <utility>

using namespace observation;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFoot = 0.3048;

class Reduction
{
public:
    Reduction(const ReductionOptions &options, PointSink *sink, ReductionResult &result)
        : m_options(options), m_sink(sink), m_result(result)
    {
        for (const QString &name : options.backsights)
            m_backsightNames.insert(name);
    }

    // The first pass: every station's backsights and the file's own known points.
    void collect(QIODevice &device)
    {
        ReductionResult scratch;
        forEachLine(device, &scratch.error, nullptr,
                    [&](GsiObservationLine::Kind kind, const GsiObservationLine &o, qsizetype) {
                        if (kind == GsiObservationLine::Kind::Station) {
                            m_counter.onStation();
                        } else if (kind == GsiObservationLine::Kind::Coordinates) {
                            addFileKnown(o);
                        } else if (kind == GsiObservationLine::Kind::Observation) {
                            const qsizetype station = m_counter.onObservation();
                            const QString name = nameOf(o.name);
                            if (!m_backsightNames.contains(name))
                                return;
                            const Measured m = measure(o);
                            if (m.status == Measured::Status::NoHz)
                                return;
                            Sighting s{station, name, m.hz, std::nullopt};
                            if (m.status == Measured::Status::Ok)
                                s.hd = m.hd;
                            m_sightings.append(s);
                        }
                    });
        m_counter = StationCounter();
    }

    bool run(QIODevice &device, bool scanOnly)
    {
        m_scanOnly = scanOnly;
        const bool ok = forEachLine(device, &m_result.error, m_result.ignoredWords,
                                    [&](GsiObservationLine::Kind kind, const GsiObservationLine &o,
                                        qsizetype line) { onLine(kind, o, line); });
        return ok;
    }

private:
    void addFileKnown(const GsiObservationLine &o)
    {
        KnownPoint p;
        p.easting = lengthOf(o.coordinate[0]);
        p.northing = lengthOf(o.coordinate[1]);
        if (o.coordinate[2].hasValue())
            p.elevation = lengthOf(o.coordinate[2]);
        const QString name = nameOf(o.name);
        if (!name.isEmpty())
            m_fileKnown.insert(name, p);
    }

    const KnownPoint *known(const QString &name) const
    {
        if (name.isEmpty())
            return nullptr;
        const KnownPoint *p = m_options.known.find(name);
        return p ? p : m_fileKnown.find(name);
    }

    static double lengthOf(const GsiValue &v)
    {
        double metres = v.count;
        for (int i = 0; i < v.unit.decimals; ++i)
            metres /= 10;
        return v.unit.feet ? metres * kFoot : metres;
    }

    void onLine(GsiObservationLine::Kind kind, const GsiObservationLine &o, qsizetype line)
    {
        switch (kind) {
        case GsiObservationLine::Kind::Blank:
            return;
        case GsiObservationLine::Kind::NotRecord:
            ++m_result.notRecord;
            return;
        case GsiObservationLine::Kind::UnknownUnit:
            ++m_result.unknownUnit;
            return;
        case GsiObservationLine::Kind::Other:
            ++m_result.otherLines;
            return;
        case GsiObservationLine::Kind::Station:
            onStation(o, line);
            return;
        case GsiObservationLine::Kind::Coordinates:
            addFileKnown(o);
            writeKept(o);
            return;
        case GsiObservationLine::Kind::Observation:
            onObservation(o);
            return;
        }
    }

    void onStation(const GsiObservationLine &o, qsizetype line)
    {
        m_counter.onStation();
        m_result.feet = m_result.feet || hasFeet(o);
        StationReport s;
        s.name = nameOf(o.name);
        s.line = line;
        if (o.station[0].present && o.station[1].present) {
            s.placed = true;
            s.easting = o.station[0].metres;
            s.northing = o.station[1].metres;
        }
        if (o.station[2].present)
            s.elevation = o.station[2].metres;
        if (o.instrumentHeight.present) {
            s.instrumentHeight = o.instrumentHeight.metres;
            s.instrumentHeightGiven = true;
        }
        m_result.stations.append(s);
        m_active = false;
    }

    // Settles the station's place, instrument height and orientation at its
    // first observation to reduce; false when it has to be refused.
    bool activate(StationReport &s, qsizetype index)
    {
        const StationSetup &first = m_options.first;
        const bool isFirst = m_firstIndex < 0;
        if (isFirst)
            m_firstIndex = index;
        if (isFirst && first.hasPosition()) {
            s.placed = true;
            s.easting = *first.easting;
            s.northing = *first.northing;
            if (first.elevation)
                s.elevation = first.elevation;
        } else if (isFirst && !first.name.isEmpty()) {
            s.placed = placeFromKnown(s, first.name);
            if (s.name.isEmpty())
                s.name = first.name;
        } else if (!s.placed) {
            s.placed = placeFromKnown(s, s.name);
        }
        if (!s.placed) {
            s.refusal = StationReport::Refusal::NoCoordinates;
            return false;
        }
        if (isFirst && first.instrumentHeight) {
            s.instrumentHeight = *first.instrumentHeight;
            s.instrumentHeightGiven = true;
        }
        if (isFirst && first.orientation) {
            s.orientationSource = StationReport::OrientationSource::Given;
            const AngleUnit unit = first.orientationUnit != AngleUnit::Unknown
                                       ? first.orientationUnit
                                       : m_result.hzUnit;
            s.orientation = gsi::angleFromUnit(*first.orientation, unit);
        } else if (!m_backsightNames.isEmpty()) {
            if (!orientByBacksights(s, index)) {
                s.refusal = StationReport::Refusal::NoBacksight;
                return false;
            }
        }
        return true;
    }

    bool placeFromKnown(StationReport &s, const QString &name)
    {
        const KnownPoint *p = known(name);
        if (!p)
            return false;
        s.easting = p->easting;
        s.northing = p->northing;
        if (p->elevation)
            s.elevation = p->elevation;
        return true;
    }

    bool orientByBacksights(StationReport &s, qsizetype index)
    {
        QVector<double> orientations;
        for (const Sighting &sight : std::as_const(m_sightings)) {
            if (sight.station != index)
                continue;
            const KnownPoint *p = known(sight.name);
            if (!p) {
                if (!s.unknownBacksights.contains(sight.name))
                    s.unknownBacksights.append(sight.name);
                continue;
            }
            const double de = p->easting - s.easting;
            const double dn = p->northing - s.northing;
            BacksightCheck check;
            check.name = sight.name;
            check.distance = std::hypot(de, dn);
            if (check.distance == 0)
                continue; // the station itself gives no direction
            check.orientation = wrapped(std::atan2(de, dn) - sight.hz);
            if (sight.hd)
                check.distanceResidual = *sight.hd - check.distance;
            s.backsights.append(check);
        }
        if (s.backsights.isEmpty())
            return false;
        orientByMean(s);
        return true;
    }

    void onObservation(const GsiObservationLine &o)
    {
        ++m_result.observations;
        m_result.feet = m_result.feet || hasFeet(o);
        if (o.hasHz && m_result.hzUnit == AngleUnit::Unknown)
            m_result.hzUnit = o.hzUnit;
        const qsizetype index = m_counter.onObservation();
        if (index >= m_result.stations.size()) {
            m_result.stations.append(StationReport()); // observations before any station line
            m_active = false;
        }
        if (m_scanOnly) {
            // The dialog that asks for the set-up needs the station in force
            // at the first observation, not merely the first station line.
            ++m_result.stations[index].observations;
            return;
        }
        if (o.hasCoordinates() && !m_options.recompute) {
            if (isFailedMeasurement(o)) {
                ++m_result.noDistance;
                return;
            }
            writeKept(o);
            return;
        }
        const Measured m = measure(o);
        switch (m.status) {
        case Measured::Status::NoHz:
            ++m_result.noHz;
            return;
        case Measured::Status::NoDistance:
            ++m_result.noDistance;
            return;
        case Measured::Status::NoZenith:
            ++m_result.noZenith;
            return;
        case Measured::Status::Ok:
            break;
        }
        StationReport &s = m_result.stations[index];
        ++s.observations;
        if (!m_active) {
            m_active = true;
            activate(s, index);
        }
        if (s.refusal != StationReport::Refusal::None) {
            ++m_result.refusedStation;
            return;
        }
        const double az = m.hz + s.orientation;
        const double e = s.easting + m.hd * std::sin(az);
        const double n = s.northing + m.hd * std::cos(az);
        std::optional<double> h;
        if (s.elevation && m.dh) {
            double dh = *m.dh;
            if (m_options.curvature)
                dh += (1 - m_options.refraction) * m.hd * m.hd /
                      (2 * ObservationReducer::kEarthRadius);
            double ih = s.instrumentHeight;
            if (o.instrumentHeight.present &&
                !(index == m_firstIndex && m_options.first.instrumentHeight)) {
                ih = o.instrumentHeight.metres;
                if (!s.instrumentHeightGiven) {
                    s.instrumentHeight = ih;
                    s.instrumentHeightFromObservations = true;
                }
            }
            if (!o.targetHeight.present)
                ++m_result.withoutTargetHeight;
            h = *s.elevation + ih + dh - (o.targetHeight.present ? o.targetHeight.metres : 0);
        } else {
            ++m_result.withoutElevation;
        }
        ++s.reduced;
        ++m_result.reduced;
        assignMetres(m_record.easting, e);
        assignMetres(m_record.northing, n);
        if (h)
            assignMetres(m_record.elevation, *h);
        else
            m_record.elevation.clear();
        hand(o);
    }

    // The instrument's own 81/82/83, as they are in metres (feet converted).
    void writeKept(const GsiObservationLine &o)
    {
        if (m_scanOnly)
            return;
        ++m_result.kept;
        QString *const fields[3] = {&m_record.easting, &m_record.northing, &m_record.elevation};
        char text[48];
        for (int i = 0; i < 3; ++i) {
            const GsiValue &v = o.coordinate[i];
            if (!v.hasValue())
                fields[i]->clear();
            else if (!v.unit.feet)
                assignAscii(*fields[i], QByteArrayView(text, v.text(text)));
            else
                assignAscii(*fields[i],
                            QByteArrayView(text, gsi::formatMetres(lengthOf(v) * 1000, 4, text)));
        }
        hand(o);
    }

    void hand(const GsiObservationLine &o)
    {
        if (!m_sink)
            return;
        if (m_result.written == 0)
            m_sink->clear();
        char number[24];
        const auto end = std::to_chars(number, number + sizeof number, ++m_result.written);
        assignAscii(m_record.number, QByteArrayView(number, end.ptr - number));
        assignName(m_record.name, o.name);
        m_sink->append(m_record);
    }

    const ReductionOptions &m_options;
    PointSink *m_sink;
    ReductionResult &m_result;
    QSet<QString> m_backsightNames;
    QVector<Sighting> m_sightings;
    KnownPoints m_fileKnown;
    StationCounter m_counter;
    PointRecord m_record;
    bool m_active = false;       // the current station is settled
    qsizetype m_firstIndex = -1; // the station the options describe, once settled
    bool m_scanOnly = false;
};

} // namespace

bool ReductionResult::refused() const
{
    for (const StationReport &s : stations) {
        if (s.refusal != StationReport::Refusal::None)
            return true;
    }
    return false;
}

ReductionResult ObservationReducer::reduce(QIODevice &device, const ReductionOptions &options,
                                           PointSink &sink)
{
    ReductionResult result;
    Reduction reduction(options, &sink, result);
    // Backsights, and a first station given by name, may be points the file
    // itself lists further on.
    if (!options.backsights.isEmpty() || !options.first.name.isEmpty()) {
        reduction.collect(device);
        if (!device.reset()) {
            result.error = device.errorString();
            return result;
        }
    }
    reduction.run(device, false);
    return result;
}

ReductionResult ObservationReducer::reduce(const QString &path, const ReductionOptions &options,
                                           PointSink &sink)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        ReductionResult result;
        result.opened = false;
        result.error = file.errorString();
        return result;
    }
    return reduce(file, options, sink);
}

ReductionResult ObservationReducer::scanStations(QIODevice &device)
{
    ReductionResult result;
    const ReductionOptions options;
    Reduction reduction(options, nullptr, result);
    reduction.run(device, true);
    return result;
}
