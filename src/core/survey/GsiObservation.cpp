// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/GsiObservation.h"

#include "core/coordfiles/GsiWord.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFoot = 0.3048; // the international foot
constexpr double kLargestCount = 1e16;
constexpr double kScale[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// Radians in one unit of each kind.
double radiansPer(AngleUnit unit)
{
    switch (unit) {
    case AngleUnit::Gon:
        return kPi / 200.0;
    case AngleUnit::Degrees:
    case AngleUnit::Dms:
        return kPi / 180.0;
    case AngleUnit::Mil:
        return kPi / 3200.0;
    case AngleUnit::Unknown:
        break;
    }
    return 0;
}

enum class LengthRead { Ok, UnknownUnit, TooLarge };

LengthRead readLength(QByteArrayView word, GsiLength &length)
{
    const gsi::GsiUnit unit = gsi::unitOf(word[5]);
    if (!unit.known)
        return LengthRead::UnknownUnit;
    const QByteArrayView block = word.sliced(gsi::kWordInfoLength);
    length = GsiLength();
    if (gsi::isNoValue(block))
        return LengthRead::Ok;
    const double count = gsi::decodeMillimetres(word[6], block);
    if (!(std::fabs(count) < kLargestCount))
        return LengthRead::TooLarge;
    length.present = true;
    length.feet = unit.feet;
    length.metres = count / kScale[unit.decimals] * (unit.feet ? kFoot : 1.0);
    return LengthRead::Ok;
}

// Which word indexes a line held, the first of each being the one read.
class SeenWords
{
public:
    bool first(int index)
    {
        std::uint64_t &word = index < 64 ? m_low : m_high;
        const std::uint64_t bit = std::uint64_t(1) << (index % 64);
        const bool isFirst = !(word & bit);
        word |= bit;
        return isFirst;
    }
    bool has(int index) const { return ((index < 64 ? m_low : m_high) >> (index % 64)) & 1; }

private:
    std::uint64_t m_low = 0;
    std::uint64_t m_high = 0;
};

} // namespace

namespace gsi {

AngleUnit angleUnitOf(char unitDigit)
{
    switch (unitDigit) {
    case '2':
        return AngleUnit::Gon;
    case '3':
        return AngleUnit::Degrees;
    case '4':
        return AngleUnit::Dms;
    case '5':
        return AngleUnit::Mil;
    default:
        return AngleUnit::Unknown;
    }
}

double angleFromCount(double count, AngleUnit unit)
{
    switch (unit) {
    case AngleUnit::Gon:
    case AngleUnit::Degrees:
        return count / 1e5 * radiansPer(unit);
    case AngleUnit::Mil:
        return count / 1e4 * radiansPer(unit);
    case AngleUnit::Dms: {
        const bool negative = count < 0;
        const double c = std::fabs(count);
        const double degrees = std::floor(c / 1e5);
        const double minutes = std::floor(std::fmod(c, 1e5) / 1e3);
        const double seconds = std::fmod(c, 1e3) / 10.0;
        const double value = degrees + minutes / 60.0 + seconds / 3600.0;
        return (negative ? -value : value) * radiansPer(unit);
    }
    case AngleUnit::Unknown:
        break;
    }
    return 0;
}

double angleToUnit(double radians, AngleUnit unit)
{
    if (unit == AngleUnit::Unknown)
        return radians;
    const double value = radians / radiansPer(unit);
    if (unit != AngleUnit::Dms)
        return value;
    // ddd.mmsss: round at a tenth of a second first, so 59.99" does not show as 60.
    const bool negative = value < 0;
    double tenths = std::nearbyint(std::fabs(value) * 36000.0);
    const double degrees = std::floor(tenths / 36000.0);
    tenths -= degrees * 36000.0;
    const double minutes = std::floor(tenths / 600.0);
    const double seconds = (tenths - minutes * 600.0) / 10.0;
    const double packed = degrees + minutes / 100.0 + seconds / 10000.0;
    return negative ? -packed : packed;
}

double angleFromUnit(double value, AngleUnit unit)
{
    if (unit == AngleUnit::Unknown)
        return value;
    if (unit != AngleUnit::Dms)
        return value * radiansPer(unit);
    const bool negative = value < 0;
    const double v = std::fabs(value);
    const double degrees = std::floor(v);
    // The packed digits read as decimals: 12.3045 is 12 degrees 30 minutes 45 seconds.
    const double rest = std::nearbyint((v - degrees) * 1e5); // mmsss
    const double minutes = std::floor(rest / 1e3);
    const double seconds = (rest - minutes * 1e3) / 10.0;
    const double d = degrees + minutes / 60.0 + seconds / 3600.0;
    return (negative ? -d : d) * radiansPer(unit);
}

QString angleUnitName(AngleUnit unit)
{
    switch (unit) {
    case AngleUnit::Gon:
        return QStringLiteral("gon");
    case AngleUnit::Degrees:
        return QStringLiteral("deg");
    case AngleUnit::Dms:
        return QStringLiteral("dms");
    case AngleUnit::Mil:
        return QStringLiteral("mil");
    case AngleUnit::Unknown:
        break;
    }
    return QStringLiteral("rad");
}

QString angleText(double radians, AngleUnit unit)
{
    const AngleUnit shown = unit == AngleUnit::Unknown ? AngleUnit::Gon : unit;
    return QStringLiteral("%1 %2")
        .arg(angleToUnit(radians, shown), 0, 'f', shown == AngleUnit::Mil ? 4 : 5)
        .arg(angleUnitName(shown));
}

QString directionText(double radians, AngleUnit unit)
{
    const double circle = 2 * 3.14159265358979323846;
    return angleText(std::fmod(std::fmod(radians, circle) + circle, circle), unit);
}

} // namespace gsi

GsiObservationLine::Kind GsiObservationLine::decode(QByteArrayView line, GsiObservationLine &out,
                                                    qsizetype *ignored)
{
    if (gsi::isBlankText(line))
        return Kind::Blank;
    out = GsiObservationLine();
    SeenWords seen; // the first word of each index counts, as in coordinate lines
    bool unknownUnit = false;
    const bool words = gsi::forEachWord(line, [&](int index, QByteArrayView word) {
        const QByteArrayView block = word.sliced(gsi::kWordInfoLength);
        switch (index) {
        case 11:
            if (seen.first(index))
                out.name = block;
            return true;
        case 21:
        case 22: {
            if (!seen.first(index))
                return true;
            const AngleUnit unit = gsi::angleUnitOf(word[5]);
            if (unit == AngleUnit::Unknown) {
                unknownUnit = true;
                return true;
            }
            if (gsi::isNoValue(block))
                return true;
            const double count = gsi::decodeMillimetres(word[6], block);
            if (!(std::fabs(count) < kLargestCount))
                return false;
            const double radians = gsi::angleFromCount(count, unit);
            if (index == 21) {
                out.hasHz = true;
                out.hz = radians;
                out.hzUnit = unit;
            } else {
                out.hasZenith = true;
                out.zenith = radians;
            }
            return true;
        }
        case 31:
        case 32:
        case 33:
        case 84:
        case 85:
        case 86:
        case 87:
        case 88: {
            if (!seen.first(index))
                return true;
            GsiLength *const target[] = {&out.slope,        &out.horizontal,      &out.heightDiff,
                                         &out.station[0],   &out.station[1],      &out.station[2],
                                         &out.targetHeight, &out.instrumentHeight};
            GsiLength &length = *target[index <= 33 ? index - 31 : index - 84 + 3];
            const LengthRead read = readLength(word, length);
            unknownUnit = unknownUnit || read == LengthRead::UnknownUnit;
            return read != LengthRead::TooLarge;
        }
        case 81:
        case 82:
        case 83:
            if (seen.first(index)) {
                out.coordinate[index - 81] = GsiValue::fromWord(word);
                if (!(std::fabs(out.coordinate[index - 81].count) < kLargestCount))
                    return false;
                if (!out.coordinate[index - 81].unit.known)
                    unknownUnit = true;
            }
            return true;
        default:
            if (ignored && index < 100)
                ++ignored[index];
            return true;
        }
    });
    if (!words)
        return Kind::NotRecord;
    if (unknownUnit)
        return Kind::UnknownUnit;
    // A word with the empty value still gives the line its kind: a station
    // without coordinates, an observation without its angle or distance, to
    // be reported as such.
    if (seen.has(84) || seen.has(85) || seen.has(86))
        return Kind::Station;
    if (seen.has(21) || seen.has(22) || seen.has(31) || seen.has(32))
        return Kind::Observation;
    if (out.hasCoordinates())
        return Kind::Coordinates;
    return Kind::Other;
}
