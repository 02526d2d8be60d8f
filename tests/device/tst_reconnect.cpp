// A lost link made again by the session itself, against a running w4sim: TCP
// when the processor restarts, the serial adapter when it comes back, a quiet
// UDP or serial device that stops answering, and the attempts given up by the
// user's choices. UDP runs inside the test's own network namespace (root only).
#include "codec.h"
#include "commands.h"
#include "commandsender.h"
#include "devicesession.h"
#include "linkwatch.h"
#include "privatenetwork.h"
#include "ptypair.h"
#include "sessiontesting.h"
#include "tcplink.h"
#include "tcpreadback.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

using namespace simtest;
using w4::DeviceSession;
using w4::ReconnectLink;
using w4::SessionChange;
using w4::SessionState;

namespace {

bool privateNetwork = false;
const QHostAddress card(QStringLiteral("198.51.100.10"));
const QHostAddress loopback(QStringLiteral("127.0.0.1"));

constexpr int WaitMs = 5000;
constexpr int SendIntervalMs = 20;

// The device-wide status query as it reaches the device.
const QString statusQuery = QString::fromLatin1(w4::encodeCommand(QStringLiteral("08050000")).toHex());

QString onTheWire(const QString &text)
{
    return QString::fromLatin1(w4::encodeCommand(text).toHex());
}

// What a processor holds after it was set up differently while the link was down.
w4sim::DeviceState changedState()
{
    w4sim::DeviceState s = distinctiveState();
    s.rows = 3;
    s.columns = 1;
    for (int i = 0; i < 4; ++i) {
        s.windows[size_t(i)].luminance = 10 * i - 70;
        s.windows[size_t(i)].layer = 4 - i;
    }
    return s;
}

// The session's announcements since the loss, with the state each came with.
struct Announced
{
    explicit Announced(DeviceSession &session) : spy(&session, &DeviceSession::stateChanged) {}
    QStringList reasons() const { return changes(spy); }
    SessionState state(int i) const { return spy.at(i).at(0).value<SessionState>(); }
    bool has(SessionChange c) const { return reasons().contains(w4::toString(c)); }
    QSignalSpy spy;
};

} // namespace

class TestReconnect : public QObject
{
    Q_OBJECT

private slots:
    // The processor restarts (set up differently meanwhile): the link comes back
    // by itself, is read before the pages may be used, and the command given
    // while it was down is not sent after all.
    void tcpLinkComesBackReadAndNothingReplayed()
    {
        Sim sim;
        QVERIFY(sim.start(stateArgs(sim, distinctiveState())));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpReadBack()->isComplete(), WaitMs);

        Announced announced(session);
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(WaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::NetworkLost), WaitMs);
        QVERIFY(!session.recovery()->isRunning()); // not before the user has been told

        session.send(QStringLiteral("04170000"));
        QTRY_VERIFY_WITH_TIMEOUT(session.sender()->queue().isEmpty(), WaitMs);
        QCOMPARE(session.unsentCommands(), 1);

        session.lossAcknowledged();
        QCOMPARE(session.state().reconnecting, ReconnectLink::Tcp);
        QCOMPARE(session.state().reconnectAttempt, 1);

        const w4sim::DeviceState changed = changedState();
        QVERIFY(sim.restart(stateArgs(sim, changed)));
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::Reconnected), 4 * WaitMs);
        QVERIFY(session.networkConnected());
        QCOMPARE(session.state().networkKind, w4::NetworkKind::Tcp);
        QCOMPARE(session.state().reconnecting, ReconnectLink::None);
        QCOMPARE(session.connectionStatusRow(), 2);
        verifyModel(*session.model(), changed);
        if (QTest::currentTestFailed())
            return;
        // Nothing could be edited until the state was read.
        for (int i = 0; i < announced.spy.size() - 1; ++i)
            QVERIFY2(!announced.state(i).editable(), qPrintable(w4::toString(announced.state(i))));
        QVERIFY(announced.state(announced.spy.size() - 1).editable());
        QVERIFY(!sim.received("tcp").contains(onTheWire(QStringLiteral("04170000"))));
        QCOMPARE(session.unsentCommands(), 1);

        // And the link works as before.
        session.send(QStringLiteral("04140000"));
        QTRY_VERIFY_WITH_TIMEOUT(sim.received("tcp").contains(onTheWire(QStringLiteral("04140000"))), WaitMs);
    }

    // The adapter is pulled out and plugged back under the same name. A line
    // the device had answered on is back when the device answers again; one
    // it never answered on was up once open, and is so again.
    void serialAdapterComesBack_data()
    {
        QTest::addColumn<bool>("answeredBefore");
        QTest::newRow("answered before") << true;
        QTest::newRow("never answered") << false;
    }
    void serialAdapterComesBack()
    {
        QFETCH(bool, answeredBefore);
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        if (answeredBefore)
            session.serialWatch()->setTimes(200, 1000);
        session.openSerial(pty);
        QVERIFY(session.serialConnected());
        if (answeredBefore) {
            QTRY_VERIFY_WITH_TIMEOUT(session.serialWatch()->hasAnswered(), WaitMs);
            session.serialWatch()->setTimes(w4::LinkWatch::QuietMs, w4::LinkWatch::AnswerMs);
        }

        Announced announced(session);
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(WaitMs));
        session.serialPortsChanged({});
        QCOMPARE(announced.reasons(), named({SessionChange::SerialLost}));
        session.lossAcknowledged();
        QCOMPARE(session.state().reconnecting, ReconnectLink::Serial);

        QVERIFY(sim.restart({QStringLiteral("--pty"), pty}));
        session.serialPortsChanged({pty});
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::Reconnected), WaitMs);
        QVERIFY(session.serialConnected());
        QCOMPARE(session.connectionStatusRow(), 10);
        // Asked on its return only when it had answered before.
        QCOMPARE(sim.received("serial"), answeredBefore ? QStringList{statusQuery} : QStringList{});
        session.send(QStringLiteral("04170000"));
        QTRY_VERIFY_WITH_TIMEOUT(sim.received("serial").contains(onTheWire(QStringLiteral("04170000"))),
                                 WaitMs);
    }

    // A device that stops answering on a link without a connection of its own is
    // noticed while it is still silent, and the link comes back when it answers
    // again. While commands flow, nothing extra is asked.
    void quietLinkNoticedThenBack_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("quietMs");
        QTest::addColumn<int>("answerMs");
        QTest::addColumn<int>("silenceMs");
        QTest::newRow("udp, as the program runs it, silent 12 s")
            << "udp" << w4::LinkWatch::QuietMs << w4::LinkWatch::AnswerMs << 12000;
        QTest::newRow("serial, shorter times") << "serial" << 1000 << 400 << 3000;
    }
    void quietLinkNoticedThenBack()
    {
        QFETCH(QString, transport);
        QFETCH(int, quietMs);
        QFETCH(int, answerMs);
        QFETCH(int, silenceMs);
        const bool udp = transport == QLatin1String("udp");
        if (udp && !privateNetwork)
            QSKIP("the UDP link needs the test's own network namespace (root)");
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QStringList args{QStringLiteral("--silent-for"), QString::number(silenceMs)};
        args += udp ? QStringList{QStringLiteral("--udp-ports"), QStringLiteral("23")}
                    : QStringList{QStringLiteral("--pty"), pty};
        QVERIFY(sim.start(args));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        w4::LinkWatch *watch = udp ? session.udpWatch() : session.serialWatch();
        watch->setTimes(quietMs, answerMs);
        if (udp)
            QVERIFY(session.connectUdp(loopback, false, card).ok);
        else
            session.openSerial(pty);
        QVERIFY(session.state().linkUp());

        if (!udp) {
            // Commands every 100 ms for twice the quiet time: they are not
            // answered, so the device is asked among them all the same; it
            // answers and the line stays up.
            for (int i = 0; i < 2 * quietMs / 100; ++i) {
                session.send(w4::windowParameterCommand(0, 0x10, i % 100));
                QTest::qWait(100);
            }
            QVERIFY(sim.received(transport).contains(statusQuery));
            QTRY_VERIFY_WITH_TIMEOUT(watch->hasAnswered(), WaitMs);
            QTest::qWait(answerMs * 3);
            QVERIFY(session.serialConnected());
        }

        Announced announced(session);
        QVERIFY(sim.silence());
        const SessionChange lost = udp ? SessionChange::NetworkLost : SessionChange::SerialLost;
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(lost), quietMs + 2 * answerMs + WaitMs);
        QCOMPARE(sim.faultCount(QStringLiteral("silence end")), 0); // noticed before the device spoke again
        QVERIFY(!session.state().linkUp());

        session.lossAcknowledged();
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::Reconnected), silenceMs + 4 * WaitMs);
        QVERIFY(session.state().linkUp());
        QCOMPARE(session.sendByDatagram(), udp);
        if (udp)
            QVERIFY(session.model()->deviceWide().hasLayout()); // read again
    }

    // A serial line wired for sending only, or a TCP peer that takes
    // commands and answers nothing, is a working link: asked once, and left
    // up through many quiet times. The serial line also comes back as soon as
    // its port is there again.
    void aLinkThatNeverAnswersStaysUp_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::newRow("serial") << "serial";
        QTest::newRow("tcp") << "tcp";
    }
    void aLinkThatNeverAnswersStaysUp()
    {
        QFETCH(QString, transport);
        const bool serial = transport == QLatin1String("serial");
        PtyPair line;
        QVERIFY(line.isValid());
        QTcpServer peer;
        QVERIFY(peer.listen(loopback));
        std::unique_ptr<QTcpSocket> accepted;
        QByteArray tcpBytes;
        connect(&peer, &QTcpServer::newConnection, this, [&] {
            accepted.reset(peer.nextPendingConnection());
            connect(accepted.get(), &QTcpSocket::readyRead, this, [&] { tcpBytes += accepted->readAll(); });
        });

        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        w4::LinkWatch *watch = serial ? session.serialWatch() : session.tcpWatch();
        watch->setTimes(100, 50);
        Announced announced(session);
        if (serial)
            session.openSerial(line.slavePath());
        else
            session.connectTcp(loopback.toString(), peer.serverPort());
        QTRY_VERIFY_WITH_TIMEOUT(session.state().linkUp(), WaitMs);

        // Far more than quiet time and both answer times; for TCP the read of
        // the state runs first, each query given up after its own time.
        QTest::qWait(serial ? 1500 : 5000);
        QVERIFY(session.state().linkUp());
        QVERIFY(!announced.has(serial ? SessionChange::SerialLost : SessionChange::NetworkLost));
        QVERIFY(!watch->isWatching());
        const QString wire = QString::fromLatin1((serial ? line.readAvailable() : tcpBytes).toHex());
        // Asked once by the watch (TCP: besides the read's own device-wide query).
        QCOMPARE(wire.count(statusQuery), serial ? 1 : 2);
        session.send(QStringLiteral("04170000"));
        QByteArray later;
        QTRY_VERIFY_WITH_TIMEOUT(
            QString::fromLatin1((serial ? later += line.readAvailable() : tcpBytes).toHex())
                .contains(onTheWire("04170000")),
            WaitMs);
        if (!serial)
            return;

        // The adapter goes and comes back: up again once the port is open,
        // without waiting for an answer that never comes.
        session.serialPortsChanged({});
        QVERIFY(announced.has(SessionChange::SerialLost));
        session.lossAcknowledged();
        session.serialPortsChanged({line.slavePath()});
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::Reconnected), WaitMs);
        QVERIFY(session.serialConnected());
        QCOMPARE(session.connectionStatusRow(), 10);
        QTest::qWait(1000);
        QVERIFY(session.serialConnected());
        QCOMPARE(announced.reasons().count(w4::toString(SessionChange::SerialLost)), 1);
    }

    // A processor that falls silent behind a TCP connection that stays up is
    // noticed within the watch's times, also while commands go out; the
    // commands written after its last answer are named. While it answered,
    // its answers to the watch changed nothing on the wall.
    void aTcpProcessorFallingSilentIsNoticed()
    {
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--silent-for"), QStringLiteral("30000")}));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        const int quietMs = 600, answerMs = 300;
        session.tcpWatch()->setTimes(quietMs, answerMs);
        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpReadBack()->isComplete(), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!session.tcpReadBack()->isRunning(), WaitMs);

        QSignalSpy wallChanges(session.model(), &w4::DeviceModel::deviceWideChanged);
        const int before = sim.received("tcp").size();
        QTest::qWait(quietMs * 4);
        QVERIFY(session.networkConnected());
        QVERIFY(sim.received("tcp").mid(before).contains(statusQuery));
        QCOMPARE(wallChanges.size(), 0);

        Announced announced(session);
        QVERIFY(sim.silence());
        QTest::qWait(50); // an answer sent before the silence is in
        const QStringList modes{QStringLiteral("04170000"), QStringLiteral("04140000")};
        for (const QString &c : modes)
            session.send(c);
        QTRY_VERIFY_WITH_TIMEOUT(announced.has(SessionChange::NetworkLost), quietMs + 2 * answerMs + WaitMs);
        QCOMPARE(sim.faultCount(QStringLiteral("silence end")), 0);
        QVERIFY(!session.networkConnected());
        QCOMPARE(session.unconfirmedAtLoss().count, 2);
        QCOMPARE(session.unconfirmedAtLoss().texts, modes);
    }

    // The watch's query waits out the sender's gap after a command, and none
    // goes out while a read is asking for itself.
    void tcpWatchKeepsTheGapAndLeavesReadsAlone()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpReadBack()->isComplete(), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!session.tcpReadBack()->isRunning(), WaitMs);

        // Quiet time far shorter than the gap: the query comes due at once
        // and still waits for the gap.
        session.sender()->setInterval(3000);
        QTRY_COMPARE_WITH_TIMEOUT(session.sender()->msUntilGapOver(), 0, WaitMs);
        const QString command = onTheWire(QStringLiteral("04170000"));
        session.send(QStringLiteral("04170000"));
        QTRY_VERIFY_WITH_TIMEOUT(sim.received("tcp").contains(command), WaitMs);
        session.tcpWatch()->setTimes(50, 5000);
        QTest::qWait(1000);
        QCOMPARE(sim.received("tcp").last(), command);
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("tcp").last(), statusQuery, WaitMs);

        // A read with the watch due all along: its queries in order, nothing between.
        session.sender()->setInterval(150);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpWatch()->unanswered() == 0, WaitMs);
        const int before = sim.received("tcp").size();
        session.refreshTcp();
        QTRY_VERIFY_WITH_TIMEOUT(!session.tcpReadBack()->isRunning(), WaitMs);
        QVERIFY(session.tcpReadBack()->isComplete());
        QStringList read = sim.received("tcp").mid(before);
        const QStringList queries{statusQuery,
                                  onTheWire(QStringLiteral("08010001")),
                                  onTheWire(QStringLiteral("08020001")),
                                  onTheWire(QStringLiteral("08030001")),
                                  onTheWire(QStringLiteral("08040001")),
                                  onTheWire(QStringLiteral("ffffffff"))};
        while (!read.isEmpty() && read.first() == statusQuery && read.value(1) == statusQuery)
            read.removeFirst(); // a query of the watch's just before the read began
        QCOMPARE(read.mid(0, queries.size()), queries);
    }

    // Each choice of the user's gives the attempts up at once, and none is
    // made afterwards even when the processor is back.
    void attemptsStop_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("row");
        QTest::newRow("disconnect") << "disconnect" << 1;
        QTest::newRow("offline") << "offline" << 9;
        QTest::newRow("another link") << "serial" << 10;
        QTest::newRow("reconnecting switched off") << "off" << 1;
        QTest::newRow("closing the program") << "shutdown" << 1;
    }
    void attemptsStop()
    {
        QFETCH(QString, choice);
        QFETCH(int, row);
        Sim sim;
        QVERIFY(sim.start({}));
        PtyPair otherPort;
        QVERIFY(otherPort.isValid());
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        session.setReconnectEnabled(true);
        session.recovery()->setPaceForTesting(10);
        session.tcpLink()->setConnectTimeout(200);
        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpReadBack()->isComplete(), WaitMs);

        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(WaitMs));
        QTRY_VERIFY_WITH_TIMEOUT(session.state().lost, WaitMs);
        session.lossAcknowledged();
        QTRY_VERIFY_WITH_TIMEOUT(session.state().reconnectAttempt >= 3, WaitMs);

        Announced announced(session);
        if (choice == QLatin1String("disconnect"))
            session.disconnectNetwork();
        else if (choice == QLatin1String("offline"))
            session.goOffline();
        else if (choice == QLatin1String("serial"))
            session.openSerial(otherPort.slavePath());
        else if (choice == QLatin1String("off"))
            session.setReconnectEnabled(false);
        else
            session.shutdown();
        QCOMPARE(session.state().reconnecting, ReconnectLink::None);
        QCOMPARE(session.state().reconnectAttempt, 0);
        QCOMPARE(session.connectionStatusRow(), row);
        if (choice == QLatin1String("off"))
            QCOMPARE(announced.reasons(), named({SessionChange::ReconnectingStopped}));
        QVERIFY(!session.tcpLink()->isOpening());

        QVERIFY(sim.restart({}));
        const int received = sim.received("tcp").size();
        QTest::qWait(1000); // several of the shortened pauses
        QVERIFY(!session.networkConnected());
        QVERIFY(!session.tcpLink()->isOpening());
        QCOMPARE(sim.received("tcp").size(), received);
        QVERIFY(!announced.has(SessionChange::Reconnecting));
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = simtest::enterPrivateNetwork(); // before any thread exists
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=false"));
    qRegisterMetaType<w4::StatusOrigin>("w4::StatusOrigin");
    TestReconnect test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reconnect.moc"
