// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cstdio>
#include <iterator>

namespace {

// The folder of the running program, asked of the system: no application
// object exists yet, and argv[0] may be a bare name found on PATH.
QString programFolder()
{
#ifdef Q_OS_WIN
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    if (n == 0 || n >= std::size(path))
        return QString();
    return QFileInfo(QString::fromWCharArray(path, int(n))).absolutePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/exe"))
        .canonicalFilePath()
        .section(QLatin1Char('/'), 0, -2);
#endif
}

} // namespace

int cli::runPlotModule(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    const QString file = QStringLiteral("rqtcom-cli-plot.dll");
#else
    const QString file = QStringLiteral("rqtcom-cli-plot.so");
#endif
    const QString folder = programFolder();
    // Beside the program in the build and on Windows; in the library folder
    // when installed.
    const QStringList candidates = {
        QDir(folder).filePath(file),
        QDir::cleanPath(folder + QStringLiteral("/" RQTCOM_MODULE_DIR_FROM_BIN "/") + file)};
    QString reason;
    for (const QString &path : candidates) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        using Entry = int (*)(int *, char **);
        if (const auto entry = reinterpret_cast<Entry>(module.resolve("rqtcomCliPlot")))
            return entry(&argc, argv);
        reason = module.errorString();
    }
    if (reason.isEmpty())
        reason = QStringLiteral("%1 is not installed (looked in %2)")
                     .arg(file, candidates.join(QStringLiteral(", ")));
    const QByteArray line =
        "rqtcom-cli: plot: the drawing module cannot be loaded: " + reason.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    return kExitFailure;
}
