#include "devicesession.h"

#include "codec.h"
#include "commandsender.h"
#include "devicemodel.h"
#include "linkwatch.h"
#include "seriallink.h"
#include "tcplink.h"
#include "tcpreadback.h"
#include "udplink.h"

#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcSession, "w4.session", QtInfoMsg)

namespace w4 {

namespace {
// The device-wide status query: what a quiet link and a reconnect attempt ask.
const QString StatusQuery = QStringLiteral("08050000");

// The read-back's own queries are not the user's edits.
bool isStatusQuery(const QString &text)
{
    return (text.size() == 8 && text.startsWith(QLatin1String("080"))) || text == QLatin1String("ffffffff");
}
} // namespace

DeviceSession::DeviceSession(QObject *parent)
    : QObject(parent), serial(new SerialLink(this)), tcp(new TcpLink(this)), udp(new UdpLink(this)),
      commands(new CommandSender(this)), device(new DeviceModel(this)),
      tcpRead(new TcpReadBack(commands, device, this)), udpRead(new UdpReadBack(udp, this)),
      reconnect(new LinkRecovery(this)), serialAlive(new LinkWatch(this)), tcpAlive(new LinkWatch(this)),
      udpAlive(new LinkWatch(this)), queryDelay(new QTimer(this)), queryAnswer(new QTimer(this))
{
    qRegisterMetaType<w4::SessionState>();
    qRegisterMetaType<w4::SessionChange>();

    commands->setWriter([this](const QByteArray &bytes) { return writeCommand(bytes); });

    connect(serial, &SerialLink::closed, this, &DeviceSession::onSerialClosed);
    connect(tcp, &TcpLink::opened, this, &DeviceSession::onTcpOpened);
    connect(tcp, &TcpLink::closed, this, &DeviceSession::onTcpClosed);
    connect(tcp, &TcpLink::received, tcpRead, &TcpReadBack::feed);
    connect(tcp, &TcpLink::received, this, &DeviceSession::onTcpReceived);
    connect(tcpRead, &TcpReadBack::noiseFlood, tcp, &TcpLink::dropPeer);
    connect(udp, &UdpLink::datagramReceived, this, &DeviceSession::onDatagram);
    connect(serial, &SerialLink::received, this, &DeviceSession::onSerialReceived);

    connect(tcpRead, &TcpReadBack::sequenceFinished, this, &DeviceSession::onTcpReadFinished);
    connect(reconnect, &LinkRecovery::attemptDue, this, &DeviceSession::onAttemptDue);
    for (auto [watch, link] : {std::pair{serialAlive, ReconnectLink::Serial},
                               {tcpAlive, ReconnectLink::Tcp},
                               {udpAlive, ReconnectLink::Udp}}) {
        connect(watch, &LinkWatch::queryDue, this, [this, link = link] { writeStatusQuery(link); });
        connect(watch, &LinkWatch::silent, this, [this, link = link] { onLinkSilent(link); });
        connect(watch, &LinkWatch::mute, this, [link = link] {
            qCDebug(lcSession) << (link == ReconnectLink::Serial ? "serial" : "tcp")
                               << "device does not answer on this link; it is not asked again";
        });
    }
    // A read's own queries ask the question; a watch's query among them would
    // be taken for one of theirs.
    tcpAlive->setBusy([this] { return tcpRead->isRunning(); });
    udpAlive->setBusy([this] { return udpRead->isRunning(); });
    connect(commands, &CommandSender::commandSent, this, [this](const QString &text) { leaving = text; });
    queryDelay->setSingleShot(true);
    connect(queryDelay, &QTimer::timeout, this, &DeviceSession::writeDelayedQuery);
    queryAnswer->setSingleShot(true);
    queryAnswer->setInterval(LinkWatch::AnswerMs);
    connect(queryAnswer, &QTimer::timeout, this, [this] {
        if (queried == ReconnectLink::Serial)
            closeSerialQuietly();
        queried = ReconnectLink::None;
        attemptFailed();
    });
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
    if (serial->isOpen() || current.reconnecting == ReconnectLink::Serial)
        return closeSerial();
    giveUpReconnecting();
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
    networkChosen = false;
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
    unsent = 0;
    unconfirmed.clear();
    serialAlive->startOnFirstAnswer();
    change(next, SessionChange::SerialOpened);
}

void DeviceSession::closeSerial()
{
    giveUpReconnecting();
    networkChosen = false;
    closeSerialQuietly();
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    next.lost = false;
    next.serialStatusShown = true;
    change(next, SessionChange::SerialClosed);
}

void DeviceSession::serialPortsChanged(const QStringList &available)
{
    // The lost adapter is back under its name: no need to wait for the next attempt.
    if (current.reconnecting == ReconnectLink::Serial && available.contains(reconnect->link().portName))
        reconnect->attemptNow();
    if (serial->isOpen()) {
        if (!available.contains(serial->portName()))
            serial->portVanished(); // announced by onSerialClosed
        return;
    }
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    // Once the user has chosen the network, the line keeps telling of it: a
    // port coming or going (a simulator's line with it) is no news about a
    // network link that went down.
    if (!networkChosen)
        next.serialStatusShown = true;
    if (next != current)
        change(next, SessionChange::SerialPortsChanged);
}

void DeviceSession::onSerialClosed(CloseReason reason)
{
    if (quiet)
        return;
    const bool answered = serialAlive->hasAnswered();
    serialAlive->stop();
    if (current.reconnecting == ReconnectLink::Serial) {
        // The line an attempt opened went again before it answered.
        queryAnswer->stop();
        queried = ReconnectLink::None;
        return attemptFailed();
    }
    SessionState next = current;
    next.serial = LinkPhase::Closed;
    next.serialStatusShown = true;
    next.lost = reason == CloseReason::Lost && !next.networkConnected();
    if (reason != CloseReason::Lost)
        return change(next, SessionChange::SerialClosed);
    LostLink link;
    link.link = ReconnectLink::Serial;
    link.portName = serial->portName();
    link.answered = answered;
    lose(next, SessionChange::SerialLost, link);
}

void DeviceSession::closeSerialQuietly()
{
    serialAlive->stop();
    quiet = true;
    serial->close();
    quiet = false;
}

void DeviceSession::onSerialReceived()
{
    heard(serialAlive);
    if (queried == ReconnectLink::Serial) {
        // The device answered the attempt's query: the line is back.
        queryAnswer->stop();
        queried = ReconnectLink::None;
        SessionState next = current;
        next.serial = LinkPhase::Open;
        next.serialStatusShown = true;
        reconnected(next);
    }
}

// ---- Network link ----

void DeviceSession::onTcpReceived()
{
    heard(tcpAlive);
}

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
    giveUpReconnecting();
    closeNetworkQuietly();
    unsent = 0;
    tcpRead->reset();
    tcp->setEndpoint(host, port);
    networkChosen = true;
    change(withNetwork(LinkPhase::Connecting, NetworkKind::Tcp), SessionChange::NetworkConnecting);
    tcp->open();
}

void DeviceSession::onTcpOpened()
{
    if (current.reconnecting == ReconnectLink::Tcp)
        return restoreTcpRead();
    // The state is read back at once; frames that come are applied as they come.
    unconfirmed.clear();
    tcpAlive->startOnFirstAnswer();
    tcpRead->start();
    change(withNetwork(LinkPhase::Open, NetworkKind::Tcp), SessionChange::NetworkConnected);
}

void DeviceSession::onTcpClosed(CloseReason reason)
{
    if (quiet)
        return;
    tcpAlive->stop();
    tcpRead->stop();
    if (current.reconnecting == ReconnectLink::Tcp) {
        // An attempt that got no connection, or lost it while reading.
        return attemptFailed();
    }
    SessionState next = current;
    next.network = LinkPhase::Closed;
    next.networkKind = NetworkKind::None;
    next.serialStatusShown = false;
    next.lost = reason == CloseReason::Lost && !next.serialConnected();
    if (reason == CloseReason::Lost) {
        LostLink link;
        link.link = ReconnectLink::Tcp;
        link.host = tcp->host();
        link.port = tcp->port();
        return lose(next, SessionChange::NetworkLost, link);
    }
    change(next, reason == CloseReason::TimedOut ? SessionChange::NetworkTimedOut
                                                 : SessionChange::NetworkDisconnected);
}

void DeviceSession::closeNetworkQuietly()
{
    tcpAlive->stop();
    quiet = true;
    tcpRead->stop();
    tcp->close();
    quiet = false;
}

void DeviceSession::disconnectNetwork()
{
    giveUpReconnecting();
    closeNetworkQuietly();
    udpAlive->stop();
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
    const QHostAddress deviceBefore = udp->device();
    const quint16 portBefore = udp->devicePort();
    const bool dhcpBefore = dhcp;
    const QHostAddress localBefore = udpLocal;
    // A TCP attempt still under way is given up for this one, and so is
    // making a lost link again.
    giveUpReconnecting();
    const SessionState before = current;
    if (tcp->isOpening() || tcp->isOpen())
        closeNetworkQuietly();
    dhcp = dhcpDevice;
    udp->setDevice(deviceAddress, deviceDatagramPort());
    networkChosen = true;

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
        udpLocal = localBefore;
        udp->setDevice(deviceBefore, portBefore);
        change(back, SessionChange::NetworkConnectFailed);
        return result;
    }
    udpLocal = local;
    unsent = 0;
    unconfirmed.clear();
    udpAlive->start();
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
        udpAlive->stop();
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
    if (sender.isEqual(udp->device(), QHostAddress::ConvertV4MappedToIPv4))
        heard(udpAlive);
    if (queried == ReconnectLink::Udp &&
        sender.isEqual(reconnect->link().device, QHostAddress::ConvertV4MappedToIPv4)) {
        // The device answered the attempt's query: read it (after this
        // datagram's handling is over, the read waits for its own).
        queryAnswer->stop();
        queried = ReconnectLink::None;
        QTimer::singleShot(0, this, &DeviceSession::restoreUdp);
    }
}

// ---- Offline editing ----

void DeviceSession::goOffline()
{
    giveUpReconnecting();
    closeNetworkQuietly();
    udpAlive->stop();
    closeSerialQuietly();
    SessionState next;
    next.offline = true;
    change(next, SessionChange::OfflineEntered);
}

void DeviceSession::shutdown()
{
    giveUpReconnecting();
    serialAlive->stop();
    tcpAlive->stop();
    udpAlive->stop();
    queryDelay->stop();
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

// The device said something on the link of `watch`: it is there, and has had
// whatever was written to it before.
void DeviceSession::heard(LinkWatch *watch)
{
    watch->received();
    if (watch == unconfirmedOn)
        unconfirmed.clear();
}

// The command being written goes to the link of `watch`. Once the device has
// answered there, it is one that a silence would leave in doubt.
void DeviceSession::written(LinkWatch *watch)
{
    if (watch != unconfirmedOn) {
        unconfirmed.clear();
        unconfirmedOn = watch;
    }
    if (watch->hasAnswered() && !leaving.isEmpty() && !isStatusQuery(leaving))
        unconfirmed.add(leaving);
    leaving.clear();
}

bool DeviceSession::writeCommand(const QByteArray &bytes)
{
    if (current.offline)
        return false;
    if (current.sendByDatagram()) {
        udp->write(bytes);
        written(udpAlive);
        qCDebug(lcSession) << "测试send-------：" << bytes.toHex(' ');
        return true;
    }
    // A TCP link made again is read before it counts as connected.
    if (current.networkConnected() || (current.reconnecting == ReconnectLink::Tcp && tcp->isOpen())) {
        written(tcpAlive);
        return tcp->write(bytes) >= 0;
    }
    if (current.serialConnected()) {
        written(serialAlive);
        return serial->write(bytes) >= 0;
    }
    if (current.lost || current.reconnecting != ReconnectLink::None)
        ++unsent;
    return false;
}

} // namespace w4

namespace w4 {

// ---- Reconnecting ----

void DeviceSession::setReconnectEnabled(bool on)
{
    if (on == reconnect->isEnabled())
        return;
    const bool wasReconnecting = current.reconnecting != ReconnectLink::None;
    giveUpReconnecting();
    reconnect->setEnabled(on);
    emit reconnectEnabledChanged(on);
    // giveUpReconnecting() has put the state back to the loss; announce it.
    if (wasReconnecting)
        change(current, SessionChange::ReconnectingStopped);
}

bool DeviceSession::reconnectEnabled() const
{
    return reconnect->isEnabled();
}

// A link went down by itself with nothing else up: the commands still queued
// are dropped (they are counted, never sent later), the loss is announced, and
// the link is remembered for the attempts.
void DeviceSession::lose(SessionState next, SessionChange reason, const LostLink &link,
                         const UnconfirmedCommands &doubtful)
{
    lostUnconfirmed = doubtful;
    unconfirmed.clear();
    if (next.lost) {
        for (const QueuedCommand &c : commands->queue().entries())
            unsent += isStatusQuery(c.text) ? 0 : 1;
        commands->queue().clear();
        reconnect->lost(link);
    }
    change(next, reason);
}

void DeviceSession::lossAcknowledged()
{
    if (!reconnect->isPending() || reconnect->isRunning() || current.linkUp() || current.offline)
        return;
    reconnect->begin();
    SessionState next = current;
    next.reconnecting = reconnect->link().link;
    next.reconnectAttempt = reconnect->attempt();
    change(next, SessionChange::Reconnecting);
}

// Stops the attempts and whatever one of them has under way; the state's
// reconnect fields are cleared without an announcement (the caller announces
// the change it is making).
void DeviceSession::giveUpReconnecting()
{
    const ReconnectLink link = current.reconnecting;
    const bool underWay = reconnect->attemptUnderWay();
    reconnect->stop();
    queryAnswer->stop();
    queried = ReconnectLink::None;
    secondReadPass = false;
    if (underWay && link == ReconnectLink::Tcp) {
        closeNetworkQuietly();
        current.network = LinkPhase::Closed;
        current.networkKind = NetworkKind::None;
    }
    if (underWay && link == ReconnectLink::Serial && !current.serialConnected())
        closeSerialQuietly();
    if (underWay && link == ReconnectLink::Udp && current.networkConnecting()) {
        current.network = LinkPhase::Closed;
        current.networkKind = NetworkKind::None;
    }
    current.reconnecting = ReconnectLink::None;
    current.reconnectAttempt = 0;
}

void DeviceSession::onAttemptDue()
{
    const LostLink &link = reconnect->link();
    qCDebug(lcSession) << "reconnect attempt" << reconnect->attempt();
    switch (link.link) {
    case ReconnectLink::Tcp:
        tcpRead->reset();
        tcp->setEndpoint(link.host, link.port);
        tcp->open(); // onTcpOpened or onTcpClosed follows
        return;
    case ReconnectLink::Serial: {
        serial->setPortName(link.portName);
        quiet = true;
        serial->open();
        quiet = false;
        if (!serial->isOpen())
            return attemptFailed();
        if (!link.answered) {
            // A line the device never answered on was up as soon as the port
            // was open, and is so again.
            SessionState next = current;
            next.serial = LinkPhase::Open;
            next.serialStatusShown = true;
            return reconnected(next);
        }
        writeStatusQuery(ReconnectLink::Serial);
        queried = ReconnectLink::Serial;
        queryAnswer->start();
        return;
    }
    case ReconnectLink::Udp:
        dhcp = link.dhcp;
        udp->setDevice(link.device, deviceDatagramPort());
        writeStatusQuery(ReconnectLink::Udp);
        queried = ReconnectLink::Udp;
        queryAnswer->start();
        return;
    case ReconnectLink::None:
        break;
    }
}

void DeviceSession::attemptFailed()
{
    if (!reconnect->isRunning())
        return;
    secondReadPass = false;
    reconnect->failed();
    SessionState next = current;
    if (next.networkKind != NetworkKind::None && !next.networkConnected()) {
        next.network = LinkPhase::Closed;
        next.networkKind = NetworkKind::None;
    }
    next.reconnectAttempt = reconnect->attempt();
    change(next, SessionChange::Reconnecting);
}

// The TCP link is made again: it is read before anything else may use it.
void DeviceSession::restoreTcpRead()
{
    secondReadPass = false;
    SessionState next = current;
    next.network = LinkPhase::Connecting;
    next.networkKind = NetworkKind::Tcp;
    change(next, SessionChange::Reconnecting);
    tcpRead->start();
}

void DeviceSession::onTcpReadFinished()
{
    if (current.reconnecting != ReconnectLink::Tcp || !tcp->isOpen())
        return;
    if (tcpRead->isComplete()) {
        SessionState next = current;
        next.network = LinkPhase::Open;
        next.networkKind = NetworkKind::Tcp;
        next.serialStatusShown = false;
        return reconnected(next);
    }
    if (!secondReadPass) {
        // Once more, as a read by hand would; frames that came still count.
        secondReadPass = true;
        tcpRead->start();
        return;
    }
    // A device that answers but cannot be read is not back: try again later.
    closeNetworkQuietly();
    attemptFailed();
}

void DeviceSession::restoreUdp()
{
    if (current.reconnecting != ReconnectLink::Udp || udpRead->isRunning())
        return;
    const LostLink link = reconnect->link();
    SessionState reading = current;
    reading.network = LinkPhase::Connecting;
    reading.networkKind = NetworkKind::Udp;
    change(reading, SessionChange::Reconnecting);
    const UdpReadResult result = udpRead->read(link.device, deviceDatagramPort(), link.local);
    // Given up while the read ran (the user chose another link, or closing).
    if (current.reconnecting != ReconnectLink::Udp)
        return;
    if (!result.ok)
        return attemptFailed();
    udpLocal = link.local;
    device->applyUdpRead(result.global, result.windows);
    SessionState next = current;
    next.network = LinkPhase::Open;
    next.networkKind = NetworkKind::Udp;
    next.serialStatusShown = false;
    reconnected(next);
}

void DeviceSession::reconnected(SessionState next)
{
    const ReconnectLink link = current.reconnecting;
    const bool answered = link != ReconnectLink::Serial || reconnect->link().answered;
    reconnect->stop();
    secondReadPass = false;
    next.lost = false;
    next.offline = false;
    next.reconnecting = ReconnectLink::None;
    next.reconnectAttempt = 0;
    unconfirmed.clear();
    // Each of these came back with the device's answer, but for a serial line
    // that never answered.
    if (link == ReconnectLink::Serial && answered)
        serialAlive->start();
    if (link == ReconnectLink::Serial && !answered)
        serialAlive->startOnFirstAnswer();
    if (link == ReconnectLink::Tcp)
        tcpAlive->start();
    if (link == ReconnectLink::Udp)
        udpAlive->start();
    change(next, SessionChange::Reconnected);
}

// Two status queries went unanswered on a quiet link: it is lost as a cable
// pulled out would be.
void DeviceSession::onLinkSilent(ReconnectLink link)
{
    SessionState next = current;
    LostLink lostLink;
    lostLink.link = link;
    if (link == ReconnectLink::Serial) {
        if (!serial->isOpen())
            return;
        lostLink.portName = serial->portName();
        lostLink.answered = true;
        closeSerialQuietly();
        next.serial = LinkPhase::Closed;
        next.serialStatusShown = true;
        next.lost = !next.networkConnected();
        return lose(next, SessionChange::SerialLost, lostLink, unconfirmed);
    }
    if (link == ReconnectLink::Tcp) {
        // The connection is still there (the kernel answers its keep-alive),
        // the processor behind it is not.
        if (!tcp->isOpen() || current.networkKind != NetworkKind::Tcp || !current.networkConnected())
            return;
        lostLink.host = tcp->host();
        lostLink.port = tcp->port();
        closeNetworkQuietly();
        next.network = LinkPhase::Closed;
        next.networkKind = NetworkKind::None;
        next.serialStatusShown = false;
        next.lost = !next.serialConnected();
        return lose(next, SessionChange::NetworkLost, lostLink, unconfirmed);
    }
    if (!current.sendByDatagram())
        return;
    lostLink.device = udp->device();
    lostLink.dhcp = dhcp;
    lostLink.local = udpLocal;
    next.network = LinkPhase::Closed;
    next.networkKind = NetworkKind::None;
    next.serialStatusShown = false;
    next.lost = !next.serialConnected();
    lose(next, SessionChange::NetworkLost, lostLink, unconfirmed);
}

// One status query straight onto the link, after the sender's gap since its
// last write (commands may be flowing: the device has been quiet, not the
// link); the sender keeps its gap after the query as after any command.
void DeviceSession::writeStatusQuery(ReconnectLink link)
{
    const int wait = commands->msUntilGapOver();
    if (wait > 0) {
        delayedQuery = link;
        queryDelay->start(wait);
        return;
    }
    queryDelay->stop();
    delayedQuery = ReconnectLink::None;
    const QByteArray bytes = encodeCommand(StatusQuery);
    if (link == ReconnectLink::Serial) {
        serial->write(bytes);
    } else if (link == ReconnectLink::Tcp) {
        tcpRead->probeSent();
        tcp->write(bytes);
    } else if (link == ReconnectLink::Udp) {
        udp->write(bytes);
    }
    commands->wroteOutsideQueue();
}

// A query put off for the gap goes now, if it is still to be asked: the link
// may have gone meanwhile, or a read begun that asks for itself.
void DeviceSession::writeDelayedQuery()
{
    const ReconnectLink link = delayedQuery;
    delayedQuery = ReconnectLink::None;
    bool stillAsked = false;
    switch (link) {
    case ReconnectLink::Serial:
        stillAsked = serial->isOpen();
        break;
    case ReconnectLink::Tcp:
        stillAsked = tcp->isOpen() && !tcpRead->isRunning();
        break;
    case ReconnectLink::Udp:
        stillAsked = (current.sendByDatagram() || queried == ReconnectLink::Udp) && !udpRead->isRunning();
        break;
    case ReconnectLink::None:
        break;
    }
    if (stillAsked)
        writeStatusQuery(link);
}

} // namespace w4
