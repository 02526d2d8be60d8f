// How a window's state read from the processor lands in its record: every
// field reaches its own member, and the two readers differ where they must.
#include "windowstatusapply.h"

#include <QtTest>

using namespace w4;

using IntField = int WindowRecord::*;
using BoolField = bool WindowRecord::*;
Q_DECLARE_METATYPE(IntField)
Q_DECLARE_METATYPE(BoolField)
Q_DECLARE_METATYPE(w4::StatusOrigin)

namespace {

// Every value different, so a field copied into the wrong member shows.
WindowStatus distinctStatus()
{
    WindowStatus s;
    s.window = 2;
    s.contrastRatio = 101;
    s.luminance = -102;
    s.horizontalSharpness = 3;
    s.verticalSharpness = -4;
    s.saturability = 105;
    s.hue = -106;
    s.colorTemperature = 1;
    s.deGammaMode = 2;
    s.panelGammaMode = 3;
    s.horizontalFiltration = 1;
    s.verticalFiltration = 2;
    s.shadowFiltration = 3;
    s.blockFiltration = 0;
    s.noiseProcessing = 2;
    s.hairTreatment = 1;
    s.timer2p2 = 12;
    s.timer2p3 = 13;
    s.sensitivity = 4;
    s.diagonalCorrection = 3;
    s.blueCorrection = 1;
    s.greenCorrection = 2;
    s.skinCorrection = 4;
    s.cropHStart = 21;
    s.cropVStart = 22;
    s.horizontalMirrored = true;
    s.verticalMirrored = false;
    s.deinterlace = true;
    s.pullDown2p2 = false;
    s.pullDown2p3 = true;
    s.psf24Mode = true;
    s.isFrozen = true;
    s.isShown = false;
    s.audioEnabled = true;
    s.inputSource = 2;
    s.colorR = 10;
    s.colorG = 20;
    s.colorB = 30;
    s.rotation = 180;
    return s;
}

} // namespace

class TestWindowStatusApply : public QObject
{
    Q_OBJECT

private slots:
    void intFields_data()
    {
        QTest::addColumn<IntField>("field");
        QTest::addColumn<int>("expected");
        const WindowStatus s = distinctStatus();
        const QList<QPair<const char *, QPair<IntField, int>>> rows = {
            {"contrastRatio", {&WindowRecord::contrastRatio, s.contrastRatio}},
            {"luminance", {&WindowRecord::luminance, s.luminance}},
            {"horizontalSharpness", {&WindowRecord::horizontalSharpness, s.horizontalSharpness}},
            {"verticalSharpness", {&WindowRecord::verticalSharpness, s.verticalSharpness}},
            {"saturability", {&WindowRecord::saturability, s.saturability}},
            {"hue", {&WindowRecord::hue, s.hue}},
            {"colorTemperature", {&WindowRecord::colorTemperature, s.colorTemperature}},
            {"deGammaMode", {&WindowRecord::deGammaMode, s.deGammaMode}},
            {"panelGammaMode", {&WindowRecord::panelGammaMode, s.panelGammaMode}},
            {"horizontalFiltration", {&WindowRecord::horizontalFiltration, s.horizontalFiltration}},
            {"verticalFiltration", {&WindowRecord::verticalFiltration, s.verticalFiltration}},
            {"shadowFiltration", {&WindowRecord::shadowFiltration, s.shadowFiltration}},
            {"blockFiltration", {&WindowRecord::blockFiltration, s.blockFiltration}},
            {"noiseProcessing", {&WindowRecord::noiseProcessing, s.noiseProcessing}},
            {"hairTreatment", {&WindowRecord::hairTreatment, s.hairTreatment}},
            {"timer2p2", {&WindowRecord::timer2p2, s.timer2p2}},
            {"timer2p3", {&WindowRecord::timer2p3, s.timer2p3}},
            {"sensitivity", {&WindowRecord::sensitivity, s.sensitivity}},
            {"inputSourceId", {&WindowRecord::inputSourceId, s.inputSource}},
            {"savedInputSourceId", {&WindowRecord::savedInputSourceId, s.inputSource}},
            {"rotation", {&WindowRecord::rotation, 180}},
        };
        for (const auto &r : rows)
            QTest::newRow(r.first) << r.second.first << r.second.second;
    }
    void intFields()
    {
        QFETCH(IntField, field);
        QFETCH(int, expected);
        for (StatusOrigin origin : {StatusOrigin::Tcp, StatusOrigin::Udp}) {
            WindowRecord r(2);
            applyWindowStatus(r, distinctStatus(), origin);
            QCOMPARE(r.*field, expected);
        }
    }

    void boolFields_data()
    {
        QTest::addColumn<BoolField>("field");
        QTest::addColumn<bool>("expected");
        const WindowStatus s = distinctStatus();
        QTest::newRow("horizontalMirrored") << &WindowRecord::horizontalMirrored << s.horizontalMirrored;
        QTest::newRow("verticalMirrored") << &WindowRecord::verticalMirrored << s.verticalMirrored;
        QTest::newRow("deinterlace") << &WindowRecord::deinterlace << s.deinterlace;
        QTest::newRow("pullDown2p2") << &WindowRecord::pullDown2p2 << s.pullDown2p2;
        QTest::newRow("pullDown2p3") << &WindowRecord::pullDown2p3 << s.pullDown2p3;
        QTest::newRow("psf24Mode") << &WindowRecord::psf24Mode << s.psf24Mode;
        QTest::newRow("isFrozen") << &WindowRecord::isFrozen << s.isFrozen;
        QTest::newRow("isShown") << &WindowRecord::isShown << s.isShown;
        QTest::newRow("audioEnabled") << &WindowRecord::audioEnabled << s.audioEnabled;
        QTest::newRow("one rotation mark: 180") << &WindowRecord::rotation180 << true;
        QTest::newRow("one rotation mark: not 0") << &WindowRecord::rotation0 << false;
    }
    void boolFields()
    {
        QFETCH(BoolField, field);
        QFETCH(bool, expected);
        for (StatusOrigin origin : {StatusOrigin::Tcp, StatusOrigin::Udp}) {
            WindowRecord r(2);
            r.*field = !expected;
            applyWindowStatus(r, distinctStatus(), origin);
            QCOMPARE(r.*field, expected);
        }
    }

    // The fill colour: the frame's colour is the last one used, the current one
    // only while the fill is on; the datagram's colour is the current one, the
    // last one only while the fill is on. A solid window shows no source and
    // keeps its input under the fill.
    void fillColourAndSource_data()
    {
        QTest::addColumn<StatusOrigin>("origin");
        QTest::addColumn<bool>("solid");
        QTest::addColumn<int>("colorR");
        QTest::addColumn<int>("lastColorR");
        QTest::addColumn<int>("source");
        QTest::newRow("tcp, fill on") << StatusOrigin::Tcp << true << 10 << 10 << NoInputSource;
        QTest::newRow("tcp, fill off") << StatusOrigin::Tcp << false << 136 << 10 << 2;
        QTest::newRow("udp, fill on") << StatusOrigin::Udp << true << 10 << 10 << NoInputSource;
        QTest::newRow("udp, fill off") << StatusOrigin::Udp << false << 10 << 136 << 2;
    }
    void fillColourAndSource()
    {
        QFETCH(StatusOrigin, origin);
        QFETCH(bool, solid);
        QFETCH(int, colorR);
        QFETCH(int, lastColorR);
        QFETCH(int, source);
        WindowStatus s = distinctStatus();
        s.isColorSolid = solid;
        WindowRecord r(2);
        applyWindowStatus(r, s, origin);
        QCOMPARE(r.isColorSolid, solid);
        QCOMPARE(r.colorR, colorR);
        QCOMPARE(r.lastColorR, lastColorR);
        QCOMPARE(r.inputSourceId, source);
        QCOMPARE(r.savedInputSourceId, 2);
    }

    // The processor counts in at most 3840 x 2160; a wider or taller wall is
    // that space stretched, the same for both readers.
    void wallGeometryFromTheDeviceSpace_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QRectF>("device");
        QTest::addColumn<QRectF>("onWall");
        QTest::newRow("3840 x 2160: as reported")
            << QSizeF(3840, 2160) << QRectF(100, 50, 1200, 700) << QRectF(100, 50, 1200, 700);
        QTest::newRow("1 x 4: x and width doubled")
            << QSizeF(7680, 1080) << QRectF(1920, 540, 1600, 300) << QRectF(3840, 540, 3200, 300);
        QTest::newRow("1 x 9: x and width times 4.5")
            << QSizeF(17280, 1080) << QRectF(2000, 100, 400, 200) << QRectF(9000, 100, 1800, 200);
        QTest::newRow("4 x 1: y and height times 4")
            << QSizeF(1920, 8640) << QRectF(100, 2000, 800, 500) << QRectF(100, 8000, 800, 2000);
    }
    void wallGeometryFromTheDeviceSpace()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QRectF, device);
        QFETCH(QRectF, onWall);
        WindowStatus s;
        s.x = int(device.x());
        s.y = int(device.y());
        s.width = int(device.width());
        s.height = int(device.height());
        QCOMPARE(wallGeometryFromStatus(s, wall).sceneRect(), onWall);
    }

    // Only the frame carries the colour corrections and the crop start; a
    // rotation the device did not name leaves the record's.
    void whatOnlyTheFrameCarries()
    {
        WindowRecord tcp(2), udp(2);
        applyWindowStatus(tcp, distinctStatus(), StatusOrigin::Tcp);
        applyWindowStatus(udp, distinctStatus(), StatusOrigin::Udp);
        QCOMPARE(tcp.diagonalCorrection, 3);
        QCOMPARE(tcp.skinCorrection, 4);
        QCOMPARE(tcp.cropHStart, 21);
        QCOMPARE(tcp.cropVStart, 22);
        const WindowRecord fresh(2);
        QCOMPARE(udp.diagonalCorrection, fresh.diagonalCorrection);
        QCOMPARE(udp.skinCorrection, fresh.skinCorrection);
        QCOMPARE(udp.cropHStart, fresh.cropHStart);

        WindowStatus unnamed = distinctStatus();
        unnamed.rotation.reset();
        WindowRecord turned(2);
        setRotation(turned, 90);
        applyWindowStatus(turned, unnamed, StatusOrigin::Udp);
        QCOMPARE(turned.rotation, 90);
        QVERIFY(turned.rotation90);
    }
};

QTEST_APPLESS_MAIN(TestWindowStatusApply)
#include "tst_windowstatusapply.moc"
