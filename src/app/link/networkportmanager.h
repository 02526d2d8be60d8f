#pragma once

#include <QObject>

class QTcpSocket;
class QUdpSocket;

// Owns the program's two network sockets for the whole run: TCP for commands
// and status frames, UDP for status datagrams, search replies and datagram
// commands. Neither socket ever goes through a proxy.
class NetworkPortManager : public QObject
{
    Q_OBJECT

public:
    static NetworkPortManager *instance();

    void init();
    QTcpSocket *tcpSocket() const { return tcp; }
    QUdpSocket *udpSocket() const { return udp; }

    // The chosen device takes its address by DHCP: its datagram port is 68.
    bool dhcpDevice = false;
    quint16 deviceDatagramPort() const { return dhcpDevice ? 68 : 23; }

private:
    NetworkPortManager() = default;
    ~NetworkPortManager() override;
    QTcpSocket *tcp = nullptr;
    QUdpSocket *udp = nullptr;
};
