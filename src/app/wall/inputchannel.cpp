#include "inputchannel.h"

#include "appstate.h"
#include "qtcompat.h"
#include "wallgeometry.h"

#include <QAccessible>
#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

bool linkOrOffline()
{
    return networkConnected() || serialConnected() || offlineMode();
}

QPen strokePen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(colour, width, style, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

InputChannel::InputChannel(int channel, QGraphicsItem *parent)
    : QGraphicsItem(parent), InputSourceInformation(channel)
{
    setFlags(ItemIsSelectable | ItemIsFocusable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    setZValue(w4::zValueForLayer(layer));
}

QColor InputChannel::windowColour(int channelId)
{
    switch (channelId) {
    case 1:
        return QColor(0xC8, 0x48, 0xB9);
    case 2:
        return QColor(0xF9, 0x62, 0xA7);
    case 3:
        return QColor(0xFD, 0x83, 0x6D);
    case 4:
        return QColor(0xFF, 0xBA, 0x69);
    default:
        return QColor(0xF8, 0xF9, 0xFC);
    }
}

int InputChannel::shownInput() const
{
    return !isColorSolid && inputSourceId >= 0 && inputSourceId < 4 ? inputSourceId : -1;
}

QString InputChannel::accessibleText() const
{
    const int input = shownInput();
    return input < 0 ? tr("窗口 %1，无输入").arg(channelId)
                     : tr("窗口 %1，输入 %2").arg(channelId).arg(input + 1);
}

// The input changes in many places (keys, menus, pages, read-backs) and each
// ends in a repaint, as does a change of language (the view repaints the wall):
// the repaint is where a reader hears of a new text.
void InputChannel::announceAccessibleText()
{
    // Painting is frequent (every step of a drag); with no reader listening
    // there is no one to tell.
    if (!QAccessible::isActive())
        return;
    const QString text = accessibleText();
    if (text == announcedText)
        return;
    announcedText = text;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QRectF InputChannel::boundingRect() const
{
    return windowRect;
}

void InputChannel::showItem()
{
    setVisible(true);
    isOpen = true;
    isShown = true;
}

void InputChannel::hideItem()
{
    setVisible(false);
    isOpen = false;
    isShown = false;
}

int InputChannel::regionAt(const QPointF &p) const
{
    return w4::regionAt(windowRect, p);
}

void InputChannel::setWindowSize(const QSizeF &size)
{
    if (size == windowRect.size())
        return;
    prepareGeometryChange();
    windowRect = QRectF(QPointF(0, 0), size);
}

void InputChannel::setWindowGeometry(const w4::WindowGeometry &g)
{
    setWindowSize(g.size);
    setPos(g.pos);
}

void InputChannel::setLayer(int level)
{
    layer = level;
    setZValue(w4::zValueForLayer(level));
}

QSizeF InputChannel::wallSize() const
{
    return scene() ? scene()->sceneRect().size() : QSizeF();
}

// ---- Painting ----------------------------------------------------------------

void InputChannel::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = windowRect;
    painter->setRenderHint(QPainter::Antialiasing, true);

    auto inByte = [](int v) { return v >= 0 && v <= 255; };
    if (inByte(colorR) && inByte(colorG) && inByte(colorB))
        painter->setBrush(QColor(colorR, colorG, colorB));
    else
        painter->setBrush(Qt::NoBrush);
    painter->setPen(strokePen(QColor(0xFF, 0xAD, 0x60), 5));
    painter->drawRect(r);
    painter->setBrush(Qt::NoBrush);

    if (isSelected())
        paintSelection(painter, r);
    paintNumberAndCaption(painter, r);

    painter->setRenderHint(QPainter::Antialiasing, false);
    setZValue(w4::zValueForLayer(layer));
    announceAccessibleText();
}

void InputChannel::paintSelection(QPainter *painter, const QRectF &r) const
{
    painter->setPen(strokePen(QColor(0x67, 0xE3, 0xBA), 10, Qt::DashLine));
    painter->drawRect(r);
    const qreal x = r.x(), y = r.y(), w = r.width(), h = r.height();
    auto line = [painter](qreal x1, qreal y1, qreal x2, qreal y2) {
        painter->drawLine(QLine(int(x1), int(y1), int(x2), int(y2)));
    };
    for (int d : {80, 65, 50, 35, 20}) {
        line(x, y + d, x + d, y);
        line(x + w - d, y, x + w, y + d);
        line(x, y + h - d, x + d, y + h);
        line(x + w - d, y + h, x + w, y + h - d);
    }
}

void InputChannel::paintNumberAndCaption(QPainter *painter, const QRectF &r)
{
    const qreal w = r.width(), h = r.height();
    const QColor colour = windowColour(channelId);
    painter->setPen(QColor(0xF8, 0xF9, 0xFC));
    caption = QStringLiteral(" Win %1\n").arg(channelId);
    // A solid colour covers the picture, whichever input lies under it.
    const int input = shownInput();
    if (input >= 0) {
        const int numberSize = int(std::min(w / 2, h / 2));
        if (numberSize > 0) {
            painter->save();
            painter->translate(r.center());
            painter->rotate(record().rotation);
            painter->setPen(colour);
            QFont font(QStringLiteral("Arial"));
            font.setPointSize(numberSize);
            painter->setFont(font);
            painter->drawText(QRectF(-w / 2, -h / 2, w, h), Qt::AlignCenter, QString::number(input + 1));
            painter->restore();
        }
    }
    const int captionSize = int(std::min(w / 18, h / 18));
    if (captionSize > 0) {
        painter->setPen(colour);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(captionSize);
        setQt5Weight(font, 15);
        painter->setFont(font);
        painter->drawText(QRectF(r.x() + 10, r.y() + 20, w - 10, h - 20), Qt::AlignLeft | Qt::AlignTop,
                          caption);
    }
}

// ---- Mouse -------------------------------------------------------------------

void InputChannel::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    switch (regionAt(event->pos())) {
    case w4::HitBottomRight:
    case w4::HitTopLeft:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case w4::HitTopRight:
    case w4::HitBottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
    }
    QGraphicsItem::hoverMoveEvent(event);
}

void InputChannel::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (!mouseEditingEnabled) {
        event->ignore();
        return;
    }
    keyEditingEnabled = false;
    if (!linkOrOffline())
        return;
    if (scene())
        scene()->clearSelection();

    if (event->button() == Qt::RightButton) {
        QGraphicsItem::mousePressEvent(event);
        return;
    }
    const int region = regionAt(event->pos());
    if (event->button() == Qt::LeftButton && region != w4::HitNone) {
        hitRegion = region;
        event->accept();
        return;
    }
    if (event->button() != Qt::NoButton) {
        hitRegion = w4::HitBody;
        event->accept();
        return;
    }
    QGraphicsItem::mousePressEvent(event);
}

void InputChannel::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (!mouseEditingEnabled || isFrozen || !linkOrOffline())
        return;

    bool changed = false;
    const w4::WindowGeometry g =
        w4::cornerResize(hitRegion, windowGeometry(), event->scenePos(), wallSize(), &changed);
    if (changed) {
        setWindowGeometry(g);
    } else if (!w4::isHeldRegion(hitRegion) || hitRegion == w4::HitBody) {
        QGraphicsItem::mouseMoveEvent(event);
    }
    update();
}

void InputChannel::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (!mouseEditingEnabled) {
        // A key paused the mouse during the drag. The button is up all the same:
        // the window must not stay held (the view would report it forever) and
        // the keys must work again.
        if (hitRegion != w4::HitNone) {
            hitRegion = w4::HitNone;
            keyEditingEnabled = true;
        }
        return;
    }
    keyEditingEnabled = true;
    emit updateCurrentChange();
    hitRegion = w4::HitNone;
    QGraphicsItem::mouseReleaseEvent(event);
    emit selectChannelEvent(channelId);
}

QVariant InputChannel::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange && scene())
        return w4::clampWindowPosition(value.toPointF(), windowRect.size(), wallSize());
    return QGraphicsItem::itemChange(change, value);
}
