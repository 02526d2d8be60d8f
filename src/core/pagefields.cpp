#include "pagefields.h"

namespace w4 {

bool windowFitsWall(int x, int y, int width, int height, const QSize &wall)
{
    // In 64 bits: the fields take up to four digits each, but nothing stops a caller
    // from passing more.
    return qint64(wall.width()) >= qint64(x) + width && qint64(wall.height()) >= qint64(y) + height;
}

int geometryFieldCode(GeometryField field)
{
    return 0x01 + int(field);
}

int geometryDeviceValue(GeometryField field, int value, const DeviceScale &scale)
{
    const bool horizontal = field == GeometryField::PosX || field == GeometryField::Width;
    return toDevice(value, horizontal ? scale.sx : scale.sy);
}

int cropFieldCode(CropField field)
{
    return 0x05 + int(field);
}

bool isHorizontal(CropField field)
{
    return field == CropField::HStart || field == CropField::HEnd;
}

int cropFieldValue(const WindowRecord &record, CropField field)
{
    switch (field) {
    case CropField::HStart:
        return record.cropHStart;
    case CropField::VStart:
        return record.cropVStart;
    case CropField::HEnd:
        return record.cropHEnd;
    case CropField::VEnd:
        return record.cropVEnd;
    }
    return 0;
}

void setCropField(WindowRecord &record, CropField field, int value)
{
    switch (field) {
    case CropField::HStart:
        record.cropHStart = value;
        break;
    case CropField::VStart:
        record.cropVStart = value;
        break;
    case CropField::HEnd:
        record.cropHEnd = value;
        break;
    case CropField::VEnd:
        record.cropVEnd = value;
        break;
    }
}

CropRefusal cropFieldRefusal(CropField field, int value, const WindowRecord &record, const QSize &source)
{
    switch (field) {
    case CropField::HStart:
        return value < record.cropHEnd ? CropRefusal::None : CropRefusal::StartNotBelowEnd;
    case CropField::VStart:
        return value < record.cropVEnd ? CropRefusal::None : CropRefusal::StartNotBelowEnd;
    case CropField::HEnd:
        if (value > source.width())
            return CropRefusal::EndBeyondSource;
        return value > record.cropHStart ? CropRefusal::None : CropRefusal::StartNotBelowEnd;
    case CropField::VEnd:
        if (value > source.height())
            return CropRefusal::EndBeyondSource;
        return value > record.cropVStart ? CropRefusal::None : CropRefusal::StartNotBelowEnd;
    }
    return CropRefusal::None;
}

} // namespace w4
