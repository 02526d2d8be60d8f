#include "wallgeometry.h"

#include <QtGlobal>

#include <cmath>

namespace w4 {

bool isValidLayout(int rows, int columns)
{
    return rows >= 1 && columns >= 1 && rows <= 9 && columns <= 9 && rows * columns <= 9;
}

QString layoutName(int rows, int columns)
{
    return QStringLiteral("%1x%2").arg(rows).arg(columns);
}

bool parseLayoutName(const QString &name, int *rows, int *columns)
{
    // ASCII digits only: other scripts' digits are digits to QChar too.
    auto digit = [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); };
    if (name.size() != 3 || name.at(1) != QLatin1Char('x') || !digit(name.at(0)) || !digit(name.at(2)))
        return false;
    const int r = name.at(0).unicode() - '0';
    const int c = name.at(2).unicode() - '0';
    if (!isValidLayout(r, c))
        return false;
    if (rows)
        *rows = r;
    if (columns)
        *columns = c;
    return true;
}

QStringList layoutNames()
{
    QStringList names;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (r * c <= 9)
                names << layoutName(r, c);
    return names;
}

namespace {

// Lines are computed in floating point; the QLine constructor would round, the
// grid truncates.
QLine truncatedLine(double x1, double y1, double x2, double y2)
{
    return QLine(int(x1), int(y1), int(x2), int(y2));
}

QVector<QLine> verticalDividers(int n, double w, double h)
{
    QVector<QLine> lines;
    for (int k = 1; k < n; ++k)
        lines << truncatedLine(k * w / n, 0, k * w / n, h);
    return lines;
}

QVector<QLine> horizontalDividers(int n, double w, double h)
{
    QVector<QLine> lines;
    for (int k = 1; k < n; ++k)
        lines << truncatedLine(0, k * h / n, w, k * h / n);
    return lines;
}

} // namespace

QMap<QString, QVector<QLine>> buildLayoutLines(const QSizeF &wall)
{
    const double w = wall.width();
    const double h = wall.height();
    QMap<QString, QVector<QLine>> map;
    map.insert(QStringLiteral("1x1"), {});
    for (int n = 2; n <= 9; ++n) {
        map.insert(layoutName(1, n), verticalDividers(n, w, h));
        map.insert(layoutName(n, 1), horizontalDividers(n, w, h));
    }
    const QLine horizontalMiddle = truncatedLine(0, h / 2, w, h / 2);
    const QLine verticalMiddle = truncatedLine(w / 2, 0, w / 2, h);
    for (int n = 2; n <= 4; ++n) {
        map.insert(layoutName(2, n), QVector<QLine>{horizontalMiddle} + verticalDividers(n, w, h));
        if (n != 2)
            map.insert(layoutName(n, 2), QVector<QLine>{verticalMiddle} + horizontalDividers(n, w, h));
    }
    map.insert(QStringLiteral("3x3"),
               {truncatedLine(w / 3, 0, w / 3, h), truncatedLine((2 * w) / 3, 0, (2 * w) / 3, h),
                truncatedLine(0, h / 3, w, h / 3), truncatedLine(0, (2 * h) / 3, w, (2 * h) / 3)});
    return map;
}

QSizeF wallSizeFor(int rows, int columns)
{
    if (isValidLayout(rows, columns)) {
        if (rows == 1 && columns > 1)
            return QSizeF(columns * ScreenWidth, ScreenHeight);
        if (columns == 1 && rows > 1)
            return QSizeF(ScreenWidth, rows * ScreenHeight);
    }
    return QSizeF(DeviceMaxWidth, DeviceMaxHeight);
}

double viewZoomFor(int rows, int columns)
{
    if (!isValidLayout(rows, columns) || (rows == 1 && columns == 1))
        return 0.2;
    // Long single rows and columns have their own steps.
    static const double tallRows[] = {0.105, 0.088, 0.078, 0.065, 0.05};
    static const double wideColumns[] = {0.085, 0.072, 0.06, 0.053, 0.045};
    if (rows >= 5)
        return tallRows[rows - 5];
    if (columns >= 5)
        return wideColumns[columns - 5];
    if (columns == 4)
        return 0.105;
    if (rows == 4)
        return 0.125;
    if (columns == 3)
        return 0.14;
    if (rows == 3)
        return 0.16;
    if (columns == 2)
        return 0.2;
    return 0.24; // two rows, one column
}

namespace {

float factor(double extent, double deviceExtent)
{
    if (!(extent > 0))
        return 1.0f;
    return float(qMin(extent, deviceExtent)) / float(extent);
}

} // namespace

DeviceScale deviceScale(const QSizeF &wall)
{
    return {factor(wall.width(), DeviceMaxWidth), factor(wall.height(), DeviceMaxHeight)};
}

DeviceScale pageDeviceScale(const QSizeF &wall, bool oneByOneLayout)
{
    DeviceScale s = deviceScale(wall);
    if (oneByOneLayout)
        s.sy = 1.0f;
    return s;
}

int toDevice(double c, float s)
{
    const double v = c * double(s);
    if (!(v > 0)) // also NaN
        return 0;
    if (v >= 65535)
        return 65535;
    return int(v);
}

int toDeviceTruncated(double c, float s)
{
    return toDevice(std::trunc(c), s);
}

DeviceRect toDeviceRect(const QPointF &pos, const QSizeF &size, const DeviceScale &s, bool truncateFirst)
{
    auto conv = truncateFirst ? toDeviceTruncated : toDevice;
    return {conv(pos.x(), s.sx), conv(pos.y(), s.sy), conv(size.width(), s.sx), conv(size.height(), s.sy)};
}

WindowRecord defaultWindowRecord(int index, const QSizeF &wall)
{
    static const int inputs[4] = {1, 0, 3, 2};
    if (index < 0 || index > 3)
        return WindowRecord();
    WindowRecord r(index + 1);
    r.windowRect = QRectF(0, 0, wall.width() / 2, wall.height() / 2);
    r.inputSourceId = inputs[index];
    return r;
}

QPointF defaultWindowPosition(int index, const QSizeF &wall)
{
    if (index < 0 || index > 3)
        return QPointF(0, 0);
    return QPointF(index % 2 ? wall.width() / 2 : 0, index / 2 ? wall.height() / 2 : 0);
}

} // namespace w4
