// The session's quiet paths: the sender writes a command at once when nothing
// waits, keeps the gap otherwise and sleeps when the queue is empty; the port
// poll scans the machine only when its serial devices changed.
#include "commandsender.h"
#include "serialportmanager.h"

#include <QtTest>

class TestSendPacing : public QObject
{
    Q_OBJECT

    struct Wire
    {
        QStringList written;
        void attach(w4::CommandSender &s)
        {
            s.setWriter([this](const QByteArray &bytes) {
                written << QString::fromLatin1(bytes.toHex());
                return true;
            });
        }
    };

private slots:
    // With a ten-second interval a command that had to wait for the next tick
    // would not be out within the test's patience; one sent to an idle sender is.
    void anIdleSenderWritesAtOnceAndThenKeepsTheGap()
    {
        w4::CommandSender sender;
        Wire wire;
        wire.attach(sender);
        sender.setInterval(10000);
        sender.send(QStringLiteral("000b0400"));
        QTRY_COMPARE(wire.written.size(), 1);

        sender.send(QStringLiteral("000a0064"));
        QTest::qWait(300);
        QCOMPARE(wire.written.size(), 1); // never two closer than the interval
        QCOMPARE(sender.queue().size(), 1);

        // An answer to the last write shows the processor ready for the next.
        sender.lastWriteAnswered();
        QTRY_COMPARE(wire.written.size(), 2);
        sender.send(QStringLiteral("000e0064"));
        QTest::qWait(300);
        QCOMPARE(wire.written.size(), 2);
    }

    // Nothing queued, nothing ticking; a stopped sender keeps its queue.
    void anEmptyOrStoppedSenderSleeps()
    {
        w4::CommandSender sender;
        Wire wire;
        wire.attach(sender);
        sender.setInterval(20);
        QVERIFY(!sender.timer()->isActive());
        for (const char *c : {"000b0400", "000a0064", "000e0064"})
            sender.send(QString::fromLatin1(c));
        QTRY_COMPARE(wire.written.size(), 3);
        QVERIFY(!sender.timer()->isActive());

        sender.stop();
        sender.send(QStringLiteral("00100000"));
        QTest::qWait(100);
        QCOMPARE(wire.written.size(), 3);
        QVERIFY(!sender.timer()->isActive());
        sender.start();
        QTRY_COMPARE(wire.written.size(), 4);
    }

    // The full scan runs when the device names changed or cannot be read.
    void thePortPollScansOnlyOnChange()
    {
        std::optional<QStringList> names = QStringList{"ttyS0", "ttyS1"};
        int scans = 0;
        SerialPortWatch watch([&] { return names; },
                              [&] {
                                  ++scans;
                                  return QList<SerialPortEntry>{{QStringLiteral("ttyS%1").arg(scans), "port"}};
                              });
        QCOMPARE(watch.ports().value(0).name, QStringLiteral("ttyS1"));
        QCOMPARE(watch.ports().value(0).name, QStringLiteral("ttyS1"));
        QCOMPARE(scans, 1);

        names->append(QStringLiteral("ttyUSB0")); // an adapter plugged in
        QCOMPARE(watch.ports().value(0).name, QStringLiteral("ttyS2"));
        watch.ports();
        QCOMPARE(scans, 2);

        names.reset(); // nothing to compare: every look scans
        watch.ports();
        watch.ports();
        QCOMPARE(scans, 4);
    }

    // On this machine the names come from the system, and a test's lister
    // (which stands in for the system) turns the comparison off.
    void systemNamesGiveWayToATestLister()
    {
        if (!QFileInfo::exists(QStringLiteral("/sys/class/tty")))
            QSKIP("no /sys/class/tty here");
        QVERIFY(SerialPortWatch::systemDeviceNames().has_value());
        SerialPortManager::setPortLister([] { return QList<SerialPortEntry>{}; });
        QVERIFY(!SerialPortWatch::systemDeviceNames().has_value());
        SerialPortManager::setPortLister({});
    }
};

QTEST_MAIN(TestSendPacing)
#include "tst_sendpacing.moc"
