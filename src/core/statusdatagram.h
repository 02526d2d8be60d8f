#pragma once

#include "frames.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <array>
#include <optional>

// Status datagrams the processor sends over UDP in answer to an 08 query: a
// 4-byte header, then 5-byte records  key ':' value-high value-low '/'.
namespace w4 {

// Key to value written as 4 upper-case hexadecimal digits.
using StatusRecord = QMap<int, QString>;

struct StatusDatagram
{
    bool valid = true;    // false when any record has a bad separator
    StatusRecord records; // empty when not valid
};

StatusDatagram parseStatusDatagram(const QByteArray &datagram);

// Key 6: the second character is the number of rows, the fourth the number of
// columns, each a decimal digit. Absent when the key is missing or unreadable.
struct WallLayout
{
    int rows = 0;
    int columns = 0;
};
std::optional<WallLayout> wallLayoutFromRecord(const StatusRecord &record);

// Key 7: character j is a digit D for window j + 1, whose level is (D + 2) / 2.
// 0 where the character gives no level 1..4.
std::array<int, 4> layersFromRecord(const StatusRecord &record);

// A window's keys decoded into the same shape as the TCP window frame; an absent
// key reads as 0. No crop is carried (hasCrop false); window is left 0. Without
// solid fill (key 42 zero) the colour is the default 136, 155, 177. The input
// (key 45) is the window's own also while the fill covers it.
WindowStatus windowStatusFromRecord(const StatusRecord &record);

// The window is read three times over UDP; two equal reads win. Absent when all
// three differ. Three empty reads (no answer at all) agree.
std::optional<StatusRecord> majorityRecord(const StatusRecord &first, const StatusRecord &second,
                                           const StatusRecord &third);

// Value of a key as a hexadecimal number, 0 when absent.
int recordValue(const StatusRecord &record, int key);

} // namespace w4
