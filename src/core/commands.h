#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Builders of the command texts sent to the processor. Texts are hexadecimal
// digit pairs without check byte (encodeCommand adds it on the way out).
// Built texts use lower-case digits. Numbers outside a field's width are clamped
// to it so that a bad value can never shift the bytes after it.
namespace w4 {

// Window parameter: window byte (0..3, or 04 / 08 for device commands), code,
// two-byte value. Window 1 (index 1), code 0x0B, value 1024 gives "010b0400".
QString windowParameterCommand(int window, int code, int value);

// Geometry of one window in one command: "e0".."e3", then x, y, width, height.
QString geometryCommand(int windowIndex, int x, int y, int width, int height);

// Crop of one window in one command: "d0".."d3", then hStart, vStart, hEnd, vEnd.
QString cropCommand(int windowIndex, int hStart, int vStart, int hEnd, int vEnd);

// Stacking order "0410" + four digits: for levels 1 (top) .. 4, the digit
// 2 x window index of the window on that level. `layers[i]` is window i's level;
// windows are taken in ascending level, ties in window order.
QString layerOrderCommand(const std::array<int, 4> &layers);

// Splice layouts: "RxC" for every rows x columns with rows * columns <= 9, in
// row-major enumeration order k = 0..22, mapped to "0601" + k as 4 upper-case digits.
QMap<QString, QString> spliceCommandMap();

// Address-change datagrams: "ff" + four address bytes, "f7" + six hardware
// address bytes, two lower-case digits each.
QString setIpCommand(const std::array<int, 4> &ip);
QString setMacCommand(const std::array<int, 6> &mac);

// Rotation by the R key from the current angle: the commands in order and the
// new angle. Absent for an angle other than 0, 90, 180, 270.
struct RotationStep
{
    QStringList commands;
    int rotation = 0;
};
std::optional<RotationStep> rotationKeyStep(int windowIndex, int rotation);

// Commands of the context menu's rotation entries (0, 90, 180, 270); `was180`
// tells whether the window's 180 degree flag was set. Empty for other angles.
QStringList rotationMenuCommands(int windowIndex, int degrees, bool was180);

} // namespace w4
