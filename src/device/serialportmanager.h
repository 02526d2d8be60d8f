#pragma once

#include <QList>
#include <QString>

#include <functional>

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
