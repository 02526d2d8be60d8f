// The serial link of the main window against w4sim's pseudo-terminal: opening
// from the port list, paced sending, a vanishing port, a port that cannot open.
#include "appstate.h"
#include "codec.h"
#include "commandsender.h"
#include "communicationdialog.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "serialportmanager.h"
#include "simharness.h"
#include "tickwatch.h"

#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>

using namespace simtest;

Q_DECLARE_METATYPE(SerialPortEntry)

namespace {

// The user works with the connection window's port list and open button.
QComboBox *portList(MainWindow &w)
{
    return w.networkDialog->serialPortComboBox();
}

QPushButton *openButton(MainWindow &w)
{
    return w.networkDialog->openButton();
}

bool selectPort(MainWindow &w, const QString &path)
{
    const int i = portList(w)->findText(path, Qt::MatchStartsWith);
    portList(w)->setCurrentIndex(i);
    return i >= 0;
}

} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }
    void cleanup() { qunsetenv("W4_SERIAL_PORTS"); }

    void opensFromTheListSendsPacedAndNoticesTheLoss()
    {
        Sim sim;
        const QString pty = sim.path("ttyW4");
        QVERIFY(sim.start({"--pty", pty}));
        qputenv("W4_SERIAL_PORTS", pty.toLocal8Bit());

        MainWindow w;
        QVERIFY(selectPort(w, pty));
        openButton(w)->click();
        QVERIFY(serialConnected());
        QCOMPARE(connectionStatusRow(), 10);
        QCOMPARE(openButton(w)->text(), QString("关闭串口"));

        const QStringList sent{"00010100", "e00000000007800438", "04170000", "002d0002", "08050000"};
        w.session()->sender()->setInterval(110);
        TickWatch ticks(w);
        for (const QString &c : sent)
            w.send(c);
        QStringList expected;
        for (const QString &c : sent)
            expected << QString::fromLatin1(w4::encodeCommand(c).toHex());
        QTRY_COMPARE_WITH_TIMEOUT(sim.received("serial"), expected, 5000);
        QCOMPARE(ticks.most, 1); // one command per tick, never more
        for (const QString &c : sent)
            QVERIFY(w.communicationDialog->logText().contains("]MainWindow::send： " + c));
        QVERIFY(w.statusLine().endsWith(" 已连接"));

        // The simulator goes away with its pty: one box, link down (and, with
        // reconnecting switched off, left down).
        w.session()->setReconnectEnabled(false);
        DialogAnswerer answer(DialogAnswerer::Ok);
        sim.process.terminate();
        QVERIFY(sim.process.waitForFinished(5000));
        QVERIFY(answer.waitDone(5000));
        QCOMPARE(answer.last().text, QString("连接中断，请检查串口连接"));
        QVERIFY(!serialConnected());
        QCOMPARE(connectionStatusRow(), 11);
        QCOMPARE(openButton(w)->text(), QString("打开串口"));
        QVERIFY(!w.findChild<QWidget *>("rowCbx")->isEnabled()); // pages locked again
    }

    void anotherPortAppearingKeepsTheLinkUp()
    {
        Sim sim;
        const QString pty = sim.path("ttyW4");
        QVERIFY(sim.start({"--pty", pty}));
        const QString other = sim.path("other");
        qputenv("W4_SERIAL_PORTS", (pty + ":" + other).toLocal8Bit());

        MainWindow w;
        QVERIFY(selectPort(w, pty));
        openButton(w)->click();
        QVERIFY(serialConnected());

        DialogAnswerer none; // no box expected
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QTRY_COMPARE(portList(w)->findText(other, Qt::MatchStartsWith) >= 0, true);
        QVERIFY(serialConnected());
        QCOMPARE(portList(w)->currentText().split(' ').first(), pty);
    }

    void aPortThatCannotOpen_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("zh")
            << 0 << "当前串口号无法打开！请检查后重新打开！\n1、USB串口松了\n2、是否被其他的程序占用\n";
        QTest::newRow("ru gets the English text") << 2
                                                  << "The current serial number cannot be opened! Please "
                                                     "check and reopen! \n1.USB serial port loose "
                                                     "\n2.Whether it is occupied  by other programs\n";
    }
    void aPortThatCannotOpen()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString notATty = dir.filePath("notatty");
        QFile f(notATty);
        QVERIFY(f.open(QIODevice::WriteOnly));
        qputenv("W4_SERIAL_PORTS", notATty.toLocal8Bit());
        languageIndex = language;

        MainWindow w;
        languageIndex = language;
        QVERIFY(selectPort(w, notATty));
        DialogAnswerer answer(DialogAnswerer::Ok);
        openButton(w)->click();
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().text, text);
        QVERIFY(!serialConnected());
        QCOMPARE(connectionStatusRow(), 11);
    }

    // The lists are filled while the window is built; the first poll then
    // tells whether a port is there to use: with ports the status line names the
    // chosen one as not connected (row 11), quietly and keeping the choice;
    // without, it stays at plain "not connected" (row 1).
    void firstPollShowsTheChosenPort_data()
    {
        QTest::addColumn<QList<SerialPortEntry>>("ports");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("status");
        const QList<SerialPortEntry> two{{"ttyFAKE0", "USB Serial"}, {"ttyFAKE1", "USB Serial"}};
        QTest::newRow("ports") << two << 11 << QString("连接状态: ttyFAKE1 USB Serial 未连接");
        QTest::newRow("no port") << QList<SerialPortEntry>{} << 1 << QString("连接状态: 未连接");
    }

    void firstPollShowsTheChosenPort()
    {
        QFETCH(QList<SerialPortEntry>, ports);
        QFETCH(int, row);
        QFETCH(QString, status);
        int polls = 0;
        SerialPortManager::setPortLister([&] {
            ++polls;
            return ports;
        });
        {
            DialogAnswerer none; // neither box nor closing
            MainWindow w;
            QCOMPARE(w.statusLine(), QString("连接状态: 未连接"));
            portList(w)->setCurrentIndex(ports.size() - 1);
            const int built = polls;
            QTRY_VERIFY_WITH_TIMEOUT(polls > built, 5000);
            QCOMPARE(connectionStatusRow(), row);
            QCOMPARE(w.statusLine(), status);
            QCOMPARE(portList(w)->count(), ports.size());
            QCOMPARE(portList(w)->currentIndex(), ports.size() - 1);
        }
        SerialPortManager::setPortLister({});
    }

    // A port opened before the first poll stays open through it.
    void firstPollKeepsAnOpenedPort()
    {
        Sim sim;
        const QString pty = sim.path("ttyW4");
        QVERIFY(sim.start({"--pty", pty}));
        int polls = 0;
        SerialPortManager::setPortLister([&] {
            ++polls;
            return QList<SerialPortEntry>{{pty, "w4sim"}};
        });
        {
            DialogAnswerer none;
            MainWindow w;
            openButton(w)->click();
            QVERIFY(serialConnected());
            const int opened = polls;
            QTRY_VERIFY_WITH_TIMEOUT(polls > opened, 5000);
            QVERIFY(serialConnected());
            QCOMPARE(connectionStatusRow(), 10);
            QCOMPARE(w.statusLine(), QString("连接状态: %1 w4sim 已连接").arg(pty));
        }
        SerialPortManager::setPortLister({});
    }

    void noPortAtAll()
    {
        qputenv("W4_SERIAL_PORTS", "/nonexistent/ttyX");
        SerialPortManager::setPortLister([] { return QList<SerialPortEntry>{}; });
        MainWindow w;
        DialogAnswerer answer(DialogAnswerer::Ok);
        openButton(w)->click();
        QVERIFY(answer.waitDone());
        QCOMPARE(answer.last().text, QString("无有效串口设备！"));
        SerialPortManager::setPortLister({});
    }
};

QTEST_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
