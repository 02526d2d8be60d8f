// How the main window shows each connection state of its session, in the three
// languages: the status line, the two connection buttons and the page lock
// always agree, whatever state came before.
#include "appstate.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "reconnectsetting.h"
#include "serialportmanager.h"
#include "statustexts.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

w4::SessionState stateOf(const QString &name)
{
    using w4::LinkPhase;
    using w4::NetworkKind;
    w4::SessionState s;
    if (name == "tcp connecting") {
        s.network = LinkPhase::Connecting;
        s.networkKind = NetworkKind::Tcp;
    } else if (name == "tcp connected" || name == "udp connected" || name == "both") {
        s.network = LinkPhase::Open;
        s.networkKind = name == "tcp connected" ? NetworkKind::Tcp : NetworkKind::Udp;
    }
    if (name == "serial open" || name == "both") {
        s.serial = LinkPhase::Open;
        s.serialStatusShown = true;
    }
    if (name == "serial closed")
        s.serialStatusShown = true;
    if (name == "network lost")
        s.lost = true;
    if (name == "offline")
        s.offline = true;
    // A lost link being made again: waiting for attempt N, or reading the
    // device an attempt reached.
    const QStringList reconnect = name.split(' ');
    if (reconnect.size() == 3 && reconnect[1] == "reconnecting") {
        s.lost = true;
        s.serialStatusShown = reconnect[0] == "serial";
        s.reconnecting = reconnect[0] == "serial" ? w4::ReconnectLink::Serial
                         : reconnect[0] == "tcp"  ? w4::ReconnectLink::Tcp
                                                  : w4::ReconnectLink::Udp;
        s.reconnectAttempt = reconnect[2].toInt();
    }
    if (name == "tcp reading 2") {
        s.lost = true;
        s.network = LinkPhase::Connecting;
        s.networkKind = NetworkKind::Tcp;
        s.reconnecting = w4::ReconnectLink::Tcp;
        s.reconnectAttempt = 2;
    }
    return s;
}

} // namespace

class TestSessionView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The reconnect choice is kept in the user's settings: not this user's.
        QStandardPaths::setTestModeEnabled(true);
        SerialPortManager::setPortLister([] { return QList<SerialPortEntry>{{"ttyW4", "adapter"}}; });
    }
    void cleanupTestCase()
    {
        SerialPortManager::setPortLister({});
        clearSettings();
    }
    static void clearSettings()
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "w4control", "w4control");
        settings.clear();
    }
    void init() { resetAppState(); }

    void stateAsShown_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("statusLine");
        QTest::addColumn<QString>("connectText");
        QTest::addColumn<QString>("serialText");
        QTest::addColumn<bool>("editable");
        // clang-format off
        QTest::newRow("zh not connected") << 0 << "none" << "连接状态: 未连接" << "连接服务器" << "打开串口" << false;
        QTest::newRow("zh tcp connecting") << 0 << "tcp connecting" << "连接状态: 正在连接..." << "连接中..." << "打开串口" << false;
        QTest::newRow("zh tcp connected") << 0 << "tcp connected" << "连接状态: 已连接" << "断开连接" << "打开串口" << true;
        QTest::newRow("zh udp connected") << 0 << "udp connected" << "连接状态: 已连接" << "断开连接" << "打开串口" << true;
        QTest::newRow("zh serial open") << 0 << "serial open" << "连接状态: ttyW4 adapter 已连接" << "连接服务器" << "关闭串口" << true;
        QTest::newRow("zh serial closed") << 0 << "serial closed" << "连接状态: ttyW4 adapter 未连接" << "连接服务器" << "打开串口" << false;
        QTest::newRow("zh both") << 0 << "both" << "连接状态: 已连接" << "断开连接" << "关闭串口" << true;
        QTest::newRow("zh network lost") << 0 << "network lost" << "连接状态: 未连接" << "连接服务器" << "打开串口" << false;
        QTest::newRow("zh offline") << 0 << "offline" << "连接状态: 脱机状态" << "连接服务器" << "打开串口" << true;
        QTest::newRow("en udp connected") << 1 << "udp connected" << "Connection status: Connected" << "Disconnect" << "Open Serial Port" << true;
        QTest::newRow("en tcp connecting") << 1 << "tcp connecting" << "Connection status: Connecting..." << "Connecting..." << "Open Serial Port" << false;
        QTest::newRow("en serial open") << 1 << "serial open" << "Connection status: ttyW4 adapter Connected" << "Connect to Server" << "Close the Serial Port" << true;
        QTest::newRow("ru offline") << 2 << "offline" << "Статус соединения: Статус «Не в сети»" << "подключиться к серверу" << "Пинг RS232" << true;
        QTest::newRow("ru serial closed") << 2 << "serial closed" << "Статус соединения: ttyW4 adapter Нет связи" << "подключиться к серверу" << "Пинг RS232" << false;
        QTest::newRow("ru udp connected") << 2 << "udp connected" << "Статус соединения: Связь установлена" << "Отсоедини" << "Пинг RS232" << true;
        // A lost link made again by itself: the disconnect (or close) button gives the attempts up.
        QTest::newRow("zh tcp reconnecting") << 0 << "tcp reconnecting 3" << "连接状态: 正在重新连接… (第 3 次)" << "断开连接" << "打开串口" << false;
        QTest::newRow("zh tcp reading after reconnect") << 0 << "tcp reading 2" << "连接状态: 正在重新连接… (第 2 次)" << "断开连接" << "打开串口" << false;
        QTest::newRow("en udp reconnecting") << 1 << "udp reconnecting 3" << "Connection status: reconnecting… (attempt 3)" << "Disconnect" << "Open Serial Port" << false;
        QTest::newRow("en serial reconnecting") << 1 << "serial reconnecting 1" << "Connection status: reconnecting… (attempt 1)" << "Connect to Server" << "Close the Serial Port" << false;
        QTest::newRow("ru tcp reconnecting") << 2 << "tcp reconnecting 3" << "Статус соединения: переподключение… (попытка 3)" << "Отсоедини" << "Пинг RS232" << false;
        QTest::newRow("ru serial reconnecting") << 2 << "serial reconnecting 12" << "Статус соединения: переподключение… (попытка 12)" << "подключиться к серверу" << "Закрыть порт RS232" << false;
        // clang-format on
    }
    void stateAsShown()
    {
        QFETCH(int, language);
        QFETCH(QString, state);
        QFETCH(QString, statusLine);
        QFETCH(QString, connectText);
        QFETCH(QString, serialText);
        QFETCH(bool, editable);
        MainWindow w;
        w.changeLanguage(language);
        DialogAnswerer none; // showing a state asks nothing
        // From every other state first, so nothing shown depends on the path.
        for (const char *before : {"offline", "both", "none", "tcp connecting"}) {
            w.session()->setStateForTesting(stateOf(before), w4::SessionChange::SerialPortsChanged);
            w.session()->setStateForTesting(stateOf(state), w4::SessionChange::SerialPortsChanged);
            QCOMPARE(w.statusLine(), statusLine);
            QCOMPARE(w.findChild<QPushButton *>("connect")->text(), connectText);
            QCOMPARE(w.networkDialog->openButton()->text(), serialText);
            QCOMPARE(w.findChild<QWidget *>("rowCbx")->isEnabled(), editable);
            QCOMPARE(w.findChild<QWidget *>("page1")->isEnabled(), editable);
                }
    }

    // The session owns the reconnect choice; the connection window's check box
    // shows it from the start, follows it, and one click changes it.
    void reconnectCheckShowsTheSession()
    {
        clearSettings(); // nothing stored: on
        MainWindow w;
        auto *box = w.networkDialog->findChild<QCheckBox *>("reconnectCheck");
        QVERIFY(box);
        QVERIFY(w.session()->reconnectEnabled());
        QVERIFY(box->isChecked());

        box->click();
        QVERIFY(!w.session()->reconnectEnabled());
        QVERIFY(!box->isChecked());
        QVERIFY(!ReconnectSetting::load());

        w.session()->setReconnectEnabled(true);
        QVERIFY(box->isChecked());
        w.session()->setReconnectEnabled(false);
        QVERIFY(!box->isChecked());
        box->click();
        QVERIFY(w.session()->reconnectEnabled());
        QVERIFY(ReconnectSetting::load());
    }

    // A port coming or going after the network link dropped (a simulator's line
    // goes with it) leaves the line with the network: "not connected", not a
    // serial port that was never used. Before any link was chosen the line
    // turns to the serial port, as at start.
    void portChangeAfterNetworkLossKeepsNetworkLine()
    {
        w4::DeviceSession fresh;
        fresh.serialPortsChanged({"ttyS0"});
        QCOMPARE(fresh.connectionStatusRow(), 11);

        QTcpServer device;
        QVERIFY(device.listen(QHostAddress::LocalHost));
        w4::DeviceSession session;
        session.serialPortsChanged({"ttyS0", "ttyW4"});
        session.connectTcp("127.0.0.1", device.serverPort());
        QTRY_VERIFY(session.networkConnected());
        QTRY_VERIFY(device.hasPendingConnections());
        QTcpSocket *peer = device.nextPendingConnection();
        peer->close();
        QTRY_VERIFY(session.state().lost);
        QCOMPARE(session.connectionStatusRow(), 1);

        session.serialPortsChanged({"ttyS0"});
        QCOMPARE(session.connectionStatusRow(), 1);
        QCOMPARE(*w4::statusLine(session.connectionStatusRow(), 0, "ttyS0"), QString("连接状态: 未连接"));

        // Using the serial port brings its line back.
        session.openSerial("/nonexistent/ttyW4");
        QCOMPARE(session.connectionStatusRow(), 11);
    }
};

QTEST_MAIN(TestSessionView)
#include "tst_sessionview.moc"
