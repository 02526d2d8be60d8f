#pragma once

// Behaviour shared by the slider / line-edit pairs of the picture pages.
namespace w4 {

// A click on the groove jumps the handle to the click: x pixels from the slider's
// left edge on a groove `width` pixels wide. Rounded half up, kept in range.
int sliderJumpValue(double x, int width, int minimum, int maximum);

// While a slider is dragged, one value is sent and then nothing for a short
// period (the caller's timer ends it); the record and the edit follow every step.
// Releasing the slider ends the period at once and always sends the value let go at.
class SliderThrottle
{
public:
    static constexpr int PeriodMs = 60;

    // A drag step: true when this value is to be sent; it then starts the period.
    bool admit()
    {
        if (active)
            return false;
        active = true;
        return true;
    }
    // The period's timer ran out, or the slider was released.
    void reset() { active = false; }
    bool isActive() const { return active; }

private:
    bool active = false;
};

} // namespace w4
