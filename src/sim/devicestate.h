#pragma once

#include <QJsonObject>
#include <QString>
#include <QVector>

#include <array>

// The simulated processor's model: what a real unit would keep in its memory.
namespace w4sim {

// One output window. Picture values are held unshifted (luminance -1024..1024,
// hue -180..180, sharpness -10..10); the wire formats add their offsets.
struct WindowState
{
    int x = 0, y = 0, width = 1920, height = 1080;
    // Crop in source pixels; an end of 0 means "to the source's full width/height".
    int cropHStart = 0, cropVStart = 0, cropHEnd = 0, cropVEnd = 0;
    int contrastRatio = 100, luminance = 0, horizontalSharpness = 0, verticalSharpness = 0;
    int saturability = 100, hue = 0, colorTemperature = 0, deGammaMode = 0, panelGammaMode = 0;
    bool horizontalMirrored = false, verticalMirrored = false;
    int horizontalFiltration = 0, verticalFiltration = 0, shadowFiltration = 0, blockFiltration = 0;
    int noiseProcessing = 0, hairTreatment = 0;
    bool deinterlace = false, pullDown2p2 = false, pullDown2p3 = false, psf24Mode = false;
    int timer2p2 = 0, timer2p3 = 0, sensitivity = 0, diagonalCorrection = 0;
    int blueCorrection = 0, greenCorrection = 0, skinCorrection = 0;
    int colorR = 136, colorG = 155, colorB = 177;
    bool isColorSolid = false, isShown = true, isFrozen = false, audioEnabled = false;
    bool adaptiveFill = false;
    int inputSource = 0; // 0..3 = input 1..4, 4 = none
    int layer = 1;       // 1 = top
    // Turn of the picture: 0, 90 or 270. A half turn is both mirrors at once,
    // which is how the unit reports it.
    int rotation = 0;

    bool operator==(const WindowState &o) const;
};

// Field table shared by the command applier, the reply writer and the JSON
// code, so a field's command code, frame word and datagram key live in one row.
struct WindowField
{
    const char *name;
    int WindowState::*number; // exactly one of number / flag is set
    bool WindowState::*flag;
    int code;    // window command code, 0 = none
    int offset;  // added on the wire
    int minimum; // accepted range of the unshifted value
    int maximum;
    int tcpWord; // word in the 53-word frame, -1 = none
    int udpKey;  // key in the status datagram, -1 = none
};
const QVector<WindowField> &windowFields();
const WindowField *windowFieldByCode(int code);

int fieldValue(const WindowState &w, const WindowField &f);
void setFieldValue(WindowState &w, const WindowField &f, int value);

struct DeviceState
{
    int rows = 1, columns = 1;
    int audioMode = 1; // 0 output 1 only, 1 all outputs, 2 off
    bool videoGen = true;
    bool firstRowRotation = false;
    bool dhcp = false;
    bool mode1200 = false;
    QString ip = QStringLiteral("127.0.0.1"); // a simulator is reached on loopback unless told otherwise
    std::array<quint8, 6> mac{{0x02, 0x12, 0x34, 0x56, 0x78, 0x9A}};
    int tcpPort = 23;
    QString version = QStringLiteral("V2.1.7");
    std::array<int, 4> resolutionCodes{{18, 24, 18, 24}}; // per input, 39+ = no signal
    std::array<WindowState, 4> windows;

    // Four quarters of a 1x1 wall, inputs 2, 1, 4, 3, window n on level n.
    static DeviceState defaults();

    // Size of the processor's output space: the wall, at most 3840 x 2160.
    int outputWidth() const;
    int outputHeight() const;

    // Layout index of the 0601 command: rows 1..9 by columns 1..9 with
    // rows x columns <= 9, counted in that order from 0 (23 layouts).
    static bool layoutForIndex(int index, int *rows, int *columns);

    // Stacking order as four nibbles, top level first: nibble = 2 x (window - 1).
    int stackingWord() const;
    bool setStackingWord(int word);

    QString macText() const;        // "02:12:34:56:78:9A"
    QString macDecimalText() const; // "2.18.52.86.120.154"

    QJsonObject toJson() const;
    // Missing keys keep their defaults; returns false with a message for bad values.
    static bool fromJson(const QJsonObject &obj, DeviceState *out, QString *error);
    static bool load(const QString &path, DeviceState *out, QString *error);
    bool save(const QString &path, QString *error) const;

    bool operator==(const DeviceState &o) const;
};

} // namespace w4sim
