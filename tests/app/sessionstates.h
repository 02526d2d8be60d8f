#pragma once

// Puts a device session into a connection state without any real link, for
// tests of what the views show and allow in that state. A test that includes
// this links w4app (the session lives there).
#include "devicesession.h"
#include "sessionstate.h"

// `serial` and `network` are the links that count as up. A network link is a
// UDP one, so no TCP read of the state (and none of its dialogs) starts. The
// change is announced with the reason a real link would give: a serial link
// alone as opened (the main window shows its two non-modal notices), anything
// with a network link as connected, nothing up as a network disconnect.
inline void setLinksForTesting(w4::DeviceSession *session, bool serial, bool network)
{
    w4::SessionState state;
    if (serial) {
        state.serial = w4::LinkPhase::Open;
        state.serialStatusShown = true;
    }
    if (network) {
        state.network = w4::LinkPhase::Open;
        state.networkKind = w4::NetworkKind::Udp;
    }
    const w4::SessionChange reason = network  ? w4::SessionChange::NetworkConnected
                                     : serial ? w4::SessionChange::SerialOpened
                                              : w4::SessionChange::NetworkDisconnected;
    session->setStateForTesting(state, reason);
}
