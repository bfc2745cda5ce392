// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/manager/PcFileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace PcFileOps {

namespace {

constexpr QDir::Filters kEverything =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

void removeEntry(const QString &path, QStringList *failed)
{
    const QFileInfo info(path);
    if (isLink(info)) {
        // QFile::remove unlinks the link itself; a junction goes with rmdir.
        if (!QFile::remove(path) && !QDir().rmdir(path))
            failed->append(path);
        return;
    }
    if (!info.isDir()) {
        if (!QFile::remove(path))
            failed->append(path);
        return;
    }
    const QDir dir(path);
    for (const QString &name : dir.entryList(kEverything))
        removeEntry(dir.filePath(name), failed);
    if (!QDir().rmdir(path))
        failed->append(path);
}

} // namespace

DeleteResult deletePath(const QString &path)
{
    DeleteResult result;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        result.failed << path;
        return result;
    }
    removeEntry(path, &result.failed);
    result.ok = result.failed.isEmpty();
    return result;
}

bool moveToTrash(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Where the home trash cannot be made, Qt 6.4 falls back to the working
    // folder and moves the file into a "files" folder there: no trash at all.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome + QStringLiteral("/Trash")))
        return false;
#endif
    // A link goes to the trash as the link itself; Qt moves it, never its target.
    return QFile::moveToTrash(path);
}

int countEntries(const QString &folder)
{
    int count = 0;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(kEverything)) {
        ++count;
        if (entry.isDir() && !isLink(entry))
            count += countEntries(entry.filePath());
    }
    return count;
}

QString openRefusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QCoreApplication::translate("PcFileOps", "%1 does not exist.")
            .arg(QDir::toNativeSeparators(path));
    if (info.isDir())
        return QString();
    static const QStringList kLaunchers = {
        QStringLiteral("desktop"), QStringLiteral("exe"), QStringLiteral("com"),
        QStringLiteral("bat"),     QStringLiteral("cmd"), QStringLiteral("lnk"),
        QStringLiteral("msi"),     QStringLiteral("scr"), QStringLiteral("vbs"),
        QStringLiteral("ps1"),     QStringLiteral("js"),  QStringLiteral("pif"),
        QStringLiteral("sh"),      QStringLiteral("run"), QStringLiteral("appimage"),
        QStringLiteral("bin"),     QStringLiteral("py"),  QStringLiteral("pl")};
    // Memory sticks often mark every file executable, so the flag alone does
    // not make a .gsi file a program; a program without a suffix still is one.
    const QString suffix = info.suffix().toLower();
    if (kLaunchers.contains(suffix) || (info.isExecutable() && suffix.isEmpty()))
        return QCoreApplication::translate("PcFileOps",
                                           "%1 is a program; it is not opened from here.")
            .arg(QDir::toNativeSeparators(path));
    return QString();
}

} // namespace PcFileOps
