// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommon.h"

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

} // namespace cli

#include "Commands.h"
#include "about/ProgramInfo.h"

int cli::runVersion(const QStringList &)
{
    ProgramInfo::printVersion(QStringLiteral("rqtcom-cli"));
    return kExitOk;
}
