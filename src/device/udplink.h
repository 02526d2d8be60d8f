#pragma once

#include "devicelink.h"

class QUdpSocket;

namespace w4 {

// The UDP socket: status datagrams and search replies in, datagram commands
// out. Bound to port 23 on every IPv4 address while idle, to port 1400 on one
// local address for a search or a read. "Open" means bound.
class UdpLink : public DeviceLink
{
    Q_OBJECT

public:
    static constexpr quint16 IdlePort = 23;
    static constexpr quint16 ReadPort = 1400;

    explicit UdpLink(QObject *parent = nullptr);

    // Where write() sends: the device and its datagram port (68 for a device
    // that takes its address by DHCP, else 23).
    void setDevice(const QHostAddress &address, quint16 port);
    QHostAddress device() const { return deviceAddress; }
    quint16 devicePort() const { return deviceDatagramPort; }

    LinkKind kind() const override { return LinkKind::Udp; }
    // Binds to the idle port on every IPv4 address, not shared: fails when
    // another program (or another copy of this one) holds the port.
    void open() override;
    void close() override;
    bool isOpen() const override;
    qint64 write(const QByteArray &bytes) override;
    qint64 writeTo(const QByteArray &bytes, const QHostAddress &address, quint16 port);

    // Binds to the read port on `local` unless already bound there; false when
    // the bind failed.
    bool rebind(const QHostAddress &local);

    QUdpSocket *socket() const { return udp; }

private:
    void readPending();
    QUdpSocket *udp;
    QHostAddress deviceAddress;
    quint16 deviceDatagramPort = IdlePort;
};

} // namespace w4
