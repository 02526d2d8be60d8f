#pragma once

#include "windowrecord.h"

#include <array>
#include <optional>

// Record changes behind the window feature controls: each returns whether the
// record changed, so that a control set to the value the record already holds
// (a refresh) sends nothing.
namespace w4 {

// A check box state as the boxes report it: 0 unchecked, 2 checked. A partial
// state (1) changes nothing.
// The new flag value when `checkState` differs from `flag`, else nothing.
std::optional<bool> flagChange(int checkState, bool flag);

// The window's input 0..3, also while a solid colour covers it (its source is
// then 4); 4 when it has none.
int windowInput(const WindowRecord &record);

// Solid fill on: the source is put aside (4 = none) and the last entered colour
// comes back. Off: the source returns and the fill colour goes back to its default.
bool setSolidColor(WindowRecord &record, bool on);

// A colour chosen or typed: both the fill colour and the remembered one.
enum class ColorChannel { Red, Green, Blue };
void setFillColor(WindowRecord &record, ColorChannel channel, int value);
void setFillColor(WindowRecord &record, int red, int green, int blue);
int colorCode(ColorChannel channel); // 26, 27, 28

// Audio goes to one window at most. On: every other window loses it; the value
// to send is the window's input (the one under its solid colour, when it has
// one). Off: the value is 4. Nothing when the window already is as asked, or
// when it is to be switched on without any input.
std::optional<int> setAudio(std::array<WindowRecord *, 4> windows, int window, bool on);

// The fixed values the picture page's reset writes, in the order they are sent.
struct PictureDefault
{
    int index; // picture value index
    int value; // as stored in the record (sent shifted, see pictureValueToDevice)
};
const std::array<PictureDefault, 7> &pictureResetSteps();

} // namespace w4
