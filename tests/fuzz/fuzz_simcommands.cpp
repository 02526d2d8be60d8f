// The simulated processor's command path: a byte stream cut into commands, each
// applied (as it came, and with its check byte made right so that it counts),
// then the replies written from the state, which must still load back.
#include "codec.h"
#include "commandapplier.h"
#include "commandsplitter.h"
#include "devicestate.h"
#include "replywriter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    w4sim::DeviceState state = w4sim::DeviceState::defaults();
    w4sim::CommandApplier applier(&state);
    w4sim::CommandSplitter splitter;
    QVector<w4sim::Piece> pieces = splitter.feed(bytes);
    pieces += w4sim::CommandSplitter::splitDatagram(bytes);
    for (const w4sim::Piece &piece : pieces) {
        if (piece.junk || piece.bytes.isEmpty())
            continue;
        applier.apply(piece.bytes);
        QByteArray fixed = piece.bytes;
        fixed.chop(1);
        fixed.append(char(w4::crc8(fixed)));
        const w4sim::Outcome outcome = applier.apply(fixed);
        if (!outcome.crcOk)
            std::abort();
    }
    w4sim::ReplyWriter::toBytes(w4sim::ReplyWriter::globalWords(state));
    for (int window = 1; window <= 4; ++window)
        w4sim::ReplyWriter::toBytes(w4sim::ReplyWriter::windowWords(state, window));
    w4sim::ReplyWriter::searchReply(state, 23);
    w4sim::DeviceState back;
    QString error;
    if (!w4sim::DeviceState::fromJson(state.toJson(), &back, &error) || !(back == state))
        std::abort(); // a command left a state that cannot be saved and loaded
    return 0;
}
