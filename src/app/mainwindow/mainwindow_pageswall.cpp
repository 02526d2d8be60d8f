#include "mainwindow_pageswall.h"

#include "commands.h"
#include "mainwindow.h"
#include "wallgeometry.h"
#include "walllayers.h"

namespace {
bool isWindow(int window)
{
    return window >= 0 && window < 4;
}
} // namespace

PagesWall::PagesWall(MainWindow *owner) : QObject(owner), owner(owner)
{
    for (int i = 0; i < 4; ++i) {
        records[i] = w4::WindowRecord(i + 1);
        records[i].windowRect = QRectF(0, 0, wall.width() / 2, wall.height() / 2);
        positions[i] = w4::defaultWindowPosition(i, wall);
    }
}

w4::WindowRecord *PagesWall::record(int window)
{
    return isWindow(window) ? &records[window] : nullptr;
}

QPointF PagesWall::position(int window) const
{
    return isWindow(window) ? positions[window] : QPointF();
}

void PagesWall::setPosition(int window, const QPointF &pos)
{
    if (isWindow(window))
        positions[window] = pos;
}

void PagesWall::setSize(int window, const QSizeF &size)
{
    if (isWindow(window))
        records[window].windowRect = QRectF(QPointF(0, 0), size);
}

void PagesWall::redraw(int) {}

QSizeF PagesWall::wallSize() const
{
    return wall;
}

QString PagesWall::layoutName() const
{
    return layout;
}

void PagesWall::setLayoutName(const QString &name)
{
    layout = name;
}

void PagesWall::rebuild(int rows, int columns)
{
    wall = w4::wallSizeFor(rows, columns);
    layout = QStringLiteral("1x1");
    for (int i = 0; i < 4; ++i) {
        records[i] = w4::defaultWindowRecord(i, wall);
        positions[i] = w4::defaultWindowPosition(i, wall);
    }
}

void PagesWall::showWindow(int window)
{
    if (isWindow(window))
        records[window].isShown = true;
}

void PagesWall::openWindow(int window)
{
    if (!isWindow(window))
        return;
    records[window].isShown = true;
    owner->send(w4::windowParameterCommand(window, 0x2B, 1));
}

void PagesWall::closeWindow(int window)
{
    if (!isWindow(window))
        return;
    records[window].isShown = false;
    owner->send(w4::windowParameterCommand(window, 0x2B, 0));
}

void PagesWall::changeLayer(int window, int op)
{
    if (!isWindow(window))
        return;
    w4::Layers layers;
    for (int i = 0; i < 4; ++i)
        layers[i] = records[i].layer;
    if (w4::changeLayer(layers, window, op)) {
        for (int i = 0; i < 4; ++i)
            records[i].layer = layers[i];
    }
}

void PagesWall::focusWindow(int) {}

QSize PagesWall::sourceResolution(int inputSourceId) const
{
    return w4::inputResolution(inputSourceId, sourceSizes);
}

void PagesWall::setSourceSize(int inputSourceId, const QSize &size)
{
    if (isWindow(inputSourceId))
        sourceSizes[inputSourceId] = size;
}

void PagesWall::bindCropEditor(int window, const QSize &, const w4::WindowGeometry &item, bool)
{
    cropBoundWindow = window;
    cropItemGeometry = item;
}

void PagesWall::moveCropItem(const w4::WindowGeometry &item)
{
    cropItemGeometry = item;
}

void PagesWall::showMenuFlags(const w4::WindowRecord &) {}
