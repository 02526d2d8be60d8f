#include "commands.h"

#include <algorithm>
#include <numeric>

namespace w4 {

namespace {

QString hex(int value, int digits)
{
    const int max = digits == 2 ? 0xFF : digits == 1 ? 0xF : 0xFFFF;
    return QStringLiteral("%1").arg(std::clamp(value, 0, max), digits, 16, QLatin1Char('0'));
}

QString rotationCommand(int windowIndex, int code, int value)
{
    return windowParameterCommand(windowIndex, code, value);
}

} // namespace

QString windowParameterCommand(int window, int code, int value)
{
    return hex(window, 2) + hex(code, 2) + hex(value, 4);
}

QString geometryCommand(int windowIndex, int x, int y, int width, int height)
{
    return hex(0xE0 + std::clamp(windowIndex, 0, 3), 2) + hex(x, 4) + hex(y, 4) + hex(width, 4) +
           hex(height, 4);
}

QString cropCommand(int windowIndex, int hStart, int vStart, int hEnd, int vEnd)
{
    return hex(0xD0 | std::clamp(windowIndex, 0, 3), 2) + hex(hStart, 4) + hex(vStart, 4) + hex(hEnd, 4) +
           hex(vEnd, 4);
}

QString layerOrderCommand(const std::array<int, 4> &layers)
{
    std::array<int, 4> windows;
    std::iota(windows.begin(), windows.end(), 0);
    std::stable_sort(windows.begin(), windows.end(),
                     [&layers](int a, int b) { return layers[size_t(a)] < layers[size_t(b)]; });
    QString text = QStringLiteral("0410");
    for (int w : windows)
        text += hex(2 * w, 1);
    return text;
}

QMap<QString, QString> spliceCommandMap()
{
    QMap<QString, QString> map;
    int k = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (r * c <= 9)
                map.insert(QStringLiteral("%1x%2").arg(r).arg(c),
                           QStringLiteral("0601") + hex(k++, 4).toUpper());
    return map;
}

QString setIpCommand(const std::array<int, 4> &ip)
{
    QString text = QStringLiteral("ff");
    for (int part : ip)
        text += hex(part, 2);
    return text;
}

QString setMacCommand(const std::array<int, 6> &mac)
{
    QString text = QStringLiteral("f7");
    for (int part : mac)
        text += hex(part, 2);
    return text;
}

std::optional<RotationStep> rotationKeyStep(int windowIndex, int rotation)
{
    switch (rotation) {
    case 0:
        return RotationStep{{rotationCommand(windowIndex, 0x32, 1)}, 90};
    case 90:
        return RotationStep{{rotationCommand(windowIndex, 0x33, 0)}, 180};
    case 180:
        return RotationStep{{rotationCommand(windowIndex, 0x33, 0), rotationCommand(windowIndex, 0x34, 1)},
                            270};
    case 270:
        return RotationStep{{rotationCommand(windowIndex, 0x34, 0)}, 0};
    default:
        return std::nullopt;
    }
}

QStringList rotationMenuCommands(int windowIndex, int degrees, bool was180)
{
    if (degrees == 180)
        return was180 ? QStringList() : QStringList{rotationCommand(windowIndex, 0x33, 0)};

    QStringList commands;
    const int code = degrees == 0 ? 0x32 : degrees == 90 ? 0x32 : degrees == 270 ? 0x34 : -1;
    if (code < 0)
        return commands;
    if (was180)
        commands << rotationCommand(windowIndex, 0x33, 0);
    commands << rotationCommand(windowIndex, code, degrees == 0 ? 0 : 1);
    return commands;
}

} // namespace w4
