#include "serialportmanager.h"

#include <QFileInfo>
#include <QStringList>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <dirent.h>

namespace {

std::function<QList<SerialPortEntry>()> &portLister()
{
    static std::function<QList<SerialPortEntry>()> lister;
    return lister;
}

} // namespace

QList<SerialPortEntry> SerialPortManager::availablePorts()
{
    if (portLister())
        return portLister()();

    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description()});

    // Extra ports are listed while their device node exists, so that a bridge
    // going away looks like an adapter being unplugged.
    const QString extra = qEnvironmentVariable("W4_SERIAL_PORTS");
    for (const QString &path : extra.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QFileInfo::exists(path))
            ports.append({path, QStringLiteral("W4_SERIAL_PORTS")});
    }
    return ports;
}

void SerialPortManager::setPortLister(std::function<QList<SerialPortEntry>()> lister)
{
    portLister() = std::move(lister);
}

void SerialPortManager::applySettings(QSerialPort *port)
{
    port->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setReadBufferSize(500);
}

SerialPortWatch::SerialPortWatch()
    : SerialPortWatch(&SerialPortWatch::systemDeviceNames, &SerialPortManager::availablePorts)
{
}

SerialPortWatch::SerialPortWatch(Names names, Scan scan) : names(std::move(names)), scan(std::move(scan)) {}

QList<SerialPortEntry> SerialPortWatch::ports()
{
    std::optional<QStringList> now = names();
    if (!now || !lastNames || *now != *lastNames)
        lastPorts = scan();
    lastNames = std::move(now);
    return lastPorts;
}

std::optional<QStringList> SerialPortWatch::systemDeviceNames()
{
    if (portLister())
        return std::nullopt;
    DIR *dir = opendir("/sys/class/tty");
    if (!dir)
        return std::nullopt;
    QStringList found;
    while (const dirent *entry = readdir(dir))
        found << QString::fromLocal8Bit(entry->d_name);
    closedir(dir);
    found.sort();
    const QString extra = qEnvironmentVariable("W4_SERIAL_PORTS");
    for (const QString &path : extra.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QFileInfo::exists(path))
            found << path;
    return found;
}
