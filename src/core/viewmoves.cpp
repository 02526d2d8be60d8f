#include "viewmoves.h"

#include <QtGlobal>

namespace w4 {

int keyStep(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers m = modifiers & ~Qt::KeypadModifier;
    if (m == Qt::ControlModifier)
        return 100;
    if (m == Qt::ShiftModifier)
        return 1;
    return 10;
}

WindowGeometry arrowMove(const WindowGeometry &g, int key, int step, const QSizeF &wall)
{
    QPointF d;
    switch (key) {
    case Qt::Key_Left:
        d = QPointF(-step, 0);
        break;
    case Qt::Key_Right:
        d = QPointF(step, 0);
        break;
    case Qt::Key_Up:
        d = QPointF(0, -step);
        break;
    case Qt::Key_Down:
        d = QPointF(0, step);
        break;
    default:
        return g;
    }
    return {clampWindowPosition(g.pos + d, g.size, wall), g.size};
}

WindowGeometry resizeWindowBy(const WindowGeometry &g, bool grow, int step, const QSizeF &wall)
{
    const int W = int(wall.width());
    const int H = int(wall.height());
    const int dx = qMax(2 * step, step * W / 1000);
    const int dy = qMax(step, step * H / 1000);
    WindowGeometry out = g;
    // Each change is applied as the item would see it: size first, then a
    // position that goes through the wall clamp with the size of that moment.
    auto moveTo = [&](const QPointF &p) { out.pos = clampWindowPosition(p, out.size, wall); };

    if (!grow) {
        if (out.size.width() - dx / 2 > MinimumWindowSide) {
            out.size.setWidth(out.size.width() - dx);
            moveTo(out.pos + QPointF(dx / 2, 0));
        } else {
            out.size.setWidth(MinimumWindowSide);
        }
        if (out.size.height() - dy / 2 > MinimumWindowSide) {
            out.size.setHeight(out.size.height() - dy);
            moveTo(out.pos + QPointF(0, dy / 2));
        } else {
            out.size.setHeight(MinimumWindowSide);
        }
        return out;
    }

    moveTo(out.pos - QPointF(dx / 2, dy / 2));
    if (out.pos.x() <= 0)
        out.pos.setX(0);
    if (out.pos.y() <= 0)
        out.pos.setY(0);
    const double x = out.pos.x(), y = out.pos.y();
    if (x + out.size.width() + dx + dx / 2 >= W)
        out.size.setWidth(W - x);
    else
        out.size.setWidth(out.size.width() + dx);
    if (y + out.size.height() + dy + dy / 2 >= H)
        out.size.setHeight(H - y);
    else
        out.size.setHeight(out.size.height() + dy);
    return out;
}

namespace {

// The cells [first, last) of one axis that the span [start, start + length] touches.
void touchedCells(double start, double length, int count, int cell, int *first, int *last)
{
    *first = count - 1;
    *last = count;
    for (int k = count - 1; k >= 0; --k) {
        const int g = k * cell;
        if (g >= start + length)
            *last = k;
        if (start >= g) {
            *first = k;
            return;
        }
    }
    *first = 0;
}

} // namespace

WindowGeometry snapToGrid(const WindowGeometry &g, int rows, int columns, const QSizeF &wall)
{
    if (!isValidLayout(rows, columns))
        rows = columns = 1;
    const int cw = int(wall.width() / columns);
    const int ch = int(wall.height() / rows);
    int left, right, top, bottom;
    touchedCells(g.pos.x(), g.size.width(), columns, cw, &left, &right);
    touchedCells(g.pos.y(), g.size.height(), rows, ch, &top, &bottom);
    WindowGeometry out;
    out.size = QSizeF(right * cw - left * cw, bottom * ch - top * ch);
    out.pos = clampWindowPosition(QPointF(left * cw, top * ch), out.size, wall);
    return out;
}

bool wheelZoomStep(double scale, int delta, double *factor)
{
    const bool in = delta > 0;
    if (in ? scale > 1.5 : scale < 0.05)
        return false;
    if (factor)
        *factor = in ? 1.05 : 1 / 1.05;
    return true;
}

int heldWindowIndex(const std::array<int, 4> &hitRegions)
{
    for (int i = 0; i < 4; ++i)
        if (isHeldRegion(hitRegions[i]))
            return i;
    return -1;
}

GeometryReport geometryReport(int window, const WindowGeometry &g, const DeviceScale &s)
{
    return {window, toDeviceRect(g.pos, g.size, s, true)};
}

} // namespace w4
