#include "seriallink.h"

#include "serialportmanager.h"

#include <QSerialPort>

namespace w4 {

SerialLink::SerialLink(QObject *parent) : DeviceLink(parent), serialPort(new QSerialPort(this))
{
    connect(serialPort, &QSerialPort::readyRead, this, [this] { emit received(serialPort->readAll()); });
    // A port that fails under us (the adapter pulled) is lost; errors while
    // opening are reported by open() itself.
    connect(serialPort, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError && serialPort->isOpen()) {
            emit errorOccurred(serialPort->errorString());
            closeWith(CloseReason::Lost);
        }
    });
}

SerialLink::~SerialLink()
{
    serialPort->disconnect(this);
    serialPort->close();
}

void SerialLink::setPortName(const QString &portName)
{
    name = portName;
    serialPort->setPortName(portName);
}

// QSerialPort gives "/dev/pts/3" back as "pts/3".
QString SerialLink::portName() const
{
    return name;
}

void SerialLink::open()
{
    if (serialPort->isOpen())
        return;
    if (!serialPort->open(QIODevice::ReadWrite)) {
        emit errorOccurred(serialPort->errorString());
        serialPort->close();
        emit closed(CloseReason::OpenFailed);
        return;
    }
    SerialPortManager::applySettings(serialPort);
    emit opened();
}

void SerialLink::close()
{
    if (serialPort->isOpen())
        closeWith(CloseReason::ByUser);
}

void SerialLink::portVanished()
{
    if (serialPort->isOpen())
        closeWith(CloseReason::Lost);
}

void SerialLink::closeWith(CloseReason reason)
{
    serialPort->close();
    emit closed(reason);
}

bool SerialLink::isOpen() const
{
    return serialPort->isOpen();
}

qint64 SerialLink::write(const QByteArray &bytes)
{
    return serialPort->isOpen() ? serialPort->write(bytes) : -1;
}

} // namespace w4
