#pragma once

// Whether the computer has any IPv4 configuration at all (an IPv4 address on
// some interface, loopback included). Answers at once from the system's
// interface list; a TCP connection is not attempted without one.
bool hasIpv4Configuration();
