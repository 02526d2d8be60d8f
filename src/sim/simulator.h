#pragma once

#include "commandapplier.h"
#include "commandsplitter.h"
#include "devicestate.h"
#include "eventlog.h"
#include "simoptions.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;

namespace w4sim {

class SerialLine;

// One TCP client: its own byte stream, command count and held frame.
class TcpConnection : public QObject
{
    Q_OBJECT
public:
    explicit TcpConnection(QTcpSocket *socket, QObject *parent);
    QTcpSocket *socket;
    CommandSplitter splitter;
    int commands = 0;
    QByteArray held; // a frame waiting to be merged with the next one
    QString peer;
};

// The simulated unit: owns the state and the transports, applies what comes
// in and answers through the reply writer, with the configured faults.
class Simulator : public QObject
{
    Q_OBJECT
public:
    Simulator(const SimOptions &options, const DeviceState &initial, QObject *parent = nullptr);
    ~Simulator() override;

    bool start(QString *error);

    const DeviceState &state() const { return m_state; }
    int tcpPort() const;
    QVector<int> udpPorts() const;
    QString serialPath() const;
    EventLog &events() { return m_events; }

    // Stops answering for the configured --silent-for time; while already
    // silent, the silence lasts that long from now. `cause` goes to the log.
    void beginSilence(const QString &cause);
    bool isSilent() const { return m_silence.isActive(); }

signals:
    void commandHandled(const QString &transport, bool crcOk, bool applied);

private:
    enum class Via { Tcp, Udp, Serial };
    struct Link
    {
        Via via;
        QPointer<TcpConnection> tcp;
        QUdpSocket *udp = nullptr;
        QHostAddress peer;
        quint16 peerPort = 0;
    };

    void onNewConnection();
    void onTcpReadable(TcpConnection *c);
    void onUdpReadable(QUdpSocket *socket);
    void handle(const Link &link, const QVector<Piece> &pieces);
    void answer(const Link &link, const Outcome &outcome);
    void sendReply(const Link &link, QByteArray bytes, const QString &what, int window);
    void deliver(const Link &link, const QByteArray &bytes, int replyNumber);
    void writeStream(const Link &link, const QByteArray &bytes);
    void persist(const Outcome &outcome);
    static QString transportName(const Link &link);
    static QString peerName(const Link &link);

    SimOptions m_options;
    DeviceState m_state;
    CommandApplier m_applier;
    EventLog m_events;
    QTcpServer *m_server = nullptr;
    QVector<QUdpSocket *> m_udp;
    SerialLine *m_serial = nullptr;
    CommandSplitter m_serialSplitter;
    int m_replies = 0;
    int m_disagreeStep = 0;
    int m_commands = 0; // every command handled, on any transport
    QTimer m_silence;   // runs while silent
};

} // namespace w4sim
