// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "core/dxf/GsiToDxf.h"

#include <QFileInfo>

namespace {

const char kUsage[] = "Usage: rqtcom-cli gsi2dxf INPUT OUTPUT [--layers] [--overwrite]\n"
                      "\n"
                      "Writes the points of the GSI-16 or GSI-8 coordinate file INPUT as a DXF\n"
                      "drawing OUTPUT: one point and one label (name and elevation) per point.\n"
                      "Every line holding words 81 and 82 is a point, whatever the extension;\n"
                      "other lines are skipped and counted on standard error. A file without a\n"
                      "point is refused and nothing is written. OUTPUT is replaced only when\n"
                      "the drawing is complete.\n"
                      "\n"
                      "  --layers     points, name labels and elevation labels on the layers\n"
                      "               POINT, NAME and ELEVATION, the labels beside their point\n"
                      "  --overwrite  replace an existing OUTPUT\n"
                      "\n"
                      "Exit status: 0 done, 1 unreadable INPUT, no point, OUTPUT exists or file\n"
                      "error, 2 usage error.\n";

} // namespace

int cli::runGsi2Dxf(const QStringList &args)
{
    QStringList files;
    bool optionsEnd = false;
    GsiToDxf::Layout layout = GsiToDxf::Layout::Classic;
    bool overwrite = false;
    for (const QString &arg : args) {
        if (!optionsEnd && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            printOut(QString::fromLatin1(kUsage));
            return kExitOk;
        }
        if (!optionsEnd && arg == QLatin1String("--layers")) {
            layout = GsiToDxf::Layout::Layered;
            continue;
        }
        if (!optionsEnd && arg == QLatin1String("--")) {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && arg == QLatin1String("--overwrite")) {
            overwrite = true;
            continue;
        }
        if (!optionsEnd && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            printError(QStringLiteral("gsi2dxf: unknown option '%1' (try --help)").arg(arg));
            return kExitUsage;
        }
        files.append(arg);
    }
    if (files.size() != 2) {
        printError(QStringLiteral("gsi2dxf needs INPUT and OUTPUT (try --help)"));
        return kExitUsage;
    }
    const QString &input = files[0];
    const QString &output = files[1];
    if (GsiToDxf::isSameFile(input, output)) {
        printError(QStringLiteral("gsi2dxf: OUTPUT is INPUT itself: %1").arg(output));
        return kExitFailure;
    }
    if (!overwrite && QFileInfo::exists(output)) {
        printError(
            QStringLiteral("gsi2dxf: %1 exists; give --overwrite to replace it").arg(output));
        return kExitFailure;
    }
    const GsiToDxfResult result =
        GsiToDxf::convert(input, output, GsiToDxf::MissingInput::Refuse, layout);
    if (!result.ok) {
        printError(QStringLiteral("gsi2dxf: %1").arg(result.error));
        return kExitFailure;
    }
    if (result.read.skipped.total() > 0)
        printError(QStringLiteral("note: %1: %2").arg(input, result.read.skipped.describe()));
    if (result.read.feet) {
        printError(QStringLiteral("note: %1 is in feet; the drawing keeps its numbers as they "
                                  "are")
                       .arg(input));
    }
    printOut(GsiToDxf::doneMessage(result.points) + QLatin1Char('\n'));
    return kExitOk;
}
