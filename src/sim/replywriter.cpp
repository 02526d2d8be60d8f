#include "replywriter.h"

namespace w4sim {

namespace ReplyWriter {

namespace {

quint16 wire(int v)
{
    return static_cast<quint16>(qBound(0, v, 0xFFFF));
}

} // namespace

QVector<quint16> globalWords(const DeviceState &s)
{
    QVector<quint16> w(11, 0);
    w[0] = 0xAAAA;
    w[5] = wire(s.audioMode);
    w[6] = s.videoGen ? 1 : 0;
    w[7] = wire(s.rows);
    w[8] = wire(s.columns);
    w[9] = wire(s.stackingWord());
    w[10] = 0xBBBB;
    return w;
}

int tcpRotationCode(const WindowState &w)
{
    return w.rotation == 90 ? 1 : w.rotation == 270 ? 2 : 0;
}

int udpRotationCode(const WindowState &w)
{
    return w.rotation == 90 ? 3 : w.rotation == 270 ? 1 : 0;
}

int resolutionCode(const DeviceState &s, const WindowState &w)
{
    if (w.inputSource < 0 || w.inputSource > 3)
        return 39;
    return s.resolutionCodes[size_t(w.inputSource)];
}

QVector<quint16> windowWords(const DeviceState &s, int window)
{
    const WindowState &win = s.windows[size_t(window - 1)];
    QVector<quint16> w(53, 0);
    w[0] = 0xAAAA;
    w[1] = wire(window);
    for (const WindowField &f : windowFields())
        if (f.tcpWord >= 0)
            w[f.tcpWord] = wire(fieldValue(win, f) + f.offset);
    w[50] = wire(tcpRotationCode(win));
    w[51] = wire(resolutionCode(s, win));
    w[52] = 0xBBBB;
    return w;
}

QByteArray toBytes(const QVector<quint16> &words)
{
    QByteArray out;
    out.reserve(words.size() * 2);
    for (quint16 v : words) {
        out.append(static_cast<char>(v >> 8));
        out.append(static_cast<char>(v & 0xFF));
    }
    return out;
}

QVector<Record> globalRecords(const DeviceState &s)
{
    int levels = 0;
    for (const WindowState &w : s.windows)
        levels = (levels << 4) | (2 * (w.layer - 1));
    return {
        {6, wire((s.rows << 8) | s.columns)},
        {7, wire(levels)},
        {8, wire(s.audioMode)},
        {9, quint16(s.videoGen ? 1 : 0)},
    };
}

QVector<Record> windowRecords(const DeviceState &s, int window)
{
    const WindowState &win = s.windows[size_t(window - 1)];
    QVector<Record> out;
    for (const WindowField &f : windowFields())
        if (f.udpKey >= 0)
            out.append({quint8(f.udpKey), wire(fieldValue(win, f) + f.offset)});
    out.append({49, wire(udpRotationCode(win))});
    out.append({50, wire(resolutionCode(s, win))});
    std::sort(out.begin(), out.end(), [](const Record &a, const Record &b) { return a.key < b.key; });
    return out;
}

QByteArray datagram(quint8 code, const QVector<Record> &records)
{
    QByteArray out;
    out.append(char(0xAA));
    out.append(char(0x55));
    out.append(static_cast<char>(code));
    out.append(static_cast<char>(records.size()));
    for (const Record &r : records) {
        out.append(static_cast<char>(r.key));
        out.append(':');
        out.append(static_cast<char>(r.value >> 8));
        out.append(static_cast<char>(r.value & 0xFF));
        out.append('/');
    }
    return out;
}

QByteArray searchReply(const DeviceState &s, int tcpPort)
{
    return QStringLiteral("IP:%1/MAC:%2/Port:%3/Beta:%4/DHCP:%5")
        .arg(s.ip, s.macDecimalText())
        .arg(tcpPort)
        .arg(s.version, s.dhcp ? QStringLiteral("true") : QStringLiteral("false"))
        .toUtf8();
}

} // namespace ReplyWriter

} // namespace w4sim
