#include "pcfiles/PcDelete.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
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

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

// A link to a folder is removed with rmdir on Windows; unlink works elsewhere.
bool removeLink(const QString &path)
{
    return QFile::remove(path) || QDir().rmdir(path);
}

// a is b, or a folder above b.
bool coversPath(const QString &a, const QString &b)
{
    if (a.compare(b, pathCase()) == 0)
        return true;
    const QString folder = a.endsWith(u'/') ? a : a + u'/';
    return b.startsWith(folder, pathCase());
}

int countEntries(const QString &folder)
{
    int count = 0;
    // No FollowSymlinks: a linked folder counts as one entry and is not entered.
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

} // namespace

PcDelete::PcDelete(const QStringList &protectedPaths)
{
    QStringList all = protectedPaths;
    for (const QFileInfo &drive : QDir::drives())
        all << drive.absoluteFilePath();
    all << QDir::rootPath();
    for (const QString &p : std::as_const(all)) {
        if (p.isEmpty())
            continue;
        m_protected << QDir::cleanPath(p);
        const QString canonical = QFileInfo(p).canonicalFilePath();
        if (!canonical.isEmpty())
            m_protected << canonical;
    }
    m_protected.removeDuplicates();
}

QStringList PcDelete::defaultProtectedPaths()
{
    QStringList paths;
    for (const QFileInfo &drive : QDir::drives())
        paths << drive.absoluteFilePath();
    paths << QDir::rootPath() << QDir::homePath();
    return paths;
}

bool PcDelete::isProtected(const QString &cleanPath) const
{
    if (QDir(cleanPath).isRoot())
        return true;
    const QString canonical = QFileInfo(cleanPath).canonicalFilePath();
    for (const QString &p : m_protected) {
        if (coversPath(cleanPath, p) || (!canonical.isEmpty() && coversPath(canonical, p)))
            return true;
    }
    return false;
}

PcDelete::Target PcDelete::inspect(const QString &path) const
{
    Target t;
    t.path = path.isEmpty() ? QString() : QDir::cleanPath(path);
    const QFileInfo info(t.path);
    if (t.path.isEmpty() || info.isRelative()) {
        // "My Computer" and anything else that names no place on disk.
        t.kind = Kind::Refused;
        return t;
    }
    if (isLink(info)) {
        t.kind = Kind::Link;
        return t;
    }
    if (!info.exists()) {
        t.kind = Kind::Missing;
        return t;
    }
    if (isProtected(t.path) || QStorageInfo(t.path).rootPath() == t.path) {
        t.kind = Kind::Refused;
        return t;
    }
    if (info.isDir()) {
        t.kind = Kind::Folder;
        t.entryCount = countEntries(t.path);
        return t;
    }
    t.kind = Kind::File;
    return t;
}

int PcDelete::deleteFolderTree(const QString &folder, QStringList *leftOver)
{
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        bool ok = false;
        if (isLink(entry)) {
            ok = removeLink(path);
        } else if (entry.isDir()) {
            removed += deleteFolderTree(path, leftOver);
            ok = QDir().rmdir(path);
        } else {
            ok = QFile::remove(path);
        }
        if (ok)
            ++removed;
        else
            leftOver->append(path);
    }
    return removed;
}

PcDelete::Outcome PcDelete::remove(const QString &path) const
{
    Outcome out;
    const Target t = inspect(path);
    switch (t.kind) {
    case Kind::Refused:
        out.message = QStringLiteral("%1 cannot be deleted.").arg(QDir::toNativeSeparators(path));
        return out;
    case Kind::Missing:
        out.message = QStringLiteral("%1 no longer exists.").arg(QDir::toNativeSeparators(t.path));
        return out;
    case Kind::Link:
        out.ok = removeLink(t.path);
        break;
    case Kind::File:
        out.ok = QFile::remove(t.path);
        break;
    case Kind::Folder:
        out.removed = deleteFolderTree(t.path, &out.leftOver);
        out.ok = out.leftOver.isEmpty() && QDir().rmdir(t.path);
        break;
    }
    if (out.ok) {
        ++out.removed;
        return out;
    }
    if (out.leftOver.isEmpty())
        out.leftOver << t.path;
    out.message =
        QStringLiteral("Could not delete %1.").arg(QDir::toNativeSeparators(out.leftOver.first()));
    if (out.leftOver.size() > 1)
        out.message += QStringLiteral(" %1 entries were left in place.").arg(out.leftOver.size());
    return out;
}
