#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Mouse editing of a window on the wall: which corner handle the mouse is on,
// resizing by a corner with a 200-pixel minimum, and keeping the window inside the
// wall.
namespace w4 {

// What the mouse holds of a window (the item's hitRegion).
enum HitRegion {
    HitNone = 0,
    HitBottomRight = 1,
    HitBody = 2, // move
    HitTopLeft = 4,
    HitTopRight = 5,
    HitBottomLeft = 6,
    HitSnapped = 7, // set by a double click on the view
};

constexpr double CornerHandleSize = 80;
constexpr double MinimumWindowSide = 200;

// A window on the wall: position of its top-left corner and its size.
struct WindowGeometry
{
    QPointF pos;
    QSizeF size;
    QRectF sceneRect() const { return QRectF(pos, size); }
    bool operator==(const WindowGeometry &o) const { return pos == o.pos && size == o.size; }
};

// The corner handle under a point in item coordinates: 80 x 80 squares inside the
// corners, bands strict on both sides. HitNone for anywhere else.
int regionAt(const QRectF &rect, const QPointF &p);

// True while the mouse holds the window (a handle or the body).
inline bool isHeldRegion(int region)
{
    return region >= HitBottomRight && region <= HitBottomLeft;
}

// Where a window may have its top-left corner: x in 0..W - w, y in 0..H - h, each
// coordinate clamped separately. A window larger than the wall is put at 0.
QPointF clampWindowPosition(const QPointF &proposed, const QSizeF &size, const QSizeF &wall);

// One mouse-move step of a corner drag. The cursor (scene coordinates) is clamped
// to the wall; the corner opposite the handle stays put and no side becomes shorter
// than `minimumSide`. Regions other than the four corners return the geometry
// unchanged (a body move is the item's own job, followed by the position clamp).
// `changed` tells whether a rule applied.
WindowGeometry cornerResize(int region, const WindowGeometry &g, const QPointF &cursor, const QSizeF &wall,
                            bool *changed = nullptr, double minimumSide = MinimumWindowSide);

} // namespace w4
