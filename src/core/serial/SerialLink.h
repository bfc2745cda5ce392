// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

struct CommSettings;

// The serial line as the rest of the system needs it: open with the settings,
// send bytes, be told when bytes arrive, read what is waiting, close.
// Implemented over QSerialPort for real ports and ptys; the conversation
// engine only ever talks to this interface.
class SerialLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLink() override = default;

    // Closes first if open, applies the port and line settings (a BaudRate
    // not in CommSettings::kBaudRates keeps the current line settings), opens, and discards
    // whatever was waiting. False with errorString() set when it fails.
    virtual bool open(const CommSettings &settings) = 0;
    virtual bool isOpen() const = 0;
    // Writes all bytes, in order, adding nothing; returns at once.
    virtual void send(const QByteArray &bytes) = 0;
    // Every byte received and not yet read, possibly none.
    virtual QByteArray readAll() = 0;
    virtual void close() = 0;
    virtual QString errorString() const = 0;
    // The last open() failed because the user may not use the device; on
    // Linux that usually means not being in its group ("dialout").
    virtual bool openWasDenied() const { return false; }

Q_SIGNALS:
    // At least one byte is waiting; emitted on the thread that owns the link.
    void bytesReceived();
    // The line failed (device vanished, write error). Emitted once; the link is closed.
    void linkLost(const QString &reason);
};
