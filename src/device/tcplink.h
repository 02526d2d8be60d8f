#pragma once

#include "devicelink.h"

#include <QTimer>

class QTcpSocket;

namespace w4 {

// The TCP connection to a processor: commands out, status frames in. An attempt
// that is not answered within the connect time-out is given up.
class TcpLink : public DeviceLink
{
    Q_OBJECT

public:
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
