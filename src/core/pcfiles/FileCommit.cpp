// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pcfiles/FileCommit.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace {

// Asks the system to put the file's bytes on the disk; some file systems only
// report a full disk or an I/O error here. False with reason set.
bool syncToDisk(QSaveFile &file, QString *reason)
{
    const int fd = file.handle();
    if (fd < 0)
        return true;
#ifdef Q_OS_UNIX
    int rc;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    // EINVAL / EROFS: this kind of file cannot be synced, nothing was lost.
    if (rc != 0 && errno != EINVAL && errno != EROFS) {
        *reason = qt_error_string(errno);
        return false;
    }
#elif defined(Q_OS_WIN)
    if (::_commit(fd) != 0 && errno != EBADF) {
        *reason = qt_error_string(errno);
        return false;
    }
#endif
    return true;
}

bool isUninformative(const QString &text)
{
    return text.isEmpty() || text == QLatin1String("Unknown error");
}

} // namespace

bool FileCommit::open(QSaveFile &file, QString *reason)
{
    file.setDirectWriteFallback(false);
    errno = 0;
    if (file.open(QIODevice::WriteOnly))
        return true;
    *reason = reasonOf(file);
    return false;
}

bool FileCommit::commit(QSaveFile &file, QString *reason)
{
    if (!file.isOpen()) {
        *reason = QCoreApplication::translate("FileCommit", "the file was not open for writing");
        return false;
    }
    QString failure;
    errno = 0;
    // A write that failed earlier leaves the device's error set even when the
    // writer above it did not look.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        failure = reasonOf(file);
    else
        syncToDisk(file, &failure);
    if (!failure.isEmpty()) {
        cancel(file);
        *reason = failure;
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        *reason = reasonOf(file);
        return false;
    }
    return true;
}

void FileCommit::cancel(QSaveFile &file)
{
    if (!file.isOpen())
        return;
    file.cancelWriting();
    // A commit after cancelWriting() removes the temporary file and keeps the target.
    file.commit();
}

QString FileCommit::reasonOf(const QIODevice &device)
{
    const QString text = device.errorString();
    if (!isUninformative(text))
        return text;
    if (errno != 0)
        return qt_error_string(errno);
    return QCoreApplication::translate("FileCommit", "the data could not be written");
}
