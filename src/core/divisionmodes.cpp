#include "divisionmodes.h"

namespace w4 {

DivisionLayout divisionLayout(DivisionMode mode, const QSizeF &wall)
{
    const double w = wall.width();
    const double h = wall.height();
    DivisionLayout l;
    auto show = [&l](int k, double x, double y, double width, double height) {
        l.windows[k] = {true, QPointF(x, y), QSizeF(width, height)};
    };
    switch (mode) {
    case DivisionMode::Single:
        l.command = QStringLiteral("04040000");
        show(0, 0, 0, w, h);
        l.currentWindow = 0;
        break;
    case DivisionMode::TwoLeftRight:
        l.command = QStringLiteral("04050000");
        show(0, 0, 0, w / 2, h);
        show(1, w / 2, 0, w / 2, h);
        l.currentWindow = 0;
        break;
    case DivisionMode::TwoUpDown:
        l.command = QStringLiteral("04060000");
        show(0, 0, 0, w, h / 2);
        show(1, 0, h / 2, w, h / 2);
        l.currentWindow = 0;
        break;
    case DivisionMode::Four:
        l.command = QStringLiteral("04070000");
        show(0, 0, 0, w / 2, h / 2);
        show(1, w / 2, 0, w / 2, h / 2);
        show(2, 0, h / 2, w / 2, h / 2);
        show(3, w / 2, h / 2, w / 2, h / 2);
        break;
    case DivisionMode::OneBigOneSmall:
        l.command = QStringLiteral("04120000");
        show(0, w / 2, h / 2, w / 2, h / 2);
        show(1, 0, 0, w, h);
        l.currentWindow = 0;
        break;
    case DivisionMode::OneBigThreeSmall:
        l.command = QStringLiteral("04130000");
        for (int k = 0; k < 3; ++k)
            show(k, 2 * w / 3, k * h / 3, w / 3, h / 3);
        show(3, 0, 0, w, h);
        l.currentWindow = 3;
        break;
    }
    return l;
}

} // namespace w4
