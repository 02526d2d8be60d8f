#include "appstate.h"

#include "devicesession.h"

namespace {
const w4::DeviceSession *followed = nullptr;
}

void followSession(const w4::DeviceSession *session)
{
    followed = session;
}

void unfollowSession(const w4::DeviceSession *session)
{
    if (followed == session)
        followed = nullptr;
}

const w4::SessionState &linkState()
{
    static const w4::SessionState nothing;
    return followed ? followed->state() : nothing;
}
