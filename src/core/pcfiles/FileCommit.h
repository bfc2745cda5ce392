// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QIODevice;
class QSaveFile;

// The one way every writer finishes a QSaveFile. QSaveFile::commit() alone can
// report success although its final flush failed (a full disk), which puts a
// truncated or empty file in place of a good one. commit() here flushes and
// syncs first and checks each step; on any failure the temporary file is
// removed, the file already at the target stays as it was, and the reason is
// the system's own words.
class FileCommit
{
public:
    // Opens file for writing through its temporary file, never by writing the
    // target directly. False with reason set.
    static bool open(QSaveFile &file, QString *reason);

    // Flushes, syncs and renames the temporary file over the target. False with
    // reason set; the temporary file is then gone and the target untouched.
    static bool commit(QSaveFile &file, QString *reason);

    // Abandons the write now: the temporary file is removed, the target kept.
    static void cancel(QSaveFile &file);

    // Why a write on device failed, for the user: the device's text, or the
    // system's text for the last error when the device has none to give.
    static QString reasonOf(const QIODevice &device);
};
