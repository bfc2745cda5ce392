// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

class QSaveFile;

// The file one download writes. Lines go to a temporary file in the destination
// folder, which replaces the named file only when the download ends, so an
// abandoned or failed download never leaves a half-written file under the
// name the user chose, and an existing file survives unless overwrite was asked for.
class DownloadWriter
{
public:
    DownloadWriter();
    ~DownloadWriter(); // discards whatever was not committed

    // Creates the temporary file next to path. False with errorString() when
    // targetError() names a reason or the folder is not writable.
    bool open(const QString &path, bool overwrite);
    // Why a download cannot be written to path, or an empty text: the folder is
    // missing; path is a link (dangling or not), a folder or another file that
    // is not a regular one; or path exists and overwrite is false.
    static QString targetError(const QString &path, bool overwrite);
    // A received line stored as it came: its bytes without the line end, then CR LF.
    bool appendRawLine(QByteArrayView reply);
    // Bytes stored as they are (a converted line that carries its own CR LF).
    bool append(QByteArrayView bytes);
    // Puts the file in place under its name. False with errorString() on failure
    // (the temporary file is then removed).
    bool commit();
    void discard();

    bool isOpen() const;
    QString path() const { return m_path; }
    bool replacedExisting() const { return m_existedBefore; }
    QString errorString() const { return m_error; }

    // The line without the CR and/or LF that ended it.
    static QByteArrayView withoutLineEnd(QByteArrayView reply);

private:
    std::unique_ptr<QSaveFile> m_file;
    QString m_path;
    bool m_overwrite = false;
    bool m_existedBefore = false;
    QString m_error;
};
