#pragma once

#include "windowresize.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QObject>
#include <QTimer>
#include <QVector>

class InputChannel;

// The crop editor. Every source picture is shown as 3840 x 2160 editor units
// with a 75-unit margin; the rectangle item is the crop area grown by that
// margin, so its position is the crop start in editor units.
class SliceUpSizeItem : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    explicit SliceUpSizeItem(QGraphicsItem *parent = nullptr);

    QRectF boundingRect() const override { return outerRect; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Position and outer size in editor units; placing emits nothing.
    w4::WindowGeometry geometry() const { return {pos(), outerRect.size()}; }
    void placeCrop(const w4::WindowGeometry &g);
    void setOuterSize(const QSizeF &size);

    QRectF cropRect;
    QRectF outerRect;
    int hitRegion = 0;
    InputChannel *boundWindow = nullptr;
    QVector<QRectF> handleRects;
    QTimer signalTimer;
    bool signalBlocked = false;

signals:
    // mode 0 left, 1 top, 2 right, 3 bottom edge, 4 a corner or the whole area;
    // the area in editor units.
    void changeSliceUpData(int mode, int HStart = 0, int VStart = 0, int HEnd = 0, int VEnd = 0);

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    bool editable() const;
    void report(int mode);
    // A change the throttle held back; reported when the throttle ends, so the
    // last area of a drag always reaches the main window.
    int pendingMode = -1;
};

class SliceUpScene : public QGraphicsScene
{
    Q_OBJECT

public:
    SliceUpScene(qreal x, qreal y, qreal width, qreal height, QObject *parent = nullptr);

    void setResolution(int width, int height);

    QRectF editorRect;
    SliceUpSizeItem *cropItem = nullptr;
    int resolutionWidth = 3840;
    int resolutionHeight = 2160;

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
};

class SliceUpView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit SliceUpView(QWidget *parent = nullptr);

    // Shows the crop of `window` (nullptr: none) for a source of `resolution`
    // pixels: the resolution text, and the rectangle placed from the record.
    // Emits nothing.
    void bindWindow(InputChannel *window, const QSize &resolution);

    SliceUpScene *cropScene = nullptr;
};
