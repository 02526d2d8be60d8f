#include "windowresize.h"

#include <QtTest>

using namespace w4;

Q_DECLARE_METATYPE(WindowGeometry)

namespace {

const QSizeF wall(3840, 2160);

} // namespace

class TestWindowResize : public QObject
{
    Q_OBJECT

private slots:
    void regionAt_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("region");
        const QRectF r(0, 0, 400, 300);
        QTest::newRow("(79, 79) top-left") << r << QPointF(79, 79) << int(HitTopLeft);
        QTest::newRow("(80, 80) body") << r << QPointF(80, 80) << int(HitNone);
        QTest::newRow("corner point itself") << r << QPointF(0, 0) << int(HitNone);
        QTest::newRow("on the left edge") << r << QPointF(0, 40) << int(HitNone);
        QTest::newRow("on the bottom edge") << r << QPointF(399, 300) << int(HitNone);
        QTest::newRow("top-right") << r << QPointF(321, 1) << int(HitTopRight);
        QTest::newRow("top-right band edge") << r << QPointF(320, 1) << int(HitNone);
        QTest::newRow("bottom-left") << r << QPointF(1, 221) << int(HitBottomLeft);
        QTest::newRow("bottom-right") << r << QPointF(399.5, 299.5) << int(HitBottomRight);
        QTest::newRow("outer corner") << r << QPointF(400, 300) << int(HitNone);
        QTest::newRow("middle") << r << QPointF(200, 150) << int(HitNone);
        // Bands overlap on a small window: left and top win.
        QTest::newRow("small window") << QRectF(0, 0, 100, 100) << QPointF(50, 50) << int(HitTopLeft);
        QTest::newRow("small window, right")
            << QRectF(0, 0, 100, 100) << QPointF(90, 90) << int(HitBottomRight);
    }
    void regionAt()
    {
        QFETCH(QRectF, rect);
        QFETCH(QPointF, point);
        QFETCH(int, region);
        QCOMPARE(w4::regionAt(rect, point), region);
    }

    void cornerResize_data()
    {
        QTest::addColumn<int>("region");
        QTest::addColumn<QPointF>("cursor");
        QTest::addColumn<QRectF>("result");
        // A 400 x 300 window at (1000, 500): right 1400, bottom 800.
        QTest::newRow("bottom-right stops at 200")
            << int(HitBottomRight) << QPointF(1050, 520) << QRectF(1000, 500, 200, 200);
        QTest::newRow("bottom-right stops at wall edge")
            << int(HitBottomRight) << QPointF(5000, 900) << QRectF(1000, 500, 2840, 400);
        QTest::newRow("bottom-right below wall")
            << int(HitBottomRight) << QPointF(1500, 9000) << QRectF(1000, 500, 500, 1660);
        QTest::newRow("top-left grows, far corner fixed")
            << int(HitTopLeft) << QPointF(900, 400) << QRectF(900, 400, 500, 400);
        QTest::newRow("top-left shrinks to 200")
            << int(HitTopLeft) << QPointF(1350, 700) << QRectF(1200, 600, 200, 200);
        QTest::newRow("top-left past the wall corner")
            << int(HitTopLeft) << QPointF(-50, -50) << QRectF(0, 0, 1400, 800);
        QTest::newRow("top-right") << int(HitTopRight) << QPointF(1600, 450) << QRectF(1000, 450, 600, 350);
        QTest::newRow("top-right shrinks to 200")
            << int(HitTopRight) << QPointF(1010, 790) << QRectF(1000, 600, 200, 200);
        QTest::newRow("bottom-left") << int(HitBottomLeft) << QPointF(950, 900) << QRectF(950, 500, 450, 400);
        QTest::newRow("bottom-left shrinks to 200")
            << int(HitBottomLeft) << QPointF(1390, 510) << QRectF(1200, 500, 200, 200);
    }
    void cornerResize()
    {
        QFETCH(int, region);
        QFETCH(QPointF, cursor);
        QFETCH(QRectF, result);
        const WindowGeometry g{QPointF(1000, 500), QSizeF(400, 300)};
        bool changed = false;
        const WindowGeometry out = w4::cornerResize(region, g, cursor, wall, &changed);
        QVERIFY(changed);
        QCOMPARE(out.sceneRect(), result);
    }

    // The body and unknown regions are not resized here.
    void otherRegionsLeaveTheWindow()
    {
        const WindowGeometry g{QPointF(1000, 500), QSizeF(400, 300)};
        for (int region : {int(HitNone), int(HitBody), 3, int(HitSnapped)}) {
            bool changed = true;
            QCOMPARE(w4::cornerResize(region, g, QPointF(0, 0), wall, &changed), g);
            QVERIFY(!changed);
        }
    }

    void clampPosition_data()
    {
        QTest::addColumn<QPointF>("proposed");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QPointF>("result");
        QTest::newRow("past bottom-right")
            << QPointF(3000, 2000) << QSizeF(1920, 1080) << QPointF(1920, 1080);
        QTest::newRow("at the limit") << QPointF(1920, 1080) << QSizeF(1920, 1080) << QPointF(1920, 1080);
        QTest::newRow("left of the wall") << QPointF(-5, 10) << QSizeF(1920, 1080) << QPointF(0, 10);
        QTest::newRow("each axis alone") << QPointF(100, -3000) << QSizeF(1920, 1080) << QPointF(100, 0);
        QTest::newRow("wider than the wall") << QPointF(50, 50) << QSizeF(5000, 100) << QPointF(0, 50);
    }
    void clampPosition()
    {
        QFETCH(QPointF, proposed);
        QFETCH(QSizeF, size);
        QFETCH(QPointF, result);
        QCOMPARE(clampWindowPosition(proposed, size, wall), result);
    }
};

QTEST_APPLESS_MAIN(TestWindowResize)
#include "tst_windowresize.moc"
