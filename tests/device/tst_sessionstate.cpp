// The session's connection state without a processor: what the user is shown
// for each combination of links, and every change the session's own calls make,
// each announced once with its reason. The peers are loopback sockets (a port
// nobody listens on, a server of the test's own) and a pseudo-terminal.
#include "commandsender.h"
#include "devicesession.h"
#include "ptypair.h"
#include "seriallink.h"
#include "sessionstate.h"
#include "tcplink.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using w4::ConnectionState;
using w4::DeviceSession;
using w4::LinkPhase;
using w4::NetworkKind;
using w4::SessionChange;
using w4::SessionState;

Q_DECLARE_METATYPE(w4::ConnectionState)

// The states and the reasons compare by value and print by their names.
#define COMPARE_STATE(actual, expected)                                                                   \
    QVERIFY2((actual) == (expected),                                                                     \
             qPrintable(w4::toString(actual) + QStringLiteral("  expected  ") + w4::toString(expected)))
#define COMPARE_CHANGE(actual, expected) QCOMPARE(w4::toString(actual), w4::toString(expected))

namespace {

// An attempt at a port nobody listens on is refused at once but stays pending
// until this time-out.
constexpr int DeadConnectMs = 150;
// Generous: a connection to the test's own server is answered at once.
constexpr int LiveConnectMs = 5000;
constexpr int WaitMs = 5000;

// A loopback port with nobody behind it.
quint16 unusedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    return probe.serverPort();
}

// A session and what it can be connected to here. Steps are named so that the
// cases below read as what happens:
//   offline        goOffline()
//   openSerial     opens the pseudo-terminal
//   openBadSerial  opens a path that cannot open
//   closeSerial    closeSerial()
//   portsGone      the port list is now empty
//   portsListed    the port list holds the pseudo-terminal
//   connectDead    connectTcp to a port nobody listens on (stays pending)
//   timeout        waits for that attempt's time-out
//   connectLive    connectTcp to the test's server, until connected
//   peerDrops      the server closes the connection, until the loss is seen
//   disconnect     disconnectNetwork()
class Rig
{
public:
    Rig()
    {
        server.listen(QHostAddress::LocalHost);
        deadPort = unusedPort();
    }
    bool isValid() const { return pty.isValid() && server.isListening() && deadPort != 0; }

    // Runs one step; a failure is recorded as the test's.
    void apply(const QString &step)
    {
        if (step == QLatin1String("offline")) {
            session.goOffline();
        } else if (step == QLatin1String("openSerial")) {
            session.openSerial(pty.slavePath());
        } else if (step == QLatin1String("openBadSerial")) {
            session.openSerial(QStringLiteral("/nonexistent/w4-no-such-port"));
        } else if (step == QLatin1String("closeSerial")) {
            session.closeSerial();
        } else if (step == QLatin1String("portsGone")) {
            session.serialPortsChanged({});
        } else if (step == QLatin1String("portsListed")) {
            session.serialPortsChanged({pty.slavePath(), QStringLiteral("/dev/ttyS0")});
        } else if (step == QLatin1String("connectDead")) {
            session.tcpLink()->setConnectTimeout(DeadConnectMs);
            session.connectTcp(QStringLiteral("127.0.0.1"), deadPort);
        } else if (step == QLatin1String("timeout") || step == QLatin1String("peerDrops")) {
            QSignalSpy next(&session, &DeviceSession::stateChanged);
            if (step == QLatin1String("peerDrops")) {
                QVERIFY(peer);
                peer->close();
            }
            QVERIFY2(next.wait(WaitMs), qPrintable(step));
        } else if (step == QLatin1String("connectLive")) {
            session.tcpLink()->setConnectTimeout(LiveConnectMs);
            session.connectTcp(QStringLiteral("127.0.0.1"), server.serverPort());
            QTRY_VERIFY_WITH_TIMEOUT(session.networkConnected(), WaitMs);
            QVERIFY(server.hasPendingConnections() || server.waitForNewConnection(WaitMs));
            peer = server.nextPendingConnection();
        } else if (step == QLatin1String("disconnect")) {
            session.disconnectNetwork();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }

    PtyPair pty; // outlives the session, which holds its slave open
    QTcpServer server;
    QTcpSocket *peer = nullptr;
    quint16 deadPort = 0;
    DeviceSession session;
};

SessionState make(LinkPhase serial, LinkPhase network, NetworkKind kind = NetworkKind::None)
{
    SessionState s;
    s.serial = serial;
    s.network = network;
    s.networkKind = kind;
    return s;
}

} // namespace

class TestSessionState : public QObject
{
    Q_OBJECT

private slots:
    // What the user is shown for a state: the status row, the overall state,
    // and whether the pages may be edited.
    void shownState_data()
    {
        QTest::addColumn<SessionState>("state");
        QTest::addColumn<int>("row");
        QTest::addColumn<ConnectionState>("overall");
        QTest::addColumn<bool>("editable");

        const auto C = LinkPhase::Closed;
        const auto G = LinkPhase::Connecting;
        const auto O = LinkPhase::Open;
        SessionState s;
        QTest::newRow("nothing") << s << 1 << ConnectionState::NotConnected << false;
        s.serialStatusShown = true;
        QTest::newRow("nothing, serial port spoken of") << s << 11 << ConnectionState::NotConnected << false;
        s.lost = true;
        QTest::newRow("serial port lost") << s << 11 << ConnectionState::Lost << false;
        s.serialStatusShown = false;
        QTest::newRow("network lost") << s << 1 << ConnectionState::Lost << false;

        QTest::newRow("serial open") << make(O, C) << 10 << ConnectionState::Connected << true;
        QTest::newRow("tcp connecting") << make(C, G, NetworkKind::Tcp) << 8 << ConnectionState::Connecting
                                        << false;
        QTest::newRow("udp being read") << make(C, G, NetworkKind::Udp) << 8 << ConnectionState::Connecting
                                        << false;
        // The network link speaks first while it is being made, but the serial
        // link still carries the edits.
        QTest::newRow("tcp connecting, serial open")
            << make(O, G, NetworkKind::Tcp) << 8 << ConnectionState::Connected << true;
        QTest::newRow("tcp connected") << make(C, O, NetworkKind::Tcp) << 2 << ConnectionState::Connected
                                       << true;
        QTest::newRow("udp connected") << make(C, O, NetworkKind::Udp) << 2 << ConnectionState::Connected
                                       << true;
        QTest::newRow("both open") << make(O, O, NetworkKind::Tcp) << 2 << ConnectionState::Connected << true;

        s = SessionState{};
        s.offline = true;
        QTest::newRow("offline") << s << 9 << ConnectionState::Offline << true;
        s.serialStatusShown = true;
        s.lost = true;
        QTest::newRow("offline outranks a loss") << s << 9 << ConnectionState::Offline << true;

        s = make(O, C);
        s.lost = true; // a stale mark while a link is up
        QTest::newRow("serial open after a loss") << s << 10 << ConnectionState::Connected << true;
    }
    void shownState()
    {
        QFETCH(SessionState, state);
        QFETCH(int, row);
        QFETCH(ConnectionState, overall);
        QFETCH(bool, editable);
        QCOMPARE(state.connectionStatusRow(), row);
        QCOMPARE(state.overall(), overall);
        QCOMPARE(state.editable(), editable);
        // Datagrams carry the commands only over a UDP link that is up.
        QCOMPARE(state.sendByDatagram(), state.networkConnected() && state.networkKind == NetworkKind::Udp);
    }

    // Each call changes the state once and announces it once, with its reason.
    // `quietAfter`: nothing else may be announced afterwards, not even when a
    // TCP attempt given up would have timed out or a closed connection would
    // have reported its end.
    void transitions_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("event");
        QTest::addColumn<SessionChange>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<ConnectionState>("overall");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<bool>("quietAfter");

        using SC = SessionChange;
        using CS = ConnectionState;
        auto row = [](const char *name, const QStringList &setup, const char *event, SC change, int statusRow,
                      CS overall, bool editable, bool quietAfter = false) {
            QTest::newRow(name) << setup << QString::fromLatin1(event) << change << statusRow << overall
                                << editable << quietAfter;
        };

        // Offline editing.
        row("offline", {}, "offline", SC::OfflineEntered, 9, CS::Offline, true);
        row("offline closes the serial link", {"openSerial"}, "offline", SC::OfflineEntered, 9, CS::Offline, true);
        row("offline cancels a pending tcp connect", {"connectDead"}, "offline", SC::OfflineEntered, 9,
            CS::Offline, true, true);
        row("offline from a tcp link is no loss", {"connectLive"}, "offline", SC::OfflineEntered, 9, CS::Offline,
            true, true);

        // The serial port.
        row("serial opened", {}, "openSerial", SC::SerialOpened, 10, CS::Connected, true);
        row("serial opened ends offline", {"offline"}, "openSerial", SC::SerialOpened, 10, CS::Connected, true);
        row("serial open fails", {}, "openBadSerial", SC::SerialOpenFailed, 11, CS::NotConnected, false);
        row("a failed open ends offline too", {"offline"}, "openBadSerial", SC::SerialOpenFailed, 11,
            CS::NotConnected, false);
        row("serial closed", {"openSerial"}, "closeSerial", SC::SerialClosed, 11, CS::NotConnected, false);
        row("opening an open port closes it", {"openSerial"}, "openSerial", SC::SerialClosed, 11,
            CS::NotConnected, false);
        row("the port list changes", {}, "portsGone", SC::SerialPortsChanged, 11, CS::NotConnected, false);
        row("the open port vanishes", {"openSerial"}, "portsGone", SC::SerialLost, 11, CS::Lost, false);
        row("the open port vanishes under a tcp link", {"openSerial", "connectLive"}, "portsGone", SC::SerialLost,
            2, CS::Connected, true);
        row("serial opened beside a tcp link", {"connectLive"}, "openSerial", SC::SerialOpened, 2, CS::Connected,
            true);
        row("opening the serial port cancels a pending tcp connect", {"connectDead"}, "openSerial",
            SC::SerialOpened, 10, CS::Connected, true, true);
        row("a failed serial open cancels a pending tcp connect too", {"connectDead"}, "openBadSerial",
            SC::SerialOpenFailed, 11, CS::NotConnected, false, true);

        // TCP.
        row("tcp connecting", {}, "connectDead", SC::NetworkConnecting, 8, CS::Connecting, false);
        row("tcp connecting ends offline", {"offline"}, "connectDead", SC::NetworkConnecting, 8, CS::Connecting,
            false);
        row("tcp connecting beside the serial link", {"openSerial"}, "connectDead", SC::NetworkConnecting, 8,
            CS::Connected, true);
        row("tcp attempt times out", {"connectDead"}, "timeout", SC::NetworkTimedOut, 1, CS::NotConnected, false,
            true);
        row("tcp attempt times out beside the serial link", {"openSerial", "connectDead"}, "timeout",
            SC::NetworkTimedOut, 10, CS::Connected, true, true);
        row("a replaced attempt times out once", {"connectDead", "connectDead"}, "timeout", SC::NetworkTimedOut,
            1, CS::NotConnected, false, true);
        row("a connection that replaced an attempt closes once", {"connectDead", "connectLive"}, "disconnect",
            SC::NetworkDisconnected, 1, CS::NotConnected, false, true);
        row("tcp attempt cancelled", {"connectDead"}, "disconnect", SC::NetworkDisconnected, 1, CS::NotConnected,
            false, true);
        row("tcp link lost", {"connectLive"}, "peerDrops", SC::NetworkLost, 1, CS::Lost, false, true);
        row("tcp link lost beside the serial link", {"openSerial", "connectLive"}, "peerDrops", SC::NetworkLost,
            10, CS::Connected, true, true);
        row("tcp link closed by the user", {"connectLive"}, "disconnect", SC::NetworkDisconnected, 1,
            CS::NotConnected, false, true);
        row("tcp link closed beside the serial link", {"openSerial", "connectLive"}, "disconnect",
            SC::NetworkDisconnected, 10, CS::Connected, true, true);
        // After a network link the line stays with it (tst_sessionview); before
        // any link was chosen a change of the list turns it to the serial port.
        row("the port list changes before any link", {}, "portsGone", SC::SerialPortsChanged, 11,
            CS::NotConnected, false);
        row("a serial open clears the loss", {"connectLive", "peerDrops"}, "openSerial", SC::SerialOpened, 10,
            CS::Connected, true);
    }
    void transitions()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, event);
        QFETCH(SessionChange, change);
        QFETCH(int, row);
        QFETCH(ConnectionState, overall);
        QFETCH(bool, editable);
        QFETCH(bool, quietAfter);

        Rig rig;
        QVERIFY(rig.isValid());
        for (const QString &step : setup) {
            rig.apply(step);
            if (QTest::currentTestFailed())
                return;
        }

        QSignalSpy spy(&rig.session, &DeviceSession::stateChanged);
        rig.apply(event);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(spy.count(), 1);
        COMPARE_CHANGE(spy.at(0).at(1).value<SessionChange>(), change);
        COMPARE_STATE(spy.at(0).at(0).value<SessionState>(), rig.session.state());
        const SessionState &state = rig.session.state();
        QCOMPARE(state.connectionStatusRow(), row);
        QCOMPARE(rig.session.connectionStatusRow(), row);
        QCOMPARE(state.overall(), overall);
        QCOMPARE(state.editable(), editable);
        // The links are where the state says they are.
        QCOMPARE(rig.session.serialLink()->isOpen(), state.serialConnected());
        QCOMPARE(rig.session.tcpLink()->isOpen(), state.networkConnected());
        QCOMPARE(rig.session.tcpLink()->isOpening(), state.networkConnecting());

        if (quietAfter) {
            // Past the time-out of any attempt that was given up.
            QVERIFY(!spy.wait(2 * DeadConnectMs));
            QCOMPARE(spy.count(), 1);
            COMPARE_STATE(rig.session.state(), state);
        }
    }

    // A call that leaves the state as it was announces nothing.
    void unchangedStateIsNotAnnounced_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("event");
        QTest::newRow("the port list changes again") << QStringList{"portsGone"} << "portsGone";
        QTest::newRow("the list changes after a failed open") << QStringList{"openBadSerial"} << "portsGone";
        QTest::newRow("the open port is still listed") << QStringList{"openSerial"} << "portsListed";
        QTest::newRow("offline, the list changes") << QStringList{"offline", "portsGone"} << "portsListed";
    }
    void unchangedStateIsNotAnnounced()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, event);
        Rig rig;
        QVERIFY(rig.isValid());
        for (const QString &step : setup) {
            rig.apply(step);
            if (QTest::currentTestFailed())
                return;
        }
        const SessionState before = rig.session.state();
        QSignalSpy spy(&rig.session, &DeviceSession::stateChanged);
        rig.apply(event);
        QCOMPARE(spy.count(), 0);
        COMPARE_STATE(rig.session.state(), before);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The session logs each change at debug level; QT_LOGGING_RULES="w4.*.debug=true" shows them.
    QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=false"));
    TestSessionState test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionstate.moc"
