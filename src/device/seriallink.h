#pragma once

#include "devicelink.h"

class QSerialPort;

namespace w4 {

// The serial port: 115200 baud, 8 data bits, no parity, one stop bit, no flow
// control. The link counts as open as soon as the port is; the processor's
// serial output proves nothing and is only passed on.
class SerialLink : public DeviceLink
{
    Q_OBJECT

public:
    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    void setPortName(const QString &name);
    // The name as it was set (a path under /dev stays a path), so that it can
    // be found in the port list it was chosen from.
    QString portName() const;

    LinkKind kind() const override { return LinkKind::Serial; }
    void open() override;
    void close() override;
    bool isOpen() const override;
    qint64 write(const QByteArray &bytes) override;

    // The port in use is gone from the system: the link is lost.
    void portVanished();

    QSerialPort *port() const { return serialPort; }

private:
    void closeWith(CloseReason reason);
    QSerialPort *serialPort;
    QString name;
};

} // namespace w4
