// Device-search replies, which anyone on the network can send.
#include "searchreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram(reinterpret_cast<const char *>(data), int(size));
    if (const std::optional<w4::SearchReply> reply = w4::parseSearchReply(datagram)) {
        reply->ip();
        reply->mac();
        reply->port().toUShort();
        reply->dhcp();
    }
    return 0;
}
