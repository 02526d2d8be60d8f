#include "preset.h"
#include "windowfeatures.h"

#include <QJsonDocument>
#include <QtTest>

#include <functional>

using namespace w4;
using F = PresetField;

Q_DECLARE_METATYPE(std::function<void(w4::Preset &)>)
Q_DECLARE_METATYPE(w4::PresetError)

namespace {

using Edit = std::function<void(Preset &)>;

// A wall whose every value is known, as a TCP read gives it.
Preset fullPreset()
{
    Preset p;
    p.rows = 1;
    p.columns = 1;
    p.layers = std::array<int, 4>{1, 2, 3, 4};
    p.audioMode = AudioOutMode::AllPorts;
    p.videoGen = true;
    for (int i = 0; i < 4; ++i) {
        WindowStatus s;
        s.window = i + 1;
        s.x = (i % 2) * 1920;
        s.y = (i / 2) * 1080;
        s.width = 1920;
        s.height = 1080;
        s.hasCrop = true;
        s.contrastRatio = 100;
        s.saturability = 100;
        s.colorR = 136;
        s.colorG = 155;
        s.colorB = 177;
        s.isShown = true;
        s.inputSource = i;
        s.rotation = 0;
        p.windows[size_t(i)] = presetWindowFromStatus(s, StatusOrigin::Tcp);
    }
    p.windows[0][F::AudioEnabled] = 1;
    return p;
}

PresetField picture(const char *name)
{
    return *presetFieldByName(QLatin1String(name));
}

} // namespace

class TestPreset : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldIsKnownAfterATcpRead()
    {
        const Preset p = fullPreset();
        for (int i = 0; i < PresetFieldCount; ++i)
            QVERIFY2(p.windows[2].values[size_t(i)].has_value(), presetFieldInfo(PresetField(i)).name);
        QCOMPARE(*p.windows[1][picture("luminance")], 0);
        QCOMPARE(*p.windows[1][picture("contrastRatio")], 100);
    }

    void udpReadLeavesWhatItDoesNotCarryUnknown()
    {
        WindowStatus s;
        s.window = 2;
        s.horizontalMirrored = s.verticalMirrored = true;
        s.rotation = 180;
        s.luminance = -20;
        const PresetWindow w = presetWindowFromStatus(s, StatusOrigin::Udp);
        for (const char *name : {"cropHStart", "cropVEnd", "blueCorrection", "greenCorrection",
                                 "skinCorrection", "diagonalCorrection", "colorR"})
            QVERIFY2(!w[*presetFieldByName(QLatin1String(name))], name);
        QCOMPARE(*w[picture("luminance")], -20);
        // A half turn is the two mirrors.
        QCOMPARE(*w[F::Rotation], 0);
        QCOMPARE(*w[F::HorizontalMirrored], 1);
        QCOMPARE(*w[F::VerticalMirrored], 1);
    }

    void aRecordAsTheProcessorKeepsIt()
    {
        WindowRecord r(2);
        r.rotation = 180;
        r.luminance = -7;
        setSolidColor(r, false);
        r.inputSourceId = 2;
        setFillColor(r, 1, 2, 3);
        setSolidColor(r, true); // the input is put aside under the fill
        const PresetWindow w = presetWindowFromRecord(r, DeviceRect{10, 20, 960, 540});
        QCOMPARE(*w[F::X], 10);
        QCOMPARE(*w[F::Height], 540);
        QCOMPARE(*w[picture("luminance")], -7);
        QCOMPARE(*w[F::InputSource], 2);
        QCOMPARE(*w[F::ColorB], 3);
        QCOMPARE(*w[F::IsColorSolid], 1);
        QCOMPARE(*w[F::Rotation], 0);
        QCOMPARE(*w[F::HorizontalMirrored], 1);
        QCOMPARE(*w[F::VerticalMirrored], 1);
        for (int i = 0; i < PresetFieldCount; ++i)
            QVERIFY(w.values[size_t(i)].has_value());
    }

    void fileRoundTrip()
    {
        Preset p = fullPreset();
        p.rows = 2;
        p.columns = 3;
        p.layers = std::array<int, 4>{3, 1, 4, 2};
        p.audioMode = AudioOutMode::Disabled;
        p.windows[3][picture("hue")] = -180;
        p.windows[3][F::Rotation] = 270;
        p.windows[2][F::CropHEnd].reset(); // unknown stays unknown
        const QByteArray bytes = presetToBytes(p);
        const PresetLoad back = presetFromBytes(bytes);
        QVERIFY2(back.ok(), qPrintable(back.detail));
        QCOMPARE(presetToJson(back.preset), presetToJson(p));
        QVERIFY(!back.preset.windows[2][F::CropHEnd]);
        QVERIFY(presetCommands(p, back.preset).isEmpty());
        QVERIFY(bytes.contains("\"layout\": \"2x3\""));
        QVERIFY(bytes.contains("\"hue\": -180"));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<w4::PresetError>("error");
        QTest::addColumn<QString>("detail");
        QTest::newRow("cut off") << QByteArray("{\"version\": 1, \"windows\": [") << PresetError::NotJson
                                 << "";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << PresetError::NotPreset << "";
        QTest::newRow("no version") << QByteArray("{\"layout\": \"1x1\"}") << PresetError::NotPreset << "";
        QTest::newRow("future version")
            << QByteArray("{\"version\": 2}") << PresetError::FutureVersion << "2";
        QTest::newRow("layout over nine")
            << QByteArray("{\"version\": 1, \"layout\": \"3x4\"}") << PresetError::BadValue << "layout";
        QTest::newRow("stacking not a permutation")
            << QByteArray("{\"version\": 1, \"stacking\": [1, 1, 3, 4]}") << PresetError::BadValue
            << "stacking";
        QTest::newRow("unknown audio") << QByteArray("{\"version\": 1, \"audioOutput\": \"loud\"}")
                                       << PresetError::BadValue << "audioOutput";
        QTest::newRow("luminance out of range")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 2, \"luminance\": 1025}]}")
            << PresetError::BadValue << "windows[0].luminance";
        QTest::newRow("rotation 45")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 1, \"rotation\": 45}]}")
            << PresetError::BadValue << "windows[0].rotation";
        QTest::newRow("flag as number")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 1, \"isShown\": 1}]}")
            << PresetError::BadValue << "windows[0].isShown";
        QTest::newRow("misspelt field")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 1, \"lumnance\": 3}]}")
            << PresetError::BadValue << "windows[0].lumnance";
        QTest::newRow("fraction") << QByteArray(
                                         "{\"version\": 1, \"windows\": [{\"window\": 1, \"x\": 1.5}]}")
                                  << PresetError::BadValue << "windows[0].x";
        QTest::newRow("window 5") << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 5}]}")
                                  << PresetError::BadValue << "windows[0].window";
        QTest::newRow("audio on two windows")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 1, \"audioEnabled\": true},"
                          "{\"window\": 2, \"audioEnabled\": true}]}")
            << PresetError::BadValue << "audioEnabled";
        QTest::newRow("audio without input")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 3, \"audioEnabled\": true,"
                          " \"inputSource\": 4}]}")
            << PresetError::BadValue << "windows[0].audioEnabled";
        QTest::newRow("misspelt top-level key")
            << QByteArray("{\"version\": 1, \"lyout\": \"2x2\"}") << PresetError::BadValue << "lyout";
        QTest::newRow("window listed twice")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 2, \"hue\": 1}, {\"window\": 2}]}")
            << PresetError::BadValue << "windows[1].window";
        // The window checked as the window command and the typed fields check it.
        QTest::newRow("window beyond the wall")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 1, \"x\": 3000, \"width\": 3000}]}")
            << PresetError::BadValue << "windows[0].width";
        QTest::newRow("crop starting after its end")
            << QByteArray("{\"version\": 1, \"windows\": [{\"window\": 4, \"cropVStart\": 900,"
                          " \"cropVEnd\": 300}]}")
            << PresetError::BadValue << "windows[0].cropVStart";
        QTest::newRow("layout in Arabic-Indic digits")
            << QByteArray("{\"version\": 1, \"layout\": \"\u0662x\u0662\"}") << PresetError::BadValue
            << "layout";
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(w4::PresetError, error);
        QFETCH(QString, detail);
        const PresetLoad load = presetFromBytes(bytes);
        QCOMPARE(int(load.error), int(error));
        if (error != PresetError::NotJson)
            QCOMPARE(load.detail, detail);
    }

    // A crop end of 0 is the whole picture: any start before its edge is taken.
    void aCropEndOf0ReachesTheEdge()
    {
        const PresetLoad load = presetFromBytes("{\"version\": 1, \"windows\": [{\"window\": 1,"
                                                " \"cropHStart\": 3000, \"cropHEnd\": 0, \"x\": 1920,"
                                                " \"width\": 1920}]}");
        QVERIFY2(load.ok(), qPrintable(load.detail));
        QCOMPARE(load.preset.windows[0][F::CropHEnd], std::optional<int>(0));
    }

    void commands_data()
    {
        QTest::addColumn<Edit>("editState");
        QTest::addColumn<Edit>("editTarget");
        QTest::addColumn<QStringList>("commands");
        const Edit none = [](Preset &) {};
        QTest::newRow("equal walls") << none << none << QStringList{};
        QTest::newRow("one picture value, shifted")
            << none << Edit([](Preset &p) { p.windows[1][picture("luminance")] = 0; })
            << QStringList{}; // already 0
        QTest::newRow("luminance -1024")
            << none << Edit([](Preset &p) { p.windows[1][picture("luminance")] = -1024; })
            << QStringList{"010b0000"};
        QTest::newRow("position and hue") << none << Edit([](Preset &p) {
            p.windows[0][F::X] = 100;
            p.windows[3][picture("hue")] = 10;
        }) << QStringList{"00010064", "030f00be"};
        QTest::newRow("unknown in the state is sent")
            << Edit([](Preset &p) { p.windows[2][F::CropHEnd].reset(); }) << none << QStringList{"02070000"};
        QTest::newRow("unknown in the target is left alone")
            << Edit([](Preset &p) { p.windows[2][F::IsShown] = 0; })
            << Edit([](Preset &p) { p.windows[2][F::IsShown].reset(); }) << QStringList{};
        QTest::newRow("new layout sends the geometry whole")
            << none << Edit([](Preset &p) { p.rows = p.columns = 2; })
            << QStringList{"0601000A", "00010000", "00020000", "00030780", "00040438", "01010780",
                           "01020000", "01030780", "01040438", "02010000", "02020438", "02030780",
                           "02040438", "03010780", "03020438", "03030780", "03040438"};
        QTest::newRow("stacking") << none << Edit([](Preset &p) {
            p.layers = std::array<int, 4>{4, 3, 2, 1};
        }) << QStringList{"04106420"};
        QTest::newRow("audio moves: one command") << none << Edit([](Preset &p) {
            p.windows[0][F::AudioEnabled] = 0;
            p.windows[2][F::AudioEnabled] = 1;
        }) << QStringList{"022e0002"};
        QTest::newRow("audio off") << none << Edit([](Preset &p) { p.windows[0][F::AudioEnabled] = 0; })
                                   << QStringList{"002e0004"};
        QTest::newRow("device-wide modes") << none << Edit([](Preset &p) {
            p.audioMode = AudioOutMode::Port1Only;
            p.videoGen = false;
        }) << QStringList{"040C0001", "040F0000"};
        QTest::newRow("a frozen window is changed, then frozen") << none << Edit([](Preset &p) {
            p.windows[1][F::IsFrozen] = 1;
            p.windows[1][F::IsColorSolid] = 1;
        }) << QStringList{"012a0001", "012c0001"};
        QTest::newRow("a frozen window is thawed first")
            << Edit([](Preset &p) { p.windows[1][F::IsFrozen] = 1; })
            << Edit([](Preset &p) { p.windows[1][F::ColorR] = 0; }) << QStringList{"012c0000", "01260000"};
        QTest::newRow("turn 90 to 270")
            << Edit([](Preset &p) { p.windows[0][F::Rotation] = 90; })
            << Edit([](Preset &p) { p.windows[0][F::Rotation] = 270; }) << QStringList{"00340001"};
        QTest::newRow("turn 90 back")
            << Edit([](Preset &p) { p.windows[0][F::Rotation] = 90; }) << none << QStringList{"00320000"};
        QTest::newRow("turn unknown back") << Edit([](Preset &p) { p.windows[3][F::Rotation].reset(); })
                                           << none << QStringList{"03320000", "03340000"};
    }
    void commands()
    {
        QFETCH(Edit, editState);
        QFETCH(Edit, editTarget);
        QFETCH(QStringList, commands);
        Preset state = fullPreset(), target = fullPreset();
        editState(state);
        editTarget(target);
        QCOMPARE(presetCommands(state, target), commands);
    }

    void aPartialPresetAgainstNothingSendsWhatItNames()
    {
        Preset target;
        target.windows[1][F::Width] = 960;
        target.windows[1][picture("panelGammaMode")] = 2;
        QCOMPARE(presetCommands(Preset{}, target), (QStringList{"010303c0", "01120002"}));
    }

    void differences()
    {
        Preset state = fullPreset(), target = fullPreset();
        target.windows[1][F::X] = 10;
        target.videoGen = false;
        state.windows[2][F::IsShown].reset();
        QVector<PresetDifference> d = presetDifferences(state, target, true);
        QCOMPARE(d.size(), 2);
        QCOMPARE(d[0].name, QStringLiteral("videoGen"));
        QCOMPARE(d[0].expected, QStringLiteral("false"));
        QCOMPARE(d[0].actual, QStringLiteral("true"));
        QCOMPARE(d[1].window, 1);
        QCOMPARE(d[1].name, QStringLiteral("x"));
        QCOMPARE(d[1].expected, QStringLiteral("10"));
        QCOMPARE(d[1].actual, QStringLiteral("1920"));
        d = presetDifferences(state, target, false);
        QCOMPARE(d.size(), 3);
        QCOMPARE(d[2].name, QStringLiteral("isShown"));
        QVERIFY(d[2].actual.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestPreset)
#include "tst_preset.moc"
