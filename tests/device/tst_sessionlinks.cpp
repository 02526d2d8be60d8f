// The session's links against a running w4sim: TCP on loopback with its
// read-back, the serial line over the simulator's pseudo-terminal, UDP inside
// the test's own network namespace (root only), and the sender's minimum gap
// between two commands when the event loop was held up.
#include "codec.h"
#include "commandsender.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "devicestate.h"
#include "seriallink.h"
#include "privatenetwork.h"
#include "sessiontesting.h"
#include "ptypair.h"
#include "simharness.h"
#include "tcplink.h"
#include "tcpreadback.h"
#include "udplink.h"
#include "udpreadback.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace simtest;
using w4::ConnectionState;
using w4::DeviceSession;
using w4::NetworkKind;
using w4::SessionChange;
using w4::SessionState;

namespace {

bool privateNetwork = false;
// The test namespace's card, and an address on its subnet that nobody holds.
const QHostAddress card(QStringLiteral("198.51.100.10"));
const QHostAddress nobody(QStringLiteral("198.51.100.99"));
const QHostAddress loopback(QStringLiteral("127.0.0.1"));

constexpr int WaitMs = 5000;
// Fast enough for the tests, slow enough that the ticks are far apart.
constexpr int SendIntervalMs = 20;

// The TCP read's queries as they reach the device, check byte included.
const QStringList tcpReadQueries = {"0805000070", "08010001dc", "0802000161",
                                    "080300010a", "080400011c", "ffffffffde"};

// Commands that never supersede each other in the queue.
const QStringList someCommands = {"00010100", "e00000000007800438", "04170000", "002d0002",
                                  "002b0000", "002c0001",           "04140000"};

QStringList onTheWire(const QStringList &texts)
{
    QStringList hex;
    for (const QString &t : texts)
        hex << QString::fromLatin1(w4::encodeCommand(t).toHex());
    return hex;
}

// When each command left the sender, and the most that left on one tick.
class SendLog : public QObject
{
public:
    explicit SendLog(w4::CommandSender *sender)
    {
        clock.start();
        connect(sender, &w4::CommandSender::commandSent, this, [this](const QString &text) {
            texts << text;
            nsecs << clock.nsecsElapsed();
            ++thisTick;
        });
        connect(sender, &w4::CommandSender::ticked, this, [this] {
            mostPerTick = qMax(mostPerTick, thisTick);
            thisTick = 0;
        });
    }
    // Milliseconds between command n - 1 and n.
    double gapMs(int n) const { return double(nsecs.at(n) - nsecs.at(n - 1)) / 1e6; }

    QStringList texts;
    QVector<qint64> nsecs;
    int mostPerTick = 0;

private:
    QElapsedTimer clock;
    int thisTick = 0;
};

// What a read did, in order: "sent <command>" as each command left the
// sender, "query <literal>" as each UDP query left, "answer" for each datagram
// from the device, "global" and "window N" as the model took a frame.
class ReadLog : public QObject
{
public:
    explicit ReadLog(DeviceSession &session, const QHostAddress &device = {})
    {
        connect(session.sender(), &w4::CommandSender::commandSent, this,
                [this](const QString &text) { steps << QStringLiteral("sent ") + text; });
        connect(session.udpReadBack(), &w4::UdpReadBack::querySent, this,
                [this](const QString &literal) { steps << QStringLiteral("query ") + literal; });
        connect(session.udpLink(), &w4::UdpLink::datagramReceived, this,
                [this, device](const QByteArray &, const QHostAddress &from) {
                    if (from.isEqual(device, QHostAddress::ConvertV4MappedToIPv4))
                        steps << QStringLiteral("answer");
                });
        connect(session.model(), &w4::DeviceModel::deviceWideChanged, this,
                [this](w4::StatusOrigin origin) {
                    if (origin == w4::StatusOrigin::Tcp)
                        steps << QStringLiteral("global");
                });
        connect(session.model(), &w4::DeviceModel::windowChanged, this,
                [this](int index, w4::StatusOrigin origin) {
                    if (origin == w4::StatusOrigin::Tcp)
                        steps << QStringLiteral("window %1").arg(index + 1);
                });
    }
    QStringList steps;
};

} // namespace

class TestSessionLinks : public QObject
{
    Q_OBJECT

private slots:
    void tcpReadsBackSendsInOrderAndNoticesTheLoss()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState();
        QVERIFY(sim.start(stateArgs(sim, state)));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);

        QSignalSpy spy(&session, &DeviceSession::stateChanged);
        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QCOMPARE(session.connectionStatusRow(), 8);
        QTRY_VERIFY_WITH_TIMEOUT(session.networkConnected(), WaitMs);
        QCOMPARE(changes(spy), named({SessionChange::NetworkConnecting,
                                                       SessionChange::NetworkConnected}));
        QCOMPARE(session.state().networkKind, NetworkKind::Tcp);
        QCOMPARE(session.connectionStatusRow(), 2);

        // The read-back: the queries at their steps, the frames into the model.
        QSignalSpy finished(session.tcpReadBack(), &w4::TcpReadBack::sequenceFinished);
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 6 * w4::TcpReadBack::StepMs + WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("tcp"), tcpReadQueries, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(session.tcpReadBack()->isComplete(), WaitMs);
        verifyModel(*session.model(), state);
        if (QTest::currentTestFailed())
            return;

        // Commands leave in order, one per tick, none lost.
        SendLog sent(session.sender());
        for (const QString &c : someCommands)
            session.send(c);
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("tcp").mid(tcpReadQueries.size()), onTheWire(someCommands),
                                  WaitMs);
        QCOMPARE(sent.texts, someCommands);
        QCOMPARE(sent.mostPerTick, 1);

        // The processor goes away: the loss is announced once.
        spy.clear();
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(WaitMs));
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, WaitMs);
        QVERIFY(!spy.wait(100)); // whatever the closed socket still reports changes nothing
        QCOMPARE(changes(spy), named({SessionChange::NetworkLost}));
        QCOMPARE(session.state().overall(), ConnectionState::Lost);
        QCOMPARE(session.connectionStatusRow(), 1);
        QVERIFY(!session.tcpLink()->isOpen());
        QVERIFY(!session.tcpReadBack()->isRunning());
    }

    // Each query leaves once the answer to the one before has been applied,
    // however long the processor takes. (The answer shows the processor ready:
    // the next query does not wait out the sender's interval.)
    void tcpQueriesWaitForTheAnswerBefore_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("prompt processor") << 0;
        QTest::newRow("processor answering after 400 ms") << 400;
    }
    void tcpQueriesWaitForTheAnswerBefore()
    {
        QFETCH(int, delayMs);
        Sim sim;
        const w4sim::DeviceState state = distinctiveState();
        QVERIFY(sim.start(stateArgs(sim, state) + QStringList{"--delay-ms", QString::number(delayMs)}));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        ReadLog log(session);
        QSignalSpy finished(session.tcpReadBack(), &w4::TcpReadBack::sequenceFinished);

        session.connectTcp(QStringLiteral("127.0.0.1"), sim.tcpPort);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5 * w4::TcpReadBack::StepMs + WaitMs);
        QVERIFY(session.tcpReadBack()->isComplete());
        QVERIFY(!session.tcpReadBack()->isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("tcp"), tcpReadQueries, WaitMs);
        QCOMPARE(log.steps,
                 (QStringList{"sent 08050000", "global", "sent 08010001", "window 1", "sent 08020001", "window 2",
                              "sent 08030001", "window 3", "sent 08040001", "window 4", "sent ffffffff"}));
        verifyModel(*session.model(), state);
    }

    // The serial line opened, used, and lost in either way it can go.
    void serialOpensSendsAndIsLost_data()
    {
        QTest::addColumn<bool>("portListed");
        QTest::newRow("the port leaves the port list") << true;
        QTest::newRow("the device hangs up the line") << false;
    }
    void serialOpensSendsAndIsLost()
    {
        QFETCH(bool, portListed);
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);

        QSignalSpy spy(&session, &DeviceSession::stateChanged);
        session.openSerial(pty);
        QCOMPARE(changes(spy), named({SessionChange::SerialOpened}));
        QCOMPARE(session.connectionStatusRow(), 10);

        SendLog sent(session.sender());
        for (const QString &c : someCommands)
            session.send(c);
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("serial"), onTheWire(someCommands), WaitMs);
        QCOMPARE(sent.mostPerTick, 1);

        // Other ports coming and going leave the link alone.
        session.serialPortsChanged({pty, QStringLiteral("/dev/ttyUSB7")});
        QCOMPARE(spy.count(), 1);
        QVERIFY(session.serialConnected());

        spy.clear();
        if (portListed) {
            session.serialPortsChanged({QStringLiteral("/dev/ttyUSB7")});
        } else {
            sim.process.terminate();
            QVERIFY(sim.process.waitForFinished(WaitMs));
            session.send(QStringLiteral("04170000")); // a write sees the hang-up at the latest
        }
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, WaitMs);
        QCOMPARE(changes(spy), named({SessionChange::SerialLost}));
        QCOMPARE(session.connectionStatusRow(), 11);
        QCOMPARE(session.state().overall(), ConnectionState::Lost);
        QVERIFY(!session.serialLink()->isOpen());
    }

    // A tick held up by a busy event loop is followed by a full interval, not
    // by the next tick of the old schedule.
    void commandsNeverLeaveCloserThanOneInterval()
    {
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        DeviceSession session;
        constexpr int interval = 50;
        session.sender()->setInterval(interval);
        session.openSerial(pty);
        QVERIFY(session.serialConnected());

        // Right after the first and the fourth command, the event loop is
        // busy for one and a half ticks.
        SendLog sent(session.sender());
        int held = 0;
        connect(session.sender(), &w4::CommandSender::commandSent, this, [&](const QString &) {
            if (sent.texts.size() != 1 && sent.texts.size() != 4)
                return;
            QTimer::singleShot(0, this, [&held] {
                QElapsedTimer busy;
                busy.start();
                while (busy.elapsed() < interval * 3 / 2) {
                }
                ++held;
            });
        });
        for (const QString &c : someCommands)
            session.send(c);
        QTRY_COMPARE_WITH_TIMEOUT(sent.texts.size(), someCommands.size(), WaitMs);
        QCOMPARE(held, 2);
        QCOMPARE(sent.texts, someCommands);
        for (int n = 1; n < sent.nsecs.size(); ++n)
            QVERIFY2(sent.gapMs(n) >= interval - 1,
                     qPrintable(QStringLiteral("command %1 left %2 ms after the one before")
                                    .arg(n + 1)
                                    .arg(sent.gapMs(n), 0, 'f', 1)));
        // The event loop was really held up past the tick.
        QVERIFY(sent.gapMs(1) >= interval * 3 / 2);
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("serial"), onTheWire(someCommands), WaitMs);
    }

    // Each query leaves once the answer to the one before came; an answer
    // slower than the old fixed step but inside its time-out still counts.
    void udpReadConnects_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("prompt processor") << 0;
        QTest::newRow("processor answering after 200 ms") << 200;
    }
    void udpReadConnects()
    {
        QFETCH(int, delayMs);
        if (!privateNetwork)
            QSKIP("the UDP read needs the test's own network namespace (root)");
        Sim sim;
        const w4sim::DeviceState state = distinctiveState();
        QVERIFY(sim.start(QStringList{"--udp-ports", "23", "--delay-ms", QString::number(delayMs)} +
                          stateArgs(sim, state)));
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);
        ReadLog log(session, loopback);

        QSignalSpy spy(&session, &DeviceSession::stateChanged);
        QSignalSpy read(session.model(), &w4::DeviceModel::readCompleted);
        const w4::UdpReadResult result = session.connectUdp(loopback, false, card);
        QVERIFY(result.ok);
        QVERIFY(result.layoutRead);
        QCOMPARE(changes(spy), named({SessionChange::NetworkConnecting,
                                                       SessionChange::NetworkConnected}));
        QCOMPARE(session.state().networkKind, NetworkKind::Udp);
        QCOMPARE(session.connectionStatusRow(), 2);
        QVERIFY(session.sendByDatagram());
        QCOMPARE(session.deviceAddress(), QStringLiteral("127.0.0.1"));
        QCOMPARE(read.count(), 1);
        verifyModel(*session.model(), state);
        if (QTest::currentTestFailed())
            return;
        const int queries = sim.received("udp").size();
        QCOMPARE(queries, 1 + 4 * 3);
        QStringList expected{QStringLiteral("query ") + w4::UdpReadBack::GlobalQuery, "answer"};
        for (const char *query : w4::UdpReadBack::WindowQueries)
            for (int attempt = 1; attempt <= 3; ++attempt)
                expected << QStringLiteral("query ") + query << "answer";
        QCOMPARE(log.steps, expected);

        // Commands now go to the device as datagrams.
        session.send(QStringLiteral("04170000"));
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("udp").mid(queries), onTheWire({"04170000"}), WaitMs);
    }

    // A UDP read that finds no device leaves the session as it was before.
    void failedUdpConnectRestoresTheStateBefore_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("row");
        QTest::newRow("nothing") << "nothing" << 1;
        QTest::newRow("offline editing") << "offline" << 9;
        QTest::newRow("serial link up") << "serial" << 10;
        QTest::newRow("connected over udp to another device") << "udp" << 2;
    }
    void failedUdpConnectRestoresTheStateBefore()
    {
        QFETCH(QString, before);
        QFETCH(int, row);
        if (!privateNetwork)
            QSKIP("the UDP read needs the test's own network namespace (root)");
        Sim sim;
        QVERIFY(sim.start({"--udp-ports", "23"}));
        PtyPair pty;
        QVERIFY(pty.isValid());
        DeviceSession session;
        session.sender()->setInterval(SendIntervalMs);

        if (before == QLatin1String("offline"))
            session.goOffline();
        else if (before == QLatin1String("serial"))
            session.openSerial(pty.slavePath());
        else if (before == QLatin1String("udp"))
            QVERIFY(session.connectUdp(loopback, false, card).ok);
        const SessionState stateBefore = session.state();
        QCOMPARE(stateBefore.connectionStatusRow(), row);

        QSignalSpy spy(&session, &DeviceSession::stateChanged);
        const w4::UdpReadResult result = session.connectUdp(nobody, true, card);
        QVERIFY(!result.ok);
        QCOMPARE(result.failedWindow, 1);
        QCOMPARE(changes(spy), named({SessionChange::NetworkConnecting,
                                                       SessionChange::NetworkConnectFailed}));
        COMPARE_STATE(session.state(), stateBefore);
        COMPARE_STATE(spy.last().at(0).value<SessionState>(), stateBefore);
        QCOMPARE(session.connectionStatusRow(), row);
        QCOMPARE(session.serialLink()->isOpen(), before == QLatin1String("serial"));
        QVERIFY(!session.udpReadBack()->isRunning());

        if (before == QLatin1String("udp")) {
            // Still the device read before: its address, its port, its commands.
            QCOMPARE(session.deviceAddress(), QStringLiteral("127.0.0.1"));
            QVERIFY(!session.dhcpDevice());
            QCOMPARE(session.deviceDatagramPort(), quint16(23));
            const int queries = sim.received("udp").size();
            session.send(QStringLiteral("04170000"));
            QTRY_COMPARE_WITH_TIMEOUT(sim.received("udp").mid(queries), onTheWire({"04170000"}), WaitMs);
        } else {
            QVERIFY(session.deviceAddress().isEmpty());
        }
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = simtest::enterPrivateNetwork(); // before any thread exists
    QCoreApplication app(argc, argv);
    // The session logs each change at debug level; QT_LOGGING_RULES="w4.*.debug=true" shows them.
    QLoggingCategory::setFilterRules(QStringLiteral("w4.*.debug=false"));
    qRegisterMetaType<w4::StatusOrigin>("w4::StatusOrigin");
    TestSessionLinks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionlinks.moc"
