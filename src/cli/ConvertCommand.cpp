// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/coordfiles/CsvReader.h"
#include "core/coordfiles/GsiLossCheck.h"
#include "core/coordfiles/PointStreamWriter.h"
#include "core/pcfiles/FileCommit.h"

#include <QSaveFile>

#include <memory>

namespace {

QString convertUsage()
{
    return QStringLiteral(
               "Usage: rqtcom-cli convert INPUT OUTPUT [--to FORMAT] [--columns PENZD] [--crs "
               "EPSG:N]\n"
               "                          [--overwrite] [--allow-loss]\n"
               "\n"
               "Reads INPUT as the editor's Open does, the format by its extension in any\n"
               "case (%1), and writes OUTPUT as Save as does.\n"
               "A GSI OUTPUT that would lose data (a value outside the format's range, written\n"
               "as 0, or a name longer than the name block, cut) is refused and nothing is\n"
               "written, unless --allow-loss is given.\n"
               "\n"
               "  --to <%2>\n"
               "                   format of OUTPUT (xml is LandXML); by default from\n"
               "                   OUTPUT's extension (gsi means gsi16)\n"
               "  --columns ORDER  column order of a CSV INPUT without a header, letters of\n"
               "                   P name, N north, E east, Z elevation, D code, - skipped\n"
               "                   (default PENZD); a header line always decides\n"
               "  --crs EPSG:N     projected coordinate system of the points, needed for\n"
               "                   GeoJSON and KML, which are written in WGS 84 degrees\n"
               "  --overwrite      replace an existing OUTPUT\n"
               "  --allow-loss     write a lossy GSI OUTPUT anyway; the rows are listed\n"
               "  --help           show this text\n"
               "\n"
               "Exit status: 0 done, 1 refused or failed (nothing written), 2 usage error.\n")
        .arg(cli::readableExtensionsText(QStringLiteral(", ")), cli::formatChoices());
}

QString unknownInputMessage(const QString &input, const QString &extension)
{
    if (CoordFileIo::formatForExtension(extension) != CoordFormat::None)
        return QStringLiteral("%1: %2 files are written, not read").arg(input, extension);
    return QStringLiteral("%1: extension \"%2\" names no coordinate format (%3)")
        .arg(input, extension, cli::readableExtensionsText());
}

// Counts, point by point, what a GSI output would lose.
class LossCheckSink : public PointSink
{
public:
    explicit LossCheckSink(GsiVariant variant) : m_check(variant) {}
    void clear() override { m_row = 0; }
    void append(const PointRecord &point) override { m_check.add(m_row++, point); }

    GsiLossCheck m_check;

private:
    qsizetype m_row = 0;
};

// Reads input and writes output point by point where the format allows, so a
// file of any size converts in the same memory; output is replaced only when
// complete. Returns the points written; *error says why nothing was.
qsizetype writeConverted(const QString &input, const CoordReadOptions &readOptions,
                         const QString &output, CoordFormat format,
                         const CoordWriteOptions &writeOptions, CoordReadResult *read,
                         QString *error)
{
    QSaveFile file(output);
    QString reason;
    if (!FileCommit::open(file, &reason)) {
        *error = QStringLiteral("%1: %2").arg(output, reason);
        return 0;
    }
    const std::unique_ptr<PointStreamWriter> writer =
        PointStreamWriter::create(file, format, writeOptions.gsiRangeRule);
    qsizetype count = 0;
    if (writer) {
        *read = CoordFileIo::open(input, *writer, readOptions);
        if (!read->ok()) {
            *error = QStringLiteral("%1: %2").arg(input, read->error);
        } else if (!writer->finish()) {
            *error = QStringLiteral("%1: %2").arg(output, FileCommit::reasonOf(file));
        }
        count = writer->count();
    } else {
        PointList points;
        *read = CoordFileIo::open(input, points, readOptions);
        if (!read->ok()) {
            *error = QStringLiteral("%1: %2").arg(input, read->error);
        } else {
            const CoordWriteResult written = CoordFileIo::write(file, format, points, writeOptions);
            if (!written.ok())
                *error = QStringLiteral("%1: %2").arg(output, written.error);
            count = written.pointCount;
        }
    }
    if (!error->isEmpty()) {
        FileCommit::cancel(file);
        return 0;
    }
    if (!FileCommit::commit(file, &reason)) {
        *error = QStringLiteral("%1: %2").arg(output, reason);
        return 0;
    }
    return count;
}

} // namespace

void cli::reportRead(const QString &input, const CoordReadResult &read)
{
    if (read.skipped.total() > 0)
        printError(QStringLiteral("note: %1: %2").arg(input, read.skipped.describe()));
    if (read.feet) {
        printError(QStringLiteral("note: %1 is in feet; the numbers are kept as they are, not "
                                  "converted to metres")
                       .arg(input));
    }
}

int cli::runConvert(const QStringList &args)
{
    QStringList positional;
    QString to;
    QString columns;
    QString crs;
    bool overwrite = false;
    bool allowLoss = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            printOut(convertUsage());
            return kExitOk;
        }
        if (arg == QLatin1String("--to")) {
            if (i + 1 >= args.size()) {
                printError(QStringLiteral("convert: --to needs a format (try --help)"));
                return kExitUsage;
            }
            to = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--to="))) {
            to = arg.mid(5);
        } else if (arg == QLatin1String("--columns") || arg == QLatin1String("--crs")) {
            if (i + 1 >= args.size()) {
                printError(QStringLiteral("convert: %1 needs a value (try --help)").arg(arg));
                return kExitUsage;
            }
            (arg == QLatin1String("--crs") ? crs : columns) = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--columns="))) {
            columns = arg.mid(10);
        } else if (arg.startsWith(QLatin1String("--crs="))) {
            crs = arg.mid(6);
        } else if (arg == QLatin1String("--overwrite")) {
            overwrite = true;
        } else if (arg == QLatin1String("--allow-loss")) {
            allowLoss = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            printError(QStringLiteral("convert: unknown option '%1' (try --help)").arg(arg));
            return kExitUsage;
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2) {
        printError(QStringLiteral("convert: needs INPUT and OUTPUT (try --help)"));
        return kExitUsage;
    }
    const QString input = positional.at(0);
    const QString output = positional.at(1);

    CoordFormat outFormat = CoordFormat::None;
    QString usageError;
    if (!outputFormatOf(to, crs, output, &outFormat, &usageError)) {
        printError(QStringLiteral("convert: %1").arg(usageError));
        return kExitUsage;
    }
    QString columnsError;
    if (!columns.isEmpty() && !CsvReader::validColumns(columns, &columnsError)) {
        printError(QStringLiteral("convert: --columns %1: %2").arg(columns, columnsError));
        return kExitUsage;
    }

    const QString inExtension = CoordFileIo::extensionOf(input);
    if (!CoordFileIo::isReadable(CoordFileIo::formatForExtension(inExtension))) {
        printError(unknownInputMessage(input, inExtension));
        return kExitFailure;
    }
    // The coordinate system is checked before reading, so a large file is not
    // read only to be refused.
    if (!inputAndOutputAreSafe(input, output, overwrite, QStringLiteral("OUTPUT is INPUT"),
                               outFormat, crs))
        return kExitFailure;

    CoordReadOptions readOptions;
    readOptions.csvColumns = columns;
    // A GSI output is checked in a pass of its own, so nothing is written
    // when it would lose data and no point needs to be held for the check.
    if (const std::optional<GsiVariant> limits = FormatTable::find(outFormat)->gsiLimits) {
        LossCheckSink check(*limits);
        const CoordReadResult read = CoordFileIo::open(input, check, readOptions);
        if (!read.ok()) {
            printError(QStringLiteral("%1: %2").arg(input, read.error));
            return kExitFailure;
        }
        const GsiLossCheck &loss = check.m_check;
        if (loss.count() > 0) {
            printError(QStringLiteral("%1: %2 of %3 points would lose data as %4%5:\n%6")
                           .arg(allowLoss ? QStringLiteral("warning") : output)
                           .arg(loss.count())
                           .arg(read.pointCount)
                           .arg(CoordFileIo::formatName(outFormat),
                                allowLoss ? QStringLiteral(", written anyway")
                                          : QStringLiteral("; nothing written (--allow-loss "
                                                           "writes it anyway)"),
                                loss.summary(allowLoss ? GsiLossCheck::kKeptRows : 10)));
            if (!allowLoss)
                return kExitFailure;
        }
    }

    CoordWriteOptions writeOptions;
    writeOptions.gsiRangeRule = true;
    writeOptions.crs = crs;
    QString error;
    CoordReadResult read;
    const qsizetype written =
        writeConverted(input, readOptions, output, outFormat, writeOptions, &read, &error);
    if (!error.isEmpty()) {
        printError(error);
        return kExitFailure;
    }
    reportRead(input, read);
    printOut(QStringLiteral("%1 points written to %2 as %3\n")
                 .arg(written)
                 .arg(output, CoordFileIo::formatName(outFormat)));
    return kExitOk;
}
