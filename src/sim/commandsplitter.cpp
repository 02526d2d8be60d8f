#include "commandsplitter.h"

#include "codec.h"

namespace w4sim {

namespace {

quint8 at(const QByteArray &b, int i)
{
    return static_cast<quint8>(b.at(i));
}

bool isEndMarker(const QByteArray &b, int pos)
{
    // FF FF FF FF + its check byte closes a read sequence.
    static const QByteArray marker = w4::encodeCommand(QStringLiteral("ffffffff"));
    return b.mid(pos, marker.size()) == marker;
}

} // namespace

int commandLength(const QByteArray &bytes, int pos, bool datagram)
{
    const quint8 target = at(bytes, pos);
    if (target <= 0x04 || target == 0x06 || target == 0x08)
        return 5;
    if ((target >= 0xD0 && target <= 0xD3) || (target >= 0xE0 && target <= 0xE3))
        return 10;
    if (target == 0xF7)
        return 8;
    if (target == 0xFF) {
        const int left = bytes.size() - pos;
        if (datagram)
            return left == 6 ? 6 : 5;
        if (left < 5)
            return -1;
        return isEndMarker(bytes, pos) ? 5 : 6;
    }
    return 0;
}

bool checkByteOk(const QByteArray &command)
{
    if (command.size() < 2)
        return false;
    return w4::crc8(command.left(command.size() - 1)) == at(command, command.size() - 1);
}

QVector<Piece> CommandSplitter::split(const QByteArray &bytes, bool datagram, QByteArray *rest)
{
    QVector<Piece> out;
    int pos = 0;
    while (pos < bytes.size()) {
        const int len = commandLength(bytes, pos, datagram);
        if (len == 0) {
            int end = pos + 1;
            while (end < bytes.size() && commandLength(bytes, end, datagram) == 0)
                ++end;
            out.append({bytes.mid(pos, end - pos), true});
            pos = end;
            continue;
        }
        if (len < 0 || pos + len > bytes.size()) {
            if (rest)
                *rest = bytes.mid(pos);
            else
                out.append({bytes.mid(pos), true});
            return out;
        }
        out.append({bytes.mid(pos, len), false});
        pos += len;
    }
    if (rest)
        rest->clear();
    return out;
}

QVector<Piece> CommandSplitter::feed(const QByteArray &chunk)
{
    QVector<Piece> out;
    QByteArray buffer = m_pending + chunk;
    if (!m_pending.isEmpty()) {
        const int joined = commandLength(buffer, 0, false);
        const bool joinedOk = joined > 0 && joined <= buffer.size() && checkByteOk(buffer.left(joined));
        const int alone = chunk.isEmpty() ? 0 : commandLength(chunk, 0, false);
        const bool aloneOk = alone > 0 && alone <= chunk.size() && checkByteOk(chunk.left(alone));
        if (!joinedOk && aloneOk) {
            out.append({m_pending, true});
            buffer = chunk;
        }
    }
    out += split(buffer, false, &m_pending);
    return out;
}

QVector<Piece> CommandSplitter::splitDatagram(const QByteArray &datagram)
{
    return split(datagram, true, nullptr);
}

} // namespace w4sim
