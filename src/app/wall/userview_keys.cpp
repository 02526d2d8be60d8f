// The wall view's keys, Page Up / Page Down resizing and double-click snapping.
#include "appstate.h"
#include "commands.h"
#include "inputchannel.h"
#include "resolutionratioscene.h"
#include "userview.h"
#include "viewmoves.h"

#include <QKeyEvent>
#include <QMouseEvent>

void UserView::keyPressEvent(QKeyEvent *event)
{
    mouseEditingEnabled = false;
    if (networkConnected() || serialConnected() || offlineMode()) {
        if (currentWindowIndex < 0 || currentWindowIndex > 3 || keyRepeatBlocked)
            QGraphicsView::keyPressEvent(event);
        else
            keyCommand(event->key(), w4::keyStep(event->modifiers()));
        emit changeRightMenuInfo();
    }
    mouseResumeTimer.start(500);
}

void UserView::queueLayerOrder()
{
    queueCommand(w4::layerOrderCommand(currentScene()->layers()));
}

void UserView::keyCommand(int key, int step)
{
    if (!keyEditingEnabled)
        return;
    InputChannel *item = currentWindow();
    // A frozen window is locked against every edit, as it is under the mouse
    // and on the pages.
    if (!item || item->isFrozen)
        return;
    ResolutionRatioScene *s = currentScene();
    const QSizeF wall = s->wallSize();
    const w4::DeviceScale ds = wallDeviceScale();
    const int ww = currentWindowIndex;

    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        item->setPos(w4::arrowMove(item->windowGeometry(), key, step, wall).pos);
        const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
        queueCommand(horizontal ? w4::windowParameterCommand(ww, 0x01, w4::toDevice(item->x(), ds.sx))
                                : w4::windowParameterCommand(ww, 0x02, w4::toDevice(item->y(), ds.sy)));
        break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        resizeWindowBy(key == Qt::Key_PageUp ? 1 : 0, step);
        const w4::DeviceRect r = w4::toDeviceRect(item->pos(), item->windowSize(), ds, false);
        queueCommand(w4::geometryCommand(ww, r.x, r.y, r.width, r.height));
        break;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_T:
        s->changeLayer(ww, key == Qt::Key_Home ? 2 : key == Qt::Key_End ? 3 : 1);
        queueLayerOrder();
        break;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        if (!item->isColorSolid) {
            item->inputSourceId = key - Qt::Key_1;
            queueCommand(w4::windowParameterCommand(ww, 0x2d, item->inputSourceId));
        }
        break;
    case Qt::Key_R:
        if (!item->isColorSolid)
            rotateByKey(item);
        break;
    default:
        return;
    }
    item->update();
    keyRepeatBlocked = true;
    keyRepeatTimer.start(40);
}

void UserView::rotateByKey(InputChannel *item)
{
    const std::optional<w4::RotationStep> step =
        w4::rotationKeyStep(currentWindowIndex, item->record().rotation);
    if (!step)
        return;
    for (const QString &command : step->commands)
        queueCommand(command);
    w4::setRotation(item->record(), step->rotation);
}

void UserView::resizeWindowBy(int grow, int step)
{
    InputChannel *item = currentWindow();
    if (!item)
        return;
    item->setWindowGeometry(
        w4::resizeWindowBy(item->windowGeometry(), grow == 1, step, currentScene()->wallSize()));
    viewport()->update();
}

void UserView::snapCurrentWindow()
{
    InputChannel *item = currentWindow();
    ResolutionRatioScene *s = currentScene();
    item->hitRegion = w4::HitSnapped;
    int rows = 1, columns = 1;
    w4::parseLayoutName(s->currentLayoutName, &rows, &columns);
    item->setWindowGeometry(w4::snapToGrid(item->windowGeometry(), rows, columns, s->wallSize()));
    const w4::DeviceRect r = w4::toDeviceRect(item->pos(), item->windowSize(), wallDeviceScale(), true);
    queueCommand(w4::geometryCommand(currentWindowIndex, r.x, r.y, r.width, r.height));
}

void UserView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (networkConnected() || serialConnected() || offlineMode()) {
        if (currentWindowIndex < 0 || currentWindowIndex > 3)
            return;
        if (!currentWindow()->isFrozen)
            snapCurrentWindow();
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}
