// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/PortDiscovery.h"

#include "core/serial/CommSettings.h"

#include <QRegularExpression>

#include <cstdio>

namespace {

// Where the COM number sits in "Prolific USB-to-Serial Comm Port (COM7)".
constexpr int kFriendlyNameDigit = 37;

bool isDigit(QChar c, char lowest)
{
    return c >= QLatin1Char(lowest) && c <= QLatin1Char('9');
}

QByteArray traceLine(int index, const QString &friendlyName)
{
    return QByteArray::number(index).rightJustified(3, '0') +
           "   :   FriendName   =   " + friendlyName.toLocal8Bit() + '\n';
}

#ifdef Q_OS_WIN
// n of "COMn", 0 for any other name.
int comNumber(const QString &portName)
{
    if (!portName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = portName.mid(3).toInt(&ok);
    return ok && number > 0 ? number : 0;
}
#endif

} // namespace

QString friendlyPortName(const SerialPortEntry &port)
{
    if (port.description.isEmpty())
        return port.portName;
    return QStringLiteral("%1 (%2)").arg(port.description, port.portName);
}

bool friendlyNameMatches(const QString &friendlyName, int *portNumber)
{
    *portNumber = 0;
    if (friendlyName.mid(0, 3) != QLatin1String("Pro") ||
        friendlyName.mid(9, 5) != QLatin1String("USB-t"))
        return false;
    if (friendlyName.size() > kFriendlyNameDigit &&
        isDigit(friendlyName[kFriendlyNameDigit], '1')) {
        *portNumber = friendlyName[kFriendlyNameDigit].digitValue();
        if (friendlyName.size() > kFriendlyNameDigit + 1 &&
            isDigit(friendlyName[kFriendlyNameDigit + 1], '0'))
            *portNumber = *portNumber * 10 + friendlyName[kFriendlyNameDigit + 1].digitValue();
    }
    return true;
}

bool looksLikeUsbSerialAdapter(const SerialPortEntry &port)
{
    constexpr quint16 kProlificVendorId = 0x067B;
    if (port.hasVendorId && port.vendorId == kProlificVendorId)
        return true;
    static const QRegularExpression kAdapterName(
        QStringLiteral(R"(usb[\s_.\d-]*(to[\s_-]*)?(serial|uart|rs-?232)|prolific|pl2303|ft232|)"
                       R"(ftdi|ch34[01]|cp210)"),
        QRegularExpression::CaseInsensitiveOption);
    return kAdapterName.match(port.description).hasMatch() ||
           kAdapterName.match(port.manufacturer).hasMatch();
}

void DiscoverAdapterPort(CommSettings &settings, const QList<SerialPortEntry> &ports,
                         QByteArray *trace)
{
    for (int index = 0; index < ports.size(); ++index) {
        const SerialPortEntry &port = ports.at(index);
        const QString friendlyName = friendlyPortName(port);
        if (friendlyName.isEmpty())
            continue;
        trace->append(traceLine(index, friendlyName));
#ifdef Q_OS_WIN
        int number = 0;
        if (friendlyNameMatches(friendlyName, &number)) {
            if (number > 0)
                settings.PortNumber = number;
        } else if (looksLikeUsbSerialAdapter(port) && comNumber(port.portName) > 0) {
            // CH340, FTDI and CP210x cables are common too; the settings dialog
            // offers only COM1 and the found port, so they must be found here.
            settings.PortNumber = comNumber(port.portName);
        } else {
            continue;
        }
#else
        if (!looksLikeUsbSerialAdapter(port))
            continue;
        settings.PortNumber = index + 1;
#endif
        settings.CommandEnd = EndMark::CrLf;
        break;
    }
    settings.BaudRate = CommSettings::kBaudRates[0];
}

void DiscoverAdapterPort(CommSettings &settings)
{
    QByteArray trace;
    DiscoverAdapterPort(settings, listSerialPorts(), &trace);
    std::fwrite(trace.constData(), 1, size_t(trace.size()), stdout);
    std::fflush(stdout);
}
