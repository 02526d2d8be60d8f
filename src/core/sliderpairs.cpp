#include "sliderpairs.h"

#include <QtGlobal>

#include <cmath>

namespace w4 {

int sliderJumpValue(double x, int width, int minimum, int maximum)
{
    if (width <= 0 || maximum <= minimum)
        return minimum;
    const double offset = std::trunc(x * double(maximum - minimum) / width + 0.5);
    return qBound(minimum, minimum + int(qBound(-1e9, offset, 1e9)), maximum);
}

} // namespace w4
