// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// File operations behind the PC tree's commands, kept apart from the window
// so they can be checked on a temporary folder.
namespace PcFileOps {

struct DeleteResult
{
    bool ok = false;
    QStringList failed; // paths that could not be removed
};

// Removes a file, or a folder with everything in it. A symbolic link (or a
// Windows junction) is removed as a link and never followed, so nothing
// outside the folder is touched.
DeleteResult deletePath(const QString &path);

// Moves a file or folder to the desktop's trash (the Windows recycle bin or
// the freedesktop trash), from where the user can bring it back. False when
// there is no trash for it; nothing has moved then.
bool moveToTrash(const QString &path);

// Number of entries inside a folder, at any depth, links counted as one.
int countEntries(const QString &folder);

// Why a path must not be opened with its associated program: executables
// and desktop launchers would run instead of being shown. Empty when fine.
QString openRefusal(const QString &path, int uiLanguage);

} // namespace PcFileOps
