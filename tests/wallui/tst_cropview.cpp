// The crop editor under the mouse: edge and body drags, the throttled report with
// its final value, and the conditions that lock it.
#include "appstate.h"
#include "cropeditor.h"
#include "devicesession.h"
#include "inputchannel.h"
#include "sessionstates.h"
#include "sliceupview.h"
#include "wallfixture.h"

#include <QtTest>

Q_DECLARE_METATYPE(w4::WindowGeometry)

class TestCropView : public QObject
{
    Q_OBJECT

    // The crop editor reads the links through the followed session.
    std::unique_ptr<w4::DeviceSession> session;
    std::unique_ptr<SliceUpView> view;
    std::unique_ptr<InputChannel> window;
    SliceUpSizeItem *item = nullptr;

    QPoint at(const QPointF &scenePoint) { return view->mapFromScene(scenePoint); }

private slots:
    void init()
    {
        resetAppState();
        session = std::make_unique<w4::DeviceSession>();
        followSession(session.get());
        session->goOffline();
        view = std::make_unique<SliceUpView>();
        view->resize(500, 400);
        view->resetTransform(); // one viewport pixel per editor unit
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        window = std::make_unique<InputChannel>(1);
        item = view->cropScene->cropItem;
        item->boundWindow = window.get();
    }
    void cleanup()
    {
        view.reset();
        window.reset();
        resetAppState();
        session.reset();
    }

    // The edge follows the cursor, not the point where the handle was grabbed;
    // a change the throttle held back is still reported when it ends.
    void rightEdgeDragReportsModeTwo()
    {
        QSignalSpy spy(item, &SliceUpSizeItem::changeSliceUpData);
        QWidget *vp = view->viewport();
        sendMouse(vp, QEvent::MouseButtonPress, at(QPointF(3915, 1155)), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(item->hitRegion, int(w4::CropRightEdge));
        sendMouse(vp, QEvent::MouseMove, at(QPointF(2990, 1155)), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first(), (QList<QVariant>{2, 0, 0, 2840, 2160}));

        sendMouse(vp, QEvent::MouseMove, at(QPointF(2500, 1300)), Qt::NoButton, Qt::LeftButton);
        sendMouse(vp, QEvent::MouseButtonRelease, at(QPointF(2500, 1300)), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(spy.count(), 1); // throttled
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.last(), (QList<QVariant>{2, 0, 0, 2350, 2160}));
        QCOMPARE(item->cropRect, QRectF(75, 75, 2350, 2160));
    }

    void cornerKeepsTheMinimumArea()
    {
        QSignalSpy spy(item, &SliceUpSizeItem::changeSliceUpData);
        drag(view->viewport(), at(QPointF(3915, 2235)), {at(QPointF(100, 100))});
        QCOMPARE(item->geometry(), (w4::WindowGeometry{{0, 0}, {200, 200}}));
        QCOMPARE(spy.first(), (QList<QVariant>{4, 0, 0, 50, 50}));
    }

    void bindingAWindowPlacesItsCrop_data()
    {
        QTest::addColumn<QSize>("resolution");
        QTest::addColumn<w4::WindowGeometry>("placed");
        QTest::newRow("4K source") << QSize(3840, 2160) << w4::WindowGeometry{{960, 540}, {2070, 1230}};
        QTest::newRow("source twice as wide")
            << QSize(7680, 2160) << w4::WindowGeometry{{480, 540}, {1110, 1230}};
    }
    void bindingAWindowPlacesItsCrop()
    {
        QFETCH(QSize, resolution);
        QFETCH(w4::WindowGeometry, placed);
        window->cropHStart = 960;
        window->cropVStart = 540;
        window->cropHEnd = 2880;
        window->cropVEnd = 1620;
        QSignalSpy spy(item, &SliceUpSizeItem::changeSliceUpData);
        view->bindWindow(window.get(), resolution);
        QCOMPARE(item->geometry(), placed);
        QCOMPARE(view->cropScene->resolutionWidth, resolution.width());
        QCOMPARE(item->boundWindow, window.get());
        QCOMPARE(spy.count(), 0);
    }

    void lockedEditorDoesNothing_data()
    {
        QTest::addColumn<bool>("serialOnly");
        QTest::addColumn<bool>("frozen");
        QTest::addColumn<QPointF>("grab");
        QTest::newRow("serial link only") << true << false << QPointF(3915, 1155);
        QTest::newRow("frozen window") << false << true << QPointF(3915, 1155);
        QTest::newRow("full picture cannot move") << false << false << QPointF(2000, 1155);
    }
    void lockedEditorDoesNothing()
    {
        QFETCH(bool, serialOnly);
        QFETCH(bool, frozen);
        QFETCH(QPointF, grab);
        if (serialOnly) {
            setLinksForTesting(session.get(), true, false);
            QVERIFY(serialConnected() && !offlineMode());
        }
        window->isFrozen = frozen;
        QSignalSpy spy(item, &SliceUpSizeItem::changeSliceUpData);
        drag(view->viewport(), at(grab), {at(grab - QPointF(700, 300)), at(grab - QPointF(900, 500))});
        QCOMPARE(item->geometry(), (w4::WindowGeometry{{0, 0}, {3990, 2310}}));
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestCropView)
#include "tst_cropview.moc"
