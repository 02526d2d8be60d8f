#include "windowresize.h"

#include <QtGlobal>

namespace w4 {

int regionAt(const QRectF &rect, const QPointF &p)
{
    const double x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    const double b = CornerHandleSize;
    const bool left = x < p.x() && p.x() < x + b;
    const bool right = x + w - b < p.x() && p.x() < x + w;
    const bool top = y < p.y() && p.y() < y + b;
    const bool bottom = y + h - b < p.y() && p.y() < y + h;
    if (left && top)
        return HitTopLeft;
    if (right && top)
        return HitTopRight;
    if (left && bottom)
        return HitBottomLeft;
    if (right && bottom)
        return HitBottomRight;
    return HitNone;
}

QPointF clampWindowPosition(const QPointF &proposed, const QSizeF &size, const QSizeF &wall)
{
    const double maxX = wall.width() - size.width();
    const double maxY = wall.height() - size.height();
    return QPointF(qMax(0.0, qMin(proposed.x(), maxX)), qMax(0.0, qMin(proposed.y(), maxY)));
}

WindowGeometry cornerResize(int region, const WindowGeometry &g, const QPointF &cursor, const QSizeF &wall,
                            bool *changed, double minimumSide)
{
    if (changed)
        *changed = false;
    if (region != HitTopLeft && region != HitTopRight && region != HitBottomLeft && region != HitBottomRight)
        return g;

    // The cursor, kept on the wall, in scene (c) and item (p) coordinates.
    const double cx = qBound(0.0, cursor.x(), wall.width());
    const double cy = qBound(0.0, cursor.y(), wall.height());
    const double left = g.pos.x(), top = g.pos.y();
    const double w = g.size.width(), h = g.size.height();
    const double right = left + w, bottom = top + h;
    double px = cx - left;
    double py = cy - top;
    const double m = minimumSide;

    WindowGeometry out = g;
    bool applied = false;
    switch (region) {
    case HitTopLeft:
        if (right - cx <= m)
            px = w - m;
        if (bottom - cy <= m)
            py = h - m;
        if (w - px >= 0 || h - py >= 0) {
            out.size = QSizeF(w - px, h - py);
            out.pos = QPointF(left + px, top + py);
            applied = true;
        }
        break;
    case HitBottomLeft:
        if (right - cx <= m)
            px = w - m;
        if (cy - top <= m)
            py = m;
        if (w - px >= 0 && py >= 0) {
            out.size = QSizeF(w - px, py);
            out.pos.setX(left + px);
            applied = true;
        }
        break;
    case HitTopRight:
        if (cx - left <= m)
            px = m;
        if (bottom - cy <= m)
            py = h - m;
        if (px >= 0 && h - py >= 0) {
            out.size = QSizeF(px, h - py);
            out.pos.setY(top + py);
            applied = true;
        }
        break;
    case HitBottomRight:
        if (cx - left <= m)
            px = m;
        if (cy - top <= m)
            py = m;
        if (px >= 0 && py >= 0) {
            out.size = QSizeF(px, py);
            applied = true;
        }
        break;
    }
    // The size is stored before the item moves, so the move is clamped with it.
    if (applied && out.pos != g.pos)
        out.pos = clampWindowPosition(out.pos, out.size, wall);
    if (changed)
        *changed = applied;
    return out;
}

} // namespace w4
