#include "devicepreset.h"

#include "devicemodel.h"
#include "walllayers.h"

namespace w4 {

Preset presetFromModel(const DeviceModel &model, StatusOrigin origin)
{
    Preset p;
    const DeviceWideState &wide = model.deviceWide();
    if (wide.hasLayout()) {
        p.rows = wide.rows;
        p.columns = wide.columns;
    }
    if (isLayerPermutation(wide.layers))
        p.layers = wide.layers;
    p.audioMode = wide.audioMode;
    p.videoGen = wide.videoGen;
    for (int i = 0; i < 4; ++i)
        if (const std::optional<WindowStatus> &w = model.window(i))
            p.windows[size_t(i)] = presetWindowFromStatus(*w, origin);
    return p;
}

} // namespace w4
