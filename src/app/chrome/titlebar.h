#pragma once

#include <QPoint>
#include <QWidget>

// A bar that moves the window it belongs to: a frameless window has no title
// bar of the system's, so this widget takes its place.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBar(QWidget *parent = nullptr);

    // The window moved, minimised and closed by the bar; at first the parent.
    QWidget *targetWindow() const { return target; }
    void setTargetWindow(QWidget *window) { target = window; }

    bool isDragging() const { return dragging; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QWidget *target;
    bool dragging = false;
    // Where the pointer grabbed the window, relative to the window's position.
    QPoint dragOffset;
};
