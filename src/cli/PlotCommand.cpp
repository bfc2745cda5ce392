// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/CsvReader.h"
#include "core/pcfiles/FileCommit.h"
#include "plot/PlotPicture.h"
#include "plot/PlotPoints.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

const char kUsage[] =
    "Usage: rqtcom-cli plot INPUT OUTPUT.png|OUTPUT.svg [--size WxH] [--labels]\n"
    "\n"
    "Draws the points of the coordinate file INPUT (any format convert reads) as\n"
    "a plan: north up, one scale for both axes, a cross per point, a scale bar.\n"
    "Points without coordinates are counted in a corner, never drawn at 0,0.\n"
    "\n"
    "  --size WxH       picture size in pixels (default 1200x900)\n"
    "  --labels         write each point's name beside it where it fits\n"
    "  --elevations     write the elevation after the name (implies --labels)\n"
    "  --columns ORDER  column order of a CSV INPUT without a header (default PENZD)\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 done, 1 unreadable INPUT or picture not written, 2 usage error.\n";

constexpr int kMaxSide = 20000;

bool parseSize(const QString &text, QSize *size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const int w = match.captured(1).toInt();
    const int h = match.captured(2).toInt();
    if (w < 16 || h < 16 || w > kMaxSide || h > kMaxSide)
        return false;
    *size = QSize(w, h);
    return true;
}

} // namespace

int cli::runPlot(const QStringList &args)
{
    QStringList files;
    QSize size(1200, 900);
    PlanStyle style;
    style.labels = false;
    QString columns;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            printOut(QString::fromLatin1(kUsage));
            return kExitOk;
        }
        if (arg == QLatin1String("--labels")) {
            style.labels = true;
        } else if (arg == QLatin1String("--elevations")) {
            style.labels = style.elevations = true;
        } else if (arg == QLatin1String("--size") || arg == QLatin1String("--columns")) {
            if (i + 1 >= args.size()) {
                printError(QStringLiteral("plot: %1 needs a value (try --help)").arg(arg));
                return kExitUsage;
            }
            const QString value = args.at(++i);
            if (arg == QLatin1String("--columns")) {
                columns = value;
            } else if (!parseSize(value, &size)) {
                printError(QStringLiteral("plot: --size wants WIDTHxHEIGHT between 16 and %1, "
                                          "not '%2'")
                               .arg(kMaxSide)
                               .arg(value));
                return kExitUsage;
            }
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            printError(QStringLiteral("plot: unknown option '%1' (try --help)").arg(arg));
            return kExitUsage;
        } else {
            files << arg;
        }
    }
    if (files.size() != 2) {
        printError(QStringLiteral("plot: needs INPUT and OUTPUT (try --help)"));
        return kExitUsage;
    }
    const QString &input = files.at(0);
    const QString &output = files.at(1);
    const QString kind = CoordFileIo::extensionOf(output).toLower();
    if (kind != QLatin1String("png") && kind != QLatin1String("svg")) {
        printError(QStringLiteral("plot: OUTPUT must end in .png or .svg: %1").arg(output));
        return kExitUsage;
    }
    if (kind == QLatin1String("svg") && !PlotPicture::svgAvailable()) {
        printError(QStringLiteral("plot: this build writes PNG pictures only"));
        return kExitFailure;
    }
    QString columnsError;
    if (!columns.isEmpty() && !CsvReader::validColumns(columns, &columnsError)) {
        printError(QStringLiteral("plot: --columns %1: %2").arg(columns, columnsError));
        return kExitUsage;
    }
    if (!QFileInfo(input).isFile()) {
        printError(QStringLiteral("%1: no such file").arg(input));
        return kExitFailure;
    }

    PlotPoints points(style.labels);
    CoordReadOptions options;
    options.csvColumns = columns;
    const CoordReadResult read = CoordFileIo::open(input, points, options);
    if (!read.ok()) {
        printError(QStringLiteral("%1: %2").arg(input, read.error));
        return kExitFailure;
    }
    const qsizetype unlocated = points.size() - points.locatedCount();
    if (unlocated > 0)
        style.note =
            QStringLiteral("%1 of %2 points without coordinates").arg(unlocated).arg(points.size());

    if (kind == QLatin1String("svg")) {
        QString error;
        if (!PlotPicture::writeSvg(output, points, size, style, &error)) {
            printError(QStringLiteral("%1: %2").arg(output, error));
            return kExitFailure;
        }
    } else {
        const QImage picture = PlotPicture::image(points, size, style);
        QSaveFile file(output);
        QImageWriter writer(&file, "png");
        // Fast compression: a million-point plan is written in a blink, a
        // little larger.
        writer.setCompression(1);
        QString reason;
        if (!FileCommit::open(file, &reason)) {
            printError(QStringLiteral("%1: %2").arg(output, reason));
            return kExitFailure;
        }
        if (!writer.write(picture)) {
            FileCommit::cancel(file);
            printError(QStringLiteral("%1: %2").arg(output, writer.errorString()));
            return kExitFailure;
        }
        if (!FileCommit::commit(file, &reason)) {
            printError(QStringLiteral("%1: %2").arg(output, reason));
            return kExitFailure;
        }
    }
    printOut(QStringLiteral("%1 points drawn to %2").arg(points.locatedCount()).arg(output) +
             (unlocated ? QStringLiteral("; %1 without coordinates\n").arg(unlocated)
                        : QStringLiteral("\n")));
    return kExitOk;
}
