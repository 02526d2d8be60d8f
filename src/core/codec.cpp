#include "codec.h"

#include <array>

namespace w4 {

namespace {

constexpr std::array<quint8, 256> makeCrcTable()
{
    std::array<quint8, 256> table{};
    for (int i = 0; i < 256; ++i) {
        quint8 crc = static_cast<quint8>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80) ? static_cast<quint8>((crc << 1) ^ 0x07) : static_cast<quint8>(crc << 1);
        table[static_cast<size_t>(i)] = crc;
    }
    return table;
}

constexpr std::array<quint8, 256> crcTable = makeCrcTable();

} // namespace

quint8 crc8(const QByteArray &bytes)
{
    quint8 crc = 0;
    for (char c : bytes)
        crc = crcTable[static_cast<quint8>(crc ^ static_cast<quint8>(c))];
    return crc;
}

QByteArray decodeHex(const QString &text)
{
    // Same rules as QByteArray::fromHex, which works on Latin-1 text.
    return QByteArray::fromHex(text.toLatin1());
}

QByteArray encodeCommand(const QString &text)
{
    QByteArray bytes = decodeHex(text);
    bytes.append(static_cast<char>(crc8(bytes)));
    return bytes;
}

} // namespace w4
