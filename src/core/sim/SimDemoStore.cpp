// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimJobStore.h"

#include <QRandomGenerator>

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

// An observation line with horizontal and vertical angle, slope distance and
// target height, as the instrument records them.
QByteArray observationLine(int block, const QByteArray &name, QRandomGenerator &random)
{
    auto word = [](const char *header, qint64 value) {
        return QByteArray(header) + QByteArray::number(value).rightJustified(16, '0');
    };
    return "*11" + QByteArray::number(block % 10000).rightJustified(4, '0') + '+' +
           name.rightJustified(16, '0') + word(" 21.324+", random.bounded(40000000)) +
           word(" 22.324+", 9000000 + random.bounded(-300000, 300000)) +
           word(" 31..00+", 5000 + random.bounded(400000)) +
           word(" 87..10+", 1300 + 100 * random.bounded(10)) + ' ';
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
        for (int i = 1; i <= demo.observations; ++i) {
            const QByteArray name = demo.pointPrefix + QByteArray::number(1000 + i);
            job.observations.append(observationLine(i, name, random));
        }
    }
    return store;
}
