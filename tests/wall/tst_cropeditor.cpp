#include "cropeditor.h"

#include <QtTest>

using namespace w4;

namespace {

const WindowGeometry fullCrop{QPointF(0, 0), QSizeF(CropEditorWidth, CropEditorHeight)};

QRect asRect(const CropArea &a)
{
    return QRect(QPoint(a.hStart, a.vStart), QPoint(a.hEnd, a.vEnd));
}

} // namespace

class TestCropEditor : public QObject
{
    Q_OBJECT

private slots:
    void handleAt_data()
    {
        QTest::addColumn<QSizeF>("outer");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("region");
        const QSizeF full(3990, 2310);
        QTest::newRow("top-left, edge included") << full << QPointF(0, 0) << int(CropTopLeft);
        QTest::newRow("top-left inner edge") << full << QPointF(150, 150) << int(CropTopLeft);
        QTest::newRow("just inside the crop") << full << QPointF(151, 151) << int(CropNone);
        QTest::newRow("top-right") << full << QPointF(3900, 10) << int(CropTopRight);
        QTest::newRow("bottom-left") << full << QPointF(10, 2300) << int(CropBottomLeft);
        QTest::newRow("bottom-right far corner") << full << QPointF(3990, 2310) << int(CropBottomRight);
        QTest::newRow("top middle") << full << QPointF(1995, 0) << int(CropTopEdge);
        QTest::newRow("bottom middle") << full << QPointF(1995, 2310) << int(CropBottomEdge);
        QTest::newRow("left middle") << full << QPointF(0, 1155) << int(CropLeftEdge);
        QTest::newRow("right middle") << full << QPointF(3990, 1155) << int(CropRightEdge);
        QTest::newRow("middle of the picture") << full << QPointF(2000, 1000) << int(CropNone);
        QTest::newRow("beside the top handle") << full << QPointF(1919, 10) << int(CropNone);
        // Handles overlap on the smallest item: corners are tested first.
        QTest::newRow("small: corner over edge") << QSizeF(200, 200) << QPointF(160, 40) << int(CropTopRight);
    }
    void handleAt()
    {
        QFETCH(QSizeF, outer);
        QFETCH(QPointF, point);
        QFETCH(int, region);
        QCOMPARE(cropHandleAt(outer, point), region);
    }

    // Drags from the full-picture crop; `area` is what the editor reports.
    void drag_data()
    {
        QTest::addColumn<int>("region");
        QTest::addColumn<QPointF>("cursor");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("area");
        auto area = [](int hs, int vs, int he, int ve) { return QRect(QPoint(hs, vs), QPoint(he, ve)); };
        QTest::newRow("right edge to 2990")
            << int(CropRightEdge) << QPointF(2990, 1155) << int(CropModeRight) << area(0, 0, 2840, 2160);
        QTest::newRow("right edge at minimum")
            << int(CropRightEdge) << QPointF(100, 1155) << int(CropModeRight) << area(0, 0, 50, 2160);
        QTest::newRow("left edge") << int(CropLeftEdge) << QPointF(1000, 1155) << int(CropModeLeft)
                                   << area(1000, 0, 3840, 2160);
        QTest::newRow("left edge at minimum")
            << int(CropLeftEdge) << QPointF(3900, 1155) << int(CropModeLeft) << area(3790, 0, 3840, 2160);
        QTest::newRow("top edge") << int(CropTopEdge) << QPointF(1995, 500) << int(CropModeTop)
                                  << area(0, 500, 3840, 2160);
        QTest::newRow("top edge past minimum keeps the bottom")
            << int(CropTopEdge) << QPointF(1995, 2300) << int(CropModeTop) << area(0, 2110, 3840, 2160);
        QTest::newRow("bottom edge") << int(CropBottomEdge) << QPointF(1995, 1000) << int(CropModeBottom)
                                     << area(0, 0, 3840, 850);
        QTest::newRow("bottom edge beyond the editor")
            << int(CropBottomEdge) << QPointF(1995, 5000) << int(CropModeBottom) << area(0, 0, 3840, 2160);
        QTest::newRow("bottom-right corner")
            << int(CropBottomRight) << QPointF(2000, 1000) << int(CropModeAll) << area(0, 0, 1850, 850);
        QTest::newRow("top-left corner to the far side: 50 x 50")
            << int(CropTopLeft) << QPointF(3900, 2300) << int(CropModeAll) << area(3790, 2110, 3840, 2160);
    }
    void drag()
    {
        QFETCH(int, region);
        QFETCH(QPointF, cursor);
        QFETCH(int, mode);
        QFETCH(QRect, area);
        const CropDragResult r = cropDrag(region, fullCrop, cursor);
        QVERIFY(r.changed);
        QCOMPARE(r.mode, mode);
        QCOMPARE(asRect(cropAreaFromItem(r.item)), area);
    }

    // Dragging the top edge down past the minimum stops it 200 units above the
    // bottom; the bottom does not follow the cursor.
    void topEdgeStopsAboveTheBottom()
    {
        const WindowGeometry item{QPointF(0, 0), QSizeF(3990, 1000)};
        const CropDragResult r = cropDrag(CropTopEdge, item, QPointF(1995, 950));
        QVERIFY(r.changed);
        QCOMPARE(asRect(cropAreaFromItem(r.item)), QRect(QPoint(0, 800), QPoint(3840, 850)));
    }

    void bodyIsMovedByTheItemAndCannotLeave()
    {
        const CropDragResult r = cropDrag(CropBody, fullCrop, QPointF(500, 500));
        QVERIFY(!r.changed);
        QCOMPARE(r.mode, int(CropModeAll));
        QCOMPARE(clampCropItemPosition(QPointF(300, -40), fullCrop.size), QPointF(0, 0));
        QCOMPARE(clampCropItemPosition(QPointF(3000, 3000), QSizeF(1000, 1000)), QPointF(2990, 1310));
    }

    void areaRoundsUp()
    {
        const CropArea a = cropAreaFromItem({QPointF(10.2, 0.5), QSizeF(300.1, 400)});
        QCOMPARE(asRect(a), QRect(QPoint(11, 1), QPoint(161, 251)));
    }

    void editorToSource_data()
    {
        QTest::addColumn<QSize>("resolution");
        QTest::addColumn<QRect>("editor");
        QTest::addColumn<QRect>("source");
        const QRect dragged(QPoint(0, 0), QPoint(2840, 2160));
        QTest::newRow("4k source") << QSize(3840, 2160) << dragged << dragged;
        QTest::newRow("1080p source")
            << QSize(1920, 1080) << dragged << QRect(QPoint(0, 0), QPoint(1420, 1080));
        QTest::newRow("720p truncates") << QSize(1280, 720) << QRect(QPoint(1, 2), QPoint(2840, 2159))
                                        << QRect(QPoint(0, 0), QPoint(946, 719));
        QTest::newRow("no usable size") << QSize(0, 0) << dragged << dragged;
    }
    void editorToSource()
    {
        QFETCH(QSize, resolution);
        QFETCH(QRect, editor);
        QFETCH(QRect, source);
        const CropArea e{editor.left(), editor.top(), editor.right(), editor.bottom()};
        QCOMPARE(asRect(w4::editorToSource(e, sourceScale(resolution))), source);
    }

    void itemFromRecord_data()
    {
        QTest::addColumn<QSize>("resolution");
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<QRectF>("item");
        QTest::newRow("whole 4k picture")
            << QSize(3840, 2160) << QRect(QPoint(0, 0), QPoint(3840, 2160)) << QRectF(0, 0, 3990, 2310);
        QTest::newRow("whole 1080p picture")
            << QSize(1920, 1080) << QRect(QPoint(0, 0), QPoint(1920, 1080)) << QRectF(0, 0, 3990, 2310);
        QTest::newRow("middle of 1080p") << QSize(1920, 1080) << QRect(QPoint(480, 270), QPoint(1440, 810))
                                         << QRectF(960, 540, 2070, 1230);
        // Placed with its own size: a right-half crop is not pinned to the left.
        QTest::newRow("right half") << QSize(3840, 2160) << QRect(QPoint(1920, 0), QPoint(3840, 2160))
                                    << QRectF(1920, 0, 2070, 2310);
    }
    void itemFromRecord()
    {
        QFETCH(QSize, resolution);
        QFETCH(QRect, crop);
        QFETCH(QRectF, item);
        WindowRecord r;
        r.cropHStart = crop.left();
        r.cropVStart = crop.top();
        r.cropHEnd = crop.right();
        r.cropVEnd = crop.bottom();
        const SourceScale s = sourceScale(resolution);
        const WindowGeometry g = cropItemGeometry(cropAreaOf(r), s);
        QCOMPARE(g.sceneRect(), item);
        // Reporting the placed item gives the record's crop back.
        QCOMPARE(asRect(w4::editorToSource(cropAreaFromItem(g), s)), crop);
    }

    void applyByMode()
    {
        const CropArea a{1, 2, 3, 4};
        const int expected[5][4] = {
            {1, 0, 3840, 2160}, {0, 2, 3840, 2160}, {0, 0, 3, 2160}, {0, 0, 3840, 4}, {1, 2, 3, 4}};
        for (int mode = 0; mode <= 4; ++mode) {
            WindowRecord r;
            QVERIFY(applyEditorCrop(r, mode, a));
            QCOMPARE(r.cropHStart, expected[mode][0]);
            QCOMPARE(r.cropVStart, expected[mode][1]);
            QCOMPARE(r.cropHEnd, expected[mode][2]);
            QCOMPARE(r.cropVEnd, expected[mode][3]);
        }
        WindowRecord r;
        QVERIFY(!applyEditorCrop(r, 5, a));
        QVERIFY(!applyEditorCrop(r, -1, a));
        QCOMPARE(asRect(cropAreaOf(r)), QRect(QPoint(0, 0), QPoint(3840, 2160)));
    }
};

QTEST_APPLESS_MAIN(TestCropEditor)
#include "tst_cropeditor.moc"
