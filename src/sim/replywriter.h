#pragma once

#include "devicestate.h"

#include <QByteArray>
#include <QVector>

// The unit's answers, written from its own state: TCP status frames, status
// datagrams and the device-search text.
namespace w4sim {

namespace ReplyWriter {

// 11 words, high byte first: AAAA, 0, 0, 0, 0, audio mode, VideoGen, rows,
// columns, stacking order, BBBB.
QVector<quint16> globalWords(const DeviceState &s);
// 53 words: AAAA, window number, geometry, crop, picture values (shifted),
// flags, fill colour, source, audio, rotation code, resolution code, BBBB.
QVector<quint16> windowWords(const DeviceState &s, int window);
QByteArray toBytes(const QVector<quint16> &words);

// Rotation code of the TCP frame (0, 1 = 90, 2 = 270) and of the datagram
// (0, 3 = 90, 1 = 270).
int tcpRotationCode(const WindowState &w);
int udpRotationCode(const WindowState &w);

// Resolution code reported for the window's source; "no source" reads as no signal.
int resolutionCode(const DeviceState &s, const WindowState &w);

struct Record
{
    quint8 key;
    quint16 value;
};
// Device-wide records: 6 layout (0R0C), 7 stacking (one decimal digit per
// window, 2 x (level - 1)), 8 audio mode, 9 VideoGen.
QVector<Record> globalRecords(const DeviceState &s);
QVector<Record> windowRecords(const DeviceState &s, int window);
// 4-byte header AA 55, then the query's code and its record count; records of
// key, ':', value (high byte first), '/'.
QByteArray datagram(quint8 code, const QVector<Record> &records);

// "IP:a.b.c.d/MAC:m.m.m.m.m.m/Port:n/Beta:text/DHCP:true|false"
QByteArray searchReply(const DeviceState &s, int tcpPort);

} // namespace ReplyWriter

} // namespace w4sim
