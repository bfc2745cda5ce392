// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommon.h"

#include "dxf/GsiToDxf.h"

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

} // namespace cli

#include "Commands.h"
#include "about/ProgramInfo.h"

int cli::runVersion(const QStringList &)
{
    ProgramInfo::printVersion(QStringLiteral("rqtcom-cli"));
    return kExitOk;
}
