// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FailingDevice.h"

#include <QtGlobal>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

FailingDevice::FailingDevice(qint64 capacity) : m_capacity(capacity)
{
    open(QIODevice::WriteOnly);
}

qint64 FailingDevice::readData(char *, qint64)
{
    return -1;
}

qint64 FailingDevice::writeData(const char *data, qint64 size)
{
    const qint64 room = m_capacity - m_written.size();
    if (room <= 0) {
        setErrorString(qt_error_string(ENOSPC));
        return -1;
    }
    const qint64 taken = qMin(room, size);
    m_written.append(data, taken);
    if (taken < size)
        setErrorString(qt_error_string(ENOSPC));
    return taken;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
#ifdef Q_OS_UNIX
    struct rlimit limit;
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previousSoft = static_cast<qint64>(limit.rlim_cur);
    // Without this the kernel stops the process instead of failing the write.
    ::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
#else
    Q_UNUSED(bytes);
#endif
}

FileSizeLimit::~FileSizeLimit()
{
#ifdef Q_OS_UNIX
    if (!m_active)
        return;
    struct rlimit limit;
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previousSoft);
    ::setrlimit(RLIMIT_FSIZE, &limit);
#endif
}
