#pragma once

// A w4sim process for tests: started on loopback with free ports, its event log
// in a temporary folder; and a pair of network namespaces for broadcast tests.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>
#include <QVector>

#include <csignal>

namespace simtest {

constexpr int kWaitMs = 5000;

// A running w4sim on loopback with free ports, its event log in a temp dir.
class Sim
{
public:
    ~Sim()
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(kWaitMs))
                process.kill();
            process.waitForFinished(kWaitMs);
        }
    }

    bool start(const QStringList &extra)
    {
        QStringList args{QStringLiteral("--listen"),    QStringLiteral("127.0.0.1"),
                         QStringLiteral("--tcp-port"),  QStringLiteral("0"),
                         QStringLiteral("--udp-ports"), QStringLiteral("0"),
                         QStringLiteral("--events"),    path(QStringLiteral("events.jsonl"))};
        process.start(QStringLiteral(W4SIM_BINARY), args + extra);
        if (!process.waitForStarted(kWaitMs))
            return false;
        QByteArray out;
        while (!out.contains("READY")) {
            if (!process.waitForReadyRead(kWaitMs))
                return false;
            out += process.readAllStandardOutput();
        }
        QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("READY tcp=(\\d+) udp=(\\d+)")).match(QString::fromLatin1(out));
        tcpPort = quint16(m.captured(1).toInt());
        udpPort = quint16(m.captured(2).toInt());
        serialPath =
            QRegularExpression(QStringLiteral("SERIAL (\\S+)")).match(QString::fromLatin1(out)).captured(1);
        return tcpPort != 0;
    }

    bool connectTcp()
    {
        tcp.connectToHost(QHostAddress::LocalHost, tcpPort);
        return tcp.waitForConnected(kWaitMs);
    }

    // Reads until `bytes` bytes arrived; every read is kept as one chunk.
    QByteArray readTcp(int bytes)
    {
        QByteArray all;
        while (all.size() < bytes) {
            if (tcp.bytesAvailable() == 0 && !tcp.waitForReadyRead(kWaitMs))
                break;
            const QByteArray chunk = tcp.readAll();
            chunks.append(chunk);
            all += chunk;
        }
        return all;
    }

    QByteArray ask(const QByteArray &query, int bytes)
    {
        tcp.write(query);
        return readTcp(bytes);
    }

    QByteArray udpAsk(const QByteArray &datagram)
    {
        if (udp.state() != QAbstractSocket::BoundState)
            udp.bind(QHostAddress(QHostAddress::LocalHost), 0);
        udp.writeDatagram(datagram, QHostAddress::LocalHost, udpPort);
        if (!udp.hasPendingDatagrams() && !udp.waitForReadyRead(kWaitMs))
            return {};
        return udp.receiveDatagram().data();
    }

    QVector<QJsonObject> events()
    {
        QFile f(path(QStringLiteral("events.jsonl")));
        QVector<QJsonObject> out;
        if (f.open(QIODevice::ReadOnly))
            for (const QByteArray &line : f.readAll().split('\n'))
                if (!line.isEmpty())
                    out.append(QJsonDocument::fromJson(line).object());
        return out;
    }

    // Hex of every command that came in over a transport ("tcp", "udp",
    // "serial"), in order, lower case.
    QStringList received(const QString &transport)
    {
        QStringList texts;
        for (const QJsonObject &e : events())
            if (e.value(QStringLiteral("dir")).toString() == QLatin1String("in") &&
                e.value(QStringLiteral("transport")).toString() == transport)
                texts << e.value(QStringLiteral("hex")).toString().toLower();
        return texts;
    }

    // Number of "dir":"fault" events named `name` ("silence start", ...).
    int faultCount(const QString &name)
    {
        int n = 0;
        for (const QJsonObject &e : events())
            n += e.value(QStringLiteral("dir")).toString() == QLatin1String("fault") &&
                 e.value(QStringLiteral("fault")).toString() == name;
        return n;
    }

    // Waits (at most kWaitMs) until `count` such events were logged.
    bool waitForFault(const QString &name, int count = 1)
    {
        QElapsedTimer clock;
        clock.start();
        while (faultCount(name) < count) {
            if (clock.elapsed() > kWaitMs)
                return false;
            QThread::msleep(10);
        }
        return true;
    }

    // Starts a silence now (SIGUSR1) and waits until it has begun.
    bool silence()
    {
        const int before = faultCount(QStringLiteral("silence start"));
        return ::kill(pid_t(process.processId()), SIGUSR1) == 0 &&
               waitForFault(QStringLiteral("silence start"), before + 1);
    }

    // Stops w4sim with SIGTERM (unless it has stopped already) and starts it
    // again at once on the same TCP and UDP ports. The client sockets are left
    // as they are.
    bool restart(const QStringList &extra)
    {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(kWaitMs))
                return false;
        }
        if (process.exitStatus() != QProcess::NormalExit)
            return false;
        return start(extra + QStringList{QStringLiteral("--tcp-port"), QString::number(tcpPort),
                                         QStringLiteral("--udp-ports"), QString::number(udpPort)});
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QProcess process;
    QTcpSocket tcp;
    QUdpSocket udp;
    quint16 tcpPort = 0, udpPort = 0;
    QString serialPath;
    QVector<QByteArray> chunks;
};

// Two namespaces joined by a veth pair: A (198.51.100.10) for the client, B
// (198.51.100.20) for the simulator. Removed again whatever happens.
class NetPair
{
public:
    NetPair()
        : a(QStringLiteral("w4simA%1").arg(QCoreApplication::applicationPid())),
          b(QStringLiteral("w4simB%1").arg(QCoreApplication::applicationPid()))
    {
    }
    ~NetPair()
    {
        ip({QStringLiteral("netns"), QStringLiteral("del"), a});
        ip({QStringLiteral("netns"), QStringLiteral("del"), b});
    }
    bool create()
    {
        // Interface names are limited to 15 characters.
        const QString ia = QStringLiteral("w4a%1").arg(QCoreApplication::applicationPid() % 100000);
        const QString ib = QStringLiteral("w4b%1").arg(QCoreApplication::applicationPid() % 100000);
        return ip({"netns", "add", a}) && ip({"netns", "add", b}) &&
               ip({"link", "add", ia, "type", "veth", "peer", "name", ib}) &&
               ip({"link", "set", ia, "netns", a}) && ip({"link", "set", ib, "netns", b}) &&
               ip({"-n", a, "addr", "add", "198.51.100.10/24", "broadcast", "198.51.100.255", "dev", ia}) &&
               ip({"-n", b, "addr", "add", "198.51.100.20/24", "broadcast", "198.51.100.255", "dev", ib}) &&
               ip({"-n", a, "link", "set", "lo", "up"}) && ip({"-n", b, "link", "set", "lo", "up"}) &&
               ip({"-n", a, "link", "set", ia, "up"}) && ip({"-n", b, "link", "set", ib, "up"});
    }
    static bool ip(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral("ip"), args);
        return p.waitForFinished(kWaitMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    QStringList exec(const QString &ns, const QStringList &command) const
    {
        return QStringList{QStringLiteral("netns"), QStringLiteral("exec"), ns} + command;
    }
    QString a, b;
};

} // namespace simtest
