#include "viewmoves.h"

#include <QtTest>

using namespace w4;

namespace {

const QSizeF big(3840, 2160);

} // namespace

class TestWallMoves : public QObject
{
    Q_OBJECT

private slots:
    void keyStep_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("step");
        QTest::newRow("none") << int(Qt::NoModifier) << 10;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 100;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
        QTest::newRow("ctrl+shift: neither alone") << int(Qt::ControlModifier | Qt::ShiftModifier) << 10;
        QTest::newRow("alt") << int(Qt::AltModifier) << 10;
        QTest::newRow("ctrl on a keypad arrow") << int(Qt::ControlModifier | Qt::KeypadModifier) << 100;
        QTest::newRow("keypad arrow alone") << int(Qt::KeypadModifier) << 10;
    }
    void keyStep()
    {
        QFETCH(int, modifiers);
        QFETCH(int, step);
        QCOMPARE(w4::keyStep(Qt::KeyboardModifiers(modifiers)), step);
    }

    void arrowMove_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("step");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("deviceX");
        QTest::addColumn<int>("deviceY");
        // Shift+Right in a 1 x 4 wall: x 3001 goes out as trunc(0.5 * 3001) = 1500 = 0x05dc.
        QTest::newRow("shift+right, 1x4") << QSizeF(7680, 1080) << QPointF(3000, 0) << int(Qt::Key_Right) << 1
                                          << QPointF(3001, 0) << 0x05dc << 0;
        QTest::newRow("left stops at the wall")
            << big << QPointF(5, 40) << int(Qt::Key_Left) << 10 << QPointF(0, 40) << 0 << 40;
        QTest::newRow("down stops at the wall")
            << big << QPointF(0, 1000) << int(Qt::Key_Down) << 100 << QPointF(0, 1080) << 0 << 1080;
        QTest::newRow("up in a 3x1 wall") << QSizeF(1920, 3240) << QPointF(0, 1090) << int(Qt::Key_Up) << 10
                                          << QPointF(0, 1080) << 0 << 720;
        QTest::newRow("other key") << big << QPointF(7, 7) << int(Qt::Key_A) << 10 << QPointF(7, 7) << 7 << 7;
    }
    void arrowMove()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QPointF, from);
        QFETCH(int, key);
        QFETCH(int, step);
        QFETCH(QPointF, to);
        QFETCH(int, deviceX);
        QFETCH(int, deviceY);
        const WindowGeometry g = w4::arrowMove({from, QSizeF(1920, 1080)}, key, step, wall);
        QCOMPARE(g.pos, to);
        QCOMPARE(g.size, QSizeF(1920, 1080));
        const DeviceScale s = deviceScale(wall);
        QCOMPARE(toDevice(g.pos.x(), s.sx), deviceX);
        QCOMPARE(toDevice(g.pos.y(), s.sy), deviceY);
    }

    void resizeWindowBy_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QRectF>("from");
        QTest::addColumn<bool>("grow");
        QTest::addColumn<int>("step");
        QTest::addColumn<QRectF>("to");
        // dx = max(20, 38) = 38, dy = max(10, 21) = 21.
        QTest::newRow("page down 230")
            << big << QRectF(1000, 1000, 230, 230) << false << 10 << QRectF(1019, 1010, 192, 209);
        QTest::newRow("second page down: 200, no move")
            << big << QRectF(1019, 1010, 192, 209) << false << 10 << QRectF(1019, 1010, 200, 200);
        // Exactly 200 after the half step is not above 200: the side snaps to 200.
        QTest::newRow("page down at the boundary")
            << big << QRectF(500, 500, 219, 210) << false << 10 << QRectF(500, 500, 200, 200);
        QTest::newRow("page up") << big << QRectF(1000, 500, 400, 300) << true << 10
                                 << QRectF(981, 490, 438, 321);
        QTest::newRow("page up at the origin")
            << big << QRectF(0, 0, 400, 300) << true << 10 << QRectF(0, 0, 438, 321);
        QTest::newRow("page up stops at the right edge")
            << big << QRectF(3620, 500, 200, 200) << true << 10 << QRectF(3601, 490, 239, 221);
        QTest::newRow("page up fills the wall")
            << big << QRectF(0, 0, 3840, 2160) << true << 100 << QRectF(0, 0, 3840, 2160);
        // 1 x 4 wall: dx = max(20, 76) = 76, dy = max(10, 10) = 10.
        QTest::newRow("page down, wide wall")
            << QSizeF(7680, 1080) << QRectF(100, 100, 1000, 500) << false << 10 << QRectF(138, 105, 924, 490);
        QTest::newRow("ctrl page up")
            << big << QRectF(1000, 1000, 1000, 500) << true << 100 << QRectF(808, 892, 1384, 716);
    }
    void resizeWindowBy()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QRectF, from);
        QFETCH(bool, grow);
        QFETCH(int, step);
        QFETCH(QRectF, to);
        const WindowGeometry g = w4::resizeWindowBy({from.topLeft(), from.size()}, grow, step, wall);
        QCOMPARE(g.sceneRect(), to);
    }

    void snapToGrid_data()
    {
        QTest::addColumn<QSizeF>("wall");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QRectF>("from");
        QTest::addColumn<QRectF>("to");
        QTest::newRow("2x2 quarter") << big << "2x2" << QRectF(100, 100, 500, 500)
                                     << QRectF(0, 0, 1920, 1080);
        QTest::newRow("1x1 fills the wall")
            << big << "1x1" << QRectF(100, 100, 500, 500) << QRectF(0, 0, 3840, 2160);
        QTest::newRow("straddling a line takes both cells")
            << big << "3x3" << QRectF(1000, 700, 400, 100) << QRectF(0, 0, 2560, 1440);
        QTest::newRow("ending on a line does not spill")
            << big << "3x3" << QRectF(0, 0, 1280, 720) << QRectF(0, 0, 1280, 720);
        QTest::newRow("aligned cell stays")
            << big << "2x2" << QRectF(1920, 1080, 1920, 1080) << QRectF(1920, 1080, 1920, 1080);
        QTest::newRow("1x4 wall") << QSizeF(7680, 1080) << "1x4" << QRectF(2000, 0, 100, 1080)
                                  << QRectF(1920, 0, 1920, 1080);
        QTest::newRow("unknown layout: one screen")
            << big << "abc" << QRectF(10, 10, 10, 10) << QRectF(0, 0, 3840, 2160);
    }
    void snapToGrid()
    {
        QFETCH(QSizeF, wall);
        QFETCH(QString, layout);
        QFETCH(QRectF, from);
        QFETCH(QRectF, to);
        int rows = 0, columns = 0;
        parseLayoutName(layout, &rows, &columns);
        QCOMPARE(w4::snapToGrid({from.topLeft(), from.size()}, rows, columns, wall).sceneRect(), to);
    }

    void wheelZoom_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("delta");
        QTest::addColumn<double>("factor"); // 0: stopped
        QTest::newRow("in") << 0.2 << 120 << 1.05;
        QTest::newRow("in at 1.5") << 1.5 << 120 << 1.05;
        QTest::newRow("in beyond 1.5") << 1.51 << 120 << 0.0;
        QTest::newRow("out") << 0.2 << -120 << 1 / 1.05;
        QTest::newRow("out at 0.05") << 0.05 << -120 << 1 / 1.05;
        QTest::newRow("out below 0.05") << 0.049 << -120 << 0.0;
        QTest::newRow("zero delta zooms out") << 1.6 << 0 << 1 / 1.05;
        QTest::newRow("zero delta below 0.05") << 0.04 << 0 << 0.0;
    }
    void wheelZoom()
    {
        QFETCH(double, scale);
        QFETCH(int, delta);
        QFETCH(double, factor);
        double f = 0;
        QCOMPARE(wheelZoomStep(scale, delta, &f), factor != 0);
        QCOMPARE(f, factor);
    }

    // The drag report names the window the mouse holds and carries that window's
    // values, whichever window is current on the pages.
    void dragReportTargetsTheHeldWindow()
    {
        const std::array<WindowGeometry, 4> windows{{{QPointF(0, 0), QSizeF(1920, 1080)},
                                                     {QPointF(100, 0), QSizeF(500, 500)},
                                                     {QPointF(5760.9, 0.5), QSizeF(1001.7, 1080)},
                                                     {QPointF(0, 540), QSizeF(300, 300)}}};
        const int held = heldWindowIndex({HitNone, HitNone, HitBody, HitNone});
        QCOMPARE(held, 2);
        const GeometryReport r = geometryReport(held, windows[held], deviceScale(QSizeF(7680, 1080)));
        QCOMPARE(r.window, 2);
        QCOMPARE(QRect(r.rect.x, r.rect.y, r.rect.width, r.rect.height), QRect(2880, 0, 500, 1080));

        QCOMPARE(heldWindowIndex({HitNone, HitTopRight, HitBottomRight, HitNone}), 1);
        QCOMPARE(heldWindowIndex({HitNone, HitSnapped, HitNone, HitNone}), -1);
        QCOMPARE(heldWindowIndex({HitNone, HitNone, HitNone, HitNone}), -1);
    }
};

QTEST_APPLESS_MAIN(TestWallMoves)
#include "tst_wallmoves.moc"
