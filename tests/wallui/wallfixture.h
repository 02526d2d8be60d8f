#pragma once

#include "mainwindow.h"

#include <QPoint>
#include <QPointF>
#include <QStringList>

#include <memory>

class InputChannel;
class QComboBox;
class QWidget;
class ResolutionRatioScene;
class UserView;

// A main window with its wall, offline and with the send timer stopped, so a test
// reads what the wall queued straight from the send queue.
struct WallFixture
{
    void setUp();
    void tearDown();

    // Wall from the layout selectors (rows x columns), as the layout page does.
    void rebuild(int rows, int columns, const QString &layout = QString());
    // Scale 1 and the scene point in view: one viewport pixel per wall pixel.
    void zoomToOne(const QPointF &sceneCentre);
    QPoint at(const QPointF &scenePoint) const;

    QStringList queued() const;
    void clearQueue();

    std::unique_ptr<MainWindow> window;
    UserView *view = nullptr;
    ResolutionRatioScene *scene = nullptr;
    InputChannel *item(int index) const;
};

// Hand-built mouse events (QTest::mouseMove carries no buttons).
void sendMouse(QWidget *target, int type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press at `from`, move through `to` with the button held, release at the end.
void drag(QWidget *target, const QPoint &from, const QList<QPoint> &to,
          Qt::MouseButton button = Qt::LeftButton);
