// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimJobStore.h"

#include <QRandomGenerator>

#include <cmath>

namespace {

struct DemoJob
{
    const char *name; // UTF-8; empty for an unnamed job
    const char *pointPrefix;
    int coordinates;
    int observations;
};

// A surveyor's instrument after a few weeks of work: road and building jobs,
// a control network, empty slots in between.
const DemoJob kDemoJobs[SimJobStore::kJobCount] = {
    {"ROAD1", "R", 25, 40},
    {"BRIDGE_N", "B", 120, 210},
    {"控制网", "K", 18, 36},
    {"", "", 0, 0},
    {"SITE-A", "A", 250, 300},
    {"道路中线", "ZX", 64, 0},
    {"TOPO0412", "T", 310, 0},
    {"", "", 0, 0},
    {"房屋测量", "F", 42, 84},
    {"STAKE01", "S", 7, 0},
    {"", "", 0, 0},
    {"", "", 0, 0},
    {"隧道", "SD", 96, 150},
    {"LEVEL2", "L", 0, 55},
    {"", "", 0, 0},
    {"PIPE_E", "P", 33, 0},
    {"", "", 0, 0},
};

QByteArray word(const char *header, qint64 value)
{
    return QByteArray(header) + (value < 0 ? '-' : '+') +
           QByteArray::number(qAbs(value)).rightJustified(16, '0');
}

QByteArray nameWord(int block, const QByteArray &name)
{
    return "*11" + QByteArray::number(block % 10000).rightJustified(4, '0') + '+' +
           name.rightJustified(16, '0');
}

// The station the instrument was set up on: a little off the middle of the
// job's points, with the instrument height it was set up with.
struct DemoStation
{
    qint64 eastingMm, northingMm, elevationMm, instrumentHeightMm;
};

QByteArray stationLine(const QByteArray &name, const DemoStation &s)
{
    return nameWord(1, name) + word(" 84..10", s.eastingMm) + word(" 85..10", s.northingMm) +
           word(" 86..10", s.elevationMm) + word(" 88..10", s.instrumentHeightMm) + ' ';
}

// An observation of a point from the station, the circle oriented (Hz is the
// azimuth) as the instrument does at set-up: Hz and zenith in gon, the slope
// distance in tenths of a millimetre, so the point comes back to the
// millimetre. faceTwo: the telescope turned over.
QByteArray observationLine(int block, const QByteArray &name, const DemoStation &s, double eMm,
                           double nMm, double hMm, qint64 targetHeightMm, bool faceTwo)
{
    constexpr double kGon = 3.14159265358979323846 / 200.0;
    const double de = (eMm - double(s.eastingMm)) / 1000.0;
    const double dn = (nMm - double(s.northingMm)) / 1000.0;
    const double dh =
        (hMm + double(targetHeightMm) - double(s.elevationMm) - double(s.instrumentHeightMm)) /
        1000.0;
    const double hd = std::hypot(de, dn);
    double hz = std::fmod(std::atan2(de, dn) / kGon + 400.0, 400.0);
    double zenith = std::atan2(hd, dh) / kGon;
    if (faceTwo) {
        hz = std::fmod(hz + 200.0, 400.0);
        zenith = 400.0 - zenith;
    }
    const auto gon = [](double v) {
        return qint64(std::llround(v * 1e5)) % 40000000;
    };
    return nameWord(block, name) + word(" 21.322", gon(hz)) + word(" 22.322", gon(zenith)) +
           word(" 31..06", std::llround(std::hypot(hd, dh) * 1e4)) +
           word(" 87..10", targetHeightMm) + ' ';
}

} // namespace

SimJobStore SimJobStore::demo()
{
    SimJobStore store;
    for (int number = 1; number <= kJobCount; ++number) {
        const DemoJob &demo = kDemoJobs[number - 1];
        SimJob &job = store.job(number);
        job.name = QString::fromUtf8(demo.name);
        QRandomGenerator random(quint32(number) * 7919u);
        // A walk across a site on a Gauss-Krüger grid, elevations in the hills.
        qint64 easting = 500000000 + random.bounded(200000000);
        qint64 northing = 3400000000LL + random.bounded(200000000);
        qint64 elevation = 20000 + random.bounded(60000);
        for (int i = 1; i <= demo.coordinates; ++i) {
            easting += random.bounded(-20000, 20000);
            northing += random.bounded(-20000, 20000);
            elevation = qMax<qint64>(1000, elevation + random.bounded(-800, 800));
            const QByteArray name = demo.pointPrefix + QByteArray::number(i);
            job.coordinates.append(gsi16CoordinateLine(i, name, easting, northing, elevation));
        }
        if (demo.observations == 0)
            continue;
        // The observations: a station line, then rounds over the job's points
        // (every second round in face II); a job without points has detail
        // points of its own around the station.
        struct Target
        {
            QByteArray name;
            double e, n, h;
        };
        QList<Target> targets;
        for (const QByteArray &line : job.coordinates) {
            const auto value = [&line](int at) {
                return line.mid(at, 17).toDouble();
            };
            targets.append({line.mid(8, 16), value(31), value(55), value(79)});
        }
        DemoStation station{easting, northing, elevation, 1400 + 10 * random.bounded(30)};
        if (!targets.isEmpty()) {
            double e = 0, n = 0, h = 0;
            for (const Target &t : targets) {
                e += t.e;
                n += t.n;
                h += t.h;
            }
            station.eastingMm = qint64(e / targets.size()) + 3210;
            station.northingMm = qint64(n / targets.size()) - 4321;
            station.elevationMm = qint64(h / targets.size());
        }
        for (int i = 1; targets.isEmpty() && i < demo.observations; ++i) {
            targets.append({demo.pointPrefix + QByteArray::number(1000 + i),
                            double(station.eastingMm + random.bounded(-300000, 300000)),
                            double(station.northingMm + random.bounded(-300000, 300000)),
                            double(station.elevationMm + random.bounded(-5000, 5000))});
        }
        job.observations.append(stationLine(demo.pointPrefix + QByteArray("ST1"), station));
        for (int i = 1; i < demo.observations; ++i) {
            const Target &t = targets.at((i - 1) % targets.size());
            const bool faceTwo = ((i - 1) / targets.size()) % 2 == 1;
            job.observations.append(observationLine(i + 1, t.name, station, t.e, t.n, t.h,
                                                    1300 + 100 * random.bounded(10), faceTwo));
        }
    }
    return store;
}
