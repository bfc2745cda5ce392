// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/serial/SerialPortList.h"

#include <QByteArray>
#include <QList>

struct CommSettings;

// Finds the USB-to-serial adapter among the present ports and makes it the
// port of CommSettings: PortNumber becomes its number and the end mark CR LF
// when one is found; the speed becomes the first of the table either way. Writes one trace line per
// port to standard output.
void DiscoverAdapterPort(CommSettings &settings);

// The same on a given port list; the trace lines are appended to *trace
// instead of being printed. Windows: the Prolific friendly-name test on
// "DESCRIPTION (COMn)"; elsewhere a Prolific vendor id or a description or
// manufacturer naming a USB-to-serial adapter, numbered by list position.
void DiscoverAdapterPort(CommSettings &settings, const QList<SerialPortEntry> &ports,
                         QByteArray *trace);

// The Windows friendly name of a port, as the device manager shows it.
QString friendlyPortName(const SerialPortEntry &port);
// The adapter test of non-Windows platforms.
bool looksLikeUsbSerialAdapter(const SerialPortEntry &port);
// The adapter test on a Windows friendly name, and the port number it holds
// (0 when the name carries none at the expected place).
bool friendlyNameMatches(const QString &friendlyName, int *portNumber);
