// A peer on the TCP port that is no processor: it sends without pause what no
// processor sends. The session reads it a bounded chunk at a time (so the event
// loop gets round between chunks), keeps little of it, and drops the peer.
#include "devicesession.h"
#include "frames.h"
#include "tcplink.h"
#include "tcpreadback.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using w4::DeviceSession;
using w4::SessionChange;

class TestHostilePeer : public QObject
{
    Q_OBJECT

private slots:
    void floodIsReadInChunksAndThePeerDropped_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::newRow("AA bytes") << QByteArray(1, '\xAA');
        // Every fourth byte starts a head naming window 1.
        QTest::newRow("heads of window frames") << QByteArray::fromHex("aaaa0001");
        QTest::newRow("zeros") << QByteArray(1, '\0');
    }
    void floodIsReadInChunksAndThePeerDropped()
    {
        QFETCH(QByteArray, pattern);
        constexpr int floodBytes = 16 << 20;

        const QByteArray flood = pattern.repeated(floodBytes / pattern.size());
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QTcpSocket *peer = nullptr;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            peer = server.nextPendingConnection();
            peer->write(flood);
        });

        DeviceSession session;
        QSignalSpy changes(&session, &DeviceSession::stateChanged);
        qint64 received = 0;
        int largestRead = 0;
        connect(session.tcpLink(), &w4::TcpLink::received, this, [&](const QByteArray &bytes) {
            received += bytes.size();
            largestRead = qMax(largestRead, bytes.size());
        });

        // The longest time the event loop did not get round, for the log.
        QElapsedTimer clock;
        qint64 lastTick = 0, longestGap = 0;
        QTimer tick;
        tick.setInterval(5);
        connect(&tick, &QTimer::timeout, this, [&] {
            const qint64 now = clock.elapsed();
            longestGap = qMax(longestGap, now - lastTick);
            lastTick = now;
        });

        session.connectTcp(QStringLiteral("127.0.0.1"), server.serverPort());
        clock.start();
        tick.start();
        QTRY_VERIFY_WITH_TIMEOUT(!session.networkConnected() && changes.count() >= 3, 60000);
        tick.stop();
        qInfo("read %lld bytes, largest read %d, longest event-loop gap %lld ms", received, largestRead,
              longestGap);

        QCOMPARE(w4::toString(changes.last().at(1).value<SessionChange>()),
                 w4::toString(SessionChange::NetworkLost));
        QVERIFY(largestRead <= w4::TcpLink::ReadChunk);
        // Dropped soon after the noise limit, long before the flood was read.
        QVERIFY(received > w4::TcpReadBack::NoiseLimit);
        QVERIFY(received <= w4::TcpReadBack::NoiseLimit + w4::TcpLink::ReadChunk);
        QVERIFY(peer);
    }
};

QTEST_GUILESS_MAIN(TestHostilePeer)
#include "tst_hostilepeer.moc"
