// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ReduceReport.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/GsiLossCheck.h"
#include "core/coordfiles/PointStreamWriter.h"
#include "core/pcfiles/FileCommit.h"
#include "core/survey/ObservationReducer.h"

#include <QSaveFile>

#include <cmath>
#include <memory>
#include <optional>

namespace {

const char kReduceUsage[] =
    "Usage: rqtcom-cli reduce OBS OUT [--station E,N[,H] | --station NAME]\n"
    "                         [--instrument-height M]\n"
    "                         [--orientation ANGLE | --backsight NAME...] [--known FILE]\n"
    "                         [--curvature [K]] [--recompute] [--to FORMAT] [--crs EPSG:N]\n"
    "                         [--overwrite] [--allow-loss]\n"
    "\n"
    "Turns the observations of a GSI file (Hz 21, zenith 22, slope distance 31 or\n"
    "horizontal distance 32 with height difference 33, target height 87) into\n"
    "coordinates and writes them to OUT in the format of its extension, as convert\n"
    "does. Each station line (84/85/86, its name 11, instrument height 88) starts a\n"
    "station; the observations after it are reduced from it. Lines that already\n"
    "carry the instrument's coordinates (81/82/83) are written as they are.\n"
    "Lengths in feet are converted: OUT is in metres.\n"
    "\n"
    "The options describe the first station (the one of the first observation) and\n"
    "win over its station line; later stations are taken as their lines say.\n"
    "  --station E,N[,H]      the station's easting, northing and height (metres)\n"
    "  --station NAME         the station's coordinates from --known or from OBS's\n"
    "                         own coordinate lines\n"
    "  --instrument-height M  height of the instrument above the station\n"
    "  --orientation ANGLE    added to every Hz to give the azimuth, in the unit of\n"
    "                         the file's Hz words (gon, degrees, ddd.mmss for DMS\n"
    "                         files, mil), or with the unit written after it:\n"
    "                         100gon, 90deg, 90.3015dms, 1600mil\n"
    "  --backsight NAME       orient every station by the known points it observed\n"
    "                         (repeat the option or separate names by commas): the\n"
    "                         mean of their orientations; each one's residual (its\n"
    "                         own orientation minus the mean, and that as metres\n"
    "                         sideways at the target) is printed\n"
    "  --known FILE           coordinates of backsights and stations by name, in any\n"
    "                         coordinate file rqtcom reads\n"
    "  --curvature [K]        correct heights for earth curvature and refraction\n"
    "                         (coefficient K, default 0.13)\n"
    "  --recompute            reduce lines with 81/82/83 too instead of keeping them\n"
    "  --to <%1>\n"
    "                         format of OUT; by default from its extension\n"
    "  --crs EPSG:N           the points' coordinate system, for GeoJSON and KML\n"
    "  --overwrite            replace an existing OUT\n"
    "  --allow-loss           write a GSI OUT that loses data anyway\n"
    "Without --orientation or --backsight the circle is taken as oriented on the\n"
    "instrument: Hz is the azimuth.\n"
    "\n"
    "Exit status: 0 done, 1 no observations, a station without coordinates or\n"
    "orientation, or a file error (nothing written), 2 usage error.\n";

bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

bool parseOrientation(QString text, StationSetup &setup)
{
    static const struct
    {
        const char *suffix;
        AngleUnit unit;
    } kSuffixes[] = {{"gon", AngleUnit::Gon},
                     {"deg", AngleUnit::Degrees},
                     {"dms", AngleUnit::Dms},
                     {"mil", AngleUnit::Mil}};
    text = text.trimmed();
    for (const auto &s : kSuffixes) {
        if (text.endsWith(QLatin1String(s.suffix))) {
            setup.orientationUnit = s.unit;
            text.chop(3);
            break;
        }
    }
    double value = 0;
    if (!parseNumber(text, &value))
        return false;
    setup.orientation = value;
    return true;
}

bool parseStation(const QString &text, StationSetup &setup)
{
    const QStringList parts = text.split(QLatin1Char(','));
    double values[3] = {};
    bool numbers = parts.size() == 2 || parts.size() == 3;
    for (int i = 0; numbers && i < parts.size(); ++i)
        numbers = parseNumber(parts.at(i), &values[i]);
    if (numbers) {
        setup.easting = values[0];
        setup.northing = values[1];
        if (parts.size() == 3)
            setup.elevation = values[2];
        return true;
    }
    if (text.trimmed().isEmpty() || text.contains(QLatin1Char(',')))
        return false;
    setup.name = text.trimmed();
    return true;
}

// Checks each point for what a GSI OUT would lose before it goes on.
class CheckedSink : public PointSink
{
public:
    CheckedSink(PointSink &next, std::optional<GsiVariant> limits)
        : m_next(next), m_gsi(limits.has_value()), m_check(limits.value_or(GsiVariant::Gsi16))
    {
    }
    void clear() override { m_next.clear(); }
    void append(const PointRecord &point) override
    {
        if (m_gsi)
            m_check.add(m_row++, point);
        m_next.append(point);
    }
    const GsiLossCheck &loss() const { return m_check; }

private:
    PointSink &m_next;
    bool m_gsi;
    GsiLossCheck m_check;
    qsizetype m_row = 0;
};

} // namespace

int cli::runReduce(const QStringList &args)
{
    QStringList positional;
    ReductionOptions options;
    QString to;
    QString crs;
    QString knownPath;
    bool overwrite = false;
    bool allowLoss = false;
    const auto usage = [](const QString &message) {
        printError(QStringLiteral("reduce: %1 (try --help)").arg(message));
        return kExitUsage;
    };
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        QString value;
        bool hasValue = false;
        const int equals = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && equals > 0) {
            value = arg.mid(equals + 1);
            arg = arg.left(equals);
            hasValue = true;
        }
        const auto takeValue = [&]() {
            if (hasValue)
                return true;
            if (i + 1 >= args.size())
                return false;
            value = args.at(++i);
            return true;
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            printOut(QString::fromLatin1(kReduceUsage).arg(formatChoices()));
            return kExitOk;
        } else if (arg == QLatin1String("--station")) {
            if (!takeValue() || !parseStation(value, options.first))
                return usage(QStringLiteral("--station wants E,N,H, E,N or a point name"));
        } else if (arg == QLatin1String("--instrument-height")) {
            double h = 0;
            if (!takeValue() || !parseNumber(value, &h))
                return usage(QStringLiteral("--instrument-height wants metres"));
            options.first.instrumentHeight = h;
        } else if (arg == QLatin1String("--orientation")) {
            if (!takeValue() || !parseOrientation(value, options.first))
                return usage(QStringLiteral("--orientation wants an angle, such as 123.4567 or "
                                            "100gon"));
        } else if (arg == QLatin1String("--backsight")) {
            if (!takeValue())
                return usage(QStringLiteral("--backsight needs a point name"));
            for (const QString &name : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
                options.backsights << name.trimmed();
        } else if (arg == QLatin1String("--known") || arg == QLatin1String("--to") ||
                   arg == QLatin1String("--crs")) {
            if (!takeValue())
                return usage(QStringLiteral("%1 needs a value").arg(arg));
            (arg == QLatin1String("--known") ? knownPath
             : arg == QLatin1String("--to")  ? to
                                             : crs) = value;
        } else if (arg == QLatin1String("--curvature")) {
            options.curvature = true;
            double k = 0;
            if (hasValue) {
                if (!parseNumber(value, &k))
                    return usage(QStringLiteral("--curvature wants a coefficient such as 0.13"));
                options.refraction = k;
            } else if (i + 1 < args.size() && parseNumber(args.at(i + 1), &k)) {
                options.refraction = k;
                ++i;
            }
        } else if (arg == QLatin1String("--recompute") && !hasValue) {
            options.recompute = true;
        } else if (arg == QLatin1String("--overwrite") && !hasValue) {
            overwrite = true;
        } else if (arg == QLatin1String("--allow-loss") && !hasValue) {
            allowLoss = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usage(QStringLiteral("unknown option '%1'").arg(args.at(i)));
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2)
        return usage(QStringLiteral("needs OBS and OUT"));
    if (options.first.orientation && !options.backsights.isEmpty())
        return usage(QStringLiteral("--orientation and --backsight exclude each other"));
    const QString input = positional.at(0);
    const QString output = positional.at(1);
    CoordFormat format = CoordFormat::None;
    QString usageError;
    if (!outputFormatOf(to, crs, output, &format, &usageError))
        return usage(usageError);
    if (!inputAndOutputAreSafe(input, output, overwrite, QStringLiteral("OUT is OBS"), format, crs))
        return kExitFailure;
    if (!knownPath.isEmpty()) {
        QString error;
        if (!options.known.load(knownPath, &error)) {
            printError(QStringLiteral("%1: %2").arg(knownPath, error));
            return kExitFailure;
        }
    }

    QSaveFile file(output);
    QString reason;
    if (!FileCommit::open(file, &reason)) {
        printError(QStringLiteral("%1: %2").arg(output, reason));
        return kExitFailure;
    }
    const std::unique_ptr<PointStreamWriter> stream = PointStreamWriter::create(file, format, true);
    PointList held; // formats written from a whole list only
    CheckedSink sink(stream ? static_cast<PointSink &>(*stream) : held,
                     FormatTable::find(format)->gsiLimits);
    const ReductionResult r = ObservationReducer::reduce(input, options, sink);
    QString error;
    if (!r.opened || !r.error.isEmpty()) {
        error = QStringLiteral("%1: %2").arg(input, r.error);
    } else {
        cli::reportReductionCounts(input, r);
        cli::reportReductionStations(r, options);
        if (r.observations == 0)
            error = QStringLiteral("%1 holds no observations; nothing written").arg(input);
        else if (r.refused())
            error = QStringLiteral("%1: not written, a station could not be set up").arg(output);
        else if (sink.loss().count() > 0 && !allowLoss)
            error = QStringLiteral("%1: %2 points would lose data as %3; nothing written "
                                   "(--allow-loss writes it anyway):\n%4")
                        .arg(output)
                        .arg(sink.loss().count())
                        .arg(CoordFileIo::formatName(format), sink.loss().summary(10));
    }
    qsizetype written = 0;
    if (error.isEmpty() && stream) {
        if (!stream->finish())
            error = QStringLiteral("%1: %2").arg(output, FileCommit::reasonOf(file));
        written = stream->count();
    } else if (error.isEmpty()) {
        CoordWriteOptions writeOptions;
        writeOptions.gsiRangeRule = true;
        writeOptions.crs = crs;
        const CoordWriteResult w = CoordFileIo::write(file, format, held, writeOptions);
        if (!w.ok())
            error = QStringLiteral("%1: %2").arg(output, w.error);
        written = w.pointCount;
    }
    if (error.isEmpty() && !FileCommit::commit(file, &reason))
        error = QStringLiteral("%1: %2").arg(output, reason);
    if (!error.isEmpty()) {
        FileCommit::cancel(file);
        printError(error);
        return kExitFailure;
    }
    printOut(QStringLiteral("%1 points written to %2 as %3\n")
                 .arg(written)
                 .arg(output, CoordFileIo::formatName(format)));
    return kExitOk;
}
