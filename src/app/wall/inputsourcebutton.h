#pragma once

#include "inputsourceinformation.h"

#include <QPushButton>

// One of the four input buttons beside the wall. Dragged with the left button
// and dropped on a window, it gives that window its source; it then jumps back
// home. On a button, inputSourceId is the source number 1..4.
class InputSourceButton : public QPushButton, public InputSourceInformation
{
    Q_OBJECT

public:
    explicit InputSourceButton(QWidget *parent = nullptr);

    void setHomePos(int x, int y) { homePos = QPoint(x, y); }

    // Picture size of the source, as the device reports it.
    int sourceWidth = 3840;
    int sourceHeight = 2160;
    QPoint dragStartPos;
    QPoint lastDragPos;
    bool isDragging = false;
    QPoint homePos;

signals:
    // The button's source number and the global position of the drop.
    void releaseMouseLeft(int InputSourceQPoint, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
