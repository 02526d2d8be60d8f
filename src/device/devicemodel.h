#pragma once

#include "frames.h"
#include "statusdatagram.h"
#include "windowstatusapply.h"

#include <QObject>

#include <array>
#include <optional>

namespace w4 {

// The processor's device-wide state as last read.
struct DeviceWideState
{
    int rows = 0, columns = 0; // 0: not known
    // Stacking level 1..4 per window; 0 where nothing was read.
    std::array<int, 4> layers{};
    std::optional<AudioOutMode> audioMode;
    std::optional<bool> videoGen;
    quint16 word1 = 0; // TCP only; logged
    bool hasLayout() const { return rows > 0 && columns > 0; }
};

// The processor's last known state: the device-wide values and the four window
// records as read. Every reader writes here; the views follow its signals.
class DeviceModel : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    const DeviceWideState &deviceWide() const { return wide; }
    // Window 0..3; absent until read.
    const std::optional<WindowStatus> &window(int index) const;

    void applyGlobalFrame(const GlobalFrame &frame);
    void applyWindowFrame(const WindowStatus &status);
    // A whole UDP read: the device-wide record (may be empty when it never
    // came) and the four window records, announced in reading order.
    void applyUdpRead(const StatusRecord &global, const std::array<WindowStatus, 4> &windows);

    void clear();

signals:
    // The device-wide state changed (layout, stacking, audio, VideoGen).
    void deviceWideChanged(w4::StatusOrigin origin);
    // Window 0..3 was read.
    void windowChanged(int index, w4::StatusOrigin origin);
    // A read of every part ended (UDP): what depends on all windows at once
    // can be done now.
    void readCompleted(w4::StatusOrigin origin);

private:
    DeviceWideState wide;
    std::array<std::optional<WindowStatus>, 4> windows;
};

} // namespace w4
