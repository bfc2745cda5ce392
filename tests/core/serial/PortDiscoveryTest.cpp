// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/PortDiscovery.h"
#include "core/state/AppState.h"

#include <gtest/gtest.h>

namespace {

SerialPortEntry port(const char *name, const char *description = "", const char *maker = "",
                     int vendorId = -1)
{
    SerialPortEntry entry;
    entry.portName = QString::fromLatin1(name);
    entry.systemLocation = QStringLiteral("/dev/") + entry.portName;
    entry.description = QString::fromLatin1(description);
    entry.manufacturer = QString::fromLatin1(maker);
    entry.hasVendorId = vendorId >= 0;
    entry.vendorId = quint16(vendorId);
    return entry;
}

} // namespace

#ifndef Q_OS_WIN
// Linux numbers the ports by their place in the list; Windows by their COM name.
TEST(PortDiscovery, adapterBecomesThePortByItsPlaceInTheList)
{
    CommSettings settings;
    settings.BaudRate = 4800;
    settings.CommandEnd = EndMark::Cr;
    QByteArray trace;
    DiscoverAdapterPort(settings,
                        {port("ttyS0"), port("ttyS1", "16550A"),
                         port("ttyUSB0", "USB-Serial Controller", "Prolific Technology", 0x067B)},
                        &trace);
    EXPECT_EQ(settings.PortNumber, 3);
    EXPECT_EQ(settings.CommandEnd, EndMark::CrLf);
    EXPECT_EQ(settings.BaudRate, 19200);
    EXPECT_EQ(trace, "000   :   FriendName   =   ttyS0\n"
                     "001   :   FriendName   =   16550A (ttyS1)\n"
                     "002   :   FriendName   =   USB-Serial Controller (ttyUSB0)\n");
}

TEST(PortDiscovery, withoutAdapterOnlyTheBaudRateIsReset)
{
    CommSettings settings;
    settings.PortNumber = 4;
    settings.BaudRate = 4800;
    settings.CommandEnd = EndMark::Cr;
    QByteArray trace;
    DiscoverAdapterPort(settings, {port("ttyS0"), port("ttyACM0", "Pico", "Raspberry Pi", 0x2E8A)},
                        &trace);
    EXPECT_EQ(settings.PortNumber, 4);
    EXPECT_EQ(settings.CommandEnd, EndMark::Cr);
    EXPECT_EQ(settings.BaudRate, 19200);

    DiscoverAdapterPort(settings, {}, &trace);
    EXPECT_EQ(settings.PortNumber, 4);
}

TEST(PortDiscovery, theFirstOfSeveralAdaptersWins)
{
    CommSettings settings;
    QByteArray trace;
    DiscoverAdapterPort(settings,
                        {port("ttyS0"), port("ttyUSB0", "FT232R USB UART", "FTDI", 0x0403),
                         port("ttyUSB1", "", "Prolific", 0x067B)},
                        &trace);
    EXPECT_EQ(settings.PortNumber, 2);
    EXPECT_EQ(trace.count('\n'), 2) << "the scan stops at the first match";
}
#else
TEST(PortDiscovery, onWindowsTheAdapterGivesItsComNumber)
{
    CommSettings settings;
    settings.CommandEnd = EndMark::Cr;
    QByteArray trace;
    DiscoverAdapterPort(settings,
                        {port("COM1", "Communications Port"),
                         port("COM12", "Prolific USB-to-Serial Comm Port", "Prolific", 0x067B),
                         port("COM5", "USB-SERIAL CH340", "wch.cn", 0x1A86)},
                        &trace);
    EXPECT_EQ(settings.PortNumber, 12);
    EXPECT_EQ(settings.CommandEnd, EndMark::CrLf);
    EXPECT_EQ(trace.count('\n'), 2) << "the scan stops at the first match";

    // Other makers' cables are found by their names too.
    CommSettings other;
    DiscoverAdapterPort(
        other,
        {port("COM1", "Communications Port"), port("COM5", "USB-SERIAL CH340", "wch.cn", 0x1A86)},
        &trace);
    EXPECT_EQ(other.PortNumber, 5);
}
#endif

TEST(PortDiscovery, adapterNamesAreRecognisedByDescriptionOrMaker)
{
    EXPECT_TRUE(looksLikeUsbSerialAdapter(port("ttyUSB0", "USB-to-Serial Comm Port")));
    EXPECT_TRUE(looksLikeUsbSerialAdapter(port("ttyUSB0", "USB2.0-Serial")));
    EXPECT_TRUE(looksLikeUsbSerialAdapter(port("ttyUSB0", "CP2102 USB to UART Bridge")));
    EXPECT_TRUE(looksLikeUsbSerialAdapter(port("ttyUSB0", "", "Prolific Technology Inc.")));
    EXPECT_TRUE(looksLikeUsbSerialAdapter(port("ttyUSB0", "", "", 0x067B)));
    EXPECT_FALSE(looksLikeUsbSerialAdapter(port("ttyS0", "16550A", "", -1)));
    EXPECT_FALSE(looksLikeUsbSerialAdapter(port("ttyACM0", "Modem", "Sierra", 0x1199)));
}

TEST(PortDiscovery, windowsFriendlyNameGivesTheComNumber)
{
    int number = -1;
    EXPECT_TRUE(
        friendlyNameMatches(QStringLiteral("Prolific USB-to-Serial Comm Port (COM7)"), &number));
    EXPECT_EQ(number, 7);
    EXPECT_TRUE(
        friendlyNameMatches(QStringLiteral("Prolific USB-to-Serial Comm Port (COM12)"), &number));
    EXPECT_EQ(number, 12);
    EXPECT_TRUE(friendlyNameMatches(QStringLiteral("Prolific USB-to-Serial Port (COM3)"), &number));
    EXPECT_EQ(number, 0) << "no digit at the expected place: the port stays as it was";
    EXPECT_FALSE(friendlyNameMatches(QStringLiteral("Communications Port (COM1)"), &number));
    EXPECT_FALSE(friendlyNameMatches(QStringLiteral("Pro"), &number));
}
