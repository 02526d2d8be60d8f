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

// The /24 broadcast address of a card: its first three numbers and 255.
QString subnetBroadcast(const QString &cardAddress);

} // namespace w4
