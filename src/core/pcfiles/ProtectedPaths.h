// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Folders the manager never deletes: the file system's roots, the drives,
// the user's home folder, mount points, and every folder that holds one of
// them; and the operating system's own folders with everything in them. Listed folders such as
// "/home" or "C:\Users" are ordinary tree nodes, so the tree's node kinds alone cannot keep them
// safe.
class ProtectedPaths
{
public:
    // extra: further folders to keep (tests pass stand-ins for drives and home).
    explicit ProtectedPaths(const QStringList &extra = QStringList());

    // The platform's drives, the root and the home folder.
    static QStringList defaults();
    // The operating system's folders: /usr, /etc, /bin, /boot, /dev, /proc,
    // /sys, /var, /lib*, /sbin; the Windows folder and the Program Files folders.
    static QStringList systemFolders();

    // True when deleting path would delete a protected folder (or path names
    // no place on disk at all, like "My Computer"). A symbolic link is judged
    // as the link itself: removing it removes nothing behind it.
    bool covers(const QString &path) const;

private:
    bool insideSystem(const QString &path) const;

    QStringList m_paths;  // cleaned, and canonical where they exist
    QStringList m_system; // the same for systemFolders()
};
