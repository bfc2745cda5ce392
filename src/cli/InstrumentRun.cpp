// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InstrumentRun.h"

#include "cli/CliCommon.h"

#include "core/serial/SerialLink.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace cli {

namespace {

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Set by SIGINT or SIGTERM; the wait's watchdog turns it into a cancel, since
// nothing else may be done inside a signal handler.
std::atomic<bool> g_interruptRequested{false};

extern "C" void onInterruptSignal(int)
{
    g_interruptRequested = true;
}

// "a, b or c".
QString oneOf(const QStringList &choices)
{
    return choices.mid(0, choices.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           choices.constLast();
}

void catchInterrupts()
{
    std::signal(SIGINT, onInterruptSignal);
    std::signal(SIGTERM, onInterruptSignal);
}

} // namespace

void addLinkOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Serial device (/dev/ttyUSB0, COM7, a pty) or port number."),
                      QStringLiteral("device")});
    parser.addOption({QStringLiteral("baud"),
                      QStringLiteral("Line speed: %1 (default), %2.")
                          .arg(CommSettings::baudRateTexts().constFirst(),
                               oneOf(CommSettings::baudRateTexts().mid(1))),
                      CommSettings::baudRateTexts().join(QLatin1Char('|')),
                      CommSettings::baudRateTexts().constFirst()});
    parser.addOption({QStringLiteral("endmark"),
                      QStringLiteral("Line end of commands and replies: crlf (default) or cr."),
                      QStringLiteral("crlf|cr"), QStringLiteral("crlf")});
    parser.addOption(
        {QStringLiteral("name-encoding"),
         QStringLiteral("How the instrument's job names are encoded: auto (default: the code "
                        "pages of the locale), gbk, big5, windows-1252 or utf-8."),
         QStringLiteral("auto|gbk|big5|windows-1252|utf-8"), QStringLiteral("auto")});
    parser.addOption(
        {QStringLiteral("timeout"),
         QStringLiteral("Give up when the instrument is silent this long (default 10)."),
         QStringLiteral("seconds"), QStringLiteral("10")});
}

bool readLinkOptions(const QCommandLineParser &parser, LinkOptions *options, QString *error)
{
    const QString port = parser.value(QStringLiteral("port"));
    bool isNumber = false;
    const int number = port.toInt(&isNumber);
    if (isNumber) {
        if (number < 1) {
            *error = QStringLiteral("--port: port numbers start at 1");
            return false;
        }
        options->portNumber = number;
    } else {
        options->device = port;
    }

    options->baudRate = CommSettings::baudRateFromText(parser.value(QStringLiteral("baud")));
    if (options->baudRate == CommSettings::kKeepLineSpeed) {
        *error = QStringLiteral("--baud must be %1").arg(oneOf(CommSettings::baudRateTexts()));
        return false;
    }

    const std::optional<EndMark> endMark =
        CommSettings::endMarkFromKey(parser.value(QStringLiteral("endmark")).toLower());
    if (!endMark) {
        *error = QStringLiteral("--endmark must be crlf or cr");
        return false;
    }
    options->endMark = *endMark;

    const std::optional<NameEncoding::Choice> encoding =
        NameEncoding::fromKey(parser.value(QStringLiteral("name-encoding")));
    if (!encoding) {
        *error = QStringLiteral("--name-encoding must be one of %1")
                     .arg(NameEncoding::keys().join(QStringLiteral(", ")));
        return false;
    }
    options->nameEncoding = *encoding;

    bool ok = false;
    const double seconds = parser.value(QStringLiteral("timeout")).toDouble(&ok);
    // toDouble() takes "nan" and "inf"; neither is a time to wait.
    if (!ok || !qIsFinite(seconds) || seconds < 0.01 || seconds > 86400) {
        *error = QStringLiteral("--timeout must be a number of seconds from 0.01 to 86400");
        return false;
    }
    options->timeoutMs = qMax(10, int(seconds * 1000));
    return true;
}

InstrumentRun::InstrumentRun(const LinkOptions &options)
    : m_session(m_state.commSettings), m_timeoutMs(options.timeoutMs)
{
    catchInterrupts();
    CommSettings &settings = m_state.commSettings;
    settings.PortNumber = options.portNumber;
    settings.BaudRate = options.baudRate;
    settings.CommandEnd = options.endMark;
    settings.JobNameEncoding = options.nameEncoding;
    m_session.setDevicePath(options.device);

    ConversationEngine &engine = m_session.engine();
    QObject::connect(&engine, &ConversationEngine::commandSent, this, [this] {
        ++m_commandsSent;
        m_lastActivityMs = nowMs();
    });
    QObject::connect(&engine, &ConversationEngine::replyReceived, this, [this] {
        ++m_repliesReceived;
        check();
    });
    QObject::connect(&m_session.link(), &SerialLink::bytesReceived, this,
                     [this] { m_lastActivityMs = nowMs(); });
    QObject::connect(&m_session.link(), &SerialLink::linkLost, this, [this](const QString &reason) {
        m_linkLost = true;
        m_failure = reason;
        check();
    });
    QObject::connect(&engine, &ConversationEngine::finished, this, &InstrumentRun::check);
    QObject::connect(&engine, &ConversationEngine::jobTableChanged, this, [this](bool fullRead) {
        m_directoryRead = m_directoryRead || fullRead;
        check();
    });
}

InstrumentRun::~InstrumentRun() = default;

int InstrumentRun::connect()
{
    m_lastActivityMs = nowMs();
    if (engine().connectToInstrument() == ConversationEngine::ConnectResult::OpenFailed) {
        printError(engine().lastError());
        if (engine().lastOpenWasDenied())
            printError(QStringLiteral("serial ports belong to the group 'dialout'; add yourself "
                                      "with 'sudo usermod -aG dialout $USER' and log in again"));
        return kExitCommunication;
    }
    if (!waitFor([this] { return m_directoryRead; })) {
        if (m_interrupted)
            return reportInterrupted(QStringLiteral("connection"));
        printError(m_failure);
        return kExitCommunication;
    }
    settle();
    return kExitOk;
}

void InstrumentRun::check()
{
    if (g_interruptRequested && !m_interrupted) {
        m_interrupted = true;
        m_failure = QStringLiteral("interrupted");
        engine().cancel(); // reports a running transfer through finished()
    }
    if (m_loop && (m_linkLost || m_interrupted || (m_done && m_done())))
        m_loop->quit();
}

int InstrumentRun::reportInterrupted(const QString &what) const
{
    printError(QStringLiteral("%1 interrupted; the port was closed").arg(what));
    return kExitInterrupted;
}

bool InstrumentRun::waitFor(const std::function<bool()> &done)
{
    check();
    if (m_linkLost || m_interrupted)
        return false;
    m_lastActivityMs = nowMs();
    QEventLoop loop;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &loop, [&] {
        if (nowMs() - m_lastActivityMs > m_timeoutMs) {
            m_failure = QStringLiteral("the instrument did not answer within %1 s")
                            .arg(m_timeoutMs / 1000.0) +
                        endMarkHint();
            loop.quit();
        }
        check();
    });
    watchdog.start(20);
    m_done = done;
    m_loop = &loop;
    if (!done())
        loop.exec();
    m_loop = nullptr;
    m_done = nullptr;
    return done() && !m_linkLost && !m_interrupted;
}

QString InstrumentRun::endMarkHint() const
{
    // Bytes came but never ended in the chosen end mark: the usual cause is an
    // instrument set to the other one.
    const QByteArray pending = m_session.engine().pendingReply();
    if (m_state.commSettings.CommandEnd == EndMark::Cr) {
        if (pending.contains('\n'))
            return QStringLiteral(" (its replies end in CR LF: try --endmark crlf)");
    } else if (pending.contains('\r')) {
        return QStringLiteral(" (its replies end in CR alone: try --endmark cr)");
    }
    return QString();
}

void InstrumentRun::settle()
{
    constexpr int kSettleMs = 2000;
    const int timeout = m_timeoutMs;
    m_timeoutMs = qMin(timeout, kSettleMs);
    if (!waitFor([this] { return m_repliesReceived >= m_commandsSent; }) && !m_linkLost &&
        !m_interrupted)
        m_failure.clear();
    m_timeoutMs = timeout;
}

QString InstrumentRun::jobLine(int number) const
{
    const JobTable &jobs = m_session.engine().jobTable();
    const int i = number - 1;
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(number)
        .arg(escaped(jobs.JobNames.at(i)),
             escaped(JobTable::withoutLineEnd(jobs.FixPointCounts.at(i))),
             escaped(JobTable::withoutLineEnd(jobs.MeasurementCounts.at(i))));
}

QString InstrumentRun::escaped(const QString &text)
{
    // A control character from the instrument would break the line apart or
    // move the terminal's cursor; a backslash is doubled so the form stays readable back.
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace cli
