// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/serial/SerialLink.h"

#include <QSerialPort>
#include <QString>

// SerialLink over QSerialPort: a real COM port, a USB adapter or a pty.
// Errors of the open line are handled in one place: a read, write or resource
// error closes the port and is reported once through linkLost().
class QtSerialLink : public SerialLink
{
    Q_OBJECT
public:
    explicit QtSerialLink(QObject *parent = nullptr);
    ~QtSerialLink() override;

    // A device path that overrides PortNumber (a pty, /dev/ttyUSB0, COM7).
    // Empty: RQTCOM_PORT when set, else the port PortNumber names.
    void setDevicePath(const QString &path);
    QString devicePath() const { return m_devicePath; }

    // The device open() will use for the settings: the explicit path, then
    // RQTCOM_PORT, then PortNumber. Empty with *error set when none exists.
    QString resolvePortName(const CommSettings &settings, QString *error) const;

    bool open(const CommSettings &settings) override;
    bool isOpen() const override;
    void send(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void close() override;
    QString errorString() const override;
    bool openWasDenied() const override { return m_denied; }

    // The name of the device opened last (for messages).
    QString portName() const { return m_name; }

private:
    void onReadyRead();
    void onErrorOccurred(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_devicePath;
    QString m_name;
    QString m_error;
    bool m_lost = false;
    bool m_denied = false;
};

// The n-th (1-based) serial port: COMn on Windows; elsewhere the n-th entry of
// the present ports sorted by system location. Empty when there is none.
QString serialPortNameForNumber(int portNumber);
