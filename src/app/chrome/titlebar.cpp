#include "titlebar.h"

#include "qtcompat.h"

#include <QMouseEvent>

TitleBar::TitleBar(QWidget *parent) : QWidget(parent), target(parent) {}

// Only the left button drags, but every press takes the offset, so a later
// left-button drag starts from where the pointer is and never jumps.
void TitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragging = true;
    if (target)
        dragOffset = globalPointOf(event) - target->pos();
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging && target)
        target->move(globalPointOf(event) - dragOffset);
}

void TitleBar::mouseReleaseEvent(QMouseEvent *)
{
    dragging = false;
}
