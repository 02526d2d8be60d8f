// Window items on the wall under the mouse: handles, resizing, moving, frozen
// windows, picking among overlapping windows, and what the wall paints.
#include "appstate.h"
#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"
#include "wallfixture.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(w4::WindowGeometry)

class TestWallItems : public QObject
{
    Q_OBJECT

    WallFixture f;

    // Window 1 as a 400 x 300 window at (1000, 500), the view at scale 1 on it.
    InputChannel *smallWindow()
    {
        InputChannel *w = f.item(0);
        w->setWindowGeometry({QPointF(1000, 500), QSizeF(400, 300)});
        f.zoomToOne(QPointF(1200, 650));
        return w;
    }

private slots:
    void init() { f.setUp(); }
    void cleanup() { f.tearDown(); }

    void pressPicksHandleOrBody_data()
    {
        QTest::addColumn<QPointF>("itemPoint");
        QTest::addColumn<int>("region");
        QTest::newRow("top-left band") << QPointF(79, 79) << int(w4::HitTopLeft);
        QTest::newRow("just outside it") << QPointF(80, 80) << int(w4::HitBody);
        QTest::newRow("top-right") << QPointF(321, 79) << int(w4::HitTopRight);
        QTest::newRow("bottom-left") << QPointF(79, 221) << int(w4::HitBottomLeft);
        QTest::newRow("bottom-right") << QPointF(321, 221) << int(w4::HitBottomRight);
        QTest::newRow("bottom-right edge of band") << QPointF(320, 220) << int(w4::HitBody);
    }
    void pressPicksHandleOrBody()
    {
        QFETCH(QPointF, itemPoint);
        QFETCH(int, region);
        InputChannel *w = smallWindow();
        const QPoint p = f.at(w->mapToScene(itemPoint));
        sendMouse(f.view->viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(w->hitRegion, region);
        QCOMPARE(f.view->currentWindowIndex, 0);
        QVERIFY(!keyEditingEnabled);
        sendMouse(f.view->viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w->hitRegion, 0);
        QVERIFY(keyEditingEnabled);
        QVERIFY(w->isSelected()); // a click without a move selects
    }

    void hoverShowsTheHandleCursor_data()
    {
        QTest::addColumn<QPointF>("itemPoint");
        QTest::addColumn<int>("shape");
        QTest::newRow("top-left") << QPointF(40, 40) << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << QPointF(360, 260) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << QPointF(360, 40) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << QPointF(40, 260) << int(Qt::SizeBDiagCursor);
        QTest::newRow("body") << QPointF(200, 150) << int(Qt::ArrowCursor);
    }
    void hoverShowsTheHandleCursor()
    {
        QFETCH(QPointF, itemPoint);
        QFETCH(int, shape);
        InputChannel *w = smallWindow();
        w->setCursor(Qt::WaitCursor);
        // Enter, then move: the item hears a hover move at the second point.
        const QPoint p = f.at(w->mapToScene(itemPoint));
        sendMouse(f.view->viewport(), QEvent::MouseMove, p + QPoint(1, 1), Qt::NoButton, Qt::NoButton);
        sendMouse(f.view->viewport(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        QCOMPARE(int(w->cursor().shape()), shape);
    }

    void cornerDragResizes_data()
    {
        QTest::addColumn<QPointF>("grab");
        QTest::addColumn<QPointF>("cursor");
        QTest::addColumn<w4::WindowGeometry>("expected");
        QTest::newRow("bottom-right stops at 200 x 200")
            << QPointF(390, 290) << QPointF(900, 400) << w4::WindowGeometry{{1000, 500}, {200, 200}};
        QTest::newRow("bottom-right stops at the wall edge")
            << QPointF(390, 290) << QPointF(5000, 760) << w4::WindowGeometry{{1000, 500}, {2840, 260}};
        QTest::newRow("top-left keeps the bottom-right corner")
            << QPointF(10, 10) << QPointF(800, 300) << w4::WindowGeometry{{800, 300}, {600, 500}};
        QTest::newRow("top-left stops 200 before the far corner")
            << QPointF(10, 10) << QPointF(1390, 790) << w4::WindowGeometry{{1200, 600}, {200, 200}};
        QTest::newRow("top-right past the top of the wall")
            << QPointF(390, 10) << QPointF(1500, -300) << w4::WindowGeometry{{1000, 0}, {500, 800}};
    }
    void cornerDragResizes()
    {
        QFETCH(QPointF, grab);
        QFETCH(QPointF, cursor);
        QFETCH(w4::WindowGeometry, expected);
        InputChannel *w = smallWindow();
        const QPoint from = f.at(w->mapToScene(grab));
        // Through a middle point, as a hand would go.
        const QPointF middle = (w->mapToScene(grab) + cursor) / 2;
        drag(f.view->viewport(), from, {f.at(middle), f.at(cursor)});
        QCOMPARE(w->windowGeometry(), expected);
    }

    void bodyDragStopsAtTheWallEdge()
    {
        InputChannel *w = f.item(0); // 1920 x 1080 at (0, 0)
        f.zoomToOne(QPointF(960, 540));
        drag(f.view->viewport(), f.at(QPointF(960, 540)),
             {f.at(QPointF(2000, 1500)), f.at(QPointF(7000, 6000))});
        QCOMPARE(w->pos(), QPointF(1920, 1080));
        QCOMPARE(w->windowSize(), QSizeF(1920, 1080));
    }

    void frozenWindowStaysButBecomesCurrent()
    {
        InputChannel *w = smallWindow();
        w->isFrozen = true;
        QSignalSpy selected(w, &InputChannel::selectChannelEvent);
        drag(f.view->viewport(), f.at(QPointF(1390, 790)), {f.at(QPointF(1800, 1000))}); // corner
        drag(f.view->viewport(), f.at(QPointF(1200, 650)), {f.at(QPointF(1500, 900))});  // body
        QCOMPARE(w->windowGeometry(), (w4::WindowGeometry{{1000, 500}, {400, 300}}));
        QCOMPARE(selected.count(), 2);
        QCOMPARE(selected.last().at(0).toInt(), 1);
        QCOMPARE(f.view->currentWindowIndex, 0);
    }

    void pressIgnoredWhileKeysEdit()
    {
        InputChannel *w = smallWindow();
        mouseEditingEnabled = false;
        sendMouse(f.view->viewport(), QEvent::MouseButtonPress, f.at(QPointF(1200, 650)), Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(w->hitRegion, 0);
        QVERIFY(keyEditingEnabled);
        sendMouse(f.view->viewport(), QEvent::MouseButtonRelease, f.at(QPointF(1200, 650)), Qt::LeftButton,
                  Qt::NoButton);
    }

    void pickingPrefersTheTopLayerAndSkipsClosedWindows()
    {
        f.item(0)->setWindowGeometry({QPointF(0, 0), QSizeF(1000, 1000)});
        f.item(1)->setWindowGeometry({QPointF(500, 500), QSizeF(1000, 1000)});
        f.zoomToOne(QPointF(700, 700));
        const QPoint overlap = f.at(QPointF(700, 700));
        auto pickAt = [this](const QPoint &p) {
            sendMouse(f.view->viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            sendMouse(f.view->viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            return f.view->currentWindowIndex;
        };
        QCOMPARE(pickAt(overlap), 0);
        QVERIFY(f.scene->changeLayer(1, 1)); // window 2 to the top
        QCOMPARE(pickAt(overlap), 1);
        f.view->closeWindow(1);
        QCOMPARE(pickAt(overlap), 0);
        f.zoomToOne(QPointF(3000, 100));
        QCOMPARE(pickAt(f.at(QPointF(3000, 100))), -1); // empty wall
    }

    // ---- Painting ----

    void paintsFillSelectionAndGrid()
    {
        auto render = [this] {
            QImage image(1920, 1080, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            f.scene->render(&p, QRectF(0, 0, 1920, 1080), f.scene->sceneRect());
            return image;
        };
        auto near = [](QRgb a, QColor b) {
            return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 &&
                   qAbs(qBlue(a) - b.blue()) < 24;
        };
        // Dash colour along window 1's right edge (wall x 1920, image x 960).
        auto dashPixels = [&](const QImage &img) {
            int n = 0;
            for (int y = 60; y < 500; ++y)
                for (int x = 956; x <= 964; ++x)
                    n += near(img.pixel(x, y), QColor(0x67, 0xE3, 0xBA));
            return n;
        };

        f.item(3)->colorR = 300; // no fill
        QImage plain = render();
        QVERIFY(near(plain.pixel(50, 450), QColor(136, 155, 177)));  // window 1 interior
        QVERIFY(near(plain.pixel(1010, 1000), Qt::white));           // window 4 unfilled
        QVERIFY(near(plain.pixel(640, 300), QColor(136, 155, 177))); // no grid in 1 x 1
        QCOMPARE(dashPixels(plain), 0);

        // Window 2 shows source 1: its number in the window colour round the centre
        // (image 1440, 270); none without a source.
        auto numberPixels = [&](const QImage &img) {
            int n = 0;
            for (int y = 120; y < 420; ++y)
                for (int x = 1340; x < 1540; ++x)
                    n += near(img.pixel(x, y), InputChannel::windowColour(2));
            return n;
        };
        QVERIFY(numberPixels(plain) > 100);
        f.item(1)->inputSourceId = 4;
        QCOMPARE(numberPixels(render()), 0);
        // Nor under a solid colour, though its input is kept (a UDP read keeps it).
        f.item(1)->inputSourceId = 0;
        f.item(1)->isColorSolid = true;
        QCOMPARE(numberPixels(render()), 0);

        f.item(0)->setSelected(true);
        f.scene->setWallLayout(QStringLiteral("3x3"));
        QImage marked = render();
        QVERIFY(dashPixels(marked) > 20);
        QVERIFY(near(marked.pixel(640, 300), Qt::black)); // grid line x = 1280 over window 1
        QVERIFY(near(marked.pixel(300, 360), Qt::black)); // grid line y = 720
    }
};

QTEST_MAIN(TestWallItems)
#include "tst_wallitems.moc"
