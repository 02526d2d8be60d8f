#pragma once

#include "inputsourceinformation.h"
#include "windowresize.h"

#include <QColor>
#include <QGraphicsItem>
#include <QObject>

// One of the four output windows on the wall. The item's position is the
// window's top-left corner on the wall; its rectangle (windowRect, x = y = 0) is
// the window's size. It carries the window's whole record, which the pages, the
// status read-back and the menus read and write through it.
class InputChannel : public QObject, public QGraphicsItem, public InputSourceInformation
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    explicit InputChannel(int channel, QGraphicsItem *parent = nullptr);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Open (visible, hit by the view) or closed.
    void showItem();
    void hideItem();

    // Corner handle under a point in item coordinates (w4::HitRegion).
    int regionAt(const QPointF &p) const;

    // Geometry in wall pixels. Use these rather than writing windowRect: the
    // scene must hear of a size change before it happens, and the position is
    // kept inside the wall with the new size.
    QSizeF windowSize() const { return windowRect.size(); }
    void setWindowSize(const QSizeF &size);
    w4::WindowGeometry windowGeometry() const { return {pos(), windowRect.size()}; }
    void setWindowGeometry(const w4::WindowGeometry &g);

    // Stacking level 1..4 with its z value.
    void setLayer(int level);

    static QColor windowColour(int channelId);

    // The input whose number the window shows: 0..3, or -1 for none (no input,
    // or one hidden under a solid colour).
    int shownInput() const;
    // What a screen reader announces for the window: its number and that input,
    // in the language in force.
    QString accessibleText() const;

    bool adaptiveFill = true;
    bool isOpen = true;
    int hitRegion = w4::HitNone;
    QString caption;

signals:
    void selectChannelEvent(int channelID);
    void updateCurrentChange();

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    QSizeF wallSize() const;
    void paintSelection(QPainter *painter, const QRectF &r) const;
    void paintNumberAndCaption(QPainter *painter, const QRectF &r);
    void announceAccessibleText();

    QString announcedText;
};
