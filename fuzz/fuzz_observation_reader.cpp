// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the observation reader and the reduction: neither
// may crash, hang or read outside the line, every point handed on must be a
// number or empty in each coordinate, and the counts must agree with what
// was handed on.
#include "core/coordfiles/GsiReader.h"
#include "core/coordfiles/PointRecord.h"
#include "core/survey/GsiObservation.h"
#include "core/survey/ObservationReducer.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

bool isNumberText(const QString &text)
{
    if (text.isEmpty())
        return true;
    qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('.') && !point)
            point = true;
        else if (text[i].isDigit())
            digit = true;
        else
            return false;
    }
    return point && digit;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the options, the rest is the file.
    const uint8_t choice = data[0];
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    ReductionOptions options;
    options.recompute = choice & 1;
    options.curvature = choice & 2;
    if (choice & 4) {
        options.first.easting = 1000.0;
        options.first.northing = 2000.0;
        options.first.elevation = 10.0;
    }
    if (choice & 8)
        options.first.orientation = 123.4567;
    if (choice & 16)
        options.backsights = {QStringLiteral("1"), QStringLiteral("A")};
    if (choice & 32)
        options.known.insert(QStringLiteral("1"), {10.0, 20.0, std::nullopt});
    if (choice & 64)
        options.first.name = QStringLiteral("A");
    {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        PointList points;
        const ReductionResult r = ObservationReducer::reduce(in, options, points);
        if (r.written != points.pointCount() || r.written != r.reduced + r.kept)
            __builtin_trap();
        if (r.reduced > r.observations)
            __builtin_trap();
        for (const PointRecord &p : points.points()) {
            if (!isNumberText(p.easting) || !isNumberText(p.northing) || !isNumberText(p.elevation))
                __builtin_trap();
        }
        for (const StationReport &s : r.stations) {
            if (s.refusal != StationReport::Refusal::None && s.reduced != 0)
                __builtin_trap();
        }
    }
    // Line by line: the shared word walk gives both readers the same verdict.
    for (const QByteArray &line : bytes.split('\n')) {
        GsiPointLine point;
        GsiObservationLine obs;
        qsizetype ignored[100] = {};
        const GsiPointLine::Kind pointKind = GsiPointLine::decode(line, point);
        const GsiObservationLine::Kind obsKind = GsiObservationLine::decode(line, obs, ignored);
        if ((pointKind == GsiPointLine::Kind::Blank) !=
            (obsKind == GsiObservationLine::Kind::Blank))
            __builtin_trap();
        if (pointKind == GsiPointLine::Kind::NotRecord &&
            obsKind != GsiObservationLine::Kind::NotRecord)
            __builtin_trap();
        if (obsKind == GsiObservationLine::Kind::Coordinates &&
            pointKind != GsiPointLine::Kind::Point)
            __builtin_trap();
    }
    return 0;
}
