#pragma once

#include <optional>

// Behaviour shared by the slider / line-edit pairs of the picture pages.
namespace w4 {

// A click on the groove jumps the handle to the click: x pixels from the slider's
// left edge on a groove `width` pixels wide. Rounded half up, kept in range.
int sliderJumpValue(double x, int width, int minimum, int maximum);

// While a slider is dragged, one value is sent and then nothing for a short
// period (the caller's timer ends it); the record and the edit follow every step.
// A step held back in the period is sent when the period ends (which starts
// another), so the last value always goes out, also when no release ever
// comes (a press on the groove held and moved is not a drag for the slider).
// Releasing the slider ends the period at once and always sends the value let go at.
class SliderThrottle
{
public:
    static constexpr int PeriodMs = 60;

    // Which slider of which window had a step held back.
    struct Held
    {
        int index = 0;
        int window = 0;
    };

    // A step of slider `index` on window `window`: true when its value is to
    // be sent now; it then starts the period. Otherwise the step is held back.
    bool admit(int index = 0, int window = 0)
    {
        if (active) {
            held = Held{index, window};
            return false;
        }
        active = true;
        return true;
    }
    // The period's timer ran out: the step held back in it, whose value is to
    // be sent now (another period then runs), or nothing and the throttle rests.
    std::optional<Held> expire()
    {
        const std::optional<Held> out = held;
        held.reset();
        active = out.has_value();
        return out;
    }
    // The slider was released (or the pages show another window).
    void reset()
    {
        active = false;
        held.reset();
    }
    bool isActive() const { return active; }

private:
    bool active = false;
    std::optional<Held> held;
};

} // namespace w4
