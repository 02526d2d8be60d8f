// w4ctl as a script runs it, against w4sim over TCP on loopback, the pty and
// UDP inside namespaces of its own: the bytes each command puts on the wire,
// the state it reads, refusals that send nothing, a device that says nothing,
// and presets carried from one processor to another.
#include "codec.h"
#include "frames.h"
#include "simharness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QUdpSocket>
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

// `environment`: NAME=VALUE pairs set for this run (the locale and W4_DEVICE
// are cleared otherwise); `folder`: where it runs.
Run w4ctl(const QStringList &args, const QStringList &prefix = {}, const QStringList &environment = {},
          const QString &folder = {})
{
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"W4_DEVICE", "LANG", "LC_ALL", "LC_MESSAGES"})
        env.remove(QLatin1String(name));
    for (const QString &pair : environment)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
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
        QTest::newRow("raw as --dry-run prints it")
            << QStringList{"raw", "06", "01", "00", "0A", "29"} << QStringList{"0601000A"};
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
        QTest::newRow("raw not hex") << QStringList{"raw", "01g2"} << "Not a whole hexadecimal command";
        QTest::newRow("raw odd digits") << QStringList{"raw", "012"} << "Not a whole hexadecimal command";
        QTest::newRow("raw half a command")
            << QStringList{"raw", "0102"} << "Not a whole hexadecimal command";
        QTest::newRow("raw one byte too many")
            << QStringList{"raw", "0102000A0B0C"} << "Not a whole hexadecimal command";
        QTest::newRow("raw wrong check byte")
            << QStringList{"raw", "06 01 00 0A 00"} << "check byte): 06 01 00 0A 00";
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
        Run run = w4ctl(tcp(sim) + args);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        // With --json the same refusal is an object on stdout too.
        run = w4ctl(tcp(sim) + args + QStringList{"--json"});
        QCOMPARE(run.code, 2);
        const QJsonObject refusal = json(run.out);
        QCOMPARE(refusal.value("ok"), QJsonValue(false));
        QVERIFY2(refusal.value("error").toString().contains(message), run.out.constData());
        QVERIFY(sim.events().isEmpty()); // not even a connection
        // Nothing took the place of a FIFO or a device.
        struct stat st;
        QVERIFY(::lstat(QFile::encodeName(sim.path("fifo.json")).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(::lstat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
    }

    // Links that cannot be right are refused before anything is tried, with
    // the value that is wrong.
    void badLinksAreRefusedAtOnce_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("device"); // W4_DEVICE
        QTest::addColumn<QString>("message");
        const QString longHost(100000, QLatin1Char('a'));
        QTest::newRow("udp not an address")
            << QStringList{"--udp", "bogus", "status"} << QString() << "Invalid value for --udp: bogus";
        QTest::newRow("from not an address") << QStringList{"--udp", "127.0.0.1", "--from", "bogus", "status"}
                                             << QString() << "Invalid value for --from: bogus";
        QTest::newRow("search from not an address")
            << QStringList{"search", "--from", "bogus"} << QString() << "Invalid value for --from: bogus";
        QTest::newRow("two links") << QStringList{"--serial", "/dev/null", "--tcp", "127.0.0.1", "save"}
                                   << QString() << "Only one link can be used; given: --serial, --tcp";
        QTest::newRow("tcp without host")
            << QStringList{"--tcp", ":5000", "save"} << QString() << "Invalid value for --tcp: :5000";
        QTest::newRow("tcp port beyond 65535")
            << QStringList{"--tcp", "127.0.0.1:70000", "save"} << QString() << "Invalid value for --tcp";
        QTest::newRow("tcp host of 100000 characters")
            << QStringList{"--tcp", longHost, "save"} << QString() << "Invalid value for --tcp: aaaa";
        QTest::newRow("device with two ports") << QStringList{"save"} << "tcp:H:P:9"
                                               << "Invalid value for W4_DEVICE: tcp:H:P:9";
        QTest::newRow("device of unknown kind") << QStringList{"save"} << "http://127.0.0.1"
                                                << "Invalid value for W4_DEVICE: http://127.0.0.1";
    }
    void badLinksAreRefusedAtOnce()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, device);
        QFETCH(QString, message);
        const QStringList env = device.isEmpty() ? QStringList() : QStringList{"W4_DEVICE=" + device};
        const Run run = w4ctl(args + QStringList{"--json"}, {}, env);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.startsWith(QLatin1String("w4ctl: ")), qPrintable(run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err.left(300)));
        QVERIFY2(run.err.endsWith(QLatin1String("Try 'w4ctl --help'.\n")), qPrintable(run.err.right(300)));
        QVERIFY(run.err.size() < 1000); // a long value is cut in the message
        QCOMPARE(json(run.out).value("ok"), QJsonValue(false));
    }

    void deviceFromTheEnvironment_data()
    {
        QTest::addColumn<QString>("device");
        QTest::newRow("tcp:HOST:PORT") << "tcp:127.0.0.1:%1";
        QTest::newRow("URL") << "tcp://127.0.0.1:%1";
        QTest::newRow("URL ending in a slash") << "tcp://127.0.0.1:%1/";
    }
    void deviceFromTheEnvironment()
    {
        QFETCH(QString, device);
        Sim sim;
        QVERIFY(sim.start({}));
        const Run run = w4ctl({"--interval", "10", "save"}, {}, {"W4_DEVICE=" + device.arg(sim.tcpPort)});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(commandsOnly(sim.received(QStringLiteral("tcp"))), QStringList{wire("04140000")});
    }

    // A part of the rectangle given alone is checked with the rest as read.
    void geometryIsCheckedAgainstTheStateRead()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        const Run run = w4ctl(tcp(sim) + QStringList{"window", "2", "--x", "3000"});
        QCOMPARE(run.code, 2);
        QVERIFY2(
            run.err.contains(QLatin1String("Window 2 would exceed 3840 x 2160: x 3000 + width 1920 = 4920")),
            qPrintable(run.err));
        QVERIFY(commandsOnly(sim.received(QStringLiteral("tcp"))).isEmpty());
    }

    // --timeout is how long each answer may take: a slow processor is read
    // when the time-out allows for it.
    void timeoutCoversEachAnswer()
    {
        Sim sim;
        QVERIFY(sim.start({QStringLiteral("--delay-ms"), QStringLiteral("650")}));
        const Run run = w4ctl(tcp(sim) + QStringList{"--timeout", "2000", "--json", "window", "1", "--hide"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(json(run.out).value("sent").toArray(), QJsonArray{"002B0000"});
    }

    void dryRunSearchBindsAndSendsNothing()
    {
        // Held here (when free), the search's port cannot be bound by w4ctl:
        // a dry run must not need it.
        QUdpSocket held;
        held.bind(QHostAddress::LocalHost, 1400);
        Run run = w4ctl({"--dry-run", "search", "--from", "127.0.0.1", "--json"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QJsonArray commands = json(run.out).value("commands").toArray();
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0].toObject().value("bytes").toString(), QStringLiteral("08 08 00 00 E1"));
        QCOMPARE(commands[0].toObject().value("to").toString(), QStringLiteral("127.0.0.255:23"));
        QCOMPARE(commands[1].toObject().value("to").toString(), QStringLiteral("127.0.0.255:68"));
        run = w4ctl({"--dry-run", "search", "--from", "127.0.0.1"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QByteArray("08 08 00 00 E1  127.0.0.255:23\n08 08 00 00 E1  127.0.0.255:68\n"));
        QVERIFY(!held.hasPendingDatagrams());
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

    void versionsAndUsage()
    {
        Run run = w4ctl({"--version"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QByteArray("w4ctl 0.1\n"));
        QCOMPARE(w4ctl({"-V"}).out, QByteArray("w4ctl 0.1\n"));
        QProcess sim;
        sim.start(QStringLiteral(W4SIM_BINARY), {QStringLiteral("--version")});
        QVERIFY(sim.waitForFinished(kWaitMs));
        QCOMPARE(sim.exitCode(), 0);
        QCOMPARE(sim.readAllStandardOutput(), QByteArray("w4sim 0.1\n"));

        // Without a command: the usage, on stderr, as a refusal.
        run = w4ctl({});
        QCOMPARE(run.code, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(QLatin1String("Usage: w4ctl [options] COMMAND")), qPrintable(run.err));
        QVERIFY(run.err.endsWith(QLatin1String("Try 'w4ctl --help'.\n")));
    }

    void languageFollowsTheLocale_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString en = QStringLiteral("needs --yes"), ru = QStringLiteral("нужен --yes"),
                      zh = QStringLiteral("需要 --yes");
        QTest::newRow("LANG ru") << QStringList{"LANG=ru_RU.UTF-8"} << QStringList{} << ru;
        QTest::newRow("LANG zh") << QStringList{"LANG=zh_CN.UTF-8"} << QStringList{} << zh;
        QTest::newRow("LANG de") << QStringList{"LANG=de_DE.UTF-8"} << QStringList{} << en;
        QTest::newRow("LC_MESSAGES before LANG")
            << QStringList{"LANG=zh_CN.UTF-8", "LC_MESSAGES=ru_RU.UTF-8"} << QStringList{} << ru;
        QTest::newRow("LC_ALL before both")
            << QStringList{"LANG=ru_RU.UTF-8", "LC_MESSAGES=ru_RU.UTF-8", "LC_ALL=C"} << QStringList{} << en;
        QTest::newRow("empty LC_ALL counts as unset")
            << QStringList{"LC_ALL=", "LANG=ru_RU.UTF-8"} << QStringList{} << ru;
        QTest::newRow("--lang before the locale")
            << QStringList{"LANG=ru_RU.UTF-8"} << QStringList{"--lang", "zh"} << zh;
    }
    void languageFollowsTheLocale()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run run = w4ctl(args + QStringList{"factory-reset"}, {}, environment);
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    // "1 command sent", in each language's plural forms.
    void sentCountsArePlural_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("en 1") << "en" << 1 << "1 command sent";
        QTest::newRow("en 2") << "en" << 2 << "2 commands sent";
        QTest::newRow("ru 1") << "ru" << 1 << "Отправлена 1 команда";
        QTest::newRow("ru 3") << "ru" << 3 << "Отправлено 3 команды";
        QTest::newRow("ru 5") << "ru" << 5 << "Отправлено 5 команд";
        QTest::newRow("zh 2") << "zh" << 2 << "已发送 2 条命令";
    }
    void sentCountsArePlural()
    {
        QFETCH(QString, lang);
        QFETCH(int, count);
        QFETCH(QString, message);
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        QStringList args{"--serial", pty, "--interval", "10", "--lang", lang, "raw"};
        for (int i = 0; i < count; ++i)
            args << QStringLiteral("000%1").arg(i + 1) + QStringLiteral("000A"); // x, y, w, h, crop
        const Run run = w4ctl(args);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(QString::fromUtf8(run.out), message + QLatin1Char('\n'));
    }

    // One JSON style: compact unless --pretty, command texts in capitals, the
    // same for what was typed and what was built; --  ends the options.
    void outputConventions()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        Run run = w4ctl(tcp(sim) + QStringList{"--json", "raw", "0102000a", "06 01 00 0A 29"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(run.out.count('\n'), 1);
        QCOMPARE(json(run.out).value("sent").toArray(), (QJsonArray{"0102000A", "0601000A"}));
        QCOMPARE(commandsOnly(sim.received(QStringLiteral("tcp"))),
                 (QStringList{wire("0102000A"), wire("0601000A")}));

        run = w4ctl(tcp(sim) + QStringList{"status", "--json"});
        QCOMPARE(run.out.count('\n'), 1);
        run = w4ctl(tcp(sim) + QStringList{"status", "--json", "--pretty"});
        QVERIFY(run.out.count('\n') > 10);
        QCOMPARE(json(run.out).value("version").toInt(), 1);

        // The inputs as --source numbers them; the default state has window 1
        // on the second input.
        run = w4ctl(tcp(sim) + QStringList{"status"});
        QVERIFY2(run.out.contains("source=2 "), run.out.constData());
        QVERIFY(!run.out.contains("inputSource"));

        // A file name that starts with a dash.
        run = w4ctl(tcp(sim) + QStringList{"preset", "save", "--", "-wall.json"}, {}, {}, sim.dir.path());
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(readJson(sim.path("-wall.json")).value("version").toInt(), 1);
    }

    void rawPrintsTheAnswerToAQuery()
    {
        Sim sim;
        QVERIFY(sim.start({}));
        const Run run = w4ctl(tcp(sim) + QStringList{"raw", "08050000"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QByteArray("1 command sent"));
        const w4::TcpFrame answer = w4::decodeTcpFrame(QByteArray::fromHex(lines[1]));
        QVERIFY2(std::holds_alternative<w4::GlobalFrame>(answer), lines[1].constData());
    }

    // A person at a terminal sees how far a preset is; a script reading
    // stderr gets nothing but messages.
    void presetProgressOnlyOnATerminal()
    {
        Sim sim;
        const QString pty = sim.path(QStringLiteral("ttyW4"));
        QVERIFY(sim.start({QStringLiteral("--pty"), pty}));
        const QString file = sim.path(QStringLiteral("three.json"));
        QVERIFY(writeFile(file, "{\"version\": 1, \"windows\": [{\"window\": 1, \"x\": 10, \"luminance\": 5, "
                                "\"hue\": 3}]}"));
        const QStringList args{"--serial", pty, "--interval", "10", "preset", "apply", file};
        Run run = w4ctl(args);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.out, QByteArray("3 commands sent\n"));

        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("script(1) is not installed: no terminal to run w4ctl on");
        QStringList quoted{QStringLiteral(W4CTL_BINARY)};
        for (const QString &a : args)
            quoted << QLatin1Char('\'') + a + QLatin1Char('\'');
        QProcess terminal;
        terminal.start(script, {"-qec", quoted.join(QLatin1Char(' ')) + " --lang en", "/dev/null"});
        QVERIFY(terminal.waitForFinished(kWaitMs * 2));
        run.code = terminal.exitCode();
        run.out = terminal.readAllStandardOutput();
        QVERIFY2(run.code == 0, run.out.constData());
        QVERIFY2(run.out.contains("\rSent 3 of 3"), run.out.constData());
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
        QCOMPARE(differences[0].toObject().value("expected"), QJsonValue(100));
        QCOMPARE(differences[0].toObject().value("read"), QJsonValue(1920));
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
        // Its answers take longer than the read's own waits: --timeout covers
        // them.
        QProcess sim;
        sim.start(QStringLiteral("ip"),
                  net.exec(net.b, {QStringLiteral(W4SIM_BINARY), QStringLiteral("--tcp-port"),
                                   QStringLiteral("0"), QStringLiteral("--ip"),
                                   QStringLiteral("198.51.100.20"), QStringLiteral("--events"), events,
                                   QStringLiteral("--delay-ms"), QStringLiteral("400")}));
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
        QVERIFY(devices[0].toObject().value("port").isDouble()); // a number, as it is one
        QCOMPARE(devices[0].toObject().value("mac").toString(), QStringLiteral("02:12:34:56:78:9A"));
        QCOMPARE(devices[0].toObject().value("deviceMac").toString(), QStringLiteral("2.18.52.86.120.154"));

        const QStringList udp{"--udp", "198.51.100.20", "--from", "198.51.100.10", "--interval",
                              "10",    "--timeout",     "1000"};
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
