// UDP status datagrams: the parser, and everything read from its records.
#include "statusdatagram.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray datagram(reinterpret_cast<const char *>(data), int(size));
    const w4::StatusDatagram parsed = w4::parseStatusDatagram(datagram);
    if (!parsed.valid && !parsed.records.isEmpty())
        std::abort();
    w4::wallLayoutFromRecord(parsed.records);
    w4::layersFromRecord(parsed.records);
    w4::windowStatusFromRecord(parsed.records);
    w4::majorityRecord(parsed.records, w4::StatusRecord(), parsed.records);
    return 0;
}
