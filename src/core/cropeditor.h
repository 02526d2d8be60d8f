#pragma once

#include "windowrecord.h"
#include "windowresize.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QVector>

// The crop editor shows every source picture as 3840 x 2160 editor units with a
// 75-unit margin around it. Its rectangle item is the crop area grown by that
// margin on every side, so the item's position is the crop start in editor units.
namespace w4 {

constexpr double CropEditorMargin = 75;
constexpr double CropHandleSize = 150; // also twice the margin
constexpr double CropPictureWidth = 3840;
constexpr double CropPictureHeight = 2160;
constexpr double CropEditorWidth = CropPictureWidth + 2 * CropEditorMargin;   // 3990
constexpr double CropEditorHeight = CropPictureHeight + 2 * CropEditorMargin; // 2310

enum CropRegion {
    CropNone = 0,
    CropBottomRight = 1,
    CropBody = 2, // move
    CropTopLeft = 4,
    CropTopRight = 5,
    CropBottomLeft = 6,
    CropTopEdge = 8,
    CropBottomEdge = 9,
    CropLeftEdge = 10,
    CropRightEdge = 11,
};

// Which part of the crop area a drag reports (the changeSliceUpData mode).
enum CropMode { CropModeLeft = 0, CropModeTop = 1, CropModeRight = 2, CropModeBottom = 3, CropModeAll = 4 };

// The eight 150 x 150 handles of an item of size `outer`, in item coordinates:
// top, bottom, left and right middle, then top-left, top-right, bottom-left,
// bottom-right.
QVector<QRectF> cropHandleRects(const QSizeF &outer);
// The handle under an item point, edges included, corners before edge middles;
// CropNone elsewhere.
int cropHandleAt(const QSizeF &outer, const QPointF &p);

// Where the item may be: the crop area stays inside the picture.
QPointF clampCropItemPosition(const QPointF &proposed, const QSizeF &outer);

struct CropDragResult
{
    WindowGeometry item; // new item position and outer size
    int mode = CropModeAll;
    bool changed = false; // false: nothing to report
};

// One mouse-move step on a handle. The cursor (editor scene coordinates) is kept
// inside the editor; corners follow the wall window's corner rules, edges move one
// side; the outer rectangle keeps at least 200 units per side (crop area 50).
// The opposite side stays put. CropBody and others change nothing here: the item
// moves itself, clamped by clampCropItemPosition, and reports mode 4.
CropDragResult cropDrag(int region, const WindowGeometry &item, const QPointF &cursor);

// A crop area: start and end in both directions.
struct CropArea
{
    int hStart = 0;
    int vStart = 0;
    int hEnd = 0;
    int vEnd = 0;
    bool operator==(const CropArea &o) const
    {
        return hStart == o.hStart && vStart == o.vStart && hEnd == o.hEnd && vEnd == o.vEnd;
    }
};

// The area an item stands for, in editor units (fractions rounded up).
CropArea cropAreaFromItem(const WindowGeometry &item);

// Editor units per source pixel: fx = width / 3840, fy = height / 2160.
struct SourceScale
{
    double fx = 1;
    double fy = 1;
};
// A resolution without a usable size scales by 1.
SourceScale sourceScale(const QSize &resolution);

// Editor units to source pixels, each value truncated.
CropArea editorToSource(const CropArea &editor, const SourceScale &s);

// The record's crop area in source pixels.
CropArea cropAreaOf(const WindowRecord &record);

// Where the item goes for a crop area in source pixels: size first, then the
// position clamped with that size. (Clamping with the previous size would pin a
// narrow crop on the right half of the picture to the left edge.)
WindowGeometry cropItemGeometry(const CropArea &source, const SourceScale &s);

// Stores what a report of `mode` carries (0 hStart, 1 vStart, 2 hEnd, 3 vEnd,
// 4 all four) into the record. False for any other mode (record untouched).
bool applyEditorCrop(WindowRecord &record, int mode, const CropArea &source);

} // namespace w4
