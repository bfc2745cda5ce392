// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimInstrument.h"

#include <QSocketNotifier>

#include <algorithm>
#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kMsNs = 1000000;
// Pause between the pieces of a split reply when the line is not paced.
constexpr qint64 kSplitGapNs = 3 * kMsNs;
// Paced replies go out in pieces of about this much line time.
constexpr qint64 kPieceNs = 4 * kMsNs;
// The last piece of a reply is written on time to within a sleep this short,
// so the timer's millisecond granularity does not slow a paced line down.
constexpr qint64 kPreciseSleepNs = 3 * kMsNs;

} // namespace

SimInstrument::SimInstrument(SimJobStore store, QObject *parent)
    : QObject(parent), m_protocol(std::move(store))
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &SimInstrument::onWake);
    m_clock.start();
}

SimInstrument::~SimInstrument()
{
    delete m_notifier;
#ifdef Q_OS_UNIX
    if (m_masterFd >= 0)
        ::close(m_masterFd);
    if (m_slaveFd >= 0)
        ::close(m_slaveFd);
#endif
}

void SimInstrument::setOptions(const Options &options)
{
    m_options = options;
    m_log.close();
    if (!m_options.logPath.isEmpty()) {
        m_log.setFileName(m_options.logPath);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append))
            qWarning("rqtsim: cannot write the log %s", qPrintable(m_options.logPath));
    }
}

qint64 SimInstrument::byteNs() const
{
    // 8N1: ten bits on the line per byte.
    return m_options.baud > 0 ? 10LL * 1000000000LL / m_options.baud : 0;
}

bool SimInstrument::start(QString *error)
{
#ifdef Q_OS_UNIX
    if (m_masterFd >= 0)
        return true;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B19200);
    ::tcsetattr(slave, TCSANOW, &raw);
    // Programs started from here must not keep the instrument alive.
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    m_masterFd = master;
    m_slaveFd = slave;
    m_slavePath = QString::fromLocal8Bit(::ptsname(master));
    m_notifier = new QSocketNotifier(qintptr(master), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SimInstrument::onMasterReadable);
    return true;
#else
    *error = QStringLiteral("the simulated instrument needs a POSIX pseudo-terminal");
    return false;
#endif
}

void SimInstrument::vanish()
{
    if (m_masterFd < 0)
        return;
    delete m_notifier;
    m_notifier = nullptr;
    m_wake.stop();
    m_incoming.clear();
    m_outgoing.clear();
    m_unwritten.clear();
#ifdef Q_OS_UNIX
    ::close(m_masterFd);
    ::close(m_slaveFd);
#endif
    m_masterFd = -1;
    m_slaveFd = -1;
    Q_EMIT vanished();
}

void SimInstrument::onMasterReadable()
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_masterFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    if (bytes.isEmpty())
        return;
    m_received.append(bytes);
    if (m_log.isOpen()) {
        m_log.write(bytes);
        m_log.flush();
    }
    const qint64 now = m_clock.nsecsElapsed();
    if (byteNs() == 0) {
        handleIncoming(bytes, now);
    } else {
        m_rxFreeNs = std::max(m_rxFreeNs, now) + bytes.size() * byteNs();
        m_incoming.push_back({bytes, m_rxFreeNs, false});
    }
    flushDue();
#endif
}

void SimInstrument::handleIncoming(const QByteArray &bytes, qint64 arrivedNs)
{
    for (const char c : bytes) {
        if (m_masterFd < 0)
            return; // vanished while handling an earlier command
        if (c == '\n' && m_skipLf) {
            m_skipLf = false;
            continue;
        }
        m_skipLf = false;
        if (c == '\r') {
            m_skipLf = true;
            const QByteArray command = m_line;
            m_line.clear();
            handleCommand(command, arrivedNs);
            continue;
        }
        m_line.append(c);
    }
}

void SimInstrument::handleCommand(const QByteArray &command, qint64 arrivedNs)
{
    m_commands.append(command);
    Q_EMIT commandReceived(command);
    if (m_options.vanishAfter >= 0 && m_replies >= m_options.vanishAfter) {
        vanish();
        return;
    }
    if (m_options.silent)
        return;
    ++m_replies;
    queueReply(m_protocol.answer(command) + (m_options.replyEnd == EndMark::Cr ? "\r" : "\r\n"), arrivedNs);
}

void SimInstrument::queueReply(const QByteArray &reply, qint64 startNs)
{
    const qint64 perByte = byteNs();
    const qint64 start = std::max(startNs, m_txFreeNs);
    qsizetype pieces = 1;
    if (m_options.splitChunks >= 2)
        pieces = std::min<qsizetype>(m_options.splitChunks, reply.size());
    else if (perByte > 0)
        pieces = std::max<qsizetype>(1, reply.size() * perByte / kPieceNs);
    qsizetype begin = 0;
    qint64 due = start;
    for (qsizetype i = 0; i < pieces; ++i) {
        const qsizetype end = reply.size() * (i + 1) / pieces;
        due = perByte > 0 ? start + end * perByte : start + i * kSplitGapNs;
        m_outgoing.push_back({reply.mid(begin, end - begin), due, i + 1 == pieces});
        begin = end;
    }
    m_txFreeNs = due;
}

void SimInstrument::onWake()
{
    flushDue();
}

void SimInstrument::flushDue()
{
    for (;;) {
        if (!m_unwritten.isEmpty() && !writeToMaster(&m_unwritten))
            break;
        const qint64 now = m_clock.nsecsElapsed();
        if (!m_incoming.empty() && m_incoming.front().dueNs <= now) {
            const Pending arrived = m_incoming.front();
            m_incoming.pop_front();
            handleIncoming(arrived.bytes, arrived.dueNs);
            continue;
        }
        if (m_outgoing.empty())
            break;
        const Pending &next = m_outgoing.front();
        const qint64 wait = next.dueNs - now;
        if (wait > 0 && !(next.last && wait <= kPreciseSleepNs))
            break;
        if (wait > 0)
            std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
        m_unwritten = next.bytes;
        m_outgoing.pop_front();
    }
    scheduleWake();
}

bool SimInstrument::writeToMaster(QByteArray *bytes)
{
#ifdef Q_OS_UNIX
    while (!bytes->isEmpty() && m_masterFd >= 0) {
        const ssize_t n = ::write(m_masterFd, bytes->constData(), size_t(bytes->size()));
        if (n <= 0)
            return false; // the pty is full: the client is not reading yet
        bytes->remove(0, n);
    }
#endif
    bytes->clear();
    return true;
}

void SimInstrument::scheduleWake()
{
    if (m_masterFd < 0)
        return;
    const qint64 now = m_clock.nsecsElapsed();
    const auto ceilMs = [now](qint64 due) {
        return std::max<qint64>(0, (due - now + kMsNs - 1) / kMsNs);
    };
    qint64 delayMs = -1;
    const auto consider = [&delayMs](qint64 ms) {
        delayMs = delayMs < 0 ? ms : std::min(delayMs, ms);
    };
    if (!m_incoming.empty())
        consider(ceilMs(m_incoming.front().dueNs));
    if (!m_outgoing.empty()) {
        const Pending &out = m_outgoing.front();
        // A last piece wakes early; flushDue() sleeps the rest precisely.
        consider(out.last ? std::max<qint64>(0, (out.dueNs - now) / kMsNs - 2) : ceilMs(out.dueNs));
    }
    if (!m_unwritten.isEmpty())
        consider(1);
    if (delayMs < 0)
        m_wake.stop();
    else
        m_wake.start(int(delayMs));
}
