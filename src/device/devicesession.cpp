#include "devicesession.h"

#include "commandsender.h"
#include "devicemodel.h"
#include "seriallink.h"
#include "tcplink.h"
#include "tcpreadback.h"
#include "udplink.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSession, "w4.session")

namespace w4 {

DeviceSession::DeviceSession(QObject *parent)
    : QObject(parent),
      serial(new SerialLink(this)),
      tcp(new TcpLink(this)),
      udp(new UdpLink(this)),
      commands(new CommandSender(this)),
      device(new DeviceModel(this)),
      tcpRead(new TcpReadBack(commands, device, this)),
      udpRead(new UdpReadBack(udp, this))
{
    qRegisterMetaType<w4::SessionState>();
    qRegisterMetaType<w4::SessionChange>();

    commands->setWriter([this](const QByteArray &bytes) { return writeCommand(bytes); });

    connect(serial, &SerialLink::closed, this, &DeviceSession::onSerialClosed);
    connect(tcp, &TcpLink::opened, this, &DeviceSession::onTcpOpened);
    connect(tcp, &TcpLink::closed, this, &DeviceSession::onTcpClosed);
    connect(tcp, &TcpLink::received, tcpRead, &TcpReadBack::feed);
    connect(tcpRead, &TcpReadBack::noiseFlood, tcp, &TcpLink::dropPeer);
    connect(udp, &UdpLink::datagramReceived, this, &DeviceSession::onDatagram);
}

DeviceSession::~DeviceSession()
{
    shutdown();
}

QString DeviceSession::deviceAddress() const
{
    return current.sendByDatagram() ? udp->device().toString() : QString();
}

bool DeviceSession::bindUdp()
{
    bool bound = false;
    auto ok = connect(udp, &UdpLink::opened, this, [&bound] { bound = true; });
    udp->open();
    disconnect(ok);
    return bound;
}

void DeviceSession::send(const QString &text)
{
    commands->send(text);
}

void DeviceSession::change(const SessionState &next, SessionChange reason)
{
    current = next;
    qCDebug(lcSession) << toString(reason) << "->" << toString(current);
    emit stateChanged(current, reason);
}

// ---- Serial link ----

void DeviceSession::openSerial(const QString &portName)
{
    if (serial->isOpen())
        return closeSerial();
    // Opening the port is the user's choice of link: a TCP attempt still under
    // way is given up, and offline editing ends.
    if (tcp->isOpening())
        closeNetworkQuietly();
    SessionState next = current;
    next.offline = false;
    if (next.network == LinkPhase::Connecting) {
        next.network = LinkPhase::Closed;
        next.networkKind = NetworkKind::None;
    }
    serial->setPortName(portName);
    bool failed = false;
    auto onFail = connect(serial, &SerialLink::closed, this, [&failed](CloseReason r) {
        failed = r == CloseReason::OpenFailed;
    });
    quiet = true;
    serial->open();
    quiet = false;
    disconnect(onFail);
    if (failed || !serial->isOpen()) {
        next.serial = LinkPhase::Closed;
        next.serialStatusShown = true;
        change(next, SessionChange::SerialOpenFailed);
        return;
    }
    next.serial = LinkPhase::Open;
    next.lost = false;
    next.serialStatusShown = true;
    change(next, SessionChange::SerialOpened);
}

void DeviceSession::closeSerial()
{
    quiet = true;
    serial->close();
    quiet = false;
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    next.lost = false;
    next.serialStatusShown = true;
    change(next, SessionChange::SerialClosed);
}

void DeviceSession::serialPortsChanged(const QStringList &available)
{
    if (serial->isOpen()) {
        if (!available.contains(serial->portName()))
            serial->portVanished(); // announced by onSerialClosed
        return;
    }
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    next.serialStatusShown = true;
    if (next != current)
        change(next, SessionChange::SerialPortsChanged);
}

void DeviceSession::onSerialClosed(CloseReason reason)
{
    if (quiet)
        return;
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    next.serialStatusShown = true;
    next.lost = reason == CloseReason::Lost && !next.networkConnected();
    change(next, reason == CloseReason::Lost ? SessionChange::SerialLost : SessionChange::SerialClosed);
}

// ---- Network link ----

// The state with the network link at `phase`: making a network link ends
// offline editing and leaves any earlier loss behind.
SessionState DeviceSession::withNetwork(LinkPhase phase, NetworkKind kind) const
{
    SessionState next = current;
    next.offline = false;
    next.network = phase;
    next.networkKind = kind;
    next.lost = false;
    return next;
}

void DeviceSession::connectTcp(const QString &host, quint16 port)
{
    closeNetworkQuietly();
    tcpRead->reset();
    tcp->setEndpoint(host, port);
    change(withNetwork(LinkPhase::Connecting, NetworkKind::Tcp), SessionChange::NetworkConnecting);
    tcp->open();
}

void DeviceSession::onTcpOpened()
{
    // The state is read back at once; frames that come are applied as they come.
    tcpRead->start();
    change(withNetwork(LinkPhase::Open, NetworkKind::Tcp), SessionChange::NetworkConnected);
}

void DeviceSession::onTcpClosed(CloseReason reason)
{
    if (quiet)
        return;
    tcpRead->stop();
    SessionState next = current;
    next.network = LinkPhase::Closed;
    next.networkKind = NetworkKind::None;
    next.serialStatusShown = false;
    next.lost = reason == CloseReason::Lost && !next.serialConnected();
    const SessionChange why = reason == CloseReason::Lost       ? SessionChange::NetworkLost
                              : reason == CloseReason::TimedOut ? SessionChange::NetworkTimedOut
                                                                : SessionChange::NetworkDisconnected;
    change(next, why);
}

void DeviceSession::closeNetworkQuietly()
{
    quiet = true;
    tcpRead->stop();
    tcp->close();
    quiet = false;
}

void DeviceSession::disconnectNetwork()
{
    closeNetworkQuietly();
    SessionState next = current;
    next.network = LinkPhase::Closed;
    next.networkKind = NetworkKind::None;
    next.serialStatusShown = false;
    next.lost = false;
    change(next, SessionChange::NetworkDisconnected);
}

void DeviceSession::refreshTcp()
{
    if (!tcp->isOpen())
        return;
    tcpRead->clearComplete();
    tcpRead->start();
}

UdpReadResult DeviceSession::connectUdp(const QHostAddress &deviceAddress, bool dhcpDevice,
                                        const QHostAddress &local)
{
    if (udpRead->isRunning())
        return {};
    const SessionState before = current;
    const QHostAddress deviceBefore = udp->device();
    const quint16 portBefore = udp->devicePort();
    const bool dhcpBefore = dhcp;
    // A TCP attempt still under way is given up for this one.
    if (tcp->isOpening() || tcp->isOpen())
        closeNetworkQuietly();
    dhcp = dhcpDevice;
    udp->setDevice(deviceAddress, deviceDatagramPort());

    change(withNetwork(LinkPhase::Connecting, NetworkKind::Udp), SessionChange::NetworkConnecting);

    const UdpReadResult result = udpRead->read(deviceAddress, deviceDatagramPort(), local);
    if (!result.ok) {
        // Back to what it was, without the network link it never had.
        SessionState back = before;
        if (back.network != LinkPhase::Open || back.networkKind != NetworkKind::Udp) {
            back.network = LinkPhase::Closed;
            back.networkKind = NetworkKind::None;
        }
        back.serial = current.serial;
        // A device connected before stays the one datagram commands go to.
        dhcp = dhcpBefore;
        udp->setDevice(deviceBefore, portBefore);
        change(back, SessionChange::NetworkConnectFailed);
        return result;
    }
    change(withNetwork(LinkPhase::Open, NetworkKind::Udp), SessionChange::NetworkConnected);
    device->applyUdpRead(result.global, result.windows);
    return result;
}

UdpReadResult DeviceSession::refreshUdp(const QHostAddress &local)
{
    if (udpRead->isRunning() || !current.sendByDatagram())
        return {};
    const UdpReadResult result = udpRead->read(udp->device(), deviceDatagramPort(), local);
    if (!result.ok) {
        SessionState next = current;
        next.network = LinkPhase::Closed;
        next.networkKind = NetworkKind::None;
        next.lost = !next.serialConnected();
        change(next, SessionChange::NetworkRefreshFailed);
        return result;
    }
    device->applyUdpRead(result.global, result.windows);
    return result;
}

void DeviceSession::onDatagram(const QByteArray &datagram, const QHostAddress &sender)
{
    udpRead->handleDatagram(datagram, sender);
}

// ---- Offline editing ----

void DeviceSession::goOffline()
{
    closeNetworkQuietly();
    quiet = true;
    serial->close();
    quiet = false;
    SessionState next;
    next.offline = true;
    change(next, SessionChange::OfflineEntered);
}

void DeviceSession::shutdown()
{
    quiet = true;
    commands->stop();
    tcpRead->stop();
    tcp->close();
    serial->close();
    udp->close();
    quiet = false;
    current = SessionState{};
}

void DeviceSession::setStateForTesting(const SessionState &state, SessionChange reason)
{
    change(state, reason);
}

// ---- Sending ----

bool DeviceSession::writeCommand(const QByteArray &bytes)
{
    if (current.offline)
        return false;
    if (current.sendByDatagram()) {
        udp->write(bytes);
        qCDebug(lcSession) << "测试send-------：" << bytes.toHex(' ');
        return true;
    }
    if (current.networkConnected())
        return tcp->write(bytes) >= 0;
    if (current.serialConnected())
        return serial->write(bytes) >= 0;
    return false;
}

} // namespace w4
