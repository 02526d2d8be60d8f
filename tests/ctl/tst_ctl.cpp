// w4ctl as a script runs it, against w4sim over TCP on loopback, the pty and
// UDP inside namespaces of its own: the bytes each command puts on the wire,
// the state it reads, refusals that send nothing, a device that says nothing,
// and presets carried from one processor to another.
#include "codec.h"
#include "simharness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using simtest::kWaitMs;
using simtest::Sim;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QString err;
};

Run w4ctl(const QStringList &args, const QStringList &prefix = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("W4_DEVICE"));
    p.setProcessEnvironment(env);
    if (prefix.isEmpty())
        p.start(QStringLiteral(W4CTL_BINARY), args);
    else
        p.start(prefix.first(), prefix.mid(1) + QStringList{QStringLiteral(W4CTL_BINARY)} + args);
    Run r;
    if (!p.waitForFinished(kWaitMs * 6)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString wire(const QString &text)
{
    return QString::fromLatin1(w4::encodeCommand(text).toHex());
}

// What came in that is not part of a read (the queries and their end marker).
QStringList commandsOnly(const QStringList &received)
{
    static const QRegularExpression read(QStringLiteral("^(080[1-5]|ffffffff)"));
    QStringList out;
    for (const QString &hex : received)
        if (!read.match(hex).hasMatch())
            out << hex;
    return out;
}

QJsonObject json(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

QJsonObject readJson(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return json(f.readAll());
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A state that differs from the default in one value of each kind.
QJsonObject changedState()
{
    QFile f(QStringLiteral(W4SIM_DEFAULT_STATE));
    f.open(QIODevice::ReadOnly);
    QJsonObject state = json(f.readAll());
    QJsonArray windows = state.value(QStringLiteral("windows")).toArray();
    auto edit = [&windows](int i, const char *key, const QJsonValue &v) {
        QJsonObject w = windows[i].toObject();
        w.insert(QLatin1String(key), v);
        windows[i] = w;
    };
    edit(0, "luminance", 50);
    edit(1, "x", 10);
    edit(1, "width", 800);
    edit(2, "hue", -20);
    edit(2, "isShown", false);
    edit(3, "inputSource", 0);
    edit(3, "cropHEnd", 1000);
    const QJsonArray layers{4, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        edit(i, "layer", layers[i]);
    state.insert(QStringLiteral("windows"), windows);
    state.insert(QStringLiteral("videoGen"), false);
    state.insert(QStringLiteral("audioMode"), 2);
    return state;
}

} // namespace

class TestCtl : public QObject
{
    Q_OBJECT

    QStringList tcp(const Sim &sim) const
    {
        return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort),
                QStringLiteral("--interval"), QStringLiteral("10")};
    }

private slots:
    void commandBytesOverTcp_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("layout") << QStringList{"layout", "2x2"} << QStringList{"0601000A"};
        QTest::newRow("mode single") << QStringList{"mode", "single"}
                                     << QStringList{"04040000", "012b0000", "022b0000", "032b0000",
                                                    "04100246"};
        QTest::newRow("position") << QStringList{"window", "2", "--x", "100", "--y", "50"}
                                  << QStringList{"01010064", "01020032"};
        QTest::newRow("whole geometry")
            << QStringList{"window", "1", "--x", "0", "--y", "0", "--w", "3840", "--h", "2160"}
            << QStringList{"00010000", "00020000", "00030f00", "00040870"};
        QTest::newRow("crop") << QStringList{"window", "1", "--crop", "10,20,1000,2000"}
                              << QStringList{"0005000a", "00060014", "000703e8", "000807d0"};
        QTest::newRow("source and audio") << QStringList{"window", "3", "--source", "2", "--audio", "on"}
                                          << QStringList{"022d0001", "022e0001"};
        QTest::newRow("audio follows the input read")
            << QStringList{"window", "4", "--audio", "on"} << QStringList{"032e0002"};
        QTest::newRow("level") << QStringList{"window", "4", "--level", "1"} << QStringList{"04106024"};
        QTest::newRow("hide and freeze")
            << QStringList{"window", "1", "--hide", "--freeze"} << QStringList{"002b0000", "002c0001"};
        QTest::newRow("picture shifted")
            << QStringList{"picture", "2", "hue", "-180"} << QStringList{"010f0000"};
        QTest::newRow("picture by name")
            << QStringList{"picture", "4", "timer2p3", "15"} << QStringList{"031f000f"};
        QTest::newRow("save") << QStringList{"save"} << QStringList{"04140000"};
        QTest::newRow("factory reset") << QStringList{"factory-reset", "--yes"} << QStringList{"08070000"};
        QTest::newRow("raw") << QStringList{"raw", "0102000A", "040f0000"}
                             << QStringList{"0102000A", "040f0000"};
    }
    void commandBytesOverTcp()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, sent);
        Sim sim;
        QVERIFY(sim.start({}));
        const Run run = w4ctl(tcp(sim) + args);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QStringList expected;
        for (const QString &s : sent)
            expected << wire(s);
        QCOMPARE(commandsOnly(sim.received(QStringLiteral("tcp"))), expected);
    }

    void statusJsonIsTheSimulatorsState()
    {
        Sim sim;
        const QString stateIn = sim.path(QStringLiteral("in.json"));
        QVERIFY(writeFile(stateIn, QJsonDocument(changedState()).toJson()));
        const QString stateOut = sim.path(QStringLiteral("out.json"));
        QVERIFY(sim.start({QStringLiteral("--state"), stateIn, QStringLiteral("--state-out"), stateOut}));
        const Run run = w4ctl(tcp(sim) + QStringList{QStringLiteral("status"), QStringLiteral("--json")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QJsonObject status = json(run.out);
        const QJsonObject state = readJson(stateOut);

        QCOMPARE(status.value(QStringLiteral("version")).toInt(), 1);
        QCOMPARE(status.value(QStringLiteral("layout")).toString(), QStringLiteral("1x1"));
        QCOMPARE(status.value(QStringLiteral("videoGen")), state.value(QStringLiteral("videoGen")));
        QCOMPARE(status.value(QStringLiteral("audioOutput")).toString(), QStringLiteral("disabled"));
        const QJsonArray windows = status.value(QStringLiteral("windows")).toArray();
        const QJsonArray simWindows = state.value(QStringLiteral("windows")).toArray();
        QCOMPARE(windows.size(), 4);
        int compared = 0;
        for (int i = 0; i < 4; ++i) {
            const QJsonObject w = windows[i].toObject(), s = simWindows[i].toObject();
            QCOMPARE(status.value(QStringLiteral("stacking")).toArray()[i], s.value(QStringLiteral("layer")));
            for (auto it = w.begin(); it != w.end(); ++it) {
                if (!s.contains(it.key()))
                    continue;
                QVERIFY2(it.value() == s.value(it.key()),
                         qPrintable(QStringLiteral("window %1 %2").arg(i + 1).arg(it.key())));
                ++compared;
            }
        }
        QVERIFY(compared >= 4 * 40);
    }

    void badInputSendsNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("layout over nine") << QStringList{"layout", "3x4"} << "Invalid value for layout: 3x4";
        QTest::newRow("window 5") << QStringList{"window", "5", "--x", "1"}
                                  << "window must lie between 1 and 4";
        QTest::newRow("x beyond the device")
            << QStringList{"window", "1", "--x", "3841"} << "--x must lie between 0 and 3840";
        QTest::newRow("window off the output")
            << QStringList{"window", "1", "--x", "3000", "--y", "0", "--w", "1920", "--h", "1080"}
            << "exceed 3840 x 2160";
        QTest::newRow("crop ends before it starts")
            << QStringList{"window", "1", "--crop", "100,0,50,10"} << "A crop must start before it ends";
        QTest::newRow("source 0") << QStringList{"window", "1", "--source", "0"} << "between 1 and 4";
        QTest::newRow("nothing to set") << QStringList{"window", "1"} << "Missing arguments";
        QTest::newRow("hue 181") << QStringList{"picture", "1", "hue", "181"}
                                 << "hue must lie between -180 and 180";
        QTest::newRow("unknown picture value")
            << QStringList{"picture", "1", "sparkle", "1"} << "Unknown picture value: sparkle";
        QTest::newRow("unknown mode") << QStringList{"mode", "diagonal"} << "Invalid value for mode";
        QTest::newRow("reset unconfirmed") << QStringList{"factory-reset"} << "needs --yes";
        QTest::newRow("raw not hex") << QStringList{"raw", "01g2"} << "Not a hexadecimal command: 01g2";
        QTest::newRow("raw odd digits") << QStringList{"raw", "012"} << "Not a hexadecimal command";
        QTest::newRow("unknown option") << QStringList{"status", "--colour"} << "Unknown option: --colour";
        QTest::newRow("window option elsewhere")
            << QStringList{"layout", "2x2", "--x", "3"} << "Unknown option: --x";
        QTest::newRow("damaged preset")
            << QStringList{"preset", "apply", "damaged.json"} << "is not a JSON file";
        QTest::newRow("preset from the future")
            << QStringList{"preset", "apply", "future.json"} << "comes from a newer version (format 7)";
        QTest::newRow("preset value out of range")
            << QStringList{"preset", "apply", "outofrange.json"} << "invalid value: windows[0].luminance";
        QTest::newRow("missing preset") << QStringList{"preset", "apply", "nosuch.json"} << "Cannot read";
        QTest::newRow("preset with a misspelt key")
            << QStringList{"preset", "apply", "lyout.json"} << "invalid value: lyout";
        QTest::newRow("preset from a FIFO")
            << QStringList{"--timeout", "1000", "preset", "apply", "fifo.json"}
            << "fifo.json is not a regular file and cannot be read";
        QTest::newRow("preset from a device")
            << QStringList{"preset", "apply", "/dev/zero"} << "/dev/zero is not a regular file";
        QTest::newRow("preset over 1 MiB")
            << QStringList{"preset", "apply", "large.json"} << "is too large: at most 1024 KiB";
        QTest::newRow("save onto a FIFO") << QStringList{"preset", "save", "fifo.json"}
                                          << "fifo.json is not a regular file and cannot be replaced";
        QTest::newRow("save onto a device")
            << QStringList{"preset", "save", "/dev/null"} << "/dev/null is not a regular file and cannot be replaced";
        QTest::newRow("x and width beyond the device")
            << QStringList{"window", "1", "--x", "3000", "--w", "3000"} << "exceed 3840 x 2160";
        QTest::newRow("chinese") << QStringList{"--lang", "zh", "layout", "3x4"} << "layout 的值无效：3x4";
        QTest::newRow("russian") << QStringList{"--lang", "ru", "factory-reset"}
                                 << "Для сброса к заводским настройкам нужен --yes";
    }
    void badInputSendsNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        Sim sim;
        QVERIFY(sim.start({}));
        QVERIFY(writeFile(sim.path("damaged.json"), "{\"version\": 1, \"windows\": [{\"window\": 1,"));
        QVERIFY(writeFile(sim.path("future.json"), "{\"version\": 7, \"layout\": \"2x2\"}"));
        QVERIFY(writeFile(sim.path("outofrange.json"),
                          "{\"version\": 1, \"windows\": [{\"window\": 2, \"luminance\": 5000}]}"));
        QVERIFY(writeFile(sim.path("lyout.json"), "{\"version\": 1, \"lyout\": \"2x2\"}"));
        QVERIFY(writeFile(sim.path("large.json"), "{\"version\": 1}" + QByteArray(1024 * 1024, ' ')));
        QCOMPARE(::mkfifo(QFile::encodeName(sim.path("fifo.json")).constData(), 0600), 0);
        for (QString &a : args)
            if (a.endsWith(QLatin1String(".json")))
                a = sim.path(a);
        const Run run = w4ctl(tcp(sim) + args);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(sim.events().isEmpty()); // not even a connection
        // Nothing took the place of a FIFO or a device.
        struct stat st;
        QVERIFY(::lstat(QFile::encodeName(sim.path("fifo.json")).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(::lstat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
    }

    void dryRunPrintsTheBytesAndSendsNothing()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        Run run = w4ctl(tcp(sim) + QStringList{"--dry-run", "window", "2", "--x", "100", "--show"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QByteArray("01 01 00 64 ") +
                              w4::encodeCommand("01010064").right(1).toHex().toUpper() + "\n01 2B 00 01 " +
                              w4::encodeCommand("012b0001").right(1).toHex().toUpper() + "\n");
        run = w4ctl(tcp(sim) + QStringList{"--dry-run", "--json", "layout", "2x2"});
        QCOMPARE(run.code, 0);
        const QJsonArray commands = json(run.out).value("commands").toArray();
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands[0].toObject().value("bytes").toString(), QStringLiteral("06 01 00 0A 29"));
        // A command that needs the state cannot be tried dry.
        run = w4ctl(tcp(sim) + QStringList{"--dry-run", "status"});
        QCOMPARE(run.code, 2);
        QVERIFY(sim.events().isEmpty());
    }

    void aDeviceThatDoesNotAnswer()
    {
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--silent-from"), QStringLiteral("0"),
                           QStringLiteral("--silent-for"), QStringLiteral("60000")}));
        Run run = w4ctl(tcp(sim) + QStringList{"--timeout", "1500", "layout", "2x2"});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QLatin1String("The device does not answer")), qPrintable(run.err));
        // Nothing but the read was tried.
        QVERIFY(commandsOnly(sim.received(QStringLiteral("tcp"))).isEmpty());

        // Nobody listening at all.
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        run = w4ctl(
            {"--tcp", QStringLiteral("127.0.0.1:%1").arg(port), "--timeout", "1500", "--json", "status"});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QLatin1String("Cannot connect to the device")), qPrintable(run.err));
        QCOMPARE(json(run.out).value("ok").toBool(true), false);
    }

    void aReadBackThatDiffersFails()
    {
        // The simulator goes silent right after the read's six queries, long
        // enough to drop the command (it leaves one interval later) but not
        // the read after it (one more interval on).
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--silent-after-commands"), QStringLiteral("6"),
                           QStringLiteral("--silent-for"), QStringLiteral("750")}));
        const Run run = w4ctl({"--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort), "--interval", "500",
                               "--json", "window", "2", "--x", "100"});
        QVERIFY2(run.code == 1, qPrintable(run.err));
        const QJsonArray differences = json(run.out).value("differences").toArray();
        QCOMPARE(differences.size(), 1);
        QCOMPARE(differences[0].toObject().value("window").toInt(), 2);
        QCOMPARE(differences[0].toObject().value("field").toString(), QStringLiteral("x"));
        QVERIFY2(run.err.contains(QLatin1String("window 2 x: expected 100, read 1920")), qPrintable(run.err));
    }

    void audioNeedsAnInput()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        QCOMPARE(w4ctl(tcp(sim) + QStringList{"raw", "012d0004"}).code, 0);
        const Run run = w4ctl(tcp(sim) + QStringList{"window", "2", "--audio", "on"});
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(QLatin1String("Window 2 has no input")), qPrintable(run.err));
        QCOMPARE(commandsOnly(sim.received(QStringLiteral("tcp"))), QStringList{wire("012d0004")});
    }

    void presetRoundTrip()
    {
        Sim from, to;
        const QString stateIn = from.path(QStringLiteral("in.json"));
        QVERIFY(writeFile(stateIn, QJsonDocument(changedState()).toJson()));
        QVERIFY(from.start({QStringLiteral("--state"), stateIn}));
        QVERIFY(to.start({}));
        const QString file = from.path(QStringLiteral("wall.json"));
        Run run = w4ctl(tcp(from) + QStringList{"preset", "save", file});
        QVERIFY2(run.code == 0, qPrintable(run.err));

        const QJsonObject wanted = json(w4ctl(tcp(from) + QStringList{"status", "--json"}).out);
        const QJsonObject before = json(w4ctl(tcp(to) + QStringList{"status", "--json"}).out);
        // The values that differ, counted one by one from the two reads.
        int differing = 0;
        for (const QString &key : wanted.keys())
            differing += key != QLatin1String("windows") && wanted.value(key) != before.value(key);
        for (int i = 0; i < 4; ++i) {
            const QJsonObject a = wanted.value("windows").toArray()[i].toObject();
            const QJsonObject b = before.value("windows").toArray()[i].toObject();
            for (const QString &key : a.keys())
                differing += a.value(key) != b.value(key);
        }
        QCOMPARE(differing, 10);

        run = w4ctl(tcp(to) + QStringList{"--json", "preset", "apply", file});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(json(run.out).value("sent").toArray().size(), differing);
        QCOMPARE(commandsOnly(to.received(QStringLiteral("tcp"))).size(), differing);
        QCOMPARE(json(w4ctl(tcp(to) + QStringList{"status", "--json"}).out), wanted);

        // Once there, nothing is left to send.
        run = w4ctl(tcp(to) + QStringList{"--json", "preset", "apply", file});
        QCOMPARE(run.code, 0);
        QVERIFY(json(run.out).value("sent").toArray().isEmpty());
    }

    void overTheSerialLine()
    {
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        const QStringList serial{"--serial", pty, "--interval", "10"};
        Run run = w4ctl(serial + QStringList{"window", "3", "--x", "7", "--hide"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QTRY_COMPARE(sim.received(QStringLiteral("serial")),
                     (QStringList{wire("02010007"), wire("022b0000")}));
        // The serial line reads nothing back: what needs the state is refused.
        run = w4ctl(serial + QStringList{"status"});
        QCOMPARE(run.code, 2);
        QVERIFY(run.err.contains(QLatin1String("a serial link cannot read")));
        run = w4ctl({"--serial", sim.path("nosuch"), "save"});
        QCOMPARE(run.code, 1);
    }

    void overUdpAndSearchInsideNamespaces()
    {
        if (::geteuid() != 0)
            QSKIP("creating network namespaces needs root");
        simtest::NetPair net;
        if (!net.create())
            QSKIP("cannot create network namespaces here (ip netns failed)");
        QTemporaryDir dir;
        const QString events = dir.filePath(QStringLiteral("events.jsonl"));
        QProcess sim;
        sim.start(QStringLiteral("ip"),
                  net.exec(net.b, {QStringLiteral(W4SIM_BINARY), QStringLiteral("--tcp-port"),
                                   QStringLiteral("0"), QStringLiteral("--ip"),
                                   QStringLiteral("198.51.100.20"), QStringLiteral("--events"), events}));
        QByteArray out;
        while (!out.contains("READY") && sim.waitForReadyRead(kWaitMs))
            out += sim.readAllStandardOutput();
        QVERIFY(out.contains("READY"));
        const QStringList inA{QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"), net.a};

        Run run = w4ctl({"search", "--from", "198.51.100.10", "--timeout", "1500", "--json"}, inA);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QJsonArray devices = json(run.out).value("devices").toArray();
        QCOMPARE(devices.size(), 1);
        QCOMPARE(devices[0].toObject().value("ip").toString(), QStringLiteral("198.51.100.20"));
        QCOMPARE(devices[0].toObject().value("dhcp").toBool(true), false);

        const QStringList udp{"--udp", "198.51.100.20", "--from", "198.51.100.10", "--interval", "10"};
        run = w4ctl(udp + QStringList{"window", "2", "--x", "64", "--source", "4"}, inA);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        run = w4ctl(udp + QStringList{"status", "--json"}, inA);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QJsonObject w2 = json(run.out).value("windows").toArray()[1].toObject();
        QCOMPARE(w2.value("x").toInt(), 64);
        QCOMPARE(w2.value("inputSource").toInt(), 3);
        QVERIFY(!w2.contains("cropHEnd")); // the datagrams carry no crop

        sim.terminate();
        sim.waitForFinished(kWaitMs);
        QFile log(events);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QStringList received;
        for (const QByteArray &line : log.readAll().split('\n'))
            if (json(line).value("dir").toString() == QLatin1String("in") &&
                json(line).value("transport").toString() == QLatin1String("udp"))
                received << json(line).value("hex").toString().toLower();
        QVERIFY(received.contains(wire("01010040")));
        QVERIFY(received.contains(wire("012d0003")));
    }
};

QTEST_GUILESS_MAIN(TestCtl)
#include "tst_ctl.moc"
