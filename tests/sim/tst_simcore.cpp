// The simulator's model, command applier and reply writer, without sockets.
#include "codec.h"
#include "commandapplier.h"
#include "commandsplitter.h"
#include "devicestate.h"
#include "replywriter.h"
#include "simoptions.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace w4sim;

namespace {

QByteArray cmd(const char *hex)
{
    return w4::encodeCommand(QString::fromLatin1(hex));
}

// Applies command texts (check byte added) to a fresh default state.
DeviceState after(const QStringList &texts)
{
    DeviceState s = DeviceState::defaults();
    CommandApplier a(&s);
    for (const QString &t : texts)
        a.apply(w4::encodeCommand(t));
    return s;
}

QMap<int, int> records(const QByteArray &datagram)
{
    QMap<int, int> out;
    for (int pos = 4; pos + 5 <= datagram.size(); pos += 5) {
        if (datagram.at(pos + 1) != ':' || datagram.at(pos + 4) != '/')
            return {};
        out.insert(quint8(datagram.at(pos)),
                   (quint8(datagram.at(pos + 2)) << 8) | quint8(datagram.at(pos + 3)));
    }
    return out;
}

} // namespace

class TstSimCore : public QObject
{
    Q_OBJECT
private slots:
    void splitterKeepsCommandsWhateverTheFragments();
    void splitterDropsStaleTailAndUnknownBytes();
    void splitterTellsEndMarkerFromSetIp();
    void badCheckByteChangesNothing();
    void windowCommands_data();
    void windowCommands();
    void rotationSequences();
    void globalCommands();
    void spliceLayoutIndexes_data();
    void spliceLayoutIndexes();
    void divisionModes();
    void factoryResetKeepsNetworkIdentity();
    void addressChanges();
    void globalFrameWords();
    void windowFrameWords();
    void statusDatagrams();
    void searchReplyText();
    void jsonRoundTrip();
    void jsonRejectsBadValues_data();
    void jsonRejectsBadValues();
    void silenceOptions_data();
    void silenceOptions();
};

void TstSimCore::splitterKeepsCommandsWhateverTheFragments()
{
    const QByteArray stream = cmd("08050000") + cmd("e00000000007800438") + cmd("010b0400") +
                              cmd("ffffffff") + cmd("d1000000000f000870") + cmd("f7001234567890") +
                              cmd("04100246");
    const int expectedCount = 7;
    auto run = [](const QByteArray &s, const QVector<int> &cuts) {
        CommandSplitter sp;
        QVector<QByteArray> out;
        int prev = 0;
        for (int cut : cuts + QVector<int>{int(s.size())}) {
            for (const Piece &p : sp.feed(s.mid(prev, cut - prev))) {
                if (p.junk)
                    return QVector<QByteArray>{};
                out.append(p.bytes);
            }
            prev = cut;
        }
        return out;
    };
    const QVector<QByteArray> whole = run(stream, {});
    QCOMPARE(whole.size(), expectedCount);
    for (const QByteArray &c : whole)
        QVERIFY(checkByteOk(c));
    QVector<int> everyByte;
    for (int i = 1; i < stream.size(); ++i)
        everyByte.append(i);
    QCOMPARE(run(stream, everyByte), whole);
    for (int round = 0; round < 20; ++round) {
        QVector<int> cuts;
        for (int i = 1; i < stream.size(); ++i)
            if (QRandomGenerator::global()->bounded(4) == 0)
                cuts.append(i);
        QCOMPARE(run(stream, cuts), whole);
    }
}

void TstSimCore::splitterDropsStaleTailAndUnknownBytes()
{
    CommandSplitter sp;
    // A literal that already carried its check byte gains a 00 when encoded again.
    QVector<Piece> a = sp.feed(cmd("080B00005C"));
    QCOMPARE(a.size(), 1);
    QCOMPARE(a[0].bytes, QByteArray::fromHex("080B00005C"));
    QCOMPARE(sp.pending(), QByteArray(1, '\0'));
    QVector<Piece> b = sp.feed(cmd("08050000"));
    QCOMPARE(b.size(), 2);
    QVERIFY(b[0].junk);
    QCOMPARE(b[1].bytes, cmd("08050000"));
    QVERIFY(sp.pending().isEmpty());

    const QVector<Piece> c = sp.feed(QByteArray::fromHex("5A5B") + cmd("08050000"));
    QCOMPARE(c.size(), 2);
    QVERIFY(c[0].junk);
    QCOMPARE(c[0].bytes, QByteArray::fromHex("5A5B"));
}

void TstSimCore::splitterTellsEndMarkerFromSetIp()
{
    CommandSplitter sp;
    const QVector<Piece> p = sp.feed(cmd("ffffffff") + cmd("ffc0a80164"));
    QCOMPARE(p.size(), 2);
    QCOMPARE(p[0].bytes.size(), 5);
    QCOMPARE(p[1].bytes.size(), 6);
    QCOMPARE(CommandSplitter::splitDatagram(cmd("ffc0a80164")).first().bytes.size(), 6);
}

void TstSimCore::badCheckByteChangesNothing()
{
    DeviceState s = DeviceState::defaults();
    const DeviceState before = s;
    CommandApplier a(&s);
    for (const char *hex :
         {"010b0400", "04100246", "06010004", "e10000000007800438", "08070000", "ffc0a80164"}) {
        QByteArray c = cmd(hex);
        c[c.size() - 1] = char(c.at(c.size() - 1) ^ 0x01);
        const Outcome o = a.apply(c);
        QVERIFY(!o.crcOk);
        QVERIFY(!o.applied);
        QCOMPARE(o.reply, Outcome::NoReply);
    }
    QVERIFY(s == before);
}

void TstSimCore::windowCommands_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("expected");
    auto row = [](const char *name, QStringList c, int w, const char *f, int v) {
        QTest::newRow(name) << c << w << QString::fromLatin1(f) << v;
    };
    row("luminance shifted", {"010b0400"}, 2, "luminance", 0);
    row("luminance min", {"000b0000"}, 1, "luminance", -1024);
    row("hue min", {"020f0000"}, 3, "hue", -180);
    row("sharpness max", {"030c0014"}, 4, "horizontalSharpness", 10);
    row("vertical sharpness", {"030d0005"}, 4, "verticalSharpness", -5);
    row("contrast clamped", {"000a0fff"}, 1, "contrastRatio", 399);
    row("x", {"00010780"}, 1, "x", 1920);
    row("crop end", {"01070780"}, 2, "cropHEnd", 1920);
    row("mirror flag", {"02130005"}, 3, "horizontalMirrored", 1);
    row("colour", {"00270010"}, 1, "colorG", 16);
    row("solid", {"002a0001"}, 1, "isColorSolid", 1);
    row("close", {"032b0000"}, 4, "isShown", 0);
    row("source", {"002d0003"}, 1, "inputSource", 3);
    row("no source", {"002d0009"}, 1, "inputSource", 4);
    row("audio on", {"012e0000"}, 2, "audioEnabled", 1);
    row("audio moves", {"012e0000", "022e0003"}, 2, "audioEnabled", 0);
    row("audio off", {"012e0000", "012e0004"}, 2, "audioEnabled", 0);
    row("adaptive fill", {"00370001"}, 1, "adaptiveFill", 1);
    row("geometry", {"e20010002001000200"}, 3, "height", 0x200);
    row("crop command", {"d1000a000b0f000870"}, 2, "cropVStart", 11);
    row("unknown code ignored", {"00090005"}, 1, "contrastRatio", 100);
}

void TstSimCore::windowCommands()
{
    QFETCH(QStringList, commands);
    QFETCH(int, window);
    QFETCH(QString, field);
    QFETCH(int, expected);
    const DeviceState s = after(commands);
    const WindowField *f = nullptr;
    for (const WindowField &wf : windowFields())
        if (QLatin1String(wf.name) == field)
            f = &wf;
    QVERIFY(f);
    QCOMPARE(fieldValue(s.windows[size_t(window - 1)], *f), expected);
}

void TstSimCore::rotationSequences()
{
    // The control program's R key walks 0 -> 90 -> 180 -> 270 -> 0 with these commands.
    DeviceState s = DeviceState::defaults();
    CommandApplier a(&s);
    const WindowState &w = s.windows[0];
    auto turn = [&](const char *hex) { QVERIFY(a.apply(cmd(hex)).applied); };
    turn("00320001");
    QCOMPARE(w.rotation, 90);
    turn("00330000");
    QCOMPARE(w.rotation, 0);
    QVERIFY(w.horizontalMirrored && w.verticalMirrored);
    turn("00330000");
    turn("00340001");
    QCOMPARE(w.rotation, 270);
    QVERIFY(!w.horizontalMirrored && !w.verticalMirrored);
    turn("00340000");
    QCOMPARE(w.rotation, 0);
    // Turning a quarter off that is not on leaves the other turn alone.
    turn("00340001");
    turn("00320000");
    QCOMPARE(w.rotation, 270);
}

void TstSimCore::globalCommands()
{
    DeviceState s =
        after({"040c0001", "040f0000", "04100246", "04102406", "04110001", "04150001", "04160001"});
    QCOMPARE(s.audioMode, 0);
    QVERIFY(!s.videoGen);
    QVERIFY(s.dhcp && s.firstRowRotation && s.mode1200);
    QCOMPARE(s.windows[1].layer, 1);
    QCOMPARE(s.windows[2].layer, 2);
    QCOMPARE(s.windows[0].layer, 3);
    QCOMPARE(s.windows[3].layer, 4);
    // Not a permutation of the four windows: refused, order kept.
    DeviceState t = s;
    CommandApplier a(&t);
    QVERIFY(!a.apply(cmd("04100022")).applied);
    QCOMPARE(t.stackingWord(), 0x2406);
    QVERIFY(!a.apply(cmd("040e0000")).applied);
    QCOMPARE(t.audioMode, 0);
    QVERIFY(a.apply(cmd("04140000")).saveAll);
}

void TstSimCore::spliceLayoutIndexes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1x1") << "06010000" << 1 << 1 << 3840 << 2160;
    QTest::newRow("1x9") << "06010008" << 1 << 9 << 3840 << 1080;
    QTest::newRow("2x1") << "06010009" << 2 << 1 << 1920 << 2160;
    QTest::newRow("2x2") << "0601000A" << 2 << 2 << 3840 << 2160;
    QTest::newRow("2x4") << "0601000C" << 2 << 4 << 3840 << 2160;
    QTest::newRow("3x3") << "0601000F" << 3 << 3 << 3840 << 2160;
    QTest::newRow("4x1") << "06010010" << 4 << 1 << 1920 << 2160;
    QTest::newRow("9x1") << "06010016" << 9 << 1 << 1920 << 2160;
    QTest::newRow("past the end") << "06010017" << 1 << 1 << 3840 << 2160;
}

void TstSimCore::spliceLayoutIndexes()
{
    QFETCH(QString, command);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, width);
    QFETCH(int, height);
    const DeviceState s = after({command});
    QCOMPARE(s.rows, rows);
    QCOMPARE(s.columns, columns);
    QCOMPARE(s.outputWidth(), width);
    QCOMPARE(s.outputHeight(), height);
    QCOMPARE(s.windows[3].x, width / 2);
    QCOMPARE(s.windows[3].height, height / 2);
}

void TstSimCore::divisionModes()
{
    DeviceState s = after({"032b0000", "04130000"});
    QCOMPARE(s.windows[3].isShown, true);
    QCOMPARE(s.windows[3].width, 3840);
    QCOMPARE(s.windows[2].x, 2560);
    QCOMPARE(s.windows[2].y, 1440);
    QCOMPARE(s.windows[2].height, 720);
    s = after({"04120000"});
    QCOMPARE(s.windows[1].width, 3840);
    QCOMPARE(s.windows[0].x, 1920);
    QCOMPARE(s.windows[0].y, 1080);
}

void TstSimCore::factoryResetKeepsNetworkIdentity()
{
    const DeviceState s = after({"06010004", "010b0000", "ffc0a80165", "08070000"});
    QCOMPARE(s.rows, 1);
    QCOMPARE(s.columns, 1);
    QCOMPARE(s.windows[1].luminance, 0);
    QCOMPARE(s.ip, QStringLiteral("192.168.1.101"));
}

void TstSimCore::addressChanges()
{
    DeviceState s = after({"ffc0a80114", "f7001234567890"});
    QCOMPARE(s.ip, QStringLiteral("192.168.1.20"));
    QCOMPARE(s.macDecimalText(), QStringLiteral("0.18.52.86.120.144"));
    // Unusable addresses would make the unit unreachable: refused.
    s = after({"ff00000000", "ffffffffff", "f7011234567890"});
    QCOMPARE(s.ip, DeviceState::defaults().ip);
    QCOMPARE(s.mac, DeviceState::defaults().mac);
}

void TstSimCore::globalFrameWords()
{
    const DeviceState s = after({"06010006", "040e0001", "040f0000", "04102406"});
    const QByteArray bytes = ReplyWriter::toBytes(ReplyWriter::globalWords(s));
    QCOMPARE(bytes.toHex(), QByteArray("aaaa"
                                       "0000"
                                       "0000"
                                       "0000"
                                       "0000"
                                       "0002"
                                       "0000"
                                       "0001"
                                       "0007"
                                       "2406"
                                       "bbbb"));
}

void TstSimCore::windowFrameWords()
{
    DeviceState s = after({"e1002a00370200012c", "d1000a000b0f000870", "010b03e8", "010c0000", "010d0014",
                           "010f0168", "01130001", "01140001", "01340001", "01280030", "012a0001", "012b0000",
                           "012e0000", "011d000f"});
    s.resolutionCodes[0] = 45; // window 2 shows input 1
    const QVector<quint16> w = ReplyWriter::windowWords(s, 2);
    QCOMPARE(w.size(), 53);
    const QVector<QPair<int, int>> expected = {
        {0, 0xAAAA}, {1, 2},     {2, 0x2A},   {3, 0x37}, {4, 0x200},  {5, 0x12C}, {7, 10},
        {8, 11},     {9, 0xF00}, {10, 0x870}, {12, 100}, {13, 1000},  {14, 0},    {15, 20},
        {17, 360},   {21, 1},    {22, 1},     {31, 15},  {42, 0x30},  {43, 1},    {44, 0},
        {46, 0},     {47, 1},    {50, 2},     {51, 45},  {52, 0xBBBB}};
    for (const auto &e : expected)
        QVERIFY2(w[e.first] == e.second,
                 qPrintable(QStringLiteral("word %1 is %2").arg(e.first).arg(w[e.first])));
    QCOMPARE(ReplyWriter::windowWords(after({"00320001"}), 1)[50], quint16(1));
    // A window without a source reports no signal.
    QCOMPARE(ReplyWriter::windowWords(after({"002d0004"}), 1)[51], quint16(39));
}

void TstSimCore::statusDatagrams()
{
    const DeviceState s = after({"0601000B", "04102406", "020c0000", "020d0014", "02340001", "020b0000"});
    const QByteArray g = ReplyWriter::datagram(0x05, ReplyWriter::globalRecords(s));
    QCOMPARE(g.size() % 5, 4);
    QCOMPARE(g.mid(4, 10), QByteArray::fromHex("063a02032f"
                                               "073a40262f"));
    const QMap<int, int> r = records(ReplyWriter::datagram(3, ReplyWriter::windowRecords(s, 3)));
    QCOMPARE(r.value(12), 0);  // luminance + 1024
    QCOMPARE(r.value(13), 20); // vertical sharpness + 10
    QCOMPARE(r.value(14), 0);  // horizontal sharpness + 10
    QCOMPARE(r.value(49), 1);  // 270 degrees in the datagram's own code
    QCOMPARE(r.value(45), 3);
    QCOMPARE(r.value(43), 1);
    QCOMPARE(r.value(50), 24); // window 3 shows input 4
    QCOMPARE(records(ReplyWriter::datagram(1, ReplyWriter::windowRecords(after({"00320001"}), 1))).value(49),
             3);
}

void TstSimCore::searchReplyText()
{
    DeviceState s = after({"ffc6336414", "f7001234567890", "04110001"});
    s.version = QStringLiteral("V9");
    QCOMPARE(ReplyWriter::searchReply(s, 5000),
             QByteArray("IP:198.51.100.20/MAC:0.18.52.86.120.144/Port:5000/Beta:V9/DHCP:true"));
}

void TstSimCore::jsonRoundTrip()
{
    DeviceState s = after({"0601000B", "04102406", "010b0000", "00320001", "02330000", "032b0000", "040e0001",
                           "04150001", "ffc6336414"});
    s.resolutionCodes = {{3, 45, 18, 24}};
    s.version = QStringLiteral("V3.0");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QString error;
    QVERIFY2(s.save(path, &error), qPrintable(error));
    DeviceState back;
    QVERIFY2(DeviceState::load(path, &back, &error), qPrintable(error));
    QVERIFY(back == s);
    // A hand-written state may leave keys out and speak of a half turn.
    QJsonObject partial{
        {QStringLiteral("rows"), 2},
        {QStringLiteral("columns"), 3},
        {QStringLiteral("windows"),
         QJsonArray{QJsonObject{{QStringLiteral("rotation"), 180}, {QStringLiteral("layer"), 1}},
                    QJsonObject{{QStringLiteral("layer"), 2}}, QJsonObject{{QStringLiteral("layer"), 3}},
                    QJsonObject{{QStringLiteral("layer"), 4}}}}};
    QVERIFY2(DeviceState::fromJson(partial, &back, &error), qPrintable(error));
    QCOMPARE(back.columns, 3);
    QVERIFY(back.windows[0].horizontalMirrored && back.windows[0].verticalMirrored);
    QCOMPARE(back.windows[1].inputSource, 0);
}

void TstSimCore::jsonRejectsBadValues_data()
{
    QTest::addColumn<QJsonObject>("json");
    QTest::addColumn<QString>("message");
    QTest::newRow("too many monitors") << QJsonObject{{"rows", 4}, {"columns", 3}} << "at most 9";
    QTest::newRow("bad ip") << QJsonObject{{"ip", "300.1.1.1"}} << "\"ip\"";
    QTest::newRow("bad mac") << QJsonObject{{"mac", "00:11:22"}} << "\"mac\"";
    QTest::newRow("slash in version") << QJsonObject{{"version", "a/b"}} << "\"version\"";
    QTest::newRow("luminance range") << QJsonObject{{"windows",
                                                     QJsonArray{QJsonObject{{"luminance", 2000}},
                                                                QJsonObject{}, QJsonObject{}, QJsonObject{}}}}
                                     << "luminance";
    QTest::newRow("layers") << QJsonObject{{"windows", QJsonArray{QJsonObject{{"layer", 2}}, QJsonObject{},
                                                                  QJsonObject{}, QJsonObject{}}}}
                            << "layers";
    QTest::newRow("three windows") << QJsonObject{{"windows",
                                                   QJsonArray{QJsonObject{}, QJsonObject{}, QJsonObject{}}}}
                                   << "four windows";
    QTest::newRow("flag type") << QJsonObject{{"dhcp", 1}} << "\"dhcp\"";
}

void TstSimCore::jsonRejectsBadValues()
{
    QFETCH(QJsonObject, json);
    QFETCH(QString, message);
    DeviceState s;
    QString error;
    QVERIFY(!DeviceState::fromJson(json, &s, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TstSimCore::silenceOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("fromMs");
    QTest::addColumn<int>("afterCommands");
    QTest::addColumn<int>("forMs");
    QTest::newRow("none: only SIGUSR1, 3 s") << QStringList{} << true << -1 << 0 << 3000;
    QTest::newRow("all three") << QStringList{"--silent-from", "0",  "--silent-after-commands", "5",
                                              "--silent-for",  "400"}
                               << true << 0 << 5 << 400;
    QTest::newRow("empty silence") << QStringList{"--silent-for", "0"} << false << 0 << 0 << 0;
    QTest::newRow("negative start") << QStringList{"--silent-from", "-1"} << false << 0 << 0 << 0;
    QTest::newRow("no command count") << QStringList{"--silent-after-commands", "0"} << false << 0 << 0 << 0;
    QTest::newRow("unit in value") << QStringList{"--silent-for", "1s"} << false << 0 << 0 << 0;
}

void TstSimCore::silenceOptions()
{
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    SimOptions o;
    QString error, help;
    QCOMPARE(parseOptions(QStringList{"w4sim"} + args, &o, &error, &help), ok);
    if (!ok) {
        QVERIFY2(error.startsWith(args.first()), qPrintable(error));
        return;
    }
    QTEST(o.faults.silentFromMs, "fromMs");
    QTEST(o.faults.silentAfterCommands, "afterCommands");
    QTEST(o.faults.silentForMs, "forMs");
}

QTEST_GUILESS_MAIN(TstSimCore)
#include "tst_simcore.moc"
