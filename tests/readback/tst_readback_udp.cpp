// Reading the processor's state over UDP, inside the test's own network
// namespace: w4sim answers on the namespace's loopback, the program reads from
// the namespace's card. The whole state everywhere in the program, a malformed
// record, datagrams from another sender, disagreeing reads, no answer at all
// and a failed refresh.
#include "communicationdialog.h"
#include "dialoganswerer.h"
#include "privatenetwork.h"
#include "readbackfixture.h"
#include "simharness.h"

#include <QPushButton>
#include <QUdpSocket>

using namespace readback;
using namespace simtest;

namespace {

bool privateNetwork = false;
const QString card = QStringLiteral("198.51.100.10");

QString stateFile(Sim &sim, const w4sim::DeviceState &state)
{
    const QString path = sim.path(QStringLiteral("state.json"));
    QString error;
    if (!state.save(path, &error))
        qWarning() << error;
    return path;
}

// The program binds port 23 at start, and the device listens on it: the
// program first moves to the card (as a read does), then the device starts.
// A device that takes its address by DHCP listens on port 68 only.
bool startDevice(Sim &sim, MainWindow &w, bool dhcp, const QStringList &extra)
{
    w.rebindUdpSocket(QHostAddress(card));
    const QString port = dhcp ? QStringLiteral("68") : QStringLiteral("23");
    return sim.start(QStringList{"--udp-ports", port} + extra) && sim.udpPort == port.toUShort();
}

void connectDevice(MainWindow &w, bool dhcp = false)
{
    listDevice(w, QStringLiteral("127.0.0.1"), 23, dhcp ? QStringLiteral("DHCP") : QStringLiteral("UDP"));
    widget<QPushButton>(*w.networkDialog, "ptn_connectDevice")->click();
}

// A status datagram in the device's format: header, then key ':' value '/'.
QByteArray statusDatagram(const QList<QPair<int, int>> &records)
{
    QByteArray d("\xAA\x55\x00\x00", 4);
    for (const auto &r : records)
        d += char(r.first) + QByteArray(":") + char(r.second >> 8) + char(r.second & 0xFF) + '/';
    return d;
}

} // namespace

class TestReadBackUdp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        resetAppState();
        if (!privateNetwork)
            QSKIP("the UDP read needs the test's own network namespace (root)");
    }

    void readShowsTheDeviceStateAndARefreshCanFail()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(2, 3);
        // Reply 2, the first read of window 1, has a malformed record: the
        // other two reads of window 1 agree.
        MainWindow w;
        QVERIFY(startDevice(sim, w, false,
                            QStringList{"--state", stateFile(sim, state), "--corrupt-separator", "2"} +
                                faultInputs()));
        scrambleSourceSizes(w);
        QCOMPARE(w.networkDialog->localAddress(), card);

        // Meanwhile another sender on the network talks to the program's port
        // with a 1 x 3 wall and windows at x = 2457.
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(card), 0));
        QTimer chatter;
        int sent = 0;
        QObject::connect(&chatter, &QTimer::timeout, [&] {
            if (++sent > 400)
                return chatter.stop();
            stranger.writeDatagram(statusDatagram({{1, 2457}, {3, 500}, {4, 500}, {6, 0x0103}, {43, 1}}),
                                   QHostAddress(card), 1400);
        });
        chatter.start(20);

        WaitingTexts waits;
        {
            DialogAnswerer warning(DialogAnswerer::Ok);
            connectDevice(w);
            QCOMPARE(warning.last().title, QString("警告"));
            QCOMPARE(warning.last().text, QString("回传数据出现问题，请尝试重新连接"));
        }
        chatter.stop();
        QVERIFY(sent > 10);

        QVERIFY(networkConnected);
        QVERIFY(w.sendByDatagram);
        QCOMPARE(w.deviceAddress, QString("127.0.0.1"));
        QCOMPARE(w.udpReceiveSlot, 0);
        QStringList expectedWaits{"层级、拼接模式信息获取..."};
        for (int n = 1; n <= 4; ++n)
            expectedWaits << "waiting...(3/1)"
                          << "waiting...(3/2)"
                          << "waiting...(3/3)" << QStringLiteral("通道%1校正成功!").arg(n);
        expectedWaits << "连接成功！";
        QCOMPARE(waits.texts, expectedWaits);
        verifyShows(w, state, false);

        const QString log = w.communicationDialog->logText();
        for (const QString &line :
             {QStringLiteral("MainWindow::send： 0805000070"),
              QStringLiteral("MainWindow::send： 080400011C"),
              QStringLiteral("MainWindow::received： key-1    value-07D0"),
              QStringLiteral("窗口2，输入源3-无信号，使用默认分辨率(3840x2160)"),
              QStringLiteral("窗口3，输入源0-低分辨率不支持，使用默认分辨率(3840x2160)"),
              QStringLiteral("窗口0，输入源1分辨率(1280,720)")})
            QVERIFY2(log.contains(line), qPrintable(line));

        // The device goes away: a refresh finds nobody, says so, takes the
        // link down and leaves the wall as it was.
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        waits.texts.clear();
        {
            DialogAnswerer none;
            widget<QPushButton>(w, "ptn_refresh")->click();
        }
        QCOMPARE(waits.texts.last(), QString("刷新失败！"));
        QVERIFY(!waits.texts.contains("刷新成功！"));
        QVERIFY(!networkConnected);
        QVERIFY(!w.sendByDatagram);
        verifyShows(w, state, false);
    }

    void failedReads_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("layoutRead");
        QTest::newRow("reads disagree") << QStringList{"--disagree-udp"} << true;
        QTest::newRow("no answer at all") << QStringList{"--drop-reply", "all"} << false;
    }
    void failedReads()
    {
        QFETCH(QStringList, faults);
        QFETCH(bool, layoutRead);
        Sim sim;
        w4sim::DeviceState state = distinctiveState(1, 3);
        MainWindow w;
        QVERIFY(startDevice(sim, w, true, QStringList{"--state", stateFile(sim, state)} + faults));
        InputChannel *first = widget<UserView>(w, "graphicsView")->window(0);
        first->setPos(123, 45);
        WaitingTexts waits;
        {
            DialogAnswerer none;
            connectDevice(w, true);
        }
        QCOMPARE(waits.texts.last(), QString("连接失败！"));
        QVERIFY(!waits.texts.contains("连接成功！"));
        QVERIFY(!networkConnected);
        QVERIFY(!w.sendByDatagram);
        QVERIFY(w.deviceAddress.isEmpty());
        QCOMPARE(w.udpReceiveSlot, 0);
        // Without the device-wide reply the wall is not rebuilt from nothing.
        QCOMPARE(widget<QComboBox>(w, "columnCbx")->currentText(), layoutRead ? QString("3") : QString("1"));
        if (!layoutRead)
            QCOMPARE(first->pos(), QPointF(123, 45));
    }

    void refusedWithoutLinkOrCard()
    {
        MainWindow w;
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            w.on_ptn_refresh_clicked(); // its button is locked without a link
            QCOMPARE(answer.last().text, QString("您还没有网络连接下位机"));
        }
        widget<QComboBox>(*w.networkDialog, "cbx_ipAddress")->clear();
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            connectDevice(w);
            QCOMPARE(answer.last().title, QString("警告"));
            QCOMPARE(answer.last().text, QString("您还没有选择网卡ip"));
        }
        QVERIFY(!networkConnected);
        QVERIFY(offlineMode);

        w.changeLanguage(2);
        DialogAnswerer answer(DialogAnswerer::Ok);
        w.on_ptn_refresh_clicked();
        QCOMPARE(answer.last().text, QString("Ваш компьютер еще не подключен к устройству!"));
    }

    // Straight into the datagram handler: only the device being read counts,
    // and a datagram with one bad record leaves nothing behind.
    void datagramsOfTheDeviceBeingRead()
    {
        MainWindow w;
        w.udpReceiveSlot = 1;
        w.udpReadDevice = QHostAddress(QStringLiteral("127.0.0.1"));
        const QByteArray layout = statusDatagram({{6, 0x0203}, {7, 0x0246}});
        QVERIFY(w.handleStatusDatagram(layout, QHostAddress(card)));
        QVERIFY(w.globalStatusRecord.isEmpty());
        QVERIFY(w.handleStatusDatagram(layout, QHostAddress(QStringLiteral("::ffff:127.0.0.1"))));
        QCOMPARE(w.globalStatusRecord.value(6), QString("0203"));
        QCOMPARE(w.globalStatusRecord.value(7), QString("0246"));

        w.udpReceiveSlot = 2;
        QByteArray bad = statusDatagram({{1, 5}, {2, 6}});
        bad[8] = '.'; // the first record's end
        DialogAnswerer answer(DialogAnswerer::Ok);
        QVERIFY(!w.handleStatusDatagram(bad, QHostAddress(QStringLiteral("127.0.0.1"))));
        QCOMPARE(answer.last().text, QString("回传数据出现问题，请尝试重新连接"));
        QVERIFY(w.windowStatusRecords[0].isEmpty());

        w.udpReceiveSlot = 0;
        QVERIFY(w.handleStatusDatagram(layout, QHostAddress(QStringLiteral("127.0.0.1"))));
        QCOMPARE(w.windowStatusRecords[0].size(), 0);
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = enterPrivateNetwork(); // before any thread exists
    QApplication app(argc, argv);
    TestReadBackUdp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readback_udp.moc"
