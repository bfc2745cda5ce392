// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/ProgramInfo.h"

#include "RqtcomVersion.h"

#include <QStringList>

#include <cstdio>

namespace ProgramInfo {

QString version()
{
    return QString::fromLatin1(RqtcomVersion::kText);
}

QString versionText(const QString &program)
{
    return QStringLiteral("%1 (rqtcom) %2\n"
                          "Copyright (C) 2026 The rqtcom authors.\n"
                          "License GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(program, version());
}

QCommandLineOption versionOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                              QStringLiteral("Displays version information."));
}

void printVersion(const QString &program)
{
    const QByteArray text = versionText(program).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

} // namespace ProgramInfo
