#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <array>

// The preset arrangements of the four windows on the wall. Each one is a single
// global command for the processor plus the matching picture of the wall; the
// stacking afterwards is always window k on level k.
namespace w4 {

enum class DivisionMode {
    Single,           // window 1 fills the wall
    TwoLeftRight,     // windows 1 | 2
    TwoUpDown,        // window 1 above window 2
    Four,             // the four quarters
    OneBigOneSmall,   // window 2 fills the wall, window 1 in its bottom-right quarter
    OneBigThreeSmall, // window 4 fills the wall, windows 1..3 a column of thirds on the right
};

struct DivisionWindow
{
    bool shown = false; // a closed window keeps its position and size
    QPointF pos;
    QSizeF size;
};

struct DivisionLayout
{
    QString command; // global mode command, sent before anything else
    std::array<DivisionWindow, 4> windows;
    int currentWindow = -1; // window index made current afterwards; -1 keeps the current one
};

// Positions and sizes in wall pixels, unrounded, for a wall of the given size.
DivisionLayout divisionLayout(DivisionMode mode, const QSizeF &wall);

} // namespace w4
