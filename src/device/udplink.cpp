#include "udplink.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QUdpSocket>

namespace w4 {

UdpLink::UdpLink(QObject *parent) : DeviceLink(parent), udp(new QUdpSocket(this))
{
    udp->setProxy(QNetworkProxy::NoProxy);
    connect(udp, &QUdpSocket::readyRead, this, &UdpLink::readPending);
}

void UdpLink::setDevice(const QHostAddress &address, quint16 port)
{
    deviceAddress = address;
    deviceDatagramPort = port;
}

void UdpLink::open()
{
    udp->close();
    // Not shared: with two sockets on the port the system hands each answer
    // to one of them, so a second copy of the program (or another program)
    // would quietly take replies meant for the first. The second bind fails
    // instead, and says why.
    if (udp->bind(QHostAddress::AnyIPv4, IdlePort, QAbstractSocket::DontShareAddress)) {
        emit opened();
        return;
    }
    emit errorOccurred(udp->errorString());
    emit closed(CloseReason::OpenFailed);
}

void UdpLink::close()
{
    if (udp->state() == QAbstractSocket::UnconnectedState)
        return;
    udp->close();
    emit closed(CloseReason::ByUser);
}

bool UdpLink::isOpen() const
{
    return udp->state() == QAbstractSocket::BoundState;
}

qint64 UdpLink::write(const QByteArray &bytes)
{
    return writeTo(bytes, deviceAddress, deviceDatagramPort);
}

qint64 UdpLink::writeTo(const QByteArray &bytes, const QHostAddress &address, quint16 port)
{
    return udp->writeDatagram(bytes, address, port);
}

bool UdpLink::rebind(const QHostAddress &local)
{
    if (udp->localAddress() == local && udp->state() == QAbstractSocket::BoundState)
        return true;
    udp->close();
    if (udp->bind(local, ReadPort))
        return true;
    emit errorOccurred(udp->errorString());
    return false;
}

void UdpLink::readPending()
{
    while (udp->hasPendingDatagrams()) {
        const QNetworkDatagram d = udp->receiveDatagram();
        emit datagramReceived(d.data(), d.senderAddress());
    }
}

} // namespace w4
