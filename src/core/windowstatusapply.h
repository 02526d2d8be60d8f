#pragma once

#include "frames.h"
#include "windowrecord.h"
#include "windowresize.h"

#include <QSizeF>

// How a window's state read from the processor is copied into its record.
namespace w4 {

// Which reader a state came from: the TCP frame and the UDP records carry
// different fields.
enum class StatusOrigin { Tcp, Udp };

// No input: the window shows its fill colour.
constexpr int NoInputSource = 4;

// Copies what the processor reported into `record`: picture values, processing
// and display flags, source, rotation, and the fill colour. A solid-colour
// window shows no source; its input is kept for when the fill is switched off
// (windowInput).
// From a TCP frame also the colour corrections and the crop start; the fill
// colour read is the last colour used, and the current one only while the fill
// is on. From UDP records the colour read is the current one, and the last one
// only while the fill is on. Position and size (wallGeometryFromStatus), crop
// end and source resolution depend on the wall and are left to the caller.
void applyWindowStatus(WindowRecord &record, const WindowStatus &status, StatusOrigin origin);

// Where the reported window lies on a wall of size `wall`: the processor
// counts in a space of at most 3840 x 2160, which the widest and tallest walls
// exceed (see deviceScale). Both readers report in that space.
WindowGeometry wallGeometryFromStatus(const WindowStatus &status, const QSizeF &wall);

} // namespace w4
