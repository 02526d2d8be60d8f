#pragma once

#include "wallgeometry.h"
#include "windowrecord.h"

#include <QSize>

// The typed fields of the view page: a window's position and size on the wall
// and its crop area in source pixels, with the checks made before a value is
// stored and sent.
namespace w4 {

// ---- Position and size -------------------------------------------------------

enum class GeometryField { PosX, PosY, Width, Height };

// The window x, y, w, h fits the wall (edges included).
bool windowFitsWall(int x, int y, int width, int height, const QSize &wall);

// Device parameter code of the field (01..04).
int geometryFieldCode(GeometryField field);
// The device value of a wall value: horizontal fields scale by sx, vertical by sy.
int geometryDeviceValue(GeometryField field, int value, const DeviceScale &scale);

// ---- Crop --------------------------------------------------------------------

enum class CropField { HStart, VStart, HEnd, VEnd };

enum class CropRefusal {
    None,
    StartNotBelowEnd, // a start at or beyond its end, or an end at or before its start
    EndBeyondSource,  // an end past the source picture
};

// Device parameter code of the field (05..08).
int cropFieldCode(CropField field);
int cropFieldValue(const WindowRecord &record, CropField field);
void setCropField(WindowRecord &record, CropField field, int value);
bool isHorizontal(CropField field);

// Why a typed crop value may not be taken, if at all. A start must lie before its
// end; an end must lie after its start and within the source picture.
CropRefusal cropFieldRefusal(CropField field, int value, const WindowRecord &record, const QSize &source);

} // namespace w4
