// The TCP link of the main window against w4sim: connecting to the device the
// connection window lists, paced sending, loss, time-out, offline mode.
#include "appstate.h"
#include "codec.h"
#include "commandsender.h"
#include "communicationdialog.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "linkwatch.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "privatenetwork.h"
#include "simharness.h"
#include "tcplink.h"
#include "tcpreadback.h"
#include "tickwatch.h"

#include <QApplication>
#include <QPushButton>
#include <QComboBox>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using namespace simtest;

namespace {

bool privateNetwork = false;

// Puts a device in the connection window's table, as a search would have found
// it, and selects it.
void listDevice(MainWindow &w, const QString &ip, quint16 port)
{
    QTableWidget *table = w.networkDialog->deviceTable();
    table->item(0, NetworkDialog::IpColumn)->setText(ip);
    table->item(0, NetworkDialog::PortColumn)->setText(QString::number(port));
    table->item(0, NetworkDialog::ProtocolColumn)->setText("UDP");
    table->selectRow(0);
}

QPushButton *connectButton(MainWindow &w)
{
    return w.findChild<QPushButton *>("connect");
}

// A connection reads the device's state back (its queries end in ffffffff,
// twice when the first pass was incomplete) and reports it.
QStringList afterRead(const QStringList &commands)
{
    return commands.mid(commands.lastIndexOf(QStringLiteral("ffffffffde")) + 1);
}
void answerReadResult()
{
    DialogAnswerer readResult(DialogAnswerer::Ok);
    QVERIFY(readResult.waitDone(15000));
}

// Connects with the main window's button to w4sim's TCP port and answers the
// read's result box.
void connectAndRead(MainWindow &w, quint16 port)
{
    listDevice(w, "127.0.0.1", port);
    connectButton(w)->click();
    QTRY_VERIFY(networkConnected());
    answerReadResult();
}

} // namespace

class TestTcpLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    void connectsSendsInOrderAndNoticesTheLoss()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        MainWindow w;
        listDevice(w, "127.0.0.1", sim.tcpPort);

        connectButton(w)->click();
        QCOMPARE(connectionStatusRow(), 8);
        QTRY_VERIFY(networkConnected());
        answerReadResult();
        QCOMPARE(connectionStatusRow(), 2);
        QCOMPARE(connectButton(w)->text(), QString("断开连接"));
        QVERIFY(w.findChild<QWidget *>("rowCbx")->isEnabled());

        w.networkDialog->updateRefreshInterval(); // the network interval, 55 ms
        QCOMPARE(w.session()->sender()->interval(), 55);
        QStringList sent;
        for (int i = 0; i < 20; ++i) // more than one tick can take, none lost
            sent << QStringLiteral("00%1%2")
                        .arg(0x2b + (i % 2), 2, 16, QLatin1Char('0'))
                        .arg(i % 2, 4, 16, QLatin1Char('0'));
        TickWatch ticks(w);
        for (const QString &c : sent)
            w.send(c);
        QStringList expected;
        for (const QString &c : sent)
            expected << QString::fromLatin1(w4::encodeCommand(c).toHex());
        QTRY_COMPARE_WITH_TIMEOUT(afterRead(sim.received("tcp")), expected, 10000);
        QCOMPARE(ticks.most, 1); // one command per tick, never more
        for (const QString &c : sent)
            QVERIFY(w.communicationDialog->logText().contains("]MainWindow::send： " + c));

        // The processor goes away: one box, pages locked, not connected; once
        // the box is answered the link is being made again (and the connect
        // button gives that up).
        w.session()->setReconnectEnabled(true);
        DialogAnswerer answer(DialogAnswerer::Ok);
        sim.process.terminate();
        QVERIFY(answer.waitDone(5000));
        QCOMPARE(answer.last().title, QString("连接错误"));
        QCOMPARE(answer.last().text, QString("连接已断开，请检查网络连接"));
        QVERIFY(!networkConnected());
        QCOMPARE(connectionStatusRow(), 1);
        QVERIFY(!w.findChild<QWidget *>("rowCbx")->isEnabled());
        QCOMPARE(w.statusLine(), QString("连接状态: 正在重新连接… (第 1 次)"));
        QCOMPARE(connectButton(w)->text(), QString("断开连接"));
        connectButton(w)->click();
        QCOMPARE(w.statusLine(), QString("连接状态: 未连接"));
        QCOMPARE(connectButton(w)->text(), QString("连接服务器"));
    }

    // The processor falls silent behind a connection that stays up: the loss
    // box says so (its text as ever, and how many commands went out after the
    // last answer), and the log names them.
    void aSilentProcessorIsReportedWithTheCommandsInDoubt()
    {
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--silent-for"), QStringLiteral("30000")}));
        MainWindow w;
        // Times short for the test, yet long beside the gap between the two
        // commands, which both go out before the device is given up.
        w.session()->tcpWatch()->setTimes(1000, 400);
        connectAndRead(w, sim.tcpPort);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY(!w.session()->tcpReadBack()->isRunning());
        w.session()->sender()->setInterval(20);
        QVERIFY(sim.silence());
        QTest::qWait(50); // an answer sent before the silence is in

        DialogAnswerer answer(DialogAnswerer::Ok);
        const QStringList modes{QStringLiteral("04170000"), QStringLiteral("04140000")};
        for (const QString &c : modes)
            w.send(c);
        QVERIFY(answer.waitDone(5000));
        QCOMPARE(answer.last().title, QString("连接错误"));
        QCOMPARE(answer.last().text, QString("连接已断开，请检查网络连接\n\n设备最后一次应答之后发出的 2 "
                                             "条命令可能没有到达设备，请在通讯记录中查看。"));
        QCOMPARE(sim.faultCount(QStringLiteral("silence end")), 0);
        QVERIFY(!networkConnected());
        for (const QString &c : modes)
            QVERIFY(w.communicationDialog->logText().contains("]可能未送达设备：" + c));
    }

    // An address and port typed into the connection window reach the device
    // over TCP; the main window's connect button checks the same cells.
    void connectsToTypedAddressAndPort()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        MainWindow w;
        QTableWidget *table = w.networkDialog->deviceTable();
        table->item(2, NetworkDialog::IpColumn)->setText("127.0.0.1");
        table->item(2, NetworkDialog::PortColumn)->setText("70000");
        QCOMPARE(table->item(2, NetworkDialog::ProtocolColumn)->text(), QString("TCP"));
        table->selectRow(2);
        {
            DialogAnswerer answer(DialogAnswerer::Ok);
            connectButton(w)->click();
            QCOMPARE(answer.last().text, QString("请输入正确的端口号（1～65535）"));
        }
        QCOMPARE(connectionStatusRow(), 1);

        table->item(2, NetworkDialog::PortColumn)->setText(QString::number(sim.tcpPort));
        w.networkDialog->findChild<QPushButton *>("ptn_connectDevice")->click();
        QTRY_VERIFY(networkConnected());
        answerReadResult();
        QCOMPARE(w.session()->state().networkKind, w4::NetworkKind::Tcp);
        QCOMPARE(connectButton(w)->text(), QString("断开连接"));
    }

    void disconnectingAsksNothing()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        MainWindow w;
        // The first port poll has come (on a machine with serial ports it puts
        // the port into the status line, which a network link then replaces),
        // however quickly the read below is over.
        w.showValidPort();
        connectAndRead(w, sim.tcpPort);
        if (QTest::currentTestFailed())
            return;
        DialogAnswerer none;
        connectButton(w)->click();
        QVERIFY(!networkConnected());
        QCOMPARE(connectButton(w)->text(), QString("连接服务器"));
        QTest::qWait(100); // the socket's disconnected signal has come and gone
        QCOMPARE(connectionStatusRow(), 1);
    }

    void unansweredAddressTimesOut_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("zh")
            << 0 << "连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n";
        QTest::newRow("ru sees the English source's translation")
            << 2
            << "Не удалось подключиться! Пожалуйста, проверьте и переподключите! \n1.Сетевой интерфейс "
               "ослаблен "
               "\n2.Ошибка конфигурации сети\n3.Занят ли он другими программами";
    }
    void unansweredAddressTimesOut()
    {
        if (!privateNetwork)
            QSKIP("needs root for a private network namespace with an address that never answers");
        QFETCH(int, language);
        QFETCH(QString, text);
        MainWindow w;
        w.changeLanguage(language);
        // On the private card's subnet, where nobody answers.
        listDevice(w, "198.51.100.99", 23);
        DialogAnswerer answer(DialogAnswerer::Ok);
        connectButton(w)->click();
        QVERIFY(answer.waitDone(5000));
        QCOMPARE(answer.last().text, text);
        QVERIFY(!networkConnected());
        QCOMPARE(connectionStatusRow(), 1);
        QVERIFY(!w.session()->tcpLink()->isOpen());
        QVERIFY(!w.session()->tcpLink()->isOpening());
    }

    // Offline editing chosen while connected: the link goes down without a
    // loss box, and the pages stay open for editing.
    void offlineFromAConnectionLeavesThePagesUnlocked()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        MainWindow w;
        connectAndRead(w, sim.tcpPort);
        if (QTest::currentTestFailed())
            return;

        DialogAnswerer none;
        w.findChild<QPushButton *>("ptn_offLine")->click();
        QTest::qWait(100); // whatever the closed socket still reports has come
        QVERIFY(offlineMode());
        QVERIFY(!networkConnected());
        QVERIFY(w.findChild<QWidget *>("rowCbx")->isEnabled());
        QCOMPARE(w.statusLine(), QString("连接状态: 脱机状态"));
        QCOMPARE(connectButton(w)->text(), QString("连接服务器"));
    }

    // A connection attempt still under way is given up when the user chooses
    // offline editing or opens the serial port: no failure box comes later and
    // the status line keeps what the user chose.
    void aPendingConnectIsGivenUp_data()
    {
        QTest::addColumn<bool>("openSerial");
        QTest::newRow("offline") << false;
        QTest::newRow("serial port opened") << true;
    }
    void aPendingConnectIsGivenUp()
    {
        QFETCH(bool, openSerial);
        Sim sim;
        const QString pty = sim.path("ttyW4");
        QVERIFY(sim.start({"--pty", pty}));
        qputenv("W4_SERIAL_PORTS", pty.toLocal8Bit());
        // A loopback port nobody listens on: the attempt is refused at once
        // but stays pending until its time-out.
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closedPort = probe.serverPort();
        }
        MainWindow w;
        listDevice(w, "127.0.0.1", closedPort);

        DialogAnswerer none;
        connectButton(w)->click();
        QCOMPARE(connectionStatusRow(), 8);
        if (openSerial) {
            QComboBox *ports = w.networkDialog->serialPortComboBox();
            ports->setCurrentIndex(ports->findText(pty, Qt::MatchStartsWith));
            w.networkDialog->openButton()->click();
        } else {
            w.findChild<QPushButton *>("ptn_offLine")->click();
        }
        const int row = openSerial ? 10 : 9;
        QCOMPARE(connectionStatusRow(), row);
        QTest::qWait(2000); // past the connection time-out of 1.5 s
        QCOMPARE(connectionStatusRow(), row);
        QCOMPARE(connectButton(w)->text(), QString("连接服务器"));
        QVERIFY(w.findChild<QWidget *>("rowCbx")->isEnabled());
        QCOMPARE(none.problem(), QString());
        qunsetenv("W4_SERIAL_PORTS");
    }

    // The network link lost while the serial link is up: the loss is told, and
    // the status line goes back to the serial link, which still works.
    void aNetworkLossKeepsTheSerialStatus()
    {
        Sim serialSim;
        const QString pty = serialSim.path("ttyW4");
        QVERIFY(serialSim.start({"--pty", pty}));
        Sim networkSim;
        QVERIFY(networkSim.start({}));
        qputenv("W4_SERIAL_PORTS", pty.toLocal8Bit());
        MainWindow w;
        QComboBox *ports = w.networkDialog->serialPortComboBox();
        ports->setCurrentIndex(ports->findText(pty, Qt::MatchStartsWith));
        w.networkDialog->openButton()->click();
        QVERIFY(serialConnected());

        connectAndRead(w, networkSim.tcpPort);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(w.statusLine(), QString("连接状态: 已连接"));

        DialogAnswerer answer(DialogAnswerer::Ok);
        networkSim.process.terminate();
        QVERIFY(answer.waitDone(5000));
        QCOMPARE(answer.last().text, QString("连接已断开，请检查网络连接"));
        QVERIFY(serialConnected());
        QCOMPARE(connectionStatusRow(), 10);
        QCOMPARE(w.statusLine(), QString("连接状态: ") + ports->currentText() + QString(" 已连接"));
        QVERIFY(w.findChild<QWidget *>("rowCbx")->isEnabled());
        qunsetenv("W4_SERIAL_PORTS");
    }

    void offlineModeDropsCommandsAndSaysSo()
    {
        MainWindow w;
        w.findChild<QPushButton *>("ptn_offLine")->click();
        QVERIFY(offlineMode());
        QVERIFY(w.checkConnected());
        QVERIFY(w.findChild<QWidget *>("rowCbx")->isEnabled());
        w.send("04140000");
        QTRY_VERIFY(w.communicationDialog->logText().contains("MainWindow::send： 04140000"));
        QTRY_COMPARE(w.statusLine(), QString("连接状态: 脱机状态"));
    }

    void noLinkAsksToConnectFirst()
    {
        MainWindow w;
        DialogAnswerer answer(DialogAnswerer::Ok);
        QVERIFY(!w.checkConnected());
        QCOMPARE(answer.last().text, QString("请先建立连接！"));
    }
};

int main(int argc, char *argv[])
{
    privateNetwork = enterPrivateNetwork(); // before any thread exists
    QApplication app(argc, argv);
    TestTcpLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tcplink.moc"
