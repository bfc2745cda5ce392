// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pcfiles/ProtectedPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// folder is path itself or lies inside path.
bool holds(const QString &path, const QString &folder)
{
    if (path.compare(folder, pathCase()) == 0)
        return true;
    const QString prefix = path.endsWith(u'/') ? path : path + u'/';
    return folder.startsWith(prefix, pathCase());
}

void addCleaned(QStringList &to, const QString &p)
{
    if (p.isEmpty())
        return;
    to << QDir::cleanPath(QDir::fromNativeSeparators(p));
    const QString canonical = QFileInfo(p).canonicalFilePath();
    if (!canonical.isEmpty())
        to << canonical;
}

} // namespace

ProtectedPaths::ProtectedPaths(const QStringList &extra)
{
    for (const QString &p : defaults() + extra)
        addCleaned(m_paths, p);
    m_paths.removeDuplicates();
    for (const QString &p : systemFolders())
        addCleaned(m_system, p);
    m_system.removeDuplicates();
}

QStringList ProtectedPaths::systemFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    for (const char *variable : {"SystemRoot", "windir", "ProgramFiles", "ProgramFiles(x86)",
                                 "ProgramW6432", "ProgramData"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            folders << value;
    }
#else
    for (const char *folder : {"/usr", "/etc", "/bin", "/boot", "/dev", "/proc", "/sys", "/var",
                               "/sbin", "/lib", "/lib32", "/lib64", "/libx32"})
        folders << QString::fromLatin1(folder);
    // Any other /lib* a distribution adds.
    for (const QString &name :
         QDir(QStringLiteral("/"))
             .entryList({QStringLiteral("lib*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::System))
        folders << QStringLiteral("/") + name;
#endif
    folders.removeDuplicates();
    return folders;
}

QStringList ProtectedPaths::defaults()
{
    QStringList paths;
    for (const QFileInfo &drive : QDir::drives())
        paths << drive.absoluteFilePath();
    paths << QDir::rootPath() << QDir::homePath();
    return paths;
}

bool ProtectedPaths::covers(const QString &path) const
{
    if (path.isEmpty())
        return true;
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QFileInfo info(clean);
    if (info.isRelative())
        return true;
    // Nothing of the system's own folders is a surveyor's to delete, links
    // included ("/bin" is itself a link on many systems).
    if (insideSystem(clean))
        return true;
    if (info.isSymLink() || info.isJunction())
        return false;
    if (QDir(clean).isRoot())
        return true;
    // A mounted volume's top folder is a drive in all but name.
    if (info.isDir() && QStorageInfo(clean).rootPath() == clean)
        return true;
    const QString canonical = info.canonicalFilePath();
    for (const QString &p : m_paths) {
        if (holds(clean, p) || (!canonical.isEmpty() && holds(canonical, p)))
            return true;
    }
    return insideSystem(canonical);
}

bool ProtectedPaths::insideSystem(const QString &path) const
{
    if (path.isEmpty())
        return false;
    for (const QString &p : m_system) {
        if (holds(p, path))
            return true;
    }
    return false;
}
