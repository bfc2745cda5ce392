// SPDX-License-Identifier: GPL-3.0-or-later
// Real instrument output carries the instrument's own 81/82/83 beside its
// observations: reduced without them, the observations must give the same
// points within a millimetre.
#include "tests/core/survey/ObservationTestLines.h"
#include "tests/support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>

namespace {

QList<QByteArray> sampleLines(const char *file)
{
    const QString path = testsupport::samplesPath(QString::fromLatin1(file));
    if (path.isEmpty() || !QFile::exists(path))
        return {};
    QList<QByteArray> lines = testsupport::readAll(path).split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

GsiObservationLine decoded(const QByteArray &line)
{
    GsiObservationLine o;
    GsiObservationLine::decode(line, o);
    return o;
}

double metres(const GsiValue &v)
{
    return v.count / 1000.0; // the samples are in millimetres
}

// Reduces the given lines (1-based numbers of lines) after prefix with the
// instrument's values ignored and compares every point with them.
int expectInstrumentValues(const QList<QByteArray> &file, const QByteArray &prefix, int firstLine,
                           int lastLine, ReductionOptions options, bool heights)
{
    QByteArray input = prefix;
    QList<int> expected;
    for (int n = firstLine; n <= lastLine; ++n) {
        input += file[n - 1] + "\r\n";
        const GsiObservationLine o = decoded(file[n - 1]);
        if (o.hasCoordinates() && o.slope.metres > 0)
            expected << n;
    }
    options.recompute = true;
    PointList points;
    const ReductionResult r = obstest::reduce(input, options, points);
    EXPECT_FALSE(r.refused());
    EXPECT_EQ(points.pointCount(), expected.size());
    for (int i = 0; i < expected.size() && i < points.pointCount(); ++i) {
        const GsiObservationLine o = decoded(file[expected[i] - 1]);
        const PointRecord p = points.point(i);
        SCOPED_TRACE(file[expected[i] - 1].constData());
        // Both sides are rounded to the millimetre.
        EXPECT_NEAR(p.easting.toDouble(), metres(o.coordinate[0]), 0.0010001);
        EXPECT_NEAR(p.northing.toDouble(), metres(o.coordinate[1]), 0.0010001);
        if (heights) {
            EXPECT_NEAR(p.elevation.toDouble(), metres(o.coordinate[2]), 0.0010001);
        }
    }
    return int(expected.size());
}

// The set-up the file did not record, taken back from one line's own
// coordinates: the station that line was measured from.
ReductionOptions stationBehind(const QByteArray &line)
{
    const GsiObservationLine o = decoded(line);
    const double hd = o.slope.metres * std::sin(o.zenith);
    const double dh = o.slope.metres * std::cos(o.zenith);
    ReductionOptions options;
    options.first.easting = metres(o.coordinate[0]) - hd * std::sin(o.hz);
    options.first.northing = metres(o.coordinate[1]) - hd * std::cos(o.hz);
    options.first.elevation = metres(o.coordinate[2]) - dh + o.targetHeight.metres;
    options.first.instrumentHeight = 0.0;
    return options;
}

} // namespace

TEST(ObservationSamples, gsi8FieldFileMatchesTheInstrumentStationByStation)
{
    const QList<QByteArray> file = sampleLines("gsi/gsi8-observations-with-coordinates.gsi");
    if (file.isEmpty())
        GTEST_SKIP() << "sample files absent";
    ASSERT_GE(file.size(), 699);
    // The circle was oriented on the instrument: Hz are azimuths, orientation 0.
    int checked = 0;
    // Lines 1 to 493 were measured from STAZION1, whose coordinates the file
    // gives on line 528 (the instrument heights of this part are not recorded:
    // places only).
    const GsiObservationLine stazion1 = decoded(file[527]);
    ASSERT_EQ(QByteArray(stazion1.name.data(), stazion1.name.size()), "STAZION1");
    ReductionOptions first;
    first.first.easting = metres(stazion1.coordinate[0]);
    first.first.northing = metres(stazion1.coordinate[1]);
    checked += expectInstrumentValues(file, {}, 1, 493, first, false);
    // Lines 500 to 524 and 532 to 623 follow the station lines 499 and 531.
    checked += expectInstrumentValues(file, file[498] + "\r\n", 500, 524, {}, true);
    checked += expectInstrumentValues(file, file[530] + "\r\n", 532, 623, {}, true);
    // Lines 494-495 and 624-699 come from stations the file does not record:
    // the first line of each gives its station back, the others are checked.
    checked += expectInstrumentValues(file, {}, 495, 495, stationBehind(file[493]), true);
    checked += expectInstrumentValues(file, {}, 625, 699, stationBehind(file[623]), true);
    EXPECT_EQ(checked, 492 + 25 + 92 + 1 + 75);
}

TEST(ObservationSamples, gsi8FieldFileKeepsTheInstrumentValuesByDefault)
{
    const QList<QByteArray> file = sampleLines("gsi/gsi8-observations-with-coordinates.gsi");
    if (file.isEmpty())
        GTEST_SKIP() << "sample files absent";
    const QString path =
        testsupport::samplesPath(QStringLiteral("gsi/gsi8-observations-with-coordinates.gsi"));
    ReductionOptions options;
    options.first.easting = 500.0;
    options.first.northing = 500.0;
    options.first.elevation = 0.0;
    PointList points;
    const ReductionResult r = ObservationReducer::reduce(path, options, points);
    // 688 observation lines with coordinates and STAZION1, less line 132: a
    // distance of 0 that the instrument wrote as a point at 0,0.
    EXPECT_EQ(r.kept, 688);
    EXPECT_EQ(r.noDistance, 1);
    EXPECT_EQ(r.stations.size(), 5);
    EXPECT_FALSE(r.refused());
    EXPECT_EQ(r.hzUnit, AngleUnit::Gon);
    EXPECT_EQ(r.ignoredWords[51], 694);
    EXPECT_EQ(r.ignoredWords[25], 4);
    ASSERT_EQ(r.stations.size(), 5);
    EXPECT_EQ(r.stations[4].name, QStringLiteral("STAZLIB4"));
    EXPECT_EQ(r.stations[4].line, 531);
    EXPECT_NEAR(*r.stations[4].elevation, 0.352, 1e-9);
}

TEST(ObservationSamples, gsi16ObservationsMatchTheInstrument)
{
    const QList<QByteArray> file = sampleLines("gsi/gsi16-observations-with-coordinates.gsi");
    if (file.isEmpty())
        GTEST_SKIP() << "sample files absent";
    // Two lines and no station: the station and orientation are what the two
    // lines imply together. The two targets' separation from the
    // observations equals that from the instrument's coordinates; the
    // orientation turns the one onto the other.
    const GsiObservationLine a = decoded(file[0]);
    const GsiObservationLine b = decoded(file[1]);
    const auto local = [](const GsiObservationLine &o, double *x, double *y) {
        const double hd = o.slope.metres * std::sin(o.zenith);
        *x = hd * std::sin(o.hz);
        *y = hd * std::cos(o.hz);
    };
    double ax, ay, bx, by;
    local(a, &ax, &ay);
    local(b, &bx, &by);
    const double de = metres(b.coordinate[0]) - metres(a.coordinate[0]);
    const double dn = metres(b.coordinate[1]) - metres(a.coordinate[1]);
    EXPECT_NEAR(std::hypot(bx - ax, by - ay), std::hypot(de, dn), 0.001);
    const double orientation = std::atan2(de, dn) - std::atan2(bx - ax, by - ay);
    ReductionOptions options;
    options.first.orientation = gsi::angleToUnit(orientation, AngleUnit::Gon);
    options.first.orientationUnit = AngleUnit::Gon;
    const double c = std::cos(orientation), s = std::sin(orientation);
    options.first.easting = metres(a.coordinate[0]) - (ax * c + ay * s);
    options.first.northing = metres(a.coordinate[1]) - (ay * c - ax * s);
    options.first.elevation =
        metres(a.coordinate[2]) - a.slope.metres * std::cos(a.zenith) + a.targetHeight.metres;
    options.first.instrumentHeight = 0.0;
    const QByteArray all = file[0] + "\r\n" + file[1] + "\r\n";
    options.recompute = true;
    PointList points;
    const ReductionResult r = obstest::reduce(all, options, points);
    EXPECT_EQ(r.hzUnit, AngleUnit::Gon);
    ASSERT_EQ(points.pointCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const GsiObservationLine &o = i == 0 ? a : b;
        EXPECT_NEAR(points.point(i).easting.toDouble(), metres(o.coordinate[0]), 0.0010001);
        EXPECT_NEAR(points.point(i).northing.toDouble(), metres(o.coordinate[1]), 0.0010001);
        EXPECT_NEAR(points.point(i).elevation.toDouble(), metres(o.coordinate[2]), 0.0010001);
    }
}

TEST(ObservationSamples, gsi16ObservationsInDmsAreRead)
{
    const QList<QByteArray> file = sampleLines("gsi/gsi16-observations.gsi");
    if (file.isEmpty())
        GTEST_SKIP() << "sample files absent";
    QByteArray all;
    for (const QByteArray &line : file)
        all += line + "\r\n";
    ReductionOptions options;
    options.first.easting = 0.0;
    options.first.northing = 0.0;
    PointList points;
    const ReductionResult r = obstest::reduce(all, options, points);
    EXPECT_EQ(r.hzUnit, AngleUnit::Dms);
    EXPECT_EQ(r.reduced, r.observations - r.skipped());
    EXPECT_GT(r.reduced, 300);
    EXPECT_EQ(r.unknownUnit, 0);
}
