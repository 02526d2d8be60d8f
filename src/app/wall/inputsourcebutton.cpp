#include "inputsourcebutton.h"

#include "qtcompat.h"

#include <QMouseEvent>

InputSourceButton::InputSourceButton(QWidget *parent) : QPushButton(parent)
{
    setMouseTracking(true);
}

void InputSourceButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragStartPos = lastDragPos = globalPointOf(event);
        isDragging = true;
    }
    QPushButton::mousePressEvent(event);
}

void InputSourceButton::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && isDragging) {
        const QPoint cursor = globalPointOf(event);
        move(pos() + (cursor - lastDragPos));
        lastDragPos = cursor;
    }
    QPushButton::mouseMoveEvent(event);
}

void InputSourceButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isDragging) {
        isDragging = false;
        emit releaseMouseLeft(inputSourceId, globalPointOf(event));
        move(homePos);
    }
    QPushButton::mouseReleaseEvent(event);
}
