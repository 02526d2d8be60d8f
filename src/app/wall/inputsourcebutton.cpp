#include "inputsourcebutton.h"

#include <QMouseEvent>

InputSourceButton::InputSourceButton(QWidget *parent) : QPushButton(parent)
{
    setMouseTracking(true);
}

void InputSourceButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragStartPos = lastDragPos = event->globalPos();
        isDragging = true;
    }
    QPushButton::mousePressEvent(event);
}

void InputSourceButton::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && isDragging) {
        const QPoint cursor = event->globalPos();
        move(pos() + (cursor - lastDragPos));
        lastDragPos = cursor;
    }
    QPushButton::mouseMoveEvent(event);
}

void InputSourceButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isDragging) {
        isDragging = false;
        emit releaseMouseLeft(inputSourceId, event->globalPos());
        move(homePos);
    }
    QPushButton::mouseReleaseEvent(event);
}
