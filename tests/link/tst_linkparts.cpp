#include "communicationdialog.h"
#include "ipv4configuration.h"
#include "serialportmanager.h"
#include "transfercontroller.h"

#include <QRegularExpression>
#include <QSerialPort>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

class Tick : public QObject
{
    Q_OBJECT

public:
    int count = 0;
    QThread *thread = nullptr;

public slots:
    void handleData()
    {
        ++count;
        thread = QThread::currentThread();
    }
};

// A pseudo-terminal pair that closes itself.
struct Pty
{
    int master = -1;
    int slave = -1;
    QString path;
    Pty()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(name);
            fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }
};

} // namespace

class TestLinkParts : public QObject
{
    Q_OBJECT

private slots:
    void workerTicksOnTheViewsThreadAndStopsCleanly()
    {
        Tick view;
        {
            TransferController controller(&view);
            controller.startWork();
            QTRY_VERIFY(view.count >= 5);
            QCOMPARE(view.thread, QThread::currentThread());
        }                                  // destruction must not hang with the loop running
        QCoreApplication::processEvents(); // ticks queued before the stop
        const int after = view.count;
        QTest::qWait(50);
        QCOMPARE(view.count, after);
    }

    void extraSerialPortsFollowTheSystemsPorts()
    {
        Pty pty;
        QVERIFY(!pty.path.isEmpty());
        qputenv("W4_SERIAL_PORTS", (pty.path + ":/dev/does-not-exist:").toLocal8Bit());
        const QList<SerialPortEntry> ports = SerialPortManager::availablePorts();
        qunsetenv("W4_SERIAL_PORTS");
        QVERIFY(!ports.isEmpty());
        QCOMPARE(ports.last().name, pty.path);
        QCOMPARE(ports.last().listText(), pty.path + " W4_SERIAL_PORTS");
        for (const SerialPortEntry &e : ports)
            QVERIFY(e.name != "/dev/does-not-exist");
    }

    void portOpensByPathWithTheLinkSettings()
    {
        Pty pty;
        QSerialPort port;
        port.setPortName(pty.path);
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
        SerialPortManager::applySettings(&port);
        QCOMPARE(port.baudRate(), 115200);
        QCOMPARE(port.dataBits(), QSerialPort::Data8);
        QCOMPARE(port.readBufferSize(), qint64(500));
        port.write(QByteArray::fromHex("0805000070"));
        QVERIFY(port.waitForBytesWritten(1000));
        QByteArray received;
        auto readMaster = [&] {
            char buf[16];
            const ssize_t n = ::read(pty.master, buf, sizeof buf);
            if (n > 0)
                received.append(buf, int(n));
            return received;
        };
        QTRY_COMPARE(readMaster().toHex(), QByteArray("0805000070"));
    }

    void portListerSeam()
    {
        SerialPortManager::setPortLister([] { return QList<SerialPortEntry>{{"ttyB", "b"}, {"ttyA", "a"}}; });
        const QList<SerialPortEntry> ports = SerialPortManager::availablePorts();
        SerialPortManager::setPortLister({});
        QCOMPARE(ports.size(), 2);
        QCOMPARE(ports.first().name, QString("ttyB")); // the system's order, not sorted
    }

    void logLineCarriesTheTime()
    {
        CommunicationDialog log;
        log.showInfo("MainWindow::send： 08050000");
        log.showInfo("second");
        const QStringList lines = log.logText().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(QRegularExpression(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\]MainWindow::send： 08050000$)")
                    .match(lines[0])
                    .hasMatch());
        QCOMPARE(log.size(), QSize(458, 420));
    }

    void loopbackCountsAsIpv4Configuration() { QVERIFY(hasIpv4Configuration()); }
};

QTEST_MAIN(TestLinkParts)
#include "tst_linkparts.moc"
