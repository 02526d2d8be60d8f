#include "devicemodel.h"

namespace w4 {

const std::optional<WindowStatus> &DeviceModel::window(int index) const
{
    static const std::optional<WindowStatus> none;
    return index >= 0 && index < 4 ? windows[size_t(index)] : none;
}

void DeviceModel::applyGlobalFrame(const GlobalFrame &frame)
{
    wide.word1 = frame.word1;
    wide.rows = frame.rows;
    wide.columns = frame.columns;
    wide.layers = frame.layers;
    wide.audioMode = frame.audioMode;
    wide.videoGen = frame.videoGen;
    emit deviceWideChanged(StatusOrigin::Tcp);
}

void DeviceModel::applyWindowFrame(const WindowStatus &status)
{
    if (status.window < 1 || status.window > 4)
        return;
    windows[size_t(status.window - 1)] = status;
    emit windowChanged(status.window - 1, StatusOrigin::Tcp);
}

void DeviceModel::applyUdpRead(const StatusRecord &global, const std::array<WindowStatus, 4> &read)
{
    const std::optional<WallLayout> layout = wallLayoutFromRecord(global);
    wide.rows = layout ? layout->rows : 0;
    wide.columns = layout ? layout->columns : 0;
    wide.layers = layersFromRecord(global);
    emit deviceWideChanged(StatusOrigin::Udp);
    for (int i = 0; i < 4; ++i) {
        windows[size_t(i)] = read[size_t(i)];
        emit windowChanged(i, StatusOrigin::Udp);
    }
    emit readCompleted(StatusOrigin::Udp);
}

void DeviceModel::clear()
{
    wide = {};
    windows = {};
}

} // namespace w4
