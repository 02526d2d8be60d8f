// Reading the processor's state over UDP, inside the test's own network
// namespace: w4sim answers on the namespace's loopback, the program reads from
// the namespace's card. The whole state everywhere in the program, a malformed
// record, datagrams from another sender, disagreeing reads, no answer at all
// and a failed refresh, as the window shows them.
#include "commandsender.h"
#include "communicationdialog.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "udpreadback.h"
#include "dialoganswerer.h"
#include "privatenetwork.h"
#include "readbackfixture.h"
#include "serialportmanager.h"
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

// The waiting dialogs of a read that gets every answer, in order.
QStringList waitsOfAWholeRead()
{
    QStringList texts{"层级、拼接模式信息获取..."};
    for (int n = 1; n <= 4; ++n)
        texts << "waiting...(3/1)"
              << "waiting...(3/2)"
              << "waiting...(3/3)" << QStringLiteral("通道%1校正成功!").arg(n);
    return texts << "连接成功！";
}

} // namespace

class TestReadBackUdp : public QObject
{
    Q_OBJECT

private slots:
    // The status lines below are those of a machine without serial ports.
    void initTestCase()
    {
        SerialPortManager::setPortLister([] { return QList<SerialPortEntry>{}; });
    }
    void cleanupTestCase() { SerialPortManager::setPortLister({}); }

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
        // with a 1 x 3 wall and windows at x = 2457, each time a query leaves.
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(card), 0));
        int sent = 0;
        const QMetaObject::Connection chatter =
            QObject::connect(w.session()->udpReadBack(), &w4::UdpReadBack::querySent, &stranger, [&] {
            ++sent;
            stranger.writeDatagram(statusDatagram({{1, 2457}, {3, 500}, {4, 500}, {6, 0x0103}, {43, 1}}),
                                   QHostAddress(card), 1400);
        });

        WaitingTexts waits;
        {
            DialogAnswerer warning(DialogAnswerer::Ok);
            connectDevice(w);
            QCOMPARE(warning.last().title, QString("警告"));
            QCOMPARE(warning.last().text, QString("回传数据出现问题，请尝试重新连接"));
        }
        QObject::disconnect(chatter);
        QCOMPARE(sent, 1 + 4 * 3);

        QVERIFY(networkConnected());
        QVERIFY(w.session()->sendByDatagram());
        QCOMPARE(w.session()->deviceAddress(), QString("127.0.0.1"));
        QVERIFY(!w.session()->udpReadBack()->isRunning());
        // Shown as connected like any other network link.
        QCOMPARE(w.statusLine(), QString("连接状态: 已连接"));
        QCOMPARE(widget<QPushButton>(w, "connect")->text(), QString("断开连接"));
        QVERIFY(widget<QWidget>(w, "rowCbx")->isEnabled());
        // Showing what was read sends nothing back: a few send ticks later the
        // processor has had the read's queries only.
        QTest::qWait(300);
        QVERIFY(w.session()->sender()->queue().entries().isEmpty());
        QStringList queries{QString::fromLatin1(w4::UdpReadBack::GlobalQuery).toLower()};
        for (const char *q : w4::UdpReadBack::WindowQueries)
            queries << QString::fromLatin1(q).toLower();
        const QStringList atSim = sim.received("udp");
        QVERIFY(atSim.contains(queries.first()));
        for (const QString &command : atSim)
            QVERIFY2(queries.contains(command), qPrintable(command));
        QCOMPARE(waits.texts, waitsOfAWholeRead());
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

        // The device goes away: a refresh finds nobody, says so in a box that
        // stays until answered, takes the link down and leaves the wall as it was.
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        waits.texts.clear();
        {
            DialogAnswerer failed(DialogAnswerer::Ok);
            widget<QPushButton>(w, "ptn_refresh")->click();
            QCOMPARE(failed.last().title, QString("错误"));
            QCOMPARE(failed.last().text, QString("刷新失败！"));
        }
        QVERIFY(!waits.texts.contains("刷新成功！"));
        QVERIFY(!networkConnected());
        QVERIFY(!w.session()->sendByDatagram());
        QCOMPARE(w.statusLine(), QString("连接状态: 未连接"));
        QVERIFY(!widget<QWidget>(w, "rowCbx")->isEnabled());
        verifyShows(w, state, false);
    }

    // Walls wider than the processor's 3840 pixels: the device's positions are
    // in its own space and land on the wall scaled, as a TCP read puts them.
    void wideWallIsScaled()
    {
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(1, 4);
        MainWindow w;
        QVERIFY(startDevice(sim, w, false, QStringList{"--state", stateFile(sim, state)} + faultInputs()));
        scrambleSourceSizes(w);
        DialogAnswerer none;
        connectDevice(w);
        QVERIFY(networkConnected());
        QCOMPARE(widget<UserView>(w, "graphicsView")->currentScene()->wallSize(), QSizeF(7680, 1080));
        // Window 2 lies at device x 2000, half way across the wall.
        QCOMPARE(widget<UserView>(w, "graphicsView")->window(1)->pos(), QPointF(4000, 100));
        verifyShows(w, state, false);
    }

    // A device that takes 200 ms over every answer (more than the old fixed
    // step, inside the time-out) is read whole, with the same dialogs.
    // Prints how long the read took from the click to the model's last window.
    void slowAndPromptDevicesAreRead_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("prompt device") << 0;
        QTest::newRow("device answering after 200 ms") << 200;
    }
    void slowAndPromptDevicesAreRead()
    {
        QFETCH(int, delayMs);
        Sim sim;
        const w4sim::DeviceState state = distinctiveState(2, 2);
        MainWindow w;
        QVERIFY(startDevice(sim, w, false,
                            QStringList{"--state", stateFile(sim, state), "--delay-ms", QString::number(delayMs)} +
                                faultInputs()));
        scrambleSourceSizes(w);
        QElapsedTimer clock;
        qint64 readMs = -1;
        QObject::connect(w.session()->model(), &w4::DeviceModel::readCompleted, &w,
                         [&] { readMs = clock.elapsed(); });
        WaitingTexts waits;
        DialogAnswerer none;
        clock.start();
        connectDevice(w);
        qDebug("UDP read, click to the last window applied: %lld ms", static_cast<long long>(readMs));
        QVERIFY(readMs >= 0);
        QVERIFY(networkConnected());
        QCOMPARE(waits.texts, waitsOfAWholeRead());
        QCOMPARE(sim.received("udp").size(), 1 + 4 * 3);
        verifyShows(w, state, false);
    }

    // A connect that fails leaves the program as it was before: not connected
    // (or offline, when offline editing was on), the wall untouched, and a box
    // that stays until the user answers it.
    void failedReads_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("offlineBefore");
        QTest::newRow("reads disagree") << QStringList{"--disagree-udp"} << false;
        QTest::newRow("no answer at all") << QStringList{"--drop-reply", "all"} << false;
        QTest::newRow("no answer, offline editing before") << QStringList{"--drop-reply", "all"} << true;
    }
    void failedReads()
    {
        QFETCH(QStringList, faults);
        QFETCH(bool, offlineBefore);
        Sim sim;
        w4sim::DeviceState state = distinctiveState(1, 3);
        MainWindow w;
        QVERIFY(startDevice(sim, w, true, QStringList{"--state", stateFile(sim, state)} + faults));
        if (offlineBefore)
            widget<QPushButton>(w, "ptn_offLine")->click();
        InputChannel *first = widget<UserView>(w, "graphicsView")->window(0);
        first->setPos(123, 45);
        WaitingTexts waits;
        {
            DialogAnswerer failed(DialogAnswerer::Ok);
            connectDevice(w, true);
            QCOMPARE(failed.last().title, QString("错误"));
            QCOMPARE(failed.last().text, QString("连接失败！"));
        }
        QVERIFY(!waits.texts.contains("连接成功！"));
        QVERIFY(!networkConnected());
        QCOMPARE(offlineMode(), offlineBefore);
        QVERIFY(!w.session()->sendByDatagram());
        QVERIFY(w.session()->deviceAddress().isEmpty());
        QVERIFY(!w.session()->udpReadBack()->isRunning());
        QCOMPARE(w.statusLine(), offlineBefore ? QString("连接状态: 脱机状态") : QString("连接状态: 未连接"));
        QCOMPARE(widget<QWidget>(w, "rowCbx")->isEnabled(), offlineBefore);
        QCOMPARE(widget<QPushButton>(w, "connect")->text(), QString("连接服务器"));
        // Nothing of a read that failed is shown.
        QCOMPARE(widget<QComboBox>(w, "columnCbx")->currentText(), QString("1"));
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
        // Refused before anything changed.
        QVERIFY(!networkConnected());
        QVERIFY(!offlineMode());
        QVERIFY(!widget<QWidget>(w, "rowCbx")->isEnabled());

        w.changeLanguage(2);
        DialogAnswerer answer(DialogAnswerer::Ok);
        w.on_ptn_refresh_clicked();
        QCOMPARE(answer.last().text, QString("Ваш компьютер еще не подключен к устройству!"));
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
