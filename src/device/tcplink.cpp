#include "tcplink.h"

#include <QNetworkProxy>
#include <QTcpSocket>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace w4 {

TcpLink::TcpLink(QObject *parent) : DeviceLink(parent), tcp(new QTcpSocket(this))
{
    tcp->setProxy(QNetworkProxy::NoProxy);
    tcp->setReadBufferSize(ReadChunk);
    connectTimeout.setSingleShot(true);
    connectTimeout.setInterval(1500);
    connect(&connectTimeout, &QTimer::timeout, this, &TcpLink::onTimeout);
    connect(tcp, &QTcpSocket::connected, this, &TcpLink::onConnected);
    connect(tcp, &QTcpSocket::disconnected, this, &TcpLink::onDisconnected);
    connect(tcp, &QTcpSocket::readyRead, this, [this] { emit received(tcp->read(ReadChunk)); });
    // A refused or unreachable attempt is decided by the time-out, as for an
    // address that never answers; a link that was up ends with disconnected().
    connect(tcp, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError) { emit errorOccurred(tcp->errorString()); });
}

TcpLink::~TcpLink()
{
    tcp->disconnect(this);
    tcp->abort();
}

void TcpLink::setEndpoint(const QString &host, quint16 port)
{
    endpointHost = host;
    endpointPort = port;
}

void TcpLink::open()
{
    // Whatever was there before goes quietly: a new attempt replaces it.
    opening = false;
    up = false;
    tcp->abort();
    opening = true;
    tcp->connectToHost(endpointHost, endpointPort, QIODevice::ReadWrite);
    connectTimeout.start();
}

void TcpLink::close()
{
    if (!opening && !up)
        return;
    opening = false;
    up = false;
    connectTimeout.stop();
    tcp->abort();
    emit closed(CloseReason::ByUser);
}

bool TcpLink::isOpen() const
{
    return up;
}

bool TcpLink::isOpening() const
{
    return opening;
}

qint64 TcpLink::write(const QByteArray &bytes)
{
    return up ? tcp->write(bytes) : -1;
}

// A processor that vanishes without closing the connection (power cut, cable
// pulled, switch rebooted) is noticed within about ten seconds: probes after 4 s
// of silence, every 2 s, three unanswered mean lost; data left unacknowledged
// for 10 s ends the connection too.
void TcpLink::keepAlive()
{
    tcp->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef Q_OS_LINUX
    const int fd = int(tcp->socketDescriptor());
    if (fd < 0)
        return;
    const int idle = 4, interval = 2, count = 3;
    const unsigned int unacknowledgedMs = 10000;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
    ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &unacknowledgedMs, sizeof unacknowledgedMs);
#endif
}

void TcpLink::dropPeer()
{
    if (up)
        finish(CloseReason::Lost);
}

void TcpLink::onConnected()
{
    if (!opening)
        return;
    keepAlive();
    connectTimeout.stop();
    opening = false;
    up = true;
    emit opened();
}

void TcpLink::onDisconnected()
{
    if (up)
        finish(CloseReason::Lost);
}

void TcpLink::onTimeout()
{
    if (opening)
        finish(CloseReason::TimedOut);
}

void TcpLink::finish(CloseReason reason)
{
    opening = false;
    up = false;
    connectTimeout.stop();
    tcp->abort();
    emit closed(reason);
}

} // namespace w4
