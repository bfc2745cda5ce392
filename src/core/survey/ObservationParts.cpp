// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/ObservationParts.h"

#include "core/coordfiles/GsiWord.h"
#include "core/text/AsciiText.h"
#include "core/text/CodePage.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

namespace observation {

double wrapped(double a)
{
    a = std::remainder(a, 2 * kPi);
    return a <= -kPi ? a + 2 * kPi : a;
}

void assignName(QString &text, QByteArrayView block)
{
    const QByteArrayView name = gsi::stripLeadingZeros(block);
    if (!assignAscii(text, name))
        text = CodePage::ansi().decode(name);
}

QString nameOf(QByteArrayView block)
{
    QString text;
    assignName(text, block);
    return text;
}

void assignMetres(QString &text, double metres)
{
    char buffer[48];
    assignAscii(text,
                QByteArrayView(buffer, gsi::formatMetres(std::round(metres * 1000), 3, buffer)));
}

Measured measure(const GsiObservationLine &o)
{
    Measured m;
    if (!o.hasHz) {
        m.status = Measured::Status::NoHz;
        return m;
    }
    m.hz = o.hz;
    double zenith = o.zenith;
    if (o.hasZenith && std::remainder(zenith, 2 * kPi) < 0) {
        zenith = 2 * kPi - std::fmod(zenith + 2 * kPi, 2 * kPi);
        m.hz += kPi;
    }
    if (o.slope.present && o.slope.metres > 0) {
        if (!o.hasZenith) {
            m.status = Measured::Status::NoZenith;
            return m;
        }
        m.hd = o.slope.metres * std::sin(zenith);
        m.dh = o.slope.metres * std::cos(zenith);
    } else if (o.horizontal.present && o.horizontal.metres > 0) {
        m.hd = o.horizontal.metres;
        if (o.heightDiff.present)
            m.dh = o.heightDiff.metres;
        else if (o.hasZenith && std::sin(zenith) != 0)
            m.dh = m.hd * std::cos(zenith) / std::sin(zenith);
    } else {
        m.status = Measured::Status::NoDistance;
    }
    return m;
}

bool hasFeet(const GsiObservationLine &o)
{
    for (const GsiLength *l : {&o.slope, &o.horizontal, &o.heightDiff, &o.station[0], &o.station[1],
                               &o.station[2], &o.targetHeight, &o.instrumentHeight}) {
        if (l->present && l->feet)
            return true;
    }
    for (const GsiValue &v : o.coordinate) {
        if (v.present && v.unit.feet)
            return true;
    }
    return false;
}

bool isFailedMeasurement(const GsiObservationLine &o)
{
    const bool distanceWord = o.slope.present || o.horizontal.present;
    const bool zero = !(o.slope.present && o.slope.metres != 0) &&
                      !(o.horizontal.present && o.horizontal.metres != 0);
    return distanceWord && zero && o.coordinate[0].count == 0 && o.coordinate[1].count == 0;
}

void orientByMean(StationReport &s)
{
    // The mean of the differences from the first, so 399.99 and 0.01 gon average to 0.
    const double base = s.backsights.first().orientation;
    double sum = 0;
    for (const BacksightCheck &c : std::as_const(s.backsights))
        sum += wrapped(c.orientation - base);
    s.orientation = wrapped(base + sum / s.backsights.size());
    for (BacksightCheck &c : s.backsights) {
        c.residual = wrapped(c.orientation - s.orientation);
        c.offset = c.residual * c.distance;
    }
    s.orientationSource = StationReport::OrientationSource::Backsights;
}

} // namespace observation
