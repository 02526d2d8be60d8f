// The stream assembler, differentially: the same bytes whole and cut into
// pieces (the cuts taken from the input's first bytes) must give the same frames.
#include "frames.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte says how many cut lengths follow; the rest is the stream.
    const size_t cuts = std::min<size_t>(data[0] % 16, size - 1);
    const uint8_t *lengths = data + 1;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1 + cuts), int(size - 1 - cuts));

    w4::TcpFrameAssembler whole;
    const QVector<QByteArray> expected = whole.feed(stream);

    w4::TcpFrameAssembler pieces;
    QVector<QByteArray> got;
    int at = 0;
    for (size_t i = 0; at < stream.size(); ++i) {
        // Cut lengths 1..256 in turn; past the given ones, byte by byte.
        const int n = i < cuts ? 1 + lengths[i] : 1;
        got += pieces.feed(stream.mid(at, n));
        at += n;
    }
    if (got != expected || pieces.pending() != whole.pending())
        std::abort();
    return 0;
}
