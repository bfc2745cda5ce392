// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/LineScanner.h"
#include "core/survey/GsiObservation.h"
#include "core/survey/ObservationReducer.h"
#include "core/text/AsciiText.h"

#include <QIODevice>
#include <QString>

#include <optional>

// The pieces of a reduction that work on one line at a time.
namespace observation {

// To (-pi, pi].
double wrapped(double a);

// A name block (leading zeros removed) in place, other bytes in the ANSI code page.
void assignName(QString &text, QByteArrayView block);
QString nameOf(QByteArrayView block);
// Metres to the millimetre, a half away from zero, in place.
void assignMetres(QString &text, double metres);

// Horizontal distance and height difference of an observation, with face II
// (a zenith angle beyond 200 gon) turned to face I: Hz and Z as if the
// telescope had been turned back.
struct Measured
{
    enum class Status { Ok, NoHz, NoDistance, NoZenith } status = Status::Ok;
    double hz = 0;
    double hd = 0;
    std::optional<double> dh;
};
Measured measure(const GsiObservationLine &o);

// Some length of the line is in feet.
bool hasFeet(const GsiObservationLine &o);

// A measurement whose distance came back 0, for which the instrument wrote
// its point at 0,0: no point at all, however it was written.
bool isFailedMeasurement(const GsiObservationLine &o);

// A backsight observed from a station: its Hz turned to face I, and its
// horizontal distance when one was measured.
struct Sighting
{
    qsizetype station;
    QString name;
    double hz;
    std::optional<double> hd;
};

// The station's orientation as the mean of its backsights' and each one's
// residual and offset at the target.
void orientByMean(StationReport &s);

// Counts stations the same way in both passes: one for each station line,
// and one for observations that come before any.
class StationCounter
{
public:
    qsizetype onStation() { return ++m_index; }
    qsizetype onObservation() { return m_index < 0 ? ++m_index : m_index; }
    qsizetype current() const { return m_index; }

private:
    qsizetype m_index = -1;
};

template <typename OnLine>
bool forEachLine(QIODevice &device, QString *error, qsizetype *ignored, OnLine &&onLine)
{
    LineScanner lines(device, GsiReader::kMaxLine, true);
    QByteArrayView line;
    GsiObservationLine obs;
    bool first = true;
    while (lines.next(line)) {
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        first = false;
        const GsiObservationLine::Kind kind = line.size() >= GsiReader::kMaxLine
                                                  ? GsiObservationLine::Kind::NotRecord
                                                  : GsiObservationLine::decode(line, obs, ignored);
        onLine(kind, obs, lines.lineNumber());
    }
    if (lines.failed()) {
        *error = device.errorString();
        return false;
    }
    return true;
}

} // namespace observation
