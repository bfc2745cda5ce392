// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/QtSerialLink.h"

#include "core/serial/CommSettings.h"
#include "core/serial/SerialPortList.h"

namespace {

// The instrument's control used 2048-byte buffers; QSerialPort only has a read
// buffer, and its writes are queued without limit.
constexpr qint64 kReadBufferSize = 2048;

} // namespace

QString serialPortNameForNumber(int portNumber)
{
    if (portNumber < 1)
        return QString();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QList<SerialPortEntry> ports = listSerialPorts();
    if (portNumber > ports.size())
        return QString();
    return ports.at(portNumber - 1).systemLocation;
#endif
}

QtSerialLink::QtSerialLink(QObject *parent) : SerialLink(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLink::onErrorOccurred);
}

QtSerialLink::~QtSerialLink()
{
    // Closing here keeps errorOccurred from reaching a half-destroyed link.
    disconnect(&m_port, nullptr, this, nullptr);
    m_port.close();
}

void QtSerialLink::setDevicePath(const QString &path)
{
    m_devicePath = path;
}

QString QtSerialLink::resolvePortName(const CommSettings &settings, QString *error) const
{
    if (!m_devicePath.isEmpty())
        return m_devicePath;
    const QString fromEnvironment = qEnvironmentVariable("RQTCOM_PORT");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString name = serialPortNameForNumber(settings.PortNumber);
    if (name.isEmpty() && error)
        *error = tr("no serial port number %1 is present").arg(settings.PortNumber);
    return name;
}

bool QtSerialLink::open(const CommSettings &settings)
{
    if (m_port.isOpen())
        m_port.close();
    m_error.clear();
    m_denied = false;

    QString error;
    const QString name = resolvePortName(settings, &error);
    if (name.isEmpty()) {
        m_error = error;
        return false;
    }
    m_name = name;
    m_port.setPortName(name);
    m_port.setReadBufferSize(kReadBufferSize);
    if (CommSettings::isListedBaudRate(settings.BaudRate)) {
        m_port.setBaudRate(settings.BaudRate);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setStopBits(QSerialPort::OneStop);
    }
    // The instrument uses a three-wire cable: no handshake, modem lines left
    // as the driver sets them.
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    // Errors raised while opening are reported by the return value alone.
    m_lost = true;
    const bool opened = m_port.open(QIODevice::ReadWrite);
    m_lost = false;
    if (!opened) {
        m_error = tr("cannot open %1: %2").arg(name, m_port.errorString());
#ifndef Q_OS_WIN
        // On Windows the same error means another program holds the port.
        m_denied = m_port.error() == QSerialPort::PermissionError;
#endif
        m_port.clearError();
        return false;
    }
    // Whatever was waiting before the port was ours is not a reply.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    return true;
}

bool QtSerialLink::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialLink::send(const QByteArray &bytes)
{
    if (!m_port.isOpen()) {
        if (!m_lost) {
            m_lost = true;
            m_error = tr("the port is not open");
            Q_EMIT linkLost(m_error);
        }
        return;
    }
    // Straight to the driver, as the instrument control did: QSerialPort would
    // otherwise hold the bytes until the event loop runs again, and a caller
    // that pauses after sending would pause with the line idle.
    m_port.write(bytes);
    m_port.flush();
}

QByteArray QtSerialLink::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void QtSerialLink::close()
{
    m_port.close();
}

QString QtSerialLink::errorString() const
{
    return m_error;
}

void QtSerialLink::onReadyRead()
{
    Q_EMIT bytesReceived();
}

void QtSerialLink::onErrorOccurred(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::WriteError:
        break;
    default:
        return; // NoError, timeouts and settings the device refuses are not fatal
    }
    if (m_lost)
        return;
    m_lost = true;
    // Qt's text for a vanished device is whatever errno held last; say what happened.
    const QString why = error == QSerialPort::ResourceError
                            ? tr("the device was unplugged or closed")
                        : error == QSerialPort::ReadError
                            ? tr("the device could not be read; it may have been unplugged")
                            : tr("the device could not be written to; it may have been unplugged");
    m_error = tr("the connection on %1 was lost (%2)").arg(m_name, why);
    m_port.clearError();
    m_port.close();
    Q_EMIT linkLost(m_error);
}
