#include "pcfiles/ProtectedPaths.h"

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

} // namespace

ProtectedPaths::ProtectedPaths(const QStringList &extra)
{
    for (const QString &p : defaults() + extra) {
        if (p.isEmpty())
            continue;
        m_paths << QDir::cleanPath(QDir::fromNativeSeparators(p));
        const QString canonical = QFileInfo(p).canonicalFilePath();
        if (!canonical.isEmpty())
            m_paths << canonical;
    }
    m_paths.removeDuplicates();
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
    return false;
}
