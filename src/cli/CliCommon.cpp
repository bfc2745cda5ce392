// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"

#include "core/coordfiles/CoordFileIo.h"
#include "core/dxf/GsiToDxf.h"
#include "core/geo/CrsTransform.h"

#include <QFileInfo>

#include <cstdio>

namespace cli {

void printError(const QString &message)
{
    const QByteArray line = "rqtcom-cli: " + message.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

void printOut(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

bool inputAndOutputAreSafe(const QString &input, const QString &output, bool overwrite,
                           const QString &sameFile)
{
    const QFileInfo inputInfo(input);
    if (!inputInfo.isFile()) {
        printError(inputInfo.exists() ? QStringLiteral("%1: not a file").arg(input)
                                      : QStringLiteral("%1: no such file").arg(input));
        return false;
    }
    if (GsiToDxf::isSameFile(input, output)) {
        printError(QStringLiteral("%1: %2 itself").arg(output, sameFile));
        return false;
    }
    if (!overwrite && QFileInfo::exists(output)) {
        printError(QStringLiteral("%1 exists; give --overwrite to replace it").arg(output));
        return false;
    }
    return true;
}

bool inputAndOutputAreSafe(const QString &input, const QString &output, bool overwrite,
                           const QString &sameFile, CoordFormat outputFormat, const QString &crs)
{
    if (CoordFileIo::needsCrs(outputFormat)) {
        if (crs.isEmpty()) {
            printError(QStringLiteral("%1: %2 holds longitude and latitude; give the points' "
                                      "coordinate system with --crs EPSG:NNNN")
                           .arg(output, CoordFileIo::formatName(outputFormat)));
            return false;
        }
        const CrsTransform transform(crs);
        if (!transform.isValid()) {
            printError(QStringLiteral("%1: %2").arg(output, transform.error()));
            return false;
        }
    }
    return inputAndOutputAreSafe(input, output, overwrite, sameFile);
}

bool outputFormatOf(const QString &to, const QString &crs, const QString &output,
                    CoordFormat *format, QString *usageError)
{
    const FormatInfo *row = to.isEmpty()
                                ? FormatTable::forExtension(CoordFileIo::extensionOf(output))
                                : FormatTable::forOption(to);
    *format = row && row->writable() ? row->format : CoordFormat::None;
    if (*format == CoordFormat::None) {
        *usageError =
            to.isEmpty()
                ? QStringLiteral("cannot tell the format of %1 from its "
                                 "extension; give --to")
                      .arg(output)
                : QStringLiteral("unknown format '%1' for --to (%2)").arg(to, formatChoices());
        return false;
    }
    if (!crs.isEmpty() && CrsTransform::normalised(crs).isEmpty()) {
        *usageError = QStringLiteral("--crs wants EPSG:NNNN, not '%1'").arg(crs);
        return false;
    }
    return true;
}

QString formatChoices()
{
    QStringList writable;
    for (const FormatInfo &row : FormatTable::all()) {
        if (row.writable())
            writable << QString::fromLatin1(row.option);
    }
    return writable.join(QLatin1Char('|'));
}

QString readableExtensionsText(const QString &lastSeparator)
{
    QStringList listed = FormatTable::openExtensions();
    const QString last = listed.isEmpty() ? QString() : listed.takeLast();
    return listed.isEmpty() ? last : listed.join(QStringLiteral(", ")) + lastSeparator + last;
}

} // namespace cli

#include "cli/Commands.h"
#include "core/about/ProgramInfo.h"

int cli::runVersion(const QStringList &)
{
    ProgramInfo::printVersion(QStringLiteral("rqtcom-cli"));
    return kExitOk;
}
