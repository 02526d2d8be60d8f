// Arithmetic behind the control pages: division-mode geometry, the geometry and
// crop field checks, window feature transitions and the slider pairs.
#include "divisionmodes.h"
#include "pagefields.h"
#include "sliderpairs.h"
#include "windowfeatures.h"

#include <QtTest>

using namespace w4;

Q_DECLARE_METATYPE(w4::DivisionMode)
Q_DECLARE_METATYPE(w4::CropField)
Q_DECLARE_METATYPE(w4::CropRefusal)
Q_DECLARE_METATYPE(w4::GeometryField)

namespace {
// "x,y,w,h" of a shown window, "-" for a closed one.
QString describe(const DivisionWindow &w)
{
    if (!w.shown)
        return QStringLiteral("-");
    return QStringLiteral("%1,%2,%3,%4")
        .arg(w.pos.x())
        .arg(w.pos.y())
        .arg(w.size.width())
        .arg(w.size.height());
}
} // namespace

class TestPageCore : public QObject
{
    Q_OBJECT

private slots:
    void divisionModes_data()
    {
        QTest::addColumn<DivisionMode>("mode");
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<int>("current");

        const QSizeF big(3840, 2160);
        const QSizeF row(5760, 1080); // 1 x 3
        QTest::newRow("single 3840") << DivisionMode::Single << big << "04040000"
                                     << QStringList{"0,0,3840,2160", "-", "-", "-"} << 0;
        QTest::newRow("single 1x3") << DivisionMode::Single << row << "04040000"
                                    << QStringList{"0,0,5760,1080", "-", "-", "-"} << 0;
        QTest::newRow("left-right 3840") << DivisionMode::TwoLeftRight << big << "04050000"
                                         << QStringList{"0,0,1920,2160", "1920,0,1920,2160", "-", "-"} << 0;
        QTest::newRow("left-right 1x3") << DivisionMode::TwoLeftRight << row << "04050000"
                                        << QStringList{"0,0,2880,1080", "2880,0,2880,1080", "-", "-"} << 0;
        QTest::newRow("up-down 3840") << DivisionMode::TwoUpDown << big << "04060000"
                                      << QStringList{"0,0,3840,1080", "0,1080,3840,1080", "-", "-"} << 0;
        QTest::newRow("up-down 1x3") << DivisionMode::TwoUpDown << row << "04060000"
                                     << QStringList{"0,0,5760,540", "0,540,5760,540", "-", "-"} << 0;
        QTest::newRow("four 3840") << DivisionMode::Four << big << "04070000"
                                   << QStringList{"0,0,1920,1080", "1920,0,1920,1080", "0,1080,1920,1080",
                                                  "1920,1080,1920,1080"}
                                   << -1;
        QTest::newRow("four 1x3") << DivisionMode::Four << row << "04070000"
                                  << QStringList{"0,0,2880,540", "2880,0,2880,540", "0,540,2880,540",
                                                 "2880,540,2880,540"}
                                  << -1;
        QTest::newRow("one big one small 3840")
            << DivisionMode::OneBigOneSmall << big << "04120000"
            << QStringList{"1920,1080,1920,1080", "0,0,3840,2160", "-", "-"} << 0;
        QTest::newRow("one big one small 1x3")
            << DivisionMode::OneBigOneSmall << row << "04120000"
            << QStringList{"2880,540,2880,540", "0,0,5760,1080", "-", "-"} << 0;
        QTest::newRow("one big three small 3840")
            << DivisionMode::OneBigThreeSmall << big << "04130000"
            << QStringList{"2560,0,1280,720", "2560,720,1280,720", "2560,1440,1280,720", "0,0,3840,2160"}
            << 3;
        QTest::newRow("one big three small 1x3")
            << DivisionMode::OneBigThreeSmall << row << "04130000"
            << QStringList{"3840,0,1920,360", "3840,360,1920,360", "3840,720,1920,360", "0,0,5760,1080"} << 3;
    }

    void divisionModes()
    {
        QFETCH(DivisionMode, mode);
        QFETCH(QSizeF, wall);
        QFETCH(QString, command);
        QFETCH(QStringList, windows);
        QFETCH(int, current);
        const DivisionLayout l = divisionLayout(mode, wall);
        QCOMPARE(l.command, command);
        QStringList got;
        for (const DivisionWindow &w : l.windows)
            got << describe(w);
        QCOMPARE(got, windows);
        QCOMPARE(l.currentWindow, current);
    }

    // Thirds are kept unrounded: the item rectangle holds doubles.
    void divisionThirdsStayUnrounded()
    {
        const DivisionLayout l = divisionLayout(DivisionMode::OneBigThreeSmall, QSizeF(1920, 3240 + 1));
        QCOMPARE(l.windows[1].pos.y(), 3241.0 / 3);
        QCOMPARE(l.windows[0].size.height(), 3241.0 / 3);
    }

    void wallFit_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("fits");
        QTest::newRow("whole wall") << QRect(0, 0, 5760, 1080) << true;
        QTest::newRow("one pixel too wide") << QRect(1, 0, 5760, 1080) << false;
        QTest::newRow("one pixel too high") << QRect(0, 81, 1920, 1000) << false;
        QTest::newRow("empty at the corner") << QRect(5760, 1080, 0, 0) << true;
    }

    void wallFit()
    {
        QFETCH(QRect, window);
        QFETCH(bool, fits);
        QCOMPARE(windowFitsWall(window.x(), window.y(), window.width(), window.height(), QSize(5760, 1080)),
                 fits);
    }

    void geometryScaling_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<bool>("oneByOne");
        QTest::addColumn<GeometryField>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("device");
        QTest::newRow("x on 1 x 3") << QSizeF(5760, 1080) << false << GeometryField::PosX << 1920 << 1
                                    << 1280;
        QTest::newRow("width on 1 x 3")
            << QSizeF(5760, 1080) << false << GeometryField::Width << 5760 << 3 << 3840;
        QTest::newRow("y on 1 x 3 unscaled")
            << QSizeF(5760, 1080) << false << GeometryField::PosY << 1080 << 2 << 1080;
        QTest::newRow("y on 3 x 1") << QSizeF(1920, 3240) << false << GeometryField::PosY << 1080 << 2 << 720;
        QTest::newRow("height on 3 x 1")
            << QSizeF(1920, 3240) << false << GeometryField::Height << 3240 << 4 << 2160;
        QTest::newRow("y on 2 x 2 unscaled")
            << QSizeF(3840, 2160) << false << GeometryField::PosY << 1080 << 2 << 1080;
        QTest::newRow("1 x 1 keeps height")
            << QSizeF(3840, 3240) << true << GeometryField::Height << 3240 << 4 << 3240;
    }

    void geometryScaling()
    {
        QFETCH(QSizeF, wall);
        QFETCH(bool, oneByOne);
        QFETCH(GeometryField, field);
        QFETCH(int, value);
        QFETCH(int, code);
        QFETCH(int, device);
        QCOMPARE(geometryFieldCode(field), code);
        QCOMPARE(geometryDeviceValue(field, value, pageDeviceScale(wall, oneByOne)), device);
    }

    void cropRefusals_data()
    {
        QTest::addColumn<CropField>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<CropRefusal>("refusal");
        // Record crop (100, 50) .. (1800, 1000), source 1920 x 1080.
        QTest::newRow("h start below end") << CropField::HStart << 1799 << CropRefusal::None;
        QTest::newRow("h start equal to end") << CropField::HStart << 1800 << CropRefusal::StartNotBelowEnd;
        QTest::newRow("v start equal to end") << CropField::VStart << 1000 << CropRefusal::StartNotBelowEnd;
        QTest::newRow("v start below end") << CropField::VStart << 0 << CropRefusal::None;
        QTest::newRow("h end at source width") << CropField::HEnd << 1920 << CropRefusal::None;
        QTest::newRow("h end past source") << CropField::HEnd << 1921 << CropRefusal::EndBeyondSource;
        QTest::newRow("v end past source") << CropField::VEnd << 1081 << CropRefusal::EndBeyondSource;
        QTest::newRow("h end at its start") << CropField::HEnd << 100 << CropRefusal::StartNotBelowEnd;
        QTest::newRow("v end before its start") << CropField::VEnd << 10 << CropRefusal::StartNotBelowEnd;
    }

    void cropRefusals()
    {
        QFETCH(CropField, field);
        QFETCH(int, value);
        QFETCH(CropRefusal, refusal);
        WindowRecord r;
        r.cropHStart = 100;
        r.cropVStart = 50;
        r.cropHEnd = 1800;
        r.cropVEnd = 1000;
        QCOMPARE(cropFieldRefusal(field, value, r, QSize(1920, 1080)), refusal);
    }

    void cropFieldsMapToRecordAndCodes()
    {
        WindowRecord r;
        const CropField fields[] = {CropField::HStart, CropField::VStart, CropField::HEnd, CropField::VEnd};
        for (int i = 0; i < 4; ++i) {
            setCropField(r, fields[i], 10 + i);
            QCOMPARE(cropFieldCode(fields[i]), 5 + i);
        }
        QCOMPARE(QVector<int>({r.cropHStart, r.cropVStart, r.cropHEnd, r.cropVEnd}),
                 QVector<int>({10, 11, 12, 13}));
    }

    void flagChanges()
    {
        QCOMPARE(flagChange(2, false), std::optional<bool>(true));
        QCOMPARE(flagChange(0, true), std::optional<bool>(false));
        QCOMPARE(flagChange(2, true), std::nullopt);
        QCOMPARE(flagChange(0, false), std::nullopt);
        QCOMPARE(flagChange(1, false), std::nullopt);
        QCOMPARE(flagChange(1, true), std::nullopt);
    }

    // On takes the source away and brings the last colour back; off restores the
    // source and the default fill.
    void solidColorRoundTrip()
    {
        WindowRecord r;
        r.inputSourceId = 2;
        setFillColor(r, 10, 20, 30);
        QVERIFY(setSolidColor(r, true));
        QCOMPARE(r.inputSourceId, 4);
        QCOMPARE(r.savedInputSourceId, 2);
        QCOMPARE(QVector<int>({r.colorR, r.colorG, r.colorB}), QVector<int>({10, 20, 30}));
        QVERIFY(!setSolidColor(r, true));
        QCOMPARE(r.savedInputSourceId, 2);

        setFillColor(r, ColorChannel::Green, 99);
        QCOMPARE(r.lastColorG, 99);
        QVERIFY(setSolidColor(r, false));
        QCOMPARE(r.inputSourceId, 2);
        QCOMPARE(QVector<int>({r.colorR, r.colorG, r.colorB}), QVector<int>({136, 155, 177}));
        QCOMPARE(QVector<int>({r.lastColorR, r.lastColorG, r.lastColorB}), QVector<int>({10, 99, 30}));
        QVERIFY(!setSolidColor(r, false));
        QCOMPARE(colorCode(ColorChannel::Blue), 0x28);
    }

    void audioGoesToOneWindow()
    {
        std::array<WindowRecord, 4> w;
        for (int i = 0; i < 4; ++i)
            w[i].inputSourceId = 3 - i;
        const std::array<WindowRecord *, 4> p = {&w[0], &w[1], &w[2], &w[3]};
        w[0].audioEnabled = true;
        QCOMPARE(setAudio(p, 2, true), std::optional<int>(1));
        QCOMPARE(QVector<bool>({w[0].audioEnabled, w[1].audioEnabled, w[2].audioEnabled, w[3].audioEnabled}),
                 QVector<bool>({false, false, true, false}));
        QCOMPARE(setAudio(p, 2, true), std::nullopt);
        QCOMPARE(setAudio(p, 1, false), std::nullopt);
        QCOMPARE(setAudio(p, 2, false), std::optional<int>(4));
        QVERIFY(!w[2].audioEnabled);
        QCOMPARE(setAudio(p, 7, true), std::nullopt);

        // A solid colour hides the picture, not the sound of the input under it;
        // a window without an input has no sound to give and takes none away.
        w[1].isColorSolid = true;
        w[1].inputSourceId = 4;
        w[1].savedInputSourceId = 2;
        QCOMPARE(setAudio(p, 1, true), std::optional<int>(2));
        w[3].inputSourceId = 4;
        QCOMPARE(setAudio(p, 3, true), std::nullopt);
        QVERIFY(!w[3].audioEnabled);
        QVERIFY(w[1].audioEnabled);
    }

    // The values the device gets for the reset, in order.
    void pictureResetSendsDefaults()
    {
        QStringList sent;
        for (const PictureDefault &d : pictureResetSteps())
            sent << QStringLiteral("%1/%2")
                        .arg(pictureValueInfo(d.index).code, 2, 16, QLatin1Char('0'))
                        .arg(pictureValueToDevice(d.index, d.value), 4, 16, QLatin1Char('0'));
        QCOMPARE(sent,
                 QStringList({"0b/0400", "0a/0064", "0e/0064", "10/0000", "0f/00b4", "0c/000a", "0d/000a"}));
    }

    void sliderJump_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("left edge") << 0.0 << 201 << -1024 << 1024 << -1024;
        QTest::newRow("middle") << 100.5 << 201 << -1024 << 1024 << 0;
        QTest::newRow("right edge") << 201.0 << 201 << -1024 << 1024 << 1024;
        QTest::newRow("half rounds up") << 50.0 << 100 << 0 << 3 << 2; // 1.5 -> 2
        QTest::newRow("below half rounds down") << 49.0 << 100 << 0 << 3 << 1;
        QTest::newRow("left of the groove") << -30.0 << 100 << 0 << 15 << 0;
        QTest::newRow("right of the groove") << 500.0 << 100 << 0 << 15 << 15;
        QTest::newRow("no width") << 10.0 << 0 << -10 << 10 << -10;
    }

    void sliderJump()
    {
        QFETCH(double, x);
        QFETCH(int, width);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QCOMPARE(sliderJumpValue(x, width, minimum, maximum), value);
    }

    // One step per period goes out; the last step held back in a period goes
    // out when it ends, and starts another period.
    void throttleAdmitsOnePerPeriod()
    {
        SliderThrottle t;
        QVERIFY(t.admit(3, 1));
        QVERIFY(t.isActive());
        QVERIFY(!t.expire()); // nothing held: the throttle rests
        QVERIFY(!t.isActive());
        QVERIFY(t.admit(3, 1));
        QVERIFY(!t.admit(3, 1));
        QVERIFY(!t.admit(4, 2));
        const std::optional<SliderThrottle::Held> held = t.expire();
        QVERIFY(held);
        QCOMPARE(held->index, 4);
        QCOMPARE(held->window, 2);
        QVERIFY(t.isActive());
        QVERIFY(!t.admit(4, 2));
        t.reset();
        QVERIFY(!t.isActive());
        QVERIFY(!t.expire());
        QVERIFY(t.admit());
    }
};

QTEST_GUILESS_MAIN(TestPageCore)
#include "tst_pagecore.moc"
