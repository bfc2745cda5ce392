// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/SerialPortList.h"

#include <QSerialPortInfo>

#include <algorithm>

QList<SerialPortEntry> listSerialPorts()
{
    QList<SerialPortEntry> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialPortEntry entry;
        entry.portName = info.portName();
        entry.systemLocation = info.systemLocation();
        entry.description = info.description();
        entry.manufacturer = info.manufacturer();
        entry.hasVendorId = info.hasVendorIdentifier();
        entry.vendorId = info.vendorIdentifier();
        ports.append(entry);
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry &a, const SerialPortEntry &b) {
        return a.systemLocation < b.systemLocation;
    });
    return ports;
}
