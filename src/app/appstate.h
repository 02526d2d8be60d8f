#pragma once

// Program-wide state shared by every window of the application. Kept in one
// place so a reader finds it at once and a test can put it back to the state
// of a fresh start with resetAppState().

// Interface language: 0 Chinese, 1 English, 2 Russian.
inline int languageIndex = 0;

// Link flags. offlineMode lets the user edit without a processor.
inline bool serialConnected = false;
inline bool networkConnected = false;
inline bool offlineMode = false;

// Row of the connection status table shown in the status bar
// (1 not connected, 2 connected, 8 connecting, 9 offline, 10..12 serial).
inline int connectionStatusRow = 1;

// Window status frames received since the last global status frame.
inline int windowReplyCount = 0;

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
    serialConnected = false;
    networkConnected = false;
    offlineMode = false;
    connectionStatusRow = 1;
    windowReplyCount = 0;
    mouseEditingEnabled = true;
    keyEditingEnabled = true;
    waitingDialogWidth = 250;
    waitingDialogHeight = 100;
}
