#include "sliceupview.h"

#include "appstate.h"
#include "cropeditor.h"
#include "inputchannel.h"

#include <QCursor>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace {

bool isHandle(int region)
{
    return region == w4::CropBottomRight || (region >= w4::CropTopLeft && region <= w4::CropBottomLeft) ||
           (region >= w4::CropTopEdge && region <= w4::CropRightEdge);
}

} // namespace

// ---- View and scene ----------------------------------------------------------------

SliceUpView::SliceUpView(QWidget *parent) : QGraphicsView(parent)
{
    setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing |
        QPainter::SmoothPixmapTransform); // high-quality antialiasing is plain antialiasing in Qt 5.15
    setTransformationAnchor(AnchorUnderMouse);
    setResizeAnchor(AnchorUnderMouse);
    setViewportUpdateMode(FullViewportUpdate);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setDragMode(RubberBandDrag);
    setContextMenuPolicy(Qt::CustomContextMenu);
    scale(0.038, 0.038);
    cropScene = new SliceUpScene(0, 0, w4::CropEditorWidth, w4::CropEditorHeight, this);
    setScene(cropScene);
}

void SliceUpView::bindWindow(InputChannel *window, const QSize &resolution)
{
    SliceUpSizeItem *item = cropScene->cropItem;
    item->boundWindow = window;
    cropScene->setResolution(resolution.width(), resolution.height());
    if (window)
        item->placeCrop(w4::cropItemGeometry(w4::cropAreaOf(window->record()), w4::sourceScale(resolution)));
}

SliceUpScene::SliceUpScene(qreal x, qreal y, qreal width, qreal height, QObject *parent)
    : QGraphicsScene(parent), editorRect(x, y, width, height)
{
    setSceneRect(editorRect);
    cropItem = new SliceUpSizeItem;
    cropItem->setOuterSize(editorRect.size());
    cropItem->setPos(0, 0);
    addItem(cropItem);
}

void SliceUpScene::setResolution(int width, int height)
{
    resolutionWidth = width;
    resolutionHeight = height;
    update();
}

void SliceUpScene::drawBackground(QPainter *painter, const QRectF &rect)
{
    QGraphicsScene::drawBackground(painter, rect);
    const qreal m = w4::CropEditorMargin;
    const QRectF picture(m, m, editorRect.width() - 2 * m, editorRect.height() - 2 * m);
    painter->setPen(QPen());
    painter->setBrush(QColor(0x88, 0x9B, 0xB1));
    painter->drawRect(picture);
    painter->setBrush(Qt::NoBrush);

    painter->setPen(QColor(0xF8, 0xF9, 0xFC));
    QFont font(QStringLiteral("微软雅黑"));
    const int size = int(editorRect.width() / 15);
    if (size > 0)
        font.setPointSize(size);
    painter->setFont(font);
    painter->drawText(picture, Qt::AlignLeft | Qt::AlignTop,
                      tr(" 分辨率： \n %1 x %2").arg(resolutionWidth).arg(resolutionHeight));
}

// ---- Crop rectangle ------------------------------------------------------------------

SliceUpSizeItem::SliceUpSizeItem(QGraphicsItem *parent)
    : QGraphicsItem(parent),
      cropRect(w4::CropEditorMargin, w4::CropEditorMargin, w4::CropPictureWidth, w4::CropPictureHeight),
      outerRect(0, 0, w4::CropEditorWidth, w4::CropEditorHeight)
{
    setFlags(ItemIsMovable | ItemIsSelectable | ItemIsFocusable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    handleRects = w4::cropHandleRects(outerRect.size());
    signalTimer.setInterval(100);
    connect(&signalTimer, &QTimer::timeout, this, [this] {
        signalTimer.stop();
        signalBlocked = false;
        if (pendingMode >= 0)
            report(pendingMode);
    });
}

void SliceUpSizeItem::setOuterSize(const QSizeF &size)
{
    if (size != outerRect.size()) {
        prepareGeometryChange();
        outerRect = QRectF(QPointF(0, 0), size);
    }
    const qreal m = w4::CropEditorMargin;
    cropRect = outerRect.adjusted(m, m, -m, -m);
    handleRects = w4::cropHandleRects(outerRect.size());
}

void SliceUpSizeItem::placeCrop(const w4::WindowGeometry &g)
{
    pendingMode = -1;
    setOuterSize(g.size);
    setPos(g.pos);
    update();
}

bool SliceUpSizeItem::editable() const
{
    // A serial link alone does not allow cropping; nor does a frozen window.
    if (!boundWindow || boundWindow->isFrozen)
        return false;
    return networkConnected() || offlineMode();
}

void SliceUpSizeItem::report(int mode)
{
    if (signalBlocked) {
        pendingMode = mode;
        return;
    }
    pendingMode = -1;
    const w4::CropArea a = w4::cropAreaFromItem(geometry());
    emit changeSliceUpData(mode, a.hStart, a.vStart, a.hEnd, a.vEnd);
    signalBlocked = true;
    signalTimer.start(100);
}

void SliceUpSizeItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    switch (w4::cropHandleAt(outerRect.size(), event->pos())) {
    case w4::CropBottomRight:
    case w4::CropTopLeft:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case w4::CropTopRight:
    case w4::CropBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case w4::CropTopEdge:
    case w4::CropBottomEdge:
        setCursor(Qt::SizeVerCursor);
        break;
    case w4::CropLeftEdge:
    case w4::CropRightEdge:
        setCursor(Qt::SizeHorCursor);
        break;
    default:
        setCursor(Qt::SizeAllCursor);
    }
    QGraphicsItem::hoverMoveEvent(event);
}

void SliceUpSizeItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (scene())
        scene()->clearSelection();
    if (event->button() == Qt::RightButton) {
        QGraphicsItem::mousePressEvent(event);
        return;
    }
    const int region = w4::cropHandleAt(outerRect.size(), event->pos());
    if (event->button() == Qt::LeftButton && region != w4::CropNone) {
        hitRegion = region;
        event->accept();
        return;
    }
    if (event->button() != Qt::NoButton && hitRegion == w4::CropNone) {
        hitRegion = w4::CropBody;
        event->accept();
        return;
    }
    QGraphicsItem::mousePressEvent(event);
}

void SliceUpSizeItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (!editable())
        return;
    const w4::CropDragResult drag = w4::cropDrag(hitRegion, geometry(), event->scenePos());
    if (drag.changed) {
        setOuterSize(drag.item.size);
        setPos(drag.item.pos);
        report(drag.mode);
    } else if (!isHandle(hitRegion)) {
        const QPointF before = pos();
        QGraphicsItem::mouseMoveEvent(event);
        if (pos() != before)
            report(w4::CropModeAll);
    }
    update();
}

void SliceUpSizeItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    hitRegion = w4::CropNone;
    QGraphicsItem::mouseReleaseEvent(event);
}

QVariant SliceUpSizeItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange)
        return w4::clampCropItemPosition(value.toPointF(), outerRect.size());
    return QGraphicsItem::itemChange(change, value);
}

void SliceUpSizeItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    handleRects = w4::cropHandleRects(outerRect.size());
    const qreal m = w4::CropEditorMargin;
    cropRect = outerRect.adjusted(m, m, -m, -m);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(Qt::NoBrush);
    if (isSelected()) {
        painter->setPen(QPen(Qt::red, 20, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawRect(cropRect);
        painter->setPen(QPen(Qt::red, 40, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        for (const QRectF &h : handleRects)
            painter->drawRect(h);
    } else {
        painter->setPen(QPen(Qt::black, 8, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawRect(cropRect);
    }
    painter->setOpacity(0.3);
    painter->setBrush(QColor(0xDA, 0xDD, 0xE2));
    painter->drawRect(cropRect);
    painter->setRenderHint(QPainter::Antialiasing, false);
}
