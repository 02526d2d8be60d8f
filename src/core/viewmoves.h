#pragma once

#include "wallgeometry.h"
#include "windowresize.h"

#include <qnamespace.h>

#include <array>

// Window edits of the wall view that are not mouse drags: key steps, arrow moves,
// Page Up / Page Down resizing, double-click snapping, and the geometry report of a
// window held by the mouse.
namespace w4 {

// Wall pixels per key press: 100 with only Ctrl, 1 with only Shift, else 10. The
// keypad flag that some platforms put on arrow keys does not count as a modifier.
int keyStep(Qt::KeyboardModifiers modifiers);

// Arrow keys: moves by `step` in the key's direction, clamped to the wall. Any
// other key returns the geometry unchanged.
WindowGeometry arrowMove(const WindowGeometry &g, int key, int step, const QSizeF &wall);

// Page Up (grow) / Page Down (shrink) by `step`: the sides change by
// dx = max(2 step, step W / 1000) and dy = max(step, step H / 1000) around the
// centre; shrinking stops at 200, growing at the wall edge.
WindowGeometry resizeWindowBy(const WindowGeometry &g, bool grow, int step, const QSizeF &wall);

// Double click: the window covers exactly the grid cells it touches. A layout that
// is not rows x columns <= 9 is taken as one screen.
WindowGeometry snapToGrid(const WindowGeometry &g, int rows, int columns, const QSizeF &wall);

// Ctrl+wheel: the factor to scale the view by at the current horizontal scale.
// Up zooms in by 1.05 unless the scale is above 1.5; down (and a zero delta)
// zooms out unless it is below 0.05. False when a limit stops the zoom: the
// event is then consumed and nothing else happens.
bool wheelZoomStep(double scale, int delta, double *factor);

// The first window (0..3) held by the mouse, or -1.
int heldWindowIndex(const std::array<int, 4> &hitRegions);

// What a geometry report tells the device about window `window`: the target of
// the report and the values of that same window, each coordinate truncated first.
struct GeometryReport
{
    int window = -1; // 0..3
    DeviceRect rect;
};

GeometryReport geometryReport(int window, const WindowGeometry &g, const DeviceScale &s);

} // namespace w4
