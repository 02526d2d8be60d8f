#pragma once

#include <QString>

// How the desktop knows the program: the class its windows carry (X11
// WM_CLASS "w4control", which the menu entry names in StartupWMClass), the
// menu entry's id (the application id on Wayland) and the icon every window
// shows. Set before the first window is made: X11 takes the class then.
namespace AppIdentity {
QString desktopEntryId();
void apply();
} // namespace AppIdentity
