#pragma once

#include <QString>

#include <array>
#include <optional>

// Dotted address texts as the user types them in the device table: IPv4 as four
// decimal numbers, the hardware address as six decimal numbers.
namespace w4 {

// Splits on "."; absent unless there are exactly N parts. A part that is no
// number counts as 0, as does an empty one. Ranges are the caller's to check.
std::optional<std::array<int, 4>> ipParts(const QString &text);
std::optional<std::array<int, 6>> macParts(const QString &text);

// Parts that are decimal numbers 0..255 and nothing else (leading zeros are
// still decimal); absent otherwise.
std::optional<std::array<int, 4>> strictIpParts(const QString &text);
std::optional<std::array<int, 6>> strictMacParts(const QString &text);

// The address to connect to: four decimal numbers written without leading
// zeros, so that "198.51.100.024" is .24 as checked (an address parser would
// read 024 as octal); a text that is not four such numbers is left as it is.
QString ipForConnecting(const QString &text);

// The /24 broadcast address of a card: its first three numbers and 255.
QString subnetBroadcast(const QString &cardAddress);

} // namespace w4
