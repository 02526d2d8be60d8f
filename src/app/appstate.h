#pragma once

#include "sessionstate.h"

// Program-wide state shared by every window of the application. Kept in one
// place so a reader finds it at once and a test can put it back to the state
// of a fresh start with resetAppState().

namespace w4 {
class DeviceSession;
}

// Interface language: 0 Chinese, 1 English, 2 Russian.
inline int languageIndex = 0;

// The connection state belongs to the device session; the widgets read it
// through these views and never write it. followSession() names the session
// the main window presents; without one, nothing is connected.
void followSession(const w4::DeviceSession *session);
// Stops following `session` if it is the one followed (it is going away).
void unfollowSession(const w4::DeviceSession *session);
const w4::SessionState &linkState();
inline bool serialConnected() { return linkState().serialConnected(); }
inline bool networkConnected() { return linkState().networkConnected(); }
inline bool offlineMode() { return linkState().offline; }
inline int connectionStatusRow() { return linkState().connectionStatusRow(); }

// The wall editor reacts to the mouse / to keys; each input turns the other off
// while it is in use.
inline bool mouseEditingEnabled = true;
inline bool keyEditingEnabled = true;

// Size of waiting dialogs created from now on (wider for Russian texts).
inline int waitingDialogWidth = 250;
inline int waitingDialogHeight = 100;

inline void resetAppState()
{
    languageIndex = 0;
    followSession(nullptr);
    mouseEditingEnabled = true;
    keyEditingEnabled = true;
    waitingDialogWidth = 250;
    waitingDialogHeight = 100;
}
