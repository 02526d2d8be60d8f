#pragma once

#include "windowrecord.h"

#include <QLine>
#include <QMap>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

// The wall: a rectangle in wall pixels (one monitor is 1920 x 1080) divided into
// rows x columns monitors, and the conversion of wall pixels to the processor's
// own space of at most 3840 x 2160.
namespace w4 {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int DeviceMaxWidth = 3840;
constexpr int DeviceMaxHeight = 2160;

// ---- Layouts -------------------------------------------------------------------

// At least one row and one column, at most nine monitors.
bool isValidLayout(int rows, int columns);
// "2x3" for two rows, three columns.
QString layoutName(int rows, int columns);
// Rows and columns from the first and third character of a name such as "2x3";
// false (outputs untouched) unless that gives a valid layout.
bool parseLayoutName(const QString &name, int *rows, int *columns);
// The 23 layouts with rows x columns <= 9, rows first then columns ("1x1" .. "9x1").
QStringList layoutNames();

// Grid lines of every layout for a wall of the given size, truncated to integer
// wall pixels. "1x1" has none.
QMap<QString, QVector<QLine>> buildLayoutLines(const QSizeF &wall);

// Wall size for a grid: a single row or column is as long as its monitors; every
// other grid (and 1 x 1) is drawn on 3840 x 2160. An invalid grid gives 3840 x 2160.
QSizeF wallSizeFor(int rows, int columns);
// View zoom after a rebuild; 0.2 for an invalid grid.
double viewZoomFor(int rows, int columns);

// ---- Wall pixels to device values ----------------------------------------------

// Single-precision factors: every geometry report scales with these, so the
// truncated values agree wherever they are computed.
struct DeviceScale
{
    float sx = 1.0f;
    float sy = 1.0f;
};

// sx = min(W, 3840) / W, sy = min(H, 2160) / H. A degenerate wall gives (1, 1).
DeviceScale deviceScale(const QSizeF &wall);
// The geometry pages' variant: the vertical factor is 1 also when the splice
// layout is 1 x 1 (however tall the wall is).
DeviceScale pageDeviceScale(const QSizeF &wall, bool oneByOneLayout);

// trunc(c * s), clamped into 0..65535 (the device field has four hex digits).
int toDevice(double c, float s);
// trunc(s * trunc(c)): callers that drop the coordinate's fraction first.
int toDeviceTruncated(double c, float s);

struct DeviceRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DeviceRect &o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// A window's position and size on the wall in device values; with
// `truncateFirst` each coordinate loses its fraction before scaling.
DeviceRect toDeviceRect(const QPointF &pos, const QSizeF &size, const DeviceScale &s, bool truncateFirst);

// ---- Default arrangement ---------------------------------------------------------

// Window `index` (0..3) as a rebuilt wall shows it: defaults everywhere, size W/2 x
// H/2, inputs 2, 1, 4, 3 on windows 1..4.
WindowRecord defaultWindowRecord(int index, const QSizeF &wall);
// The four quarters of the wall: (0, 0), (W/2, 0), (0, H/2), (W/2, H/2).
QPointF defaultWindowPosition(int index, const QSizeF &wall);
// Stacking: layer 1 has the highest z value.
inline double zValueForLayer(int layer)
{
    return 5 - layer;
}

} // namespace w4
