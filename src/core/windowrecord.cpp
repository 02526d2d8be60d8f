#include "windowrecord.h"

#include <QtGlobal>

namespace w4 {

namespace {

struct PictureField
{
    int WindowRecord::*field;
    PictureValueInfo info;
};

// Index order is the order of the sliders on the picture pages.
const PictureField pictureFields[PictureValueCount] = {
    {&WindowRecord::luminance, {"luminance", 0x0B, -1024, 1024}},
    {&WindowRecord::contrastRatio, {"contrastRatio", 0x0A, 0, 399}},
    {&WindowRecord::saturability, {"saturability", 0x0E, 0, 399}},
    {&WindowRecord::colorTemperature, {"colorTemperature", 0x10, 0, 1}},
    {&WindowRecord::hue, {"hue", 0x0F, -180, 180}},
    {&WindowRecord::horizontalSharpness, {"horizontalSharpness", 0x0C, -10, 10}},
    {&WindowRecord::verticalSharpness, {"verticalSharpness", 0x0D, -10, 10}},
    {&WindowRecord::blueCorrection, {"blueCorrection", 0x23, 0, 4}},
    {&WindowRecord::greenCorrection, {"greenCorrection", 0x24, 0, 4}},
    {&WindowRecord::skinCorrection, {"skinCorrection", 0x25, 0, 4}},
    {&WindowRecord::horizontalFiltration, {"horizontalFiltration", 0x15, 0, 3}},
    {&WindowRecord::verticalFiltration, {"verticalFiltration", 0x16, 0, 3}},
    {&WindowRecord::shadowFiltration, {"shadowFiltration", 0x17, 0, 3}},
    {&WindowRecord::blockFiltration, {"blockFiltration", 0x18, 0, 3}},
    {&WindowRecord::noiseProcessing, {"noiseProcessing", 0x19, 0, 3}},
    {&WindowRecord::hairTreatment, {"hairTreatment", 0x1A, 0, 3}},
    {&WindowRecord::sensitivity, {"sensitivity", 0x20, 0, 4}},
    {&WindowRecord::diagonalCorrection, {"diagonalCorrection", 0x21, 0, 3}},
    {&WindowRecord::timer2p2, {"timer2p2", 0x1D, 0, 15}},
    {&WindowRecord::timer2p3, {"timer2p3", 0x1F, 0, 15}},
    {&WindowRecord::deGammaMode, {"deGammaMode", 0x11, 0, 3}},
    {&WindowRecord::panelGammaMode, {"panelGammaMode", 0x12, 0, 3}},
};

} // namespace

bool isPictureIndex(int index)
{
    return index >= 0 && index < PictureValueCount;
}

PictureValueInfo pictureValueInfo(int index)
{
    return isPictureIndex(index) ? pictureFields[index].info : PictureValueInfo{};
}

int pictureValue(const WindowRecord &record, int index)
{
    return isPictureIndex(index) ? record.*(pictureFields[index].field) : 0;
}

bool setPictureValue(WindowRecord &record, int index, int value)
{
    if (!isPictureIndex(index))
        return false;
    record.*(pictureFields[index].field) = value;
    return true;
}

int pictureValueToDevice(int index, int value)
{
    if (!isPictureIndex(index))
        return -1;
    const PictureValueInfo &info = pictureFields[index].info;
    const int v = qBound(info.minimum, value, info.maximum);
    return info.minimum < 0 ? v - info.minimum : v;
}

int pictureValueFromDevice(int index, int deviceValue)
{
    if (!isPictureIndex(index))
        return 0;
    const PictureValueInfo &info = pictureFields[index].info;
    // Shift in 64 bits: a corrupt reading must not overflow before the clamp.
    const qint64 v = info.minimum < 0 ? qint64(deviceValue) + info.minimum : qint64(deviceValue);
    return int(qBound(qint64(info.minimum), v, qint64(info.maximum)));
}

int nextRotation(int degrees)
{
    switch (degrees) {
    case 0:
        return 90;
    case 90:
        return 180;
    case 180:
        return 270;
    case 270:
        return 0;
    default:
        return degrees;
    }
}

bool setRotation(WindowRecord &record, int degrees)
{
    if (degrees != 0 && degrees != 90 && degrees != 180 && degrees != 270)
        return false;
    record.rotation = degrees;
    record.rotation0 = degrees == 0;
    record.rotation90 = degrees == 90;
    record.rotation180 = degrees == 180;
    record.rotation270 = degrees == 270;
    return true;
}

QSize inputResolution(int inputSourceId, const QVector<QSize> &sourceSizes)
{
    const QSize whole(3840, 2160);
    if (inputSourceId < 0 || inputSourceId > 3 || inputSourceId >= sourceSizes.size())
        return whole;
    const QSize s = sourceSizes.at(inputSourceId);
    // A source without a picture may report 0 x 0; scaling by it would divide by zero.
    return s.width() > 0 && s.height() > 0 ? s : whole;
}

} // namespace w4
