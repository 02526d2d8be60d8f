#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

// One way to reach a processor: a serial port, a TCP connection or a UDP
// socket. Each link is told where to go by its own setters, then opened;
// everything it has to say comes back through the signals below.
namespace w4 {

enum class LinkKind { Serial, Tcp, Udp };

// Why a link closed.
enum class CloseReason {
    ByUser,     // close() was called
    Lost,       // the peer, the cable or the adapter went away
    OpenFailed, // the port could not be opened
    TimedOut,   // a connection attempt got no answer in time
};

class DeviceLink : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual LinkKind kind() const = 0;
    // Starts opening; opened() or closed() follows (at once for links that
    // open synchronously).
    virtual void open() = 0;
    // Closes an open link or cancels an attempt; announces closed(ByUser)
    // when there was something to close.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool isOpening() const { return false; }
    // Bytes as they go on the wire; -1 when nothing could be written.
    virtual qint64 write(const QByteArray &bytes) = 0;

signals:
    void opened();
    void closed(w4::CloseReason reason);
    // What a stream link (serial, TCP) received.
    void received(const QByteArray &bytes);
    // One datagram and where it came from (UDP).
    void datagramReceived(const QByteArray &datagram, const QHostAddress &sender);
    // Developer-readable detail of a failure; the user is told by whoever shows
    // the link's state.
    void errorOccurred(const QString &message);
};

} // namespace w4
