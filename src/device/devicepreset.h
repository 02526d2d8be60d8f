#pragma once

#include "preset.h"

namespace w4 {

class DeviceModel;

// The processor's last known state as a preset: what was read is known, what
// the reader's origin does not carry (or what never came) is left unknown.
Preset presetFromModel(const DeviceModel &model, StatusOrigin origin);

} // namespace w4
