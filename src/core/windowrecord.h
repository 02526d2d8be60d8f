#pragma once

#include <QRectF>
#include <QSize>
#include <QVector>

// The state of one output window: what it shows, its size on the wall, its
// stacking level, picture values, processing flags, fill colour, audio and crop.
// The window's position is not here: it is the position of the item on the wall.
namespace w4 {

struct WindowRecord
{
    WindowRecord() = default;
    // A fresh window: channel and stacking level both equal the window number.
    explicit WindowRecord(int channel) : channelId(channel), layer(channel) {}

    int inputSourceId = 4;                   // 0..3 = input 1..4, 4 = none
    int channelId = 1;                       // 1..4
    QRectF windowRect{0, 0, 1920.0, 1080.0}; // size in wall pixels; x, y stay 0
    int layer = 1;                           // 1 (drawn on top) .. 4
    int rotation = 0;                        // degrees

    // The 22 picture values, addressed by index 0..21 in this order.
    int luminance = 0;
    int contrastRatio = 100;
    int saturability = 100;
    int colorTemperature = 0;
    int hue = 0;
    int horizontalSharpness = 0;
    int verticalSharpness = 0;
    int blueCorrection = 0;
    int greenCorrection = 0;
    int skinCorrection = 0;
    int horizontalFiltration = 0;
    int verticalFiltration = 0;
    int shadowFiltration = 0;
    int blockFiltration = 0;
    int noiseProcessing = 0;
    int hairTreatment = 0;
    int sensitivity = 0;
    int diagonalCorrection = 0;
    int timer2p2 = 0;
    int timer2p3 = 0;
    int deGammaMode = 0;
    int panelGammaMode = 0;

    bool isShown = true;
    bool isFrozen = false; // a frozen window is locked against editing
    bool isColorSolid = false;
    int colorR = 136;
    int colorG = 155;
    int colorB = 177;
    // Restored when solid fill is switched on again.
    int lastColorR = 136;
    int lastColorG = 155;
    int lastColorB = 177;
    bool horizontalMirrored = false;
    bool verticalMirrored = false;
    bool deinterlace = false;
    bool psf24Mode = false;
    bool pullDown2p2 = false;
    bool pullDown2p3 = false;
    bool audioEnabled = false;
    bool audioOutAllPorts = true;
    bool audioOutPort1Only = false;
    bool audioOutDisabled = false;
    bool videoGenMode = true;
    int savedInputSourceId = 1; // restored when solid fill is switched off

    // Crop rectangle in source pixels.
    int cropVStart = 0;
    int cropHStart = 0;
    int cropVEnd = 2160;
    int cropHEnd = 3840;

    // Which rotation entry the context menu marks; exactly one is true.
    bool rotation0 = true;
    bool rotation90 = false;
    bool rotation180 = false;
    bool rotation270 = false;
};

// ---- Picture values by index -------------------------------------------------

constexpr int PictureValueCount = 22;

struct PictureValueInfo
{
    const char *name = nullptr; // record field name
    int code = -1;              // device parameter code
    int minimum = 0;
    int maximum = 0;
};

bool isPictureIndex(int index);
// Name, device code and range of picture value `index`; an empty info (code -1)
// for an index outside 0..21.
PictureValueInfo pictureValueInfo(int index);

// 0 for an index outside 0..21.
int pictureValue(const WindowRecord &record, int index);
// Stores the value as given; false (record untouched) for an index outside 0..21.
bool setPictureValue(WindowRecord &record, int index, int value);

// The device takes unsigned values: a range that starts below zero is sent
// shifted by its minimum (luminance +1024, hue +180, sharpness +10). The value is
// brought into range first so that nothing negative or oversized goes out.
// -1 for an index outside 0..21.
int pictureValueToDevice(int index, int value);
// The reverse, for values read from the device; the result lies in the range.
int pictureValueFromDevice(int index, int deviceValue);

// ---- Rotation ----------------------------------------------------------------

// The angle the R key turns to next: 0 -> 90 -> 180 -> 270 -> 0. Any other angle
// is returned unchanged (R does nothing then).
int nextRotation(int degrees);
// Sets `rotation` and marks exactly its flag; false (untouched) unless the angle
// is 0, 90, 180 or 270.
bool setRotation(WindowRecord &record, int degrees);

// ---- Input resolution ----------------------------------------------------------

// The source picture size of a window: the size reported for its input, or
// 3840 x 2160 without an input (or when no usable size is known for it).
QSize inputResolution(int inputSourceId, const QVector<QSize> &sourceSizes);

} // namespace w4
