#pragma once

#include <QByteArray>
#include <QString>

// Command texts are hexadecimal digit pairs; on the wire every command is
// followed by a CRC-8 check byte computed over the bytes before it.
namespace w4 {

// Plain CRC-8: polynomial 0x07, initial value 0, no reflection, no final XOR.
quint8 crc8(const QByteArray &bytes);

// Hexadecimal text to bytes, no check byte. Non-hex characters are skipped; with
// an odd digit count the first digit stands alone as the low nibble of byte 0.
QByteArray decodeHex(const QString &text);

// Hexadecimal text to bytes with the CRC-8 appended: what goes on the wire.
QByteArray encodeCommand(const QString &text);

} // namespace w4
