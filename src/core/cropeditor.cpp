#include "cropeditor.h"

#include <QtGlobal>

#include <cmath>

namespace w4 {

namespace {

const QSizeF editorSize(CropEditorWidth, CropEditorHeight);

// Toward zero, kept in int range (a corrupt resolution must not overflow).
int truncated(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(qBound(-2147483647.0, v, 2147483647.0));
}

} // namespace

QVector<QRectF> cropHandleRects(const QSizeF &outer)
{
    const double w = outer.width(), h = outer.height(), s = CropHandleSize;
    return {
        QRectF((w - s) / 2, 0, s, s),     // top middle
        QRectF((w - s) / 2, h - s, s, s), // bottom middle
        QRectF(0, (h - s) / 2, s, s),     // left middle
        QRectF(w - s, (h - s) / 2, s, s), // right middle
        QRectF(0, 0, s, s),               // top-left
        QRectF(w - s, 0, s, s),           // top-right
        QRectF(0, h - s, s, s),           // bottom-left
        QRectF(w - s, h - s, s, s),       // bottom-right
    };
}

int cropHandleAt(const QSizeF &outer, const QPointF &p)
{
    const QVector<QRectF> r = cropHandleRects(outer);
    // Test order: the corners win where a small item makes handles overlap.
    static const int order[8] = {4, 5, 6, 7, 0, 1, 2, 3};
    static const int region[8] = {CropTopEdge, CropBottomEdge, CropLeftEdge,   CropRightEdge,
                                  CropTopLeft, CropTopRight,   CropBottomLeft, CropBottomRight};
    for (int i : order) {
        const QRectF &q = r.at(i);
        // QRectF::contains counts the edges in.
        if (q.contains(p))
            return region[i];
    }
    return CropNone;
}

QPointF clampCropItemPosition(const QPointF &proposed, const QSizeF &outer)
{
    return clampWindowPosition(proposed, outer, editorSize);
}

CropDragResult cropDrag(int region, const WindowGeometry &item, const QPointF &cursor)
{
    CropDragResult res;
    res.item = item;
    switch (region) {
    case CropTopLeft:
    case CropTopRight:
    case CropBottomLeft:
    case CropBottomRight:
        res.item = cornerResize(region, item, cursor, editorSize, &res.changed);
        res.mode = CropModeAll;
        return res;
    case CropTopEdge:
    case CropBottomEdge:
    case CropLeftEdge:
    case CropRightEdge:
        break;
    default:
        return res;
    }

    const double cx = qBound(0.0, cursor.x(), editorSize.width());
    const double cy = qBound(0.0, cursor.y(), editorSize.height());
    const double left = item.pos.x(), top = item.pos.y();
    const double w = item.size.width(), h = item.size.height();
    const double right = left + w, bottom = top + h;
    const double m = MinimumWindowSide;
    double px = cx - left;
    double py = cy - top;

    switch (region) {
    case CropTopEdge:
        if (bottom - cy <= m)
            py = h - m;
        res.item.size.setHeight(h - py);
        // The top follows the cursor only as far as the minimum allows, so the
        // bottom edge stays where it is.
        res.item.pos.setY(top + py);
        res.mode = CropModeTop;
        res.changed = true;
        break;
    case CropBottomEdge:
        if (cy - top <= m)
            py = m;
        res.mode = CropModeBottom;
        if (px >= 0 && py >= 0) {
            res.item.size.setHeight(py);
            res.changed = true;
        }
        break;
    case CropLeftEdge:
        if (right - cx <= m)
            px = w - m;
        res.mode = CropModeLeft;
        if (w - px >= 0 && py >= 0) {
            res.item.size.setWidth(w - px);
            res.item.pos.setX(left + px);
            res.changed = true;
        }
        break;
    case CropRightEdge:
        if (cx - left <= m)
            px = m;
        res.mode = CropModeRight;
        if (px >= 0 && py >= 0) {
            res.item.size.setWidth(px);
            res.changed = true;
        }
        break;
    }
    if (res.item.pos != item.pos)
        res.item.pos = clampCropItemPosition(res.item.pos, res.item.size);
    return res;
}

CropArea cropAreaFromItem(const WindowGeometry &item)
{
    const double x = item.pos.x(), y = item.pos.y();
    const double w = item.size.width(), h = item.size.height();
    return {truncated(std::ceil(x)), truncated(std::ceil(y)), truncated(std::ceil(x + w - CropHandleSize)),
            truncated(std::ceil(y + h - CropHandleSize))};
}

SourceScale sourceScale(const QSize &resolution)
{
    SourceScale s;
    if (resolution.width() > 0)
        s.fx = resolution.width() / CropPictureWidth;
    if (resolution.height() > 0)
        s.fy = resolution.height() / CropPictureHeight;
    return s;
}

CropArea editorToSource(const CropArea &e, const SourceScale &s)
{
    return {truncated(e.hStart * s.fx), truncated(e.vStart * s.fy), truncated(e.hEnd * s.fx),
            truncated(e.vEnd * s.fy)};
}

CropArea cropAreaOf(const WindowRecord &r)
{
    return {r.cropHStart, r.cropVStart, r.cropHEnd, r.cropVEnd};
}

WindowGeometry cropItemGeometry(const CropArea &source, const SourceScale &s)
{
    WindowGeometry g;
    g.size = QSizeF((source.hEnd - source.hStart) / s.fx + CropHandleSize,
                    (source.vEnd - source.vStart) / s.fy + CropHandleSize);
    g.pos = clampCropItemPosition(QPointF(source.hStart / s.fx, source.vStart / s.fy), g.size);
    return g;
}

bool applyEditorCrop(WindowRecord &r, int mode, const CropArea &source)
{
    switch (mode) {
    case CropModeLeft:
        r.cropHStart = source.hStart;
        return true;
    case CropModeTop:
        r.cropVStart = source.vStart;
        return true;
    case CropModeRight:
        r.cropHEnd = source.hEnd;
        return true;
    case CropModeBottom:
        r.cropVEnd = source.vEnd;
        return true;
    case CropModeAll:
        r.cropHStart = source.hStart;
        r.cropVStart = source.vStart;
        r.cropHEnd = source.hEnd;
        r.cropVEnd = source.vEnd;
        return true;
    default:
        return false;
    }
}

} // namespace w4
