#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QSerialPort;

// One entry of the serial port lists: the name to open and the description the
// system gives for it.
struct SerialPortEntry
{
    QString name;
    QString description;
    QString listText() const { return name + QLatin1Char(' ') + description; }
    bool operator==(const SerialPortEntry &o) const { return name == o.name && description == o.description; }
};

// The serial ports the system offers and the fixed settings of the link. The
// port itself belongs to the session's serial link.
class SerialPortManager
{
public:
    // The ports to offer: the system's, in its order, then the device paths in
    // W4_SERIAL_PORTS (separated by ':'), which the system does not list
    // (pseudo-terminals, network serial bridges).
    static QList<SerialPortEntry> availablePorts();

    // Replaces where availablePorts() looks; for tests. Empty restores the system.
    static void setPortLister(std::function<QList<SerialPortEntry>()> lister);

    // Applies the fixed link settings to an opened port: 115200 8N1, no flow
    // control, 500-byte read buffer.
    static void applySettings(QSerialPort *port);
};

// The port list as the once-a-second poll sees it. The full scan looks at
// every tty of the machine and costs milliseconds; it runs again only when the
// names of the machine's serial devices changed since the last look, which
// costs microseconds. Where the names cannot be read, every look scans.
class SerialPortWatch
{
public:
    // The names to compare; nothing when they cannot be told.
    using Names = std::function<std::optional<QStringList>()>;
    using Scan = std::function<QList<SerialPortEntry>()>;

    SerialPortWatch();
    SerialPortWatch(Names names, Scan scan);

    QList<SerialPortEntry> ports();

    // The system's serial device names (the entries of /sys/class/tty) and
    // the W4_SERIAL_PORTS paths that exist. Nothing while a test's port lister
    // stands in for the system.
    static std::optional<QStringList> systemDeviceNames();

private:
    Names names;
    Scan scan;
    std::optional<QStringList> lastNames;
    QList<SerialPortEntry> lastPorts;
};
