#pragma once

// Moves the test process into a network namespace of its own (root only), with
// loopback up and one card 198.51.100.10/24 (a veth pair whose other end has no
// address), so nothing the test sends can leave it. Call at the start of main(),
// before any thread exists. False when not root or when it fails; the test
// then stays on the machine's loopback.
#include <cstdlib>

#include <sched.h>
#include <unistd.h>

namespace simtest {

inline bool enterPrivateNetwork()
{
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNET) != 0)
        return false;
    const char *const commands[] = {
        "ip link set lo up",
        "ip link add w4card type veth peer name w4peer",
        "ip addr add 198.51.100.10/24 broadcast 198.51.100.255 dev w4card",
        "ip link set w4peer up",
        "ip link set w4card up",
    };
    for (const char *command : commands)
        if (std::system(command) != 0)
            return false;
    return true;
}

} // namespace simtest
