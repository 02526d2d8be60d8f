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
    // A search's results live across its replies; start over now and then
    // so that the limit is reached and left again.
    static w4::SearchResults results;
    w4::SearchReply device;
    results.add(datagram, &device);
    if (results.droppedTotal() > 4 * w4::SearchResults::MaxDevices)
        results.clear();
    return 0;
}
