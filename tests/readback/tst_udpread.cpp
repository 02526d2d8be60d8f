// The UDP reader on its own, fed through its waits as the datagrams would come:
// only the device being read counts, its answer ends the wait, a malformed
// datagram is an answer that leaves nothing behind, and two equal reads of
// three win.
#include "udplink.h"
#include "udpreadback.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using Pause = w4::UdpReadBack::Pause;

// A status datagram in the device's format: header, then key ':' value '/'.
QByteArray statusDatagram(const QList<QPair<int, int>> &records)
{
    QByteArray d("\xAA\x55\x00\x00", 4);
    for (const auto &r : records)
        d += char(r.first) + QByteArray(":") + char(r.second >> 8) + char(r.second & 0xFF) + '/';
    return d;
}

QByteArray windowDatagram(int x)
{
    return statusDatagram({{1, x}, {3, 500}, {43, 1}});
}

const QHostAddress device(QStringLiteral("127.0.0.1"));

} // namespace

class TestUdpRead : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheDeviceBeingReadCounts()
    {
        w4::UdpLink link;
        w4::UdpReadBack reader(&link);
        QSignalSpy malformed(&reader, &w4::UdpReadBack::malformedDatagram);
        QSignalSpy stepsDone(&reader, &w4::UdpReadBack::stepDone);
        QSignalSpy firstRead(&reader, &w4::UdpReadBack::firstReadRecord);
        QByteArray bad = windowDatagram(7);
        bad[8] = '.'; // the first record's end

        reader.setWaiter([&](Pause pause, int window, int attempt, int) {
            if (pause == Pause::WindowDone) {
                // Nothing to wait for.
                QVERIFY(reader.isStepDone());
                return;
            }
            QVERIFY(!reader.isStepDone());
            if (pause == Pause::Layout) {
                // Another sender on the network with another layout, then the
                // device itself, its address seen as IPv4 mapped into IPv6.
                reader.handleDatagram(statusDatagram({{6, 0x0103}}), QHostAddress(QStringLiteral("198.51.100.99")));
                QVERIFY(!reader.isStepDone());
                reader.handleDatagram(statusDatagram({{6, 0x0203}, {7, 0x0246}}),
                                      QHostAddress(QStringLiteral("::ffff:127.0.0.1")));
            } else if (attempt == 1) {
                // The device's broken answer ends the first read of each
                // window; a datagram after it is no answer to that query.
                reader.handleDatagram(bad, device);
                QVERIFY(reader.isStepDone());
                reader.handleDatagram(windowDatagram(999), device);
            } else {
                reader.handleDatagram(windowDatagram(100 * window), device);
            }
            QVERIFY(reader.isStepDone());
        });
        const w4::UdpReadResult result = reader.read(device, 23, QHostAddress::LocalHost);
        QVERIFY(result.ok);
        QVERIFY(result.layoutRead);
        QCOMPARE(result.global.value(6), QString("0203"));
        QCOMPARE(result.global.value(7), QString("0246"));
        QCOMPARE(malformed.count(), 4); // once per window, and nothing kept from it
        QCOMPARE(firstRead.count(), 0);
        QCOMPARE(stepsDone.count(), 1 + 4 * 3);
        for (int n = 1; n <= 4; ++n) {
            QCOMPARE(result.records[size_t(n - 1)].value(1), QString("%1").arg(100 * n, 4, 16, QLatin1Char('0')).toUpper());
            QCOMPARE(result.windows[size_t(n - 1)].window, n);
            QCOMPARE(result.windows[size_t(n - 1)].x, 100 * n);
        }
        QVERIFY(!reader.isRunning());
    }

    // The header names what a datagram is about: an answer about another
    // window (a late answer, or a processor that mixed them up) is not taken
    // for the one asked; the right one still ends the wait.
    void answersAboutAnotherQueryAreNotTaken()
    {
        w4::UdpLink link;
        w4::UdpReadBack reader(&link);
        auto about = [](QByteArray d, int code) {
            d[2] = char(code);
            return d;
        };
        reader.setWaiter([&](Pause pause, int window, int, int) {
            if (pause == Pause::WindowDone)
                return;
            if (pause == Pause::Layout) {
                reader.handleDatagram(about(statusDatagram({{6, 0x0101}}), 1), device);
                QVERIFY(!reader.isStepDone());
                reader.handleDatagram(about(statusDatagram({{6, 0x0202}}), 5), device);
            } else {
                reader.handleDatagram(about(windowDatagram(900 + window), window % 4 + 1), device);
                reader.handleDatagram(about(windowDatagram(900), 5), device);
                QVERIFY(!reader.isStepDone());
                reader.handleDatagram(about(windowDatagram(100 * window), window), device);
            }
            QVERIFY(reader.isStepDone());
        });
        const w4::UdpReadResult result = reader.read(device, 23, QHostAddress::LocalHost);
        QVERIFY(result.ok);
        QCOMPARE(result.global.value(6), QString("0202"));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(result.windows[size_t(n - 1)].x, 100 * n);
    }

    void threeReadsOfAWindow_data()
    {
        QTest::addColumn<QVector<int>>("answers"); // x of attempts 1..3 of window 2; 0 = no answer
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("chosenX");
        QTest::newRow("all agree") << QVector<int>{5, 5, 5} << true << 5;
        QTest::newRow("first and third agree") << QVector<int>{5, 6, 5} << true << 5;
        QTest::newRow("second and third agree") << QVector<int>{6, 5, 5} << true << 5;
        QTest::newRow("all differ") << QVector<int>{4, 5, 6} << false << 0;
        QTest::newRow("no answer at all") << QVector<int>{0, 0, 0} << false << 0;
    }
    void threeReadsOfAWindow()
    {
        QFETCH(QVector<int>, answers);
        QFETCH(bool, ok);
        QFETCH(int, chosenX);
        w4::UdpLink link;
        w4::UdpReadBack reader(&link);
        QVector<int> waitedWindows;
        reader.setWaiter([&](Pause pause, int window, int attempt, int) {
            if (pause != Pause::Attempt)
                return;
            waitedWindows << window;
            const int x = window == 2 ? answers[attempt - 1] : 1;
            if (x != 0)
                reader.handleDatagram(windowDatagram(x), device);
        });
        const w4::UdpReadResult result = reader.read(device, 23, QHostAddress::LocalHost);
        QCOMPARE(result.ok, ok);
        QVERIFY(!result.layoutRead);
        QCOMPARE(result.failedWindow, ok ? 0 : 2);
        // A window that fails ends the read.
        QCOMPARE(waitedWindows.size(), ok ? 12 : 6);
        if (ok)
            QCOMPARE(result.windows[1].x, chosenX);
    }
};

QTEST_GUILESS_MAIN(TestUdpRead)
#include "tst_udpread.moc"
