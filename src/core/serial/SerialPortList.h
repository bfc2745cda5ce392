// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One present serial port as the port discovery and the port naming see it.
struct SerialPortEntry
{
    QString portName;       // "ttyUSB0", "COM7"
    QString systemLocation; // "/dev/ttyUSB0", "\\\\.\\COM7"
    QString description;    // "Prolific USB-to-Serial Comm Port", may be empty
    QString manufacturer;
    bool hasVendorId = false;
    quint16 vendorId = 0;
};

// The present serial ports, sorted by system location so that a port number
// means the same port from one run to the next.
QList<SerialPortEntry> listSerialPorts();
