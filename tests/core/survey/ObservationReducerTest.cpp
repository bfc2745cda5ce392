// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/core/survey/ObservationTestLines.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace obstest;

namespace {

// Station 1000/2000/100, instrument height 1.500 m.
QByteArray stationLine(const char *stationName = "ST1")
{
    return line16({name(stationName),
                   {84, '0', 1000000},
                   {85, '0', 2000000},
                   {86, '0', 100000},
                   {88, '0', 1500}});
}

double number(const QString &text)
{
    return text.toDouble();
}

} // namespace

TEST(ObservationReducer, everyAngleUnitGivesTheSamePoint)
{
    // 123.45670 gon = 111.11103 deg = 111 06 39.7 = 1975.3072 mil; Z 95 gon.
    const struct
    {
        char unit;
        long long hz;
        long long zenith;
    } units[] = {{'2', 12345670, 9500000},
                 {'3', 11111103, 8550000},
                 {'4', 11106397, 8530000},
                 {'5', 19753072, 15200000}};
    for (const auto &u : units) {
        SCOPED_TRACE(u.unit);
        const QByteArray file = stationLine() + line16({name("P1"),
                                                        {21, u.unit, u.hz},
                                                        {22, u.unit, u.zenith},
                                                        {31, '0', 100000},
                                                        {87, '0', 1200}});
        PointList points;
        const ReductionResult r = reduce(file, ReductionOptions(), points);
        ASSERT_EQ(points.pointCount(), 1);
        EXPECT_EQ(r.reduced, 1);
        EXPECT_EQ(points.point(0).name, QStringLiteral("P1"));
        EXPECT_EQ(points.point(0).easting, QStringLiteral("1093.001"));
        EXPECT_EQ(points.point(0).northing, QStringLiteral("1964.093"));
        EXPECT_EQ(points.point(0).elevation, QStringLiteral("108.146"));
    }
}

TEST(ObservationReducer, anglesConvertBackAndForthInTheirUnit)
{
    for (const AngleUnit unit :
         {AngleUnit::Gon, AngleUnit::Degrees, AngleUnit::Dms, AngleUnit::Mil}) {
        const double radians = gsi::angleFromUnit(123.4530, unit);
        EXPECT_NEAR(gsi::angleToUnit(radians, unit), 123.4530, 1e-9);
    }
    // DMS written as ddd.mmss: 12.3045 is 12 degrees 30 minutes 45 seconds.
    EXPECT_NEAR(gsi::angleFromUnit(12.3045, AngleUnit::Dms) * 180 / M_PI, 12.5125, 1e-9);
    EXPECT_EQ(gsi::angleUnitOf('0'), AngleUnit::Unknown);
}

TEST(ObservationReducer, feetAreConvertedToMetres)
{
    // 100.000 ft slope distance, level: 30.480 m east of the station.
    const QByteArray file = stationLine() + line16({name("P1"),
                                                    {21, '2', 10000000},
                                                    {22, '2', 10000000},
                                                    {31, '1', 100000},
                                                    {87, '1', 0}});
    PointList points;
    const ReductionResult r = reduce(file, ReductionOptions(), points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_TRUE(r.feet);
    EXPECT_EQ(points.point(0).easting, QStringLiteral("1030.480"));
    EXPECT_EQ(points.point(0).northing, QStringLiteral("2000.000"));
    EXPECT_EQ(points.point(0).elevation, QStringLiteral("101.500"));
}

TEST(ObservationReducer, horizontalDistanceWithHeightDifferenceOrZenith)
{
    const QByteArray file =
        stationLine() +
        // 32 + 33, no zenith: the height difference as given.
        line16({name("A"), {21, '2', 0}, {32, '0', 25000}, {33, '0', -1234}, {87, '0', 1000}}) +
        // 32 and the zenith: dH = HD / tan Z.
        line16({name("B"), {21, '2', 0}, {22, '2', 9800000}, {32, '0', 25000}, {87, '0', 1000}}) +
        // 32 alone: a place but no height.
        line16({name("C"), {21, '2', 0}, {32, '0', 25000}});
    PointList points;
    const ReductionResult r = reduce(file, ReductionOptions(), points);
    ASSERT_EQ(points.pointCount(), 3);
    EXPECT_EQ(points.point(0).northing, QStringLiteral("2025.000"));
    EXPECT_EQ(points.point(0).elevation, QStringLiteral("99.266"));
    EXPECT_EQ(points.point(1).elevation, QStringLiteral("101.286"));
    EXPECT_EQ(points.point(2).northing, QStringLiteral("2025.000"));
    EXPECT_TRUE(points.point(2).elevation.isEmpty());
    EXPECT_EQ(r.withoutElevation, 1);
}

TEST(ObservationReducer, missingTargetHeightIsTakenAsZeroAndCounted)
{
    const QByteArray file =
        stationLine() + line16({name("P"), {21, '2', 0}, {22, '2', 10000000}, {31, '0', 10000}});
    PointList points;
    const ReductionResult r = reduce(file, ReductionOptions(), points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).elevation, QStringLiteral("101.500"));
    EXPECT_EQ(r.withoutTargetHeight, 1);
}

TEST(ObservationReducer, faceTwoGivesTheSamePointAsFaceOne)
{
    const QByteArray file =
        stationLine() +
        line16({name("I"), {21, '2', 5000000}, {22, '2', 9500000}, {31, '0', 100000}}) +
        line16({name("II"), {21, '2', 25000000}, {22, '2', 30500000}, {31, '0', 100000}});
    PointList points;
    reduce(file, ReductionOptions(), points);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_EQ(points.point(1).easting, points.point(0).easting);
    EXPECT_EQ(points.point(1).northing, points.point(0).northing);
    EXPECT_EQ(points.point(1).elevation, points.point(0).elevation);
}

TEST(ObservationReducer, severalStationsAreReducedEachFromItsOwn)
{
    const QByteArray file =
        stationLine("S1") + line16({name("P1"), {21, '2', 0}, {32, '0', 10000}}) +
        line16({name("S2"),
                {84, '0', 5000000},
                {85, '0', 6000000},
                {86, '0', 50000},
                {88, '0', 1000}}) +
        line16({name("P2"), {21, '2', 10000000}, {32, '0', 10000}, {33, '0', 0}});
    ReductionOptions options;
    options.first.orientation = 100.0; // gon, the unit of the file; first station only
    PointList points;
    const ReductionResult r = reduce(file, options, points);
    ASSERT_EQ(points.pointCount(), 2);
    ASSERT_EQ(r.stations.size(), 2);
    EXPECT_EQ(points.point(0).easting, QStringLiteral("1010.000"));
    EXPECT_EQ(points.point(0).northing, QStringLiteral("2000.000"));
    EXPECT_EQ(points.point(1).easting, QStringLiteral("5010.000"));
    EXPECT_EQ(points.point(1).northing, QStringLiteral("6000.000"));
    EXPECT_EQ(points.point(1).elevation, QStringLiteral("51.000"));
    EXPECT_EQ(r.stations[0].orientationSource, StationReport::OrientationSource::Given);
    EXPECT_EQ(r.stations[1].orientationSource, StationReport::OrientationSource::Zero);
    EXPECT_EQ(r.stations[1].name, QStringLiteral("S2"));
}

TEST(ObservationReducer, backsightsGiveTheMeanOrientationAndEachResidual)
{
    // From 0/0 the known A lies at 100 gon, B at 0 gon; the circle reads
    // 10 gon less, B's reading 0.001 gon too much.
    ReductionOptions options;
    options.first.easting = 0.0;
    options.first.northing = 0.0;
    options.known.insert(QStringLiteral("A"), {100, 0, std::nullopt});
    options.known.insert(QStringLiteral("B"), {0, 100, std::nullopt});
    options.backsights = {QStringLiteral("A"), QStringLiteral("B")};
    const QByteArray file =
        line16({name("A"), {21, '2', 9000000}, {22, '2', 10000000}}) +
        line16({name("B"), {21, '2', 39000100}, {22, '2', 10000000}, {31, '0', 100020}}) +
        line16({name("P"), {21, '2', 39000000}, {32, '0', 50000}});
    PointList points;
    const ReductionResult r = reduce(file, options, points);
    ASSERT_EQ(r.stations.size(), 1);
    const StationReport &s = r.stations[0];
    EXPECT_EQ(s.orientationSource, StationReport::OrientationSource::Backsights);
    EXPECT_NEAR(gsi::angleToUnit(s.orientation, AngleUnit::Gon), 9.99950, 1e-9);
    ASSERT_EQ(s.backsights.size(), 2);
    EXPECT_NEAR(gsi::angleToUnit(s.backsights[0].residual, AngleUnit::Gon), 0.00050, 1e-9);
    EXPECT_NEAR(gsi::angleToUnit(s.backsights[1].residual, AngleUnit::Gon), -0.00050, 1e-9);
    EXPECT_NEAR(s.backsights[0].offset, 0.000785, 1e-6);
    EXPECT_FALSE(s.backsights[0].distanceResidual.has_value());
    ASSERT_TRUE(s.backsights[1].distanceResidual.has_value());
    EXPECT_NEAR(*s.backsights[1].distanceResidual, 0.020, 1e-9);
    // A has no distance and is no point; B and P are reduced with the mean.
    EXPECT_EQ(r.noDistance, 1);
    ASSERT_EQ(points.pointCount(), 2);
    EXPECT_NEAR(number(points.point(1).easting), 50 * std::sin(399.9995 * M_PI / 200), 1e-3);
    EXPECT_NEAR(number(points.point(1).northing), 50.0, 1e-3);
}

TEST(ObservationReducer, stationWithoutCoordinatesIsRefusedNeverPlacedAtZero)
{
    const QByteArray observation = line16({name("P"), {21, '2', 0}, {32, '0', 10000}});
    PointList points;
    ReductionResult r = reduce(observation, ReductionOptions(), points);
    EXPECT_TRUE(r.refused());
    ASSERT_EQ(r.stations.size(), 1);
    EXPECT_EQ(r.stations[0].refusal, StationReport::Refusal::NoCoordinates);
    EXPECT_EQ(r.refusedStation, 1);
    EXPECT_EQ(points.pointCount(), 0);

    // A station line with a name only is placed from the known points.
    const QByteArray named = line16({name("K9"), {84, '0', 0}}) + observation;
    r = reduce(named, ReductionOptions(), points);
    EXPECT_TRUE(r.refused()); // 84 without 85 is no place
    ReductionOptions options;
    options.known.insert(QStringLiteral("K9"), {10, 20, 3.0});
    r = reduce(named, options, points);
    EXPECT_FALSE(r.refused());
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).northing, QStringLiteral("30.000"));

    // Asked to orient by a backsight it never observed: refused too.
    options.backsights = {QStringLiteral("Q")};
    r = reduce(named, options, points);
    EXPECT_EQ(r.stations[0].refusal, StationReport::Refusal::NoBacksight);
}

TEST(ObservationReducer, instrumentValuesAreKeptUnlessRecomputeIsAsked)
{
    const QByteArray file = stationLine() +
                            line16({name("P"),
                                    {21, '2', 0},
                                    {32, '0', 10000},
                                    {81, '0', 7000},
                                    {82, '0', 8000},
                                    {83, '0', 9000}}) +
                            // A failed measurement: distance 0, the instrument wrote 0,0,0.
                            line16({name("F"),
                                    {21, '2', 0},
                                    {31, '0', 0},
                                    {22, '2', 10000000},
                                    {81, '0', 0},
                                    {82, '0', 0},
                                    {83, '0', 0}});
    PointList points;
    ReductionResult r = reduce(file, ReductionOptions(), points);
    // The failed one is no point at 0,0 even as the instrument wrote it.
    EXPECT_EQ(r.kept, 1);
    EXPECT_EQ(r.noDistance, 1);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).easting, QStringLiteral("7.000"));
    ReductionOptions options;
    options.recompute = true;
    r = reduce(file, options, points);
    EXPECT_EQ(r.reduced, 1);
    EXPECT_EQ(r.noDistance, 1);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).northing, QStringLiteral("2010.000"));
}

TEST(ObservationReducer, curvatureAndRefractionRaiseFarPoints)
{
    const QByteArray file =
        stationLine() + line16({name("P"), {21, '2', 0}, {32, '0', 1000000}, {33, '0', 0}});
    ReductionOptions options;
    options.curvature = true;
    PointList points;
    reduce(file, options, points);
    ASSERT_EQ(points.pointCount(), 1);
    EXPECT_EQ(points.point(0).elevation, QStringLiteral("101.568")); // + 0.87 HD^2 / 2R
}

TEST(ObservationReducer, otherWordsAreCountedAndBadLinesReported)
{
    const QByteArray file =
        stationLine() +
        line16(
            {name("P"), {21, '2', 0}, {32, '0', 1000}, {51, '.', 17}, {71, '.', 5}, {71, '.', 6}}) +
        line16({name("R"), {21, '9', 0}, {32, '0', 1000}}) + "garbage\r\n" +
        line16({name("C"), {71, '.', 1}});
    PointList points;
    const ReductionResult r = reduce(file, ReductionOptions(), points);
    EXPECT_EQ(r.reduced, 1);
    EXPECT_EQ(r.ignoredWords[51], 1);
    EXPECT_EQ(r.ignoredWords[71], 3);
    EXPECT_EQ(r.unknownUnit, 1);
    EXPECT_EQ(r.notRecord, 1);
    EXPECT_EQ(r.otherLines, 1);
}
