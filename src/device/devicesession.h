#pragma once

#include "devicelink.h"
#include "linkrecovery.h"
#include "sessionstate.h"
#include "udpreadback.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>

class QTimer;

namespace w4 {

class CommandSender;
class DeviceModel;
class LinkWatch;
class SerialLink;
class TcpLink;
class TcpReadBack;
class UdpLink;

// Commands written to a link after the device last answered on it. Nothing
// answers a setting, so these are the ones that may have been lost when the
// device turns out to have fallen silent.
struct UnconfirmedCommands
{
    static constexpr int KeptTexts = 256;
    int count = 0;
    QStringList texts; // the first KeptTexts of them, oldest first

    void add(const QString &text)
    {
        ++count;
        if (texts.size() < KeptTexts)
            texts << text;
    }
    void clear() { *this = {}; }
    bool isEmpty() const { return count == 0; }
};

// One processor session: the links (a serial and a network link may be open
// together), offline editing, the device's address, the command sender, the
// read-backs and the model of the device's state. The connection state changes
// only here and each change is announced once, with its reason.
class DeviceSession : public QObject
{
    Q_OBJECT

public:
    explicit DeviceSession(QObject *parent = nullptr);
    ~DeviceSession() override;

    const SessionState &state() const { return current; }
    // The names the rest of the program reads the state by.
    bool serialConnected() const { return current.serialConnected(); }
    bool networkConnected() const { return current.networkConnected(); }
    bool offlineMode() const { return current.offline; }
    bool sendByDatagram() const { return current.sendByDatagram(); }
    int connectionStatusRow() const { return current.connectionStatusRow(); }

    // The device that datagram commands go to (empty unless connected over UDP).
    QString deviceAddress() const;
    bool dhcpDevice() const { return dhcp; }
    quint16 deviceDatagramPort() const { return dhcp ? 68 : 23; }

    SerialLink *serialLink() const { return serial; }
    TcpLink *tcpLink() const { return tcp; }
    UdpLink *udpLink() const { return udp; }
    CommandSender *sender() const { return commands; }
    DeviceModel *model() const { return device; }
    TcpReadBack *tcpReadBack() const { return tcpRead; }
    UdpReadBack *udpReadBack() const { return udpRead; }

    // Binds the UDP socket to its idle port; false when that failed (the
    // session works on without UDP reception until a later re-bind).
    bool bindUdp();

    // Queues one command text; it leaves on a later send tick.
    void send(const QString &text);

    // ---- Serial link ----
    void openSerial(const QString &portName);
    void closeSerial();
    // The system's port list changed; `available` holds the port names now.
    void serialPortsChanged(const QStringList &available);

    // ---- Network link ----
    // Starts a TCP connection; a pending one is replaced.
    void connectTcp(const QString &host, quint16 port);
    // Takes the network link down (TCP or UDP) or cancels a TCP attempt.
    void disconnectNetwork();
    // Reads the device over UDP from the local address `local`; the network link
    // is up when the whole state was read. On failure the session goes back to
    // what it was before (offline mode included).
    UdpReadResult connectUdp(const QHostAddress &deviceAddress, bool dhcpDevice, const QHostAddress &local);
    // Reads the connected UDP device again; a failed read takes the link down.
    UdpReadResult refreshUdp(const QHostAddress &local);
    // Starts the TCP query sequence again (a TCP link's refresh).
    void refreshTcp();

    // ---- Offline editing ----
    // Closes every link; edits are logged and dropped until a link is made.
    void goOffline();

    // Closes everything without announcing it (the program is ending).
    void shutdown();

    // ---- Reconnecting ----
    // A lost link (nothing else up) is made again by itself when this is on
    // (off until the program sets it from the user's settings). Switching it
    // off gives up the attempts under way. Making or closing any link by hand
    // gives them up too.
    void setReconnectEnabled(bool on);
    bool reconnectEnabled() const;
    // The user has been told of the loss: the attempts start. A TCP link comes
    // back read; a serial or UDP link comes back when the device answers a
    // status query (UDP is then read too). The pages stay locked until then.
    void lossAcknowledged();
    // Commands no link took since the last loss: queued when it went, or given
    // while nothing was up. They are never sent later.
    int unsentCommands() const { return unsent; }
    LinkRecovery *recovery() const { return reconnect; }
    // Notice a device that fell silent. The serial and TCP watches begin with
    // the device's first answer on the link (a line that never answers stays
    // up, as opening it made it); UDP is read before it is up.
    LinkWatch *serialWatch() const { return serialAlive; }
    LinkWatch *tcpWatch() const { return tcpAlive; }
    LinkWatch *udpWatch() const { return udpAlive; }
    // At the last loss, when the device had fallen silent: the commands
    // written after it last answered (they may not have arrived). Empty for a
    // link that went away by itself (closed connection, adapter pulled).
    const UnconfirmedCommands &unconfirmedAtLoss() const { return lostUnconfirmed; }

    // For tests of what the views allow in a given state (the wall, the pages,
    // the connection window): takes `state` without touching any link and
    // announces it with `reason`. Commands then go wherever the state says,
    // and are lost when that link is not really open.
    void setStateForTesting(const SessionState &state, SessionChange reason);

signals:
    void stateChanged(const w4::SessionState &state, w4::SessionChange change);
    // Reconnecting was switched on or off.
    void reconnectEnabledChanged(bool on);

private:
    void change(const SessionState &next, SessionChange reason);
    SessionState withNetwork(LinkPhase phase, NetworkKind kind) const;
    void onSerialClosed(CloseReason reason);
    void onTcpOpened();
    void onTcpClosed(CloseReason reason);
    void onDatagram(const QByteArray &datagram, const QHostAddress &sender);
    bool writeCommand(const QByteArray &bytes);
    void closeNetworkQuietly();
    void closeSerialQuietly();

    void lose(SessionState next, SessionChange reason, const LostLink &link,
              const UnconfirmedCommands &doubtful = {});
    void giveUpReconnecting();
    void onAttemptDue();
    void attemptFailed();
    void restoreTcpRead();
    void onTcpReadFinished();
    void restoreUdp();
    void reconnected(SessionState next);
    void onLinkSilent(ReconnectLink link);
    void writeStatusQuery(ReconnectLink link);
    void writeDelayedQuery();
    void onSerialReceived();
    void onTcpReceived();
    void heard(LinkWatch *watch);
    void written(LinkWatch *watch);

    SessionState current;
    SerialLink *serial;
    TcpLink *tcp;
    UdpLink *udp;
    CommandSender *commands;
    DeviceModel *device;
    TcpReadBack *tcpRead;
    UdpReadBack *udpRead;
    LinkRecovery *reconnect;
    LinkWatch *serialAlive;
    LinkWatch *tcpAlive;
    LinkWatch *udpAlive;
    // A watch's query waiting for the sender's gap after its last write.
    QTimer *queryDelay;
    ReconnectLink delayedQuery = ReconnectLink::None;
    // The text of the command being written (the sender names it first).
    QString leaving;
    UnconfirmedCommands unconfirmed;
    const LinkWatch *unconfirmedOn = nullptr; // the link they were written to
    UnconfirmedCommands lostUnconfirmed;
    // An attempt's status query, waiting for the device to answer.
    QTimer *queryAnswer;
    ReconnectLink queried = ReconnectLink::None;
    bool secondReadPass = false;
    QHostAddress udpLocal; // the card the UDP device was read from
    int unsent = 0;
    bool dhcp = false;
    bool quiet = false; // closing links on purpose: their signals change nothing
    // The user's last choice of link was the network (not the serial port).
    bool networkChosen = false;
};

} // namespace w4
