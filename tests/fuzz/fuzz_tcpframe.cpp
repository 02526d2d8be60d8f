// TCP status frames: one block straight into the decoder, and the same bytes
// through the stream assembler, whose every frame must decode.
#include "frames.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    w4::decodeTcpFrame(bytes);
    w4::TcpFrameAssembler assembler;
    for (const QByteArray &frame : assembler.feed(bytes))
        if (std::holds_alternative<std::monostate>(w4::decodeTcpFrame(frame)))
            std::abort(); // the assembler handed on a block that is no frame
    if (assembler.pending() >= 2 * w4::WindowFrameWords)
        std::abort(); // more kept than a frame's length
    return 0;
}
