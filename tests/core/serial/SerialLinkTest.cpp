// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/QtSerialLink.h"
#include "core/state/AppState.h"
#include "tests/support/WaitFor.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A bare pseudo-terminal: the test plays the instrument on the master side.
struct Pty
{
    int master = -1;
    int slave = -1;
    QString path;

    Pty()
    {
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(::ptsname(master));
            termios raw{};
            ::tcgetattr(slave, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(slave, TCSANOW, &raw);
            ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~Pty() { closeAll(); }
    void closeAll()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
        master = slave = -1;
    }
    void write(const QByteArray &bytes) const
    {
        ASSERT_EQ(::write(master, bytes.constData(), size_t(bytes.size())), bytes.size());
    }
    QByteArray read() const
    {
        char buffer[512];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        return n > 0 ? QByteArray(buffer, n) : QByteArray();
    }
};

CommSettings settings(int baudRate = 19200)
{
    CommSettings s;
    s.PortNumber = 1;
    s.BaudRate = baudRate;
    return s;
}

} // namespace

TEST(QtSerialLink, sendsExactlyTheBytesAndReportsWhatArrives)
{
    Pty pty;
    ASSERT_FALSE(pty.path.isEmpty());
    QtSerialLink link;
    link.setDevicePath(pty.path);
    ASSERT_TRUE(link.open(settings())) << qPrintable(link.errorString());
    QSignalSpy received(&link, &SerialLink::bytesReceived);

    link.send(QByteArray("JOB/CONF/LIST\r", 14));
    QByteArray seen;
    ASSERT_TRUE(waitFor([&] { return (seen += pty.read()).size() >= 14; }));
    EXPECT_EQ(seen, QByteArray("JOB/CONF/LIST\r"));

    pty.write("ROAD1,x,25,130\r\n");
    ASSERT_TRUE(waitFor([&] { return received.count() > 0; }));
    QByteArray reply;
    ASSERT_TRUE(waitFor([&] { return (reply += link.readAll()).endsWith('\n'); }));
    EXPECT_EQ(reply, QByteArray("ROAD1,x,25,130\r\n"));
    EXPECT_TRUE(link.readAll().isEmpty());
}

TEST(QtSerialLink, bytesWaitingBeforeTheOpenAreDiscarded)
{
    Pty pty;
    pty.write("stale reply\r\n");
    QtSerialLink link;
    link.setDevicePath(pty.path);
    ASSERT_TRUE(link.open(settings()));
    QSignalSpy received(&link, &SerialLink::bytesReceived);
    QCoreApplication::processEvents();
    EXPECT_TRUE(link.readAll().isEmpty());

    pty.write("OK\r\n");
    QByteArray reply;
    ASSERT_TRUE(waitFor([&] { return (reply += link.readAll()).endsWith('\n'); }));
    EXPECT_EQ(reply, QByteArray("OK\r\n"));
}

TEST(QtSerialLink, lineSettingsFollowTheBaudRate)
{
    Pty pty;
    QtSerialLink link;
    link.setDevicePath(pty.path);
    ASSERT_TRUE(link.open(settings(9600)));
    termios t{};
    ::tcgetattr(pty.slave, &t);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB), tcflag_t(0));

    // A rate not in the table keeps the line settings of the last opening.
    ASSERT_TRUE(link.open(settings(CommSettings::kKeepLineSpeed)));
    ::tcgetattr(pty.slave, &t);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    ASSERT_TRUE(link.open(settings(57600)));
    ::tcgetattr(pty.slave, &t);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B9600));
    ASSERT_TRUE(link.open(settings(1200)));
    ::tcgetattr(pty.slave, &t);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B1200));
}

TEST(QtSerialLink, aMissingDeviceIsAnErrorNotACrash)
{
    QtSerialLink link;
    link.setDevicePath(QStringLiteral("/dev/rqtcom-no-such-port"));
    QSignalSpy lost(&link, &SerialLink::linkLost);
    EXPECT_FALSE(link.open(settings()));
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(link.errorString().contains(QLatin1String("/dev/rqtcom-no-such-port")));
    EXPECT_EQ(lost.count(), 0);
}

TEST(QtSerialLink, aVanishedDeviceIsReportedOnceAndClosed)
{
    auto pty = std::make_unique<Pty>();
    QtSerialLink link;
    link.setDevicePath(pty->path);
    ASSERT_TRUE(link.open(settings()));
    QSignalSpy lost(&link, &SerialLink::linkLost);
    pty->closeAll();
    ASSERT_TRUE(waitFor([&] { return lost.count() > 0; }));
    EXPECT_FALSE(link.isOpen());
    link.send("?\r\n");
    waitFor([] { return false; }, 200);
    EXPECT_EQ(lost.count(), 1);
    EXPECT_FALSE(lost.at(0).at(0).toString().isEmpty());
}

TEST(QtSerialLink, portNameComesFromPathThenEnvironmentThenNumber)
{
    QtSerialLink link;
    CommSettings s = settings();
    s.PortNumber = 99;
    QString error;
    qputenv("RQTCOM_PORT", "/dev/from-environment");
    EXPECT_EQ(link.resolvePortName(s, &error), QStringLiteral("/dev/from-environment"));
    link.setDevicePath(QStringLiteral("/dev/explicit"));
    EXPECT_EQ(link.resolvePortName(s, &error), QStringLiteral("/dev/explicit"));
    qunsetenv("RQTCOM_PORT");
    link.setDevicePath(QString());
    EXPECT_TRUE(link.resolvePortName(s, &error).isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("99")));
    EXPECT_FALSE(link.open(s));
}
