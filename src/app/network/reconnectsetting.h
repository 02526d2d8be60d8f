#pragma once

// Whether a link that drops is made again by itself: the user's choice, kept in
// the user's configuration (not in the program's folder). On unless switched off.
namespace ReconnectSetting {
bool load();
void save(bool on);
} // namespace ReconnectSetting
