// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/protocol/DownloadWriter.h"

#include "core/text/Translatable.h"

#include "core/pcfiles/FileCommit.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Something is at path, a dangling link included.
bool presentAt(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

DownloadWriter::DownloadWriter() = default;

DownloadWriter::~DownloadWriter()
{
    discard();
}

QString DownloadWriter::targetError(const QString &path, bool overwrite)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return QCoreApplication::translate("DownloadWriter", "The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    const QString native = QDir::toNativeSeparators(path);
    // QSaveFile follows a link, even a dangling one, and would write wherever it
    // points, out of the folder the user chose.
    if (info.isSymLink() || info.isJunction())
        return QCoreApplication::translate("DownloadWriter", "%1 is a link; a download is never written through a link.")
            .arg(native);
    if (!info.exists())
        return QString();
    if (info.isDir())
        return QCoreApplication::translate("DownloadWriter", "%1 is a folder.").arg(native);
    if (!info.isFile())
        return QCoreApplication::translate("DownloadWriter", "%1 is not a regular file.").arg(native);
    if (!overwrite)
        return QCoreApplication::translate("DownloadWriter", "%1 already exists.").arg(native);
    return QString();
}

bool DownloadWriter::open(const QString &path, bool overwrite)
{
    discard();
    m_path = path;
    m_overwrite = overwrite;
    m_error = targetError(path, overwrite);
    m_existedBefore = presentAt(path);
    if (!m_error.isEmpty())
        return false;
    m_file = std::make_unique<QSaveFile>(path);
    QString reason;
    if (!FileCommit::open(*m_file, &reason)) {
        m_error = QCoreApplication::translate("DownloadWriter", "Cannot create %1: %2")
                      .arg(QDir::toNativeSeparators(path), reason);
        m_file.reset();
        return false;
    }
    return true;
}

QByteArrayView DownloadWriter::withoutLineEnd(QByteArrayView reply)
{
    if (reply.endsWith('\n'))
        reply.chop(1);
    if (reply.endsWith('\r'))
        reply.chop(1);
    return reply;
}

bool DownloadWriter::appendRawLine(QByteArrayView reply)
{
    return append(withoutLineEnd(reply)) && append("\r\n");
}

bool DownloadWriter::append(QByteArrayView bytes)
{
    if (!m_file)
        return false;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size()) {
        m_error = QCoreApplication::translate("DownloadWriter", "Cannot write %1: %2")
                      .arg(QDir::toNativeSeparators(m_path), FileCommit::reasonOf(*m_file));
        return false;
    }
    return true;
}

bool DownloadWriter::commit()
{
    if (!m_file)
        return false;
    // The file may have appeared while the lines were coming in.
    if (!m_overwrite && !m_existedBefore && presentAt(m_path)) {
        m_error = QCoreApplication::translate("DownloadWriter", "%1 appeared during the download and was not replaced.")
                      .arg(QDir::toNativeSeparators(m_path));
        discard();
        return false;
    }
    QString reason;
    const bool ok = FileCommit::commit(*m_file, &reason);
    if (!ok)
        m_error = QCoreApplication::translate("DownloadWriter", "Cannot save %1: %2")
                      .arg(QDir::toNativeSeparators(m_path), reason);
    m_file.reset();
    return ok;
}

void DownloadWriter::discard()
{
    if (m_file) {
        FileCommit::cancel(*m_file);
        m_file.reset();
    }
}

bool DownloadWriter::isOpen() const
{
    return m_file && m_file->isOpen();
}
