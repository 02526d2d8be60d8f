// Command texts to bytes: hex decoding and the check byte, and the address
// texts typed into the device table.
#include "addresses.h"
#include "codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QByteArray decoded = w4::decodeHex(text);
    const QByteArray encoded = w4::encodeCommand(text);
    // The command is its bytes and their check byte, which checks to zero.
    if (encoded.size() != decoded.size() + 1 || !encoded.startsWith(decoded) || w4::crc8(encoded) != 0)
        std::abort();
    w4::ipParts(text);
    w4::macParts(text);
    const QString ip = w4::ipForConnecting(text);
    if (w4::strictIpParts(text) && w4::strictIpParts(ip) != w4::strictIpParts(text))
        std::abort();
    w4::subnetBroadcast(text);
    return 0;
}
