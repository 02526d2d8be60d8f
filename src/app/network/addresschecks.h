#pragma once

#include <QString>

#include <array>

// Checks of the IP and MAC texts the user typed into the device table, before
// connecting to a device and before giving it new addresses.
enum class AddressProblem {
    None,
    BadIp,      // "请输入正确的IP地址"
    BadMac,     // "请输入正确的MAC地址"
    OddMacByte, // "要求MAC第一和第二位必须是偶数"
    BadPort,    // "请输入正确的端口号（1～65535）"
};

// Connecting only reads the addresses: four parts up to 255 (no number counts
// as 0), six MAC parts up to 255 with even first two.
AddressProblem checkConnectAddresses(const QString &ip, const QString &mac);

// Addresses that will be written into a device: every part must be a decimal
// number 0..255; the IP must be a host address (first part 1..223 but not 127,
// last part 1..254, as the change is broadcast to the card's /24); the first
// two MAC parts even.
struct AddressChange
{
    AddressProblem problem = AddressProblem::None;
    std::array<int, 4> ip{};
    std::array<int, 6> mac{};
};
AddressChange checkChangeAddresses(const QString &ip, const QString &mac);

// An address and port the user typed to connect to over TCP: four decimal
// numbers 0..255 (a text that is no number would leave nothing to connect to)
// and a decimal port 1..65535, blanks around either ignored. The port is set
// when the pair is good.
AddressProblem checkTcpEndpoint(const QString &ip, const QString &port, quint16 *portNumber = nullptr);
