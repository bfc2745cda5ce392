#pragma once

#include <QString>
#include <QStringList>

// Deleting what the user chose in the manager's PC tree: a file, a symbolic
// link or a folder with everything inside it. The roots, drives and the home
// folder (and every folder that holds one of them) are never deleted, and a
// link met inside a folder is removed as a link, never followed.
class PcDelete
{
public:
    enum class Kind {
        Refused, // a root, drive, the home folder or a folder above one of them
        Missing, // nothing on disk at that path
        File,
        Link, // a symbolic link (or junction), whatever it points to
        Folder,
    };

    struct Target
    {
        Kind kind = Kind::Missing;
        QString path;       // as given, cleaned
        int entryCount = 0; // Folder: files, links and folders inside it, at every depth
    };

    struct Outcome
    {
        bool ok = false;
        int removed = 0;      // entries removed, the target itself included
        QStringList leftOver; // paths that could not be removed
        QString message;      // why it failed, for the user; empty when ok
    };

    // protectedPaths: the folders that must survive (drives, home); the file
    // system's roots are always protected as well.
    explicit PcDelete(const QStringList &protectedPaths = defaultProtectedPaths());

    // The platform's drives, the root and the user's home folder.
    static QStringList defaultProtectedPaths();

    Target inspect(const QString &path) const;
    // Removes the target as inspect() describes it now (the disk may have
    // changed since the confirmation was asked).
    Outcome remove(const QString &path) const;

    // Empties a folder: sub-folders are emptied and removed, links and files
    // removed. Every path that stayed is appended to leftOver; returns the
    // number of entries removed.
    static int deleteFolderTree(const QString &folder, QStringList *leftOver);

private:
    bool isProtected(const QString &cleanPath) const;

    QStringList m_protected; // cleaned, and canonical where they exist
};
