#include "simulator.h"

#include "replywriter.h"
#include "serialline.h"

#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

namespace w4sim {

namespace {

// Gap between the two halves of a split frame, long enough for the client to
// see two separate reads.
constexpr int kSplitGapMs = 100;
// A frame held for merging goes out alone if no second frame follows.
constexpr int kMergeHoldMs = 400;

} // namespace

TcpConnection::TcpConnection(QTcpSocket *s, QObject *parent) : QObject(parent), socket(s)
{
    peer = QStringLiteral("%1:%2").arg(s->peerAddress().toString()).arg(s->peerPort());
}

Simulator::Simulator(const SimOptions &options, const DeviceState &initial, QObject *parent)
    : QObject(parent), m_options(options), m_state(initial), m_applier(&m_state)
{
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this,
            [this] { m_events.fault(QStringLiteral("silence end"), QStringLiteral("answering again")); });
}

Simulator::~Simulator() = default;

bool Simulator::start(QString *error)
{
    if (!m_options.eventsFile.isEmpty() && !m_events.open(m_options.eventsFile, error))
        return false;

    m_server = new QTcpServer(this);
    const int port = m_options.tcpPort >= 0 ? m_options.tcpPort : m_state.tcpPort;
    if (!m_server->listen(m_options.listen, quint16(port))) {
        *error = QStringLiteral("cannot listen on TCP %1:%2: %3")
                     .arg(m_options.listen.toString())
                     .arg(port)
                     .arg(m_server->errorString());
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, &Simulator::onNewConnection);

    for (int udpPort : m_options.udpPorts) {
        auto *socket = new QUdpSocket(this);
        if (!socket->bind(m_options.listen, quint16(udpPort))) {
            *error = QStringLiteral("cannot bind UDP %1:%2: %3")
                         .arg(m_options.listen.toString())
                         .arg(udpPort)
                         .arg(socket->errorString());
            return false;
        }
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { onUdpReadable(socket); });
        m_udp.append(socket);
    }

    if (!m_options.ptyLink.isEmpty() || !m_options.serialDevice.isEmpty()) {
        m_serial = new SerialLine(this);
        const bool ok = m_options.ptyLink.isEmpty() ? m_serial->openDevice(m_options.serialDevice, error)
                                                    : m_serial->openPty(m_options.ptyLink, error);
        if (!ok)
            return false;
        connect(m_serial, &SerialLine::received, this, [this](const QByteArray &bytes) {
            handle(Link{Via::Serial, nullptr, nullptr, QHostAddress(), 0}, m_serialSplitter.feed(bytes));
        });
    }
    persist(Outcome());
    if (m_options.faults.silentFromMs >= 0)
        QTimer::singleShot(m_options.faults.silentFromMs, this, [this] {
            beginSilence(QStringLiteral("%1 ms after start").arg(m_options.faults.silentFromMs));
        });
    return true;
}

void Simulator::beginSilence(const QString &cause)
{
    const int ms = m_options.faults.silentForMs;
    m_events.fault(
        QStringLiteral("silence start"),
        QStringLiteral("%1 for %2 ms (%3)").arg(isSilent() ? "still silent" : "silent").arg(ms).arg(cause));
    m_silence.start(ms);
}

int Simulator::tcpPort() const
{
    return m_server ? m_server->serverPort() : 0;
}

QVector<int> Simulator::udpPorts() const
{
    QVector<int> ports;
    for (QUdpSocket *s : m_udp)
        ports.append(s->localPort());
    return ports;
}

QString Simulator::serialPath() const
{
    return m_serial ? m_serial->path() : QString();
}

void Simulator::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        // Frames go out as written, so a split frame really arrives in two reads.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto *c = new TcpConnection(socket, socket);
        m_events.note(QStringLiteral("[tcp %1] connected").arg(c->peer));
        connect(socket, &QTcpSocket::readyRead, c, [this, c] { onTcpReadable(c); });
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket, c] {
            m_events.note(QStringLiteral("[tcp %1] disconnected").arg(c->peer));
            socket->deleteLater();
        });
    }
}

void Simulator::onTcpReadable(TcpConnection *c)
{
    Link link{Via::Tcp, c, nullptr, QHostAddress(), 0};
    handle(link, c->splitter.feed(c->socket->readAll()));
}

void Simulator::onUdpReadable(QUdpSocket *socket)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        if (!d.isValid())
            continue;
        Link link{Via::Udp, nullptr, socket, d.senderAddress(), quint16(d.senderPort())};
        handle(link, CommandSplitter::splitDatagram(d.data()));
    }
}

QString Simulator::transportName(const Link &link)
{
    switch (link.via) {
    case Via::Tcp:
        return QStringLiteral("tcp");
    case Via::Udp:
        return QStringLiteral("udp");
    case Via::Serial:
        break;
    }
    return QStringLiteral("serial");
}

QString Simulator::peerName(const Link &link)
{
    if (link.via == Via::Tcp)
        return link.tcp ? link.tcp->peer : QString();
    if (link.via == Via::Udp)
        return QStringLiteral("%1:%2").arg(link.peer.toString()).arg(link.peerPort);
    return QStringLiteral("line");
}

void Simulator::handle(const Link &link, const QVector<Piece> &pieces)
{
    for (const Piece &piece : pieces) {
        if (link.via == Via::Tcp && !link.tcp)
            return; // closed by a fault while handling this read
        if (isSilent()) {
            // Lost as on a dead line: neither applied nor answered.
            const bool crcOk = !piece.junk && checkByteOk(piece.bytes);
            m_events.received(transportName(link), peerName(link), piece.bytes, crcOk, false,
                              QStringLiteral("ignored, silent (fault)"));
            emit commandHandled(transportName(link), crcOk, false);
            continue;
        }
        if (piece.junk) {
            m_events.received(transportName(link), peerName(link), piece.bytes, false, false,
                              QStringLiteral("bytes that start no command, ignored"));
            emit commandHandled(transportName(link), false, false);
            continue;
        }
        const Outcome outcome = m_applier.apply(piece.bytes);
        m_events.received(transportName(link), peerName(link), piece.bytes, outcome.crcOk, outcome.applied,
                          outcome.text);
        if (outcome.applied)
            persist(outcome);
        answer(link, outcome);
        emit commandHandled(transportName(link), outcome.crcOk, outcome.applied);
        if (m_options.faults.silentAfterCommands > 0 && ++m_commands == m_options.faults.silentAfterCommands)
            beginSilence(QStringLiteral("after command %1").arg(m_commands));
        if (link.via == Via::Tcp && m_options.faults.disconnectAfter > 0 &&
            ++link.tcp->commands >= m_options.faults.disconnectAfter) {
            m_events.note(QStringLiteral("[tcp %1] closing after %2 commands (fault)")
                              .arg(link.tcp->peer)
                              .arg(link.tcp->commands));
            link.tcp->socket->disconnectFromHost();
            return;
        }
    }
}

void Simulator::persist(const Outcome &outcome)
{
    QString error;
    if (!m_options.stateOutFile.isEmpty() && !m_state.save(m_options.stateOutFile, &error))
        m_events.note(error);
    if (outcome.saveAll) {
        if (m_options.saveFile.isEmpty())
            m_events.note(QStringLiteral("settings saved (no --save-file given, kept in memory only)"));
        else if (!m_state.save(m_options.saveFile, &error))
            m_events.note(error);
    }
}

void Simulator::answer(const Link &link, const Outcome &outcome)
{
    using namespace ReplyWriter;
    const bool datagramLink = link.via == Via::Udp;
    switch (outcome.reply) {
    case Outcome::NoReply:
        return;
    case Outcome::GlobalStatus:
        if (datagramLink)
            sendReply(link, datagram(0x05, globalRecords(m_state)), QStringLiteral("status datagram, device"),
                      0);
        else
            sendReply(link, toBytes(globalWords(m_state)), QStringLiteral("global frame"), 0);
        return;
    case Outcome::WindowStatus: {
        int window = outcome.window;
        QString what;
        if (m_options.faults.wrongWindowAsked == window) {
            window = m_options.faults.wrongWindowSent;
            what = QStringLiteral(" (asked for window %1)").arg(outcome.window);
        }
        if (datagramLink) {
            QVector<Record> records = windowRecords(m_state, window);
            if (m_options.faults.disagreeUdp) {
                for (Record &r : records)
                    if (r.key == 11)
                        r.value = quint16(r.value + 1 + m_disagreeStep++ % 3);
            }
            sendReply(link, datagram(quint8(window), records),
                      QStringLiteral("status datagram, window %1").arg(window) + what, outcome.window);
        } else {
            sendReply(link, toBytes(windowWords(m_state, window)),
                      QStringLiteral("window frame %1").arg(window) + what, outcome.window);
        }
        return;
    }
    case Outcome::SearchReply:
        // The search is a broadcast question; only datagrams get the answer.
        // It is sent to both device ports: a unit answers on 23 with a fixed
        // address and on 68 when it takes its address by DHCP, so it is found
        // once (other ports, as tests bind them, always answer).
        if (!datagramLink)
            return;
        if (link.udp &&
            ((link.udp->localPort() == 23 && m_state.dhcp) || (link.udp->localPort() == 68 && !m_state.dhcp)))
            return;
        sendReply(link, searchReply(m_state, tcpPort()), QStringLiteral("search reply"), 0);
        return;
    }
}

void Simulator::sendReply(const Link &link, QByteArray bytes, const QString &what, int window)
{
    const Faults &f = m_options.faults;
    const int number = ++m_replies;
    const QString label = QStringLiteral("#%1 %2").arg(number).arg(what);
    if (f.drop.contains(number) || (window > 0 && window == f.dropWindow)) {
        m_events.sent(transportName(link), peerName(link), bytes, label, QStringLiteral("dropped"));
        return;
    }
    QStringList faults;
    const bool frame = link.via != Via::Udp && bytes.size() >= 22 && bytes.startsWith("\xAA\xAA");
    if (frame && f.corruptTail.contains(number)) {
        bytes[bytes.size() - 1] = char(0xBA);
        faults << QStringLiteral("tail BBBA");
    }
    if (link.via == Via::Udp && bytes.size() >= 9 && static_cast<quint8>(bytes.at(0)) == 0xAA &&
        f.corruptSeparator.contains(number)) {
        bytes[8] = '.';
        faults << QStringLiteral("separator '.'");
    }
    if (link.via == Via::Tcp && frame && f.split.contains(number))
        faults << QStringLiteral("split");
    if (link.via == Via::Tcp && frame && f.merge.contains(number))
        faults << QStringLiteral("merged with the next frame");
    if (f.delayMs > 0)
        faults << QStringLiteral("delayed %1 ms").arg(f.delayMs);
    m_events.sent(transportName(link), peerName(link), bytes, label, faults.join(QStringLiteral(", ")));
    if (f.delayMs > 0) {
        QTimer::singleShot(f.delayMs, this,
                           [this, link, bytes, number, frame] { deliver(link, bytes, frame ? number : 0); });
        return;
    }
    deliver(link, bytes, frame ? number : 0);
}

void Simulator::deliver(const Link &link, const QByteArray &bytes, int frameNumber)
{
    const Faults &f = m_options.faults;
    if (isSilent()) {
        // A delayed reply that comes due during a silence is lost.
        m_events.note(QStringLiteral("[%1 %2] reply not sent, silent (fault)")
                          .arg(transportName(link), peerName(link)));
        return;
    }
    switch (link.via) {
    case Via::Udp:
        link.udp->writeDatagram(bytes, link.peer, link.peerPort);
        return;
    case Via::Serial:
        if (m_serial)
            m_serial->write(bytes);
        return;
    case Via::Tcp:
        break;
    }
    TcpConnection *c = link.tcp;
    if (!c)
        return;
    QByteArray out = bytes;
    if (frameNumber > 0 && f.merge.contains(frameNumber) && c->held.isEmpty()) {
        c->held = bytes;
        QTimer::singleShot(kMergeHoldMs, c, [this, c] {
            const QByteArray held = std::exchange(c->held, QByteArray());
            if (!held.isEmpty() && !isSilent())
                c->socket->write(held);
        });
        return;
    }
    out.prepend(std::exchange(c->held, QByteArray()));
    if (frameNumber > 0 && f.split.contains(frameNumber)) {
        // Cut inside a word, so the halves are no frames of their own.
        const int cut = out.size() / 2 + 1;
        c->socket->write(out.left(cut));
        c->socket->flush();
        const QByteArray rest = out.mid(cut);
        QTimer::singleShot(kSplitGapMs, c, [this, c, rest] {
            if (!isSilent())
                c->socket->write(rest);
        });
        return;
    }
    c->socket->write(out);
}

} // namespace w4sim
