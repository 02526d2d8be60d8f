#include "windowfeatures.h"

namespace w4 {

namespace {
constexpr int DefaultFillRed = 136;
constexpr int DefaultFillGreen = 155;
constexpr int DefaultFillBlue = 177;
constexpr int NoSource = 4;
} // namespace

std::optional<bool> flagChange(int checkState, bool flag)
{
    if (checkState == 2 && !flag)
        return true;
    if (checkState == 0 && flag)
        return false;
    return std::nullopt;
}

int windowInput(const WindowRecord &record)
{
    const int input = record.isColorSolid ? record.savedInputSourceId : record.inputSourceId;
    return input >= 0 && input < NoSource ? input : NoSource;
}

bool setSolidColor(WindowRecord &record, bool on)
{
    if (on == record.isColorSolid)
        return false;
    if (on) {
        record.savedInputSourceId = record.inputSourceId;
        record.inputSourceId = NoSource;
        record.colorR = record.lastColorR;
        record.colorG = record.lastColorG;
        record.colorB = record.lastColorB;
    } else {
        record.colorR = DefaultFillRed;
        record.colorG = DefaultFillGreen;
        record.colorB = DefaultFillBlue;
        record.inputSourceId = record.savedInputSourceId;
    }
    record.isColorSolid = on;
    return true;
}

void setFillColor(WindowRecord &record, ColorChannel channel, int value)
{
    switch (channel) {
    case ColorChannel::Red:
        record.colorR = record.lastColorR = value;
        break;
    case ColorChannel::Green:
        record.colorG = record.lastColorG = value;
        break;
    case ColorChannel::Blue:
        record.colorB = record.lastColorB = value;
        break;
    }
}

void setFillColor(WindowRecord &record, int red, int green, int blue)
{
    setFillColor(record, ColorChannel::Red, red);
    setFillColor(record, ColorChannel::Green, green);
    setFillColor(record, ColorChannel::Blue, blue);
}

int colorCode(ColorChannel channel)
{
    return 0x26 + int(channel);
}

std::optional<int> setAudio(std::array<WindowRecord *, 4> windows, int window, bool on)
{
    if (window < 0 || window > 3 || !windows[window] || windows[window]->audioEnabled == on)
        return std::nullopt;
    if (!on) {
        windows[window]->audioEnabled = false;
        return NoSource;
    }
    // The sound is the window's input's, also while a solid colour covers its
    // picture; a window without an input has none to play.
    const int input = windowInput(*windows[window]);
    if (input == NoSource)
        return std::nullopt;
    for (WindowRecord *r : windows) {
        if (r)
            r->audioEnabled = false;
    }
    windows[window]->audioEnabled = true;
    return input;
}

const std::array<PictureDefault, 7> &pictureResetSteps()
{
    // luminance, contrast, saturation, colour temperature, hue, sharpness H / V
    static const std::array<PictureDefault, 7> steps = {{
        {0, 0},
        {1, 100},
        {2, 100},
        {3, 0},
        {4, 0},
        {5, 0},
        {6, 0},
    }};
    return steps;
}

} // namespace w4
