#pragma once

#include "devicelink.h"

#include <QTimer>

class QTcpSocket;

namespace w4 {

// The TCP connection to a processor: commands out, status frames in. An attempt
// that is not answered within the connect time-out is given up. The socket holds
// at most ReadChunk bytes, and each read hands on at most that much: a peer that
// sends without pause is read a chunk per turn of the event loop, and the rest
// waits in the system's buffers (the peer is held back by the connection's
// flow control).
class TcpLink : public DeviceLink
{
    Q_OBJECT

public:
    static constexpr qint64 ReadChunk = 64 * 1024;

    explicit TcpLink(QObject *parent = nullptr);
    ~TcpLink() override;

    void setEndpoint(const QString &host, quint16 port);
    QString host() const { return endpointHost; }
    quint16 port() const { return endpointPort; }
    void setConnectTimeout(int ms) { connectTimeout.setInterval(ms); }
    int connectTimeoutMs() const { return connectTimeout.interval(); }

    LinkKind kind() const override { return LinkKind::Tcp; }
    void open() override;
    void close() override;
    bool isOpen() const override;
    bool isOpening() const override;
    qint64 write(const QByteArray &bytes) override;

    // Cuts the connection off as lost: the peer sends what no processor sends.
    void dropPeer();

    QTcpSocket *socket() const { return tcp; }

private:
    void keepAlive();
    void onConnected();
    void onDisconnected();
    void onTimeout();
    void finish(CloseReason reason);

    QTcpSocket *tcp;
    QTimer connectTimeout;
    QString endpointHost;
    quint16 endpointPort = 0;
    bool opening = false;
    bool up = false;
};

} // namespace w4
