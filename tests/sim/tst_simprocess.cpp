// w4sim as a process: TCP and UDP on loopback, the serial pty, start state,
// event log, fault switches, silences and restarts.
#include "codec.h"
#include "devicestate.h"
#include "simharness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <sys/stat.h>

#include <unistd.h>

namespace {

using namespace simtest;

QByteArray cmd(const char *hex)
{
    return w4::encodeCommand(QString::fromLatin1(hex));
}

quint16 wordAt(const QByteArray &frame, int i)
{
    return quint16((quint8(frame.at(2 * i)) << 8) | quint8(frame.at(2 * i + 1)));
}

// Run inside namespace A by the test: sends the given encoded commands and then
// the search query as broadcasts from port 1400, and prints every answer.
int udpClient(const QStringList &args)
{
    // args: local address, broadcast address, search ports "23,68", hex datagrams...
    QUdpSocket socket;
    if (args.size() < 3 || !socket.bind(QHostAddress(args[0]), 1400))
        return 1;
    const QHostAddress broadcast(args[1]);
    for (int i = 3; i < args.size(); ++i)
        socket.writeDatagram(QByteArray::fromHex(args[i].toLatin1()), broadcast, 23);
    const QStringList ports = args[2].split(QLatin1Char(','));
    for (const QString &port : ports)
        socket.writeDatagram(QByteArray::fromHex("08080000E1"), broadcast, quint16(port.toInt()));
    int replies = 0;
    QElapsedTimer clock;
    clock.start();
    while (replies < ports.size() && clock.elapsed() < 3000) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(3000 - int(clock.elapsed())))
            break;
        const QNetworkDatagram d = socket.receiveDatagram();
        std::printf("REPLY %s %s\n", qPrintable(d.senderAddress().toString()), d.data().constData());
        ++replies;
    }
    return 0;
}

} // namespace

class TstSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void commandsOfEveryFamilyReadBackOverTcp();
    void badCheckByteChangesNothingAndIsLogged();
    void udpStatusSearchAndAddressChange();
    void serialPtyAppliesAndAnswers();
    void startStateAndSaveAll();
    void badStateFileIsRefused();
    void dropAndCorruptReplies();
    void splitAndMergeFrames();
    void disconnectAfterCommands();
    void wrongWindowAndInputSignals();
    void udpFaults();
    void silenceAnswersNothingThenResumes_data();
    void silenceAnswersNothingThenResumes();
    void restartOnSamePortKeepsState();
    void broadcastSearchAndAddressChangeInNamespaces();
};

void TstSimProcess::commandsOfEveryFamilyReadBackOverTcp()
{
    Sim sim;
    QVERIFY(sim.start({}));
    QVERIFY(sim.connectTcp());
    QCOMPARE(sim.ask(cmd("08050000"), 22).toHex(),
             QByteArray("aaaa"
                        "0000000000000000"
                        "0001"     // audio: all outputs
                        "0001"     // VideoGen on
                        "00010001" // 1 x 1
                        "0246"     // windows 1..4 on levels 1..4
                        "bbbb"));

    sim.tcp.write(cmd("0601000A") + cmd("04102406") + cmd("040e0001") + cmd("e2000a0014012c00c8") +
                  cmd("d20001000200030004") + cmd("020b0000") + cmd("020f0168") + cmd("02320001"));
    const QByteArray global = sim.ask(cmd("08050000"), 22);
    QCOMPARE(wordAt(global, 5), quint16(2));
    QCOMPARE(wordAt(global, 7), quint16(2));
    QCOMPARE(wordAt(global, 8), quint16(2));
    QCOMPARE(wordAt(global, 9), quint16(0x2406));
    const QByteArray frame = sim.ask(cmd("08030001"), 106);
    QCOMPARE(frame.size(), 106);
    QCOMPARE(wordAt(frame, 1), quint16(3));
    QCOMPARE(wordAt(frame, 2), quint16(10));
    QCOMPARE(wordAt(frame, 5), quint16(200));
    QCOMPARE(wordAt(frame, 10), quint16(4));
    QCOMPARE(wordAt(frame, 13), quint16(0));
    QCOMPARE(wordAt(frame, 17), quint16(360));
    QCOMPARE(wordAt(frame, 50), quint16(1));
    QCOMPARE(wordAt(frame, 52), quint16(0xBBBB));

    sim.tcp.write(cmd("08070000"));
    QCOMPARE(wordAt(sim.ask(cmd("08030001"), 106), 13), quint16(1024));
    QCOMPARE(wordAt(sim.ask(cmd("08050000"), 22), 9), quint16(0x0246));
}

void TstSimProcess::badCheckByteChangesNothingAndIsLogged()
{
    Sim sim;
    QVERIFY(sim.start({}));
    QVERIFY(sim.connectTcp());
    QByteArray bad = cmd("000b0000");
    bad[4] = char(bad.at(4) ^ 0x80);
    sim.tcp.write(bad);
    QCOMPARE(wordAt(sim.ask(cmd("08010001"), 106), 13), quint16(1024));
    const QVector<QJsonObject> ev = sim.events();
    QVERIFY(ev.size() >= 3);
    QCOMPARE(ev[0].value("hex").toString(), QString::fromLatin1(bad.toHex().toUpper()));
    QCOMPARE(ev[0].value("crc_ok").toBool(true), false);
    QCOMPARE(ev[0].value("applied").toBool(true), false);
    QCOMPARE(ev[0].value("transport").toString(), QStringLiteral("tcp"));
    QVERIFY(ev[0].contains("time_ms"));
    QCOMPARE(ev[1].value("crc_ok").toBool(), true);
    QCOMPARE(ev[1].value("applied").toBool(), true);
    QCOMPARE(ev[2].value("dir").toString(), QStringLiteral("out"));
}

void TstSimProcess::udpStatusSearchAndAddressChange()
{
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--dhcp")}));
    // The stored literals carry their own check byte.
    const QByteArray global = sim.udpAsk(QByteArray::fromHex("0805000070"));
    QCOMPARE(global.mid(4), QByteArray::fromHex("063a01012f"
                                                "073a02462f"
                                                "083a00012f"
                                                "093a00012f"));
    const QByteArray window = sim.udpAsk(QByteArray::fromHex("0802000161"));
    QCOMPARE((window.size() - 4) % 5, 0);
    QVERIFY(window.contains(QByteArray::fromHex("033a07802f"))); // width 1920
    QVERIFY(window.contains(QByteArray::fromHex("0c3a04002f"))); // luminance 0 + 1024
    QVERIFY(window.contains(QByteArray::fromHex("2d3a00002f"))); // input 1

    const QString expected =
        QStringLiteral("IP:127.0.0.1/MAC:2.18.52.86.120.154/Port:%1/Beta:V2.1.7/DHCP:true").arg(sim.tcpPort);
    QCOMPARE(QString::fromUtf8(sim.udpAsk(QByteArray::fromHex("08080000E1"))), expected);
    sim.udp.writeDatagram(cmd("ffc0a80114"), QHostAddress::LocalHost, sim.udpPort);
    sim.udp.writeDatagram(cmd("f7001234567890"), QHostAddress::LocalHost, sim.udpPort);
    sim.udp.writeDatagram(cmd("04110000"), QHostAddress::LocalHost, sim.udpPort);
    QCOMPARE(QString::fromUtf8(sim.udpAsk(QByteArray::fromHex("08080000E1"))),
             QStringLiteral("IP:192.168.1.20/MAC:0.18.52.86.120.144/Port:%1/Beta:V2.1.7/DHCP:false")
                 .arg(sim.tcpPort));
}

void TstSimProcess::serialPtyAppliesAndAnswers()
{
    Sim sim;
    const QString link = sim.path(QStringLiteral("ttyW4"));
    QVERIFY(
        sim.start({QStringLiteral("--pty"), link, QStringLiteral("--state-out"), sim.path("state.json")}));
    QVERIFY(QFileInfo(link).isSymLink());
    QSerialPort port(link);
    port.setBaudRate(115200);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    port.write(cmd("04160001") + cmd("08050000"));
    QByteArray reply;
    while (reply.size() < 22 && port.waitForReadyRead(kWaitMs))
        reply += port.readAll();
    QCOMPARE(reply.size(), 22);
    QCOMPARE(wordAt(reply, 0), quint16(0xAAAA));
    w4sim::DeviceState state;
    QString error;
    QVERIFY2(w4sim::DeviceState::load(sim.path("state.json"), &state, &error), qPrintable(error));
    QVERIFY(state.mode1200);
    port.close();
    sim.process.terminate();
    QVERIFY(sim.process.waitForFinished(kWaitMs));
    QVERIFY(!QFileInfo(link).isSymLink()); // removed on a clean stop
}

void TstSimProcess::startStateAndSaveAll()
{
    QTemporaryDir dir;
    w4sim::DeviceState start = w4sim::DeviceState::defaults();
    start.rows = 3;
    start.columns = 1;
    start.windows[1].hue = -90;
    QString error;
    QVERIFY(start.save(dir.filePath("start.json"), &error));
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--state"), dir.filePath("start.json"), QStringLiteral("--save-file"),
                       dir.filePath("saved.json")}));
    QVERIFY(sim.connectTcp());
    QCOMPARE(wordAt(sim.ask(cmd("08050000"), 22), 7), quint16(3));
    QCOMPARE(wordAt(sim.ask(cmd("08020001"), 106), 17), quint16(90));
    sim.ask(cmd("040f0000") + cmd("04140000") + cmd("08050000"), 22);
    w4sim::DeviceState saved;
    QVERIFY2(w4sim::DeviceState::load(dir.filePath("saved.json"), &saved, &error), qPrintable(error));
    start.videoGen = false;
    QVERIFY(saved == start);
}

void TstSimProcess::badStateFileIsRefused()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("bad.json"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\"rows\": 5, \"columns\": 2}");
    f.close();
    QProcess p;
    p.start(QStringLiteral(W4SIM_BINARY), {QStringLiteral("--state"), f.fileName()});
    QVERIFY(p.waitForFinished(kWaitMs));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("at most 9"));

    // A FIFO in place of the file would hold the start for ever.
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.json"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    p.start(QStringLiteral(W4SIM_BINARY), {QStringLiteral("--state"), QFile::decodeName(fifo)});
    QVERIFY(p.waitForFinished(kWaitMs));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("not a regular file"));
}

void TstSimProcess::dropAndCorruptReplies()
{
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--drop-reply"), QStringLiteral("1"), QStringLiteral("--corrupt-tail"),
                       QStringLiteral("2"), QStringLiteral("--drop-window"), QStringLiteral("4")}));
    QVERIFY(sim.connectTcp());
    // Replies 1 and 3 never come, so the bytes seen are reply 2 with its broken
    // tail and then reply 4.
    sim.tcp.write(cmd("08050000") + cmd("08050000") + cmd("08040001") + cmd("08050000"));
    const QByteArray got = sim.readTcp(44);
    QCOMPARE(got.size(), 44);
    QCOMPARE(wordAt(got, 10), quint16(0xBBBA));
    QCOMPARE(wordAt(got, 21), quint16(0xBBBB));
    const QVector<QJsonObject> ev = sim.events();
    int dropped = 0;
    for (const QJsonObject &e : ev)
        dropped += e.value("fault").toString() == QLatin1String("dropped");
    QCOMPARE(dropped, 2);
}

void TstSimProcess::splitAndMergeFrames()
{
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--split-reply"), QStringLiteral("1"), QStringLiteral("--merge-reply"),
                       QStringLiteral("2")}));
    QVERIFY(sim.connectTcp());
    const QByteArray first = sim.ask(cmd("08050000"), 22);
    QCOMPARE(first.size(), 22);
    QCOMPARE(sim.chunks.size(), 2);
    QCOMPARE(wordAt(first, 10), quint16(0xBBBB));
    sim.chunks.clear();
    const QByteArray merged = sim.ask(cmd("08050000") + cmd("08010001"), 22 + 106);
    QCOMPARE(merged.size(), 128);
    QCOMPARE(sim.chunks.size(), 1);
    QCOMPARE(wordAt(merged, 11), quint16(0xAAAA));
}

void TstSimProcess::disconnectAfterCommands()
{
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--disconnect-after"), QStringLiteral("2")}));
    QVERIFY(sim.connectTcp());
    QSignalSpy closed(&sim.tcp, &QTcpSocket::disconnected);
    sim.tcp.write(cmd("000b0000"));
    sim.tcp.write(cmd("08050000"));
    QVERIFY(closed.wait(kWaitMs));
    QCOMPARE(sim.tcp.readAll().size(), 22); // the second command was still answered
}

void TstSimProcess::wrongWindowAndInputSignals()
{
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--wrong-window"), QStringLiteral("2"), QStringLiteral("--no-signal"),
                       QStringLiteral("2"), QStringLiteral("--low-res"), QStringLiteral("4")}));
    QVERIFY(sim.connectTcp());
    QCOMPARE(wordAt(sim.ask(cmd("08020001"), 106), 1), quint16(3));
    QCOMPARE(wordAt(sim.ask(cmd("08010001"), 106), 51), quint16(45)); // window 1 shows input 2
    QCOMPARE(wordAt(sim.ask(cmd("08030001"), 106), 51), quint16(3));  // window 3 shows input 4
}

void TstSimProcess::udpFaults()
{
    Sim sim;
    QVERIFY(sim.start(
        {QStringLiteral("--disagree-udp"), QStringLiteral("--corrupt-separator"), QStringLiteral("1")}));
    const QByteArray a = sim.udpAsk(QByteArray::fromHex("08010001DC"));
    QCOMPARE(a.at(8), '.');
    const QByteArray b = sim.udpAsk(QByteArray::fromHex("08010001DC"));
    const QByteArray c = sim.udpAsk(QByteArray::fromHex("08010001DC"));
    QCOMPARE(b.at(8), '/');
    QVERIFY(!b.isEmpty() && !c.isEmpty());
    QVERIFY(a.mid(9) != b.mid(9) && b != c && a.mid(9) != c.mid(9));
}

void TstSimProcess::silenceAnswersNothingThenResumes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("SIGUSR1") << QStringList{} << "signal";
    QTest::newRow("after the 2nd command") << QStringList{"--silent-after-commands", "2"} << "commands";
    QTest::newRow("time from start") << QStringList{"--silent-from", "300"} << "time";
}

void TstSimProcess::silenceAnswersNothingThenResumes()
{
    QFETCH(QStringList, options);
    QFETCH(QString, trigger);
    Sim sim;
    const QString link = sim.path(QStringLiteral("ttyW4"));
    QVERIFY(sim.start(QStringList{"--silent-for", "500", "--pty", link} + options));
    QVERIFY(sim.connectTcp());
    QVERIFY(sim.udp.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QSerialPort port(link);
    port.setBaudRate(115200);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));

    if (trigger != QLatin1String("time")) {
        // Both answered: with --silent-after-commands 2 the silence follows them.
        QCOMPARE(sim.ask(cmd("08050000"), 22).size(), 22);
        QVERIFY(!sim.udpAsk(QByteArray::fromHex("0805000070")).isEmpty());
    }
    if (trigger == QLatin1String("signal"))
        QVERIFY(sim.silence());
    else
        QVERIFY(sim.waitForFault(QStringLiteral("silence start")));

    // A luminance change and queries on every transport, all while silent.
    sim.tcp.write(cmd("000b0500") + cmd("08010001"));
    QVERIFY(sim.tcp.waitForBytesWritten(kWaitMs));
    sim.udp.writeDatagram(QByteArray::fromHex("0805000070"), QHostAddress::LocalHost, sim.udpPort);
    port.write(cmd("08050000"));
    QVERIFY(port.waitForBytesWritten(kWaitMs));
    QVERIFY(sim.waitForFault(QStringLiteral("silence end")));

    int ignored = 0, sentWhileSilent = 0;
    bool silent = false;
    for (const QJsonObject &e : sim.events()) {
        const QString dir = e.value("dir").toString();
        if (dir == QLatin1String("fault"))
            silent = e.value("fault").toString() == QLatin1String("silence start");
        else if (dir == QLatin1String("out"))
            sentWhileSilent += silent;
        else if (dir == QLatin1String("in") && !e.value("applied").toBool(true) &&
                 e.value("text").toString().contains(QLatin1String("silent")))
            ++ignored;
    }
    QCOMPARE(ignored, 4); // so all of them came in during the silence
    QCOMPARE(sentWhileSilent, 0);
    QVERIFY(!sim.tcp.waitForReadyRead(100));
    QVERIFY(!sim.udp.hasPendingDatagrams());
    QVERIFY(port.readAll().isEmpty());

    // The same connection is answered again, and the change made while silent
    // was lost.
    QCOMPARE(sim.tcp.state(), QAbstractSocket::ConnectedState);
    const QByteArray frame = sim.ask(cmd("08010001"), 106);
    QCOMPARE(frame.size(), 106);
    QCOMPARE(wordAt(frame, 13), quint16(1024));
    QVERIFY(sim.udpAsk(QByteArray::fromHex("0805000070")).startsWith('\xAA'));
    port.write(cmd("08050000"));
    QByteArray reply;
    while (reply.size() < 22 && port.waitForReadyRead(kWaitMs))
        reply += port.readAll();
    QCOMPARE(reply.size(), 22);
    QCOMPARE(sim.faultCount(QStringLiteral("silence start")), 1);
}

void TstSimProcess::restartOnSamePortKeepsState()
{
    Sim sim;
    const QString state = sim.path(QStringLiteral("state.json"));
    QVERIFY(sim.start({QStringLiteral("--state-out"), state}));
    QVERIFY(sim.connectTcp());
    sim.tcp.write(cmd("000b0500")); // window 1 luminance 256
    QCOMPARE(wordAt(sim.ask(cmd("08010001"), 106), 13), quint16(0x500));
    const quint16 tcpPort = sim.tcpPort, udpPort = sim.udpPort;

    // Stopped with SIGTERM while the client is still connected, so the old
    // connection on this port is not fully closed when the new one listens.
    QVERIFY(sim.restart({QStringLiteral("--state"), state, QStringLiteral("--state-out"), state}));
    QCOMPARE(sim.tcpPort, tcpPort);
    QCOMPARE(sim.udpPort, udpPort);
    QVERIFY(sim.tcp.state() != QAbstractSocket::ConnectedState || sim.tcp.waitForDisconnected(kWaitMs));
    sim.tcp.abort();
    QVERIFY(sim.connectTcp());
    QCOMPARE(wordAt(sim.ask(cmd("08010001"), 106), 13), quint16(0x500));
    QVERIFY(sim.udpAsk(QByteArray::fromHex("08010001DC")).contains(QByteArray::fromHex("0c3a05002f")));
}

void TstSimProcess::broadcastSearchAndAddressChangeInNamespaces()
{
    if (::geteuid() != 0)
        QSKIP("creating network namespaces needs root");
    NetPair net;
    if (!net.create())
        QSKIP("cannot create network namespaces here (ip netns failed)");
    QTemporaryDir dir;
    QProcess sim;
    sim.start(
        QStringLiteral("ip"),
        net.exec(net.b, {QStringLiteral(W4SIM_BINARY), QStringLiteral("--tcp-port"), QStringLiteral("0"),
                         QStringLiteral("--ip"), QStringLiteral("198.51.100.20")}));
    QByteArray out;
    while (!out.contains("READY") && sim.waitForReadyRead(kWaitMs))
        out += sim.readAllStandardOutput();
    QVERIFY2(out.contains("READY"), sim.readAllStandardError().constData());
    const QString port =
        QRegularExpression(QStringLiteral("tcp=(\\d+)")).match(QString::fromLatin1(out)).captured(1);

    auto client = [&](const QStringList &extra) {
        QProcess p;
        p.start(QStringLiteral("ip"),
                net.exec(net.a,
                         QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("--udp-client"),
                                     QStringLiteral("198.51.100.10"), QStringLiteral("198.51.100.255")} +
                             extra));
        p.waitForFinished(kWaitMs * 2);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    const QString found =
        QStringLiteral("REPLY 198.51.100.20 IP:%1/MAC:2.18.52.86.120.154/Port:%2/Beta:V2.1.7/DHCP:false");
    // The search goes out to ports 23 and 68; a unit with a fixed address
    // answers on 23 only, so it is found once.
    QCOMPARE(client({QStringLiteral("23,68")}),
             QStringList({found.arg(QStringLiteral("198.51.100.20"), port)}));
    const QString setIp = QString::fromLatin1(w4::encodeCommand(QStringLiteral("ffc6336430")).toHex());
    QCOMPARE(client({QStringLiteral("23"), setIp}),
             QStringList{found.arg(QStringLiteral("198.51.100.48"), port)});
    sim.terminate();
    QVERIFY(sim.waitForFinished(kWaitMs));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--udp-client"))
        return udpClient(args.mid(2));
    TstSimProcess test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_simprocess.moc"
