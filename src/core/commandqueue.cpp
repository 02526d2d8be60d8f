#include "commandqueue.h"

#include "codec.h"

namespace w4 {

namespace {

// Window parameter codes that set a plain value, where only the newest counts:
// position, size, crop, picture values, colour. Not the rotation codes (toggles),
// nor flags and source, whose every change the user made is kept.
bool isValueCode(quint8 code)
{
    return (code >= 0x01 && code <= 0x08) || (code >= 0x0A && code <= 0x12) ||
           (code >= 0x15 && code <= 0x1A) || code == 0x1D || code == 0x1F || code == 0x20 || code == 0x21 ||
           (code >= 0x23 && code <= 0x28);
}

bool related(const CommandTarget &a, const CommandTarget &b)
{
    return a.window < 0 || b.window < 0 || a.window == b.window;
}

} // namespace

CommandTarget commandTarget(const QByteArray &bytes)
{
    CommandTarget t;
    if (bytes.isEmpty())
        return t;
    const quint8 target = quint8(bytes[0]);
    if (target <= 0x03 && bytes.size() == 5) {
        t.window = target;
        const quint8 code = quint8(bytes[1]);
        if (isValueCode(code))
            t.key = bytes.left(2);
    } else if ((target & 0xF0) == 0xE0 && target <= 0xE3 && bytes.size() == 10) {
        t.window = target & 0x03;
        t.key = bytes.left(1);
    } else if ((target & 0xF0) == 0xD0 && target <= 0xD3 && bytes.size() == 10) {
        t.window = target & 0x03;
        t.key = bytes.left(1);
    }
    return t;
}

void CommandQueue::push(const QString &text)
{
    QueuedCommand command{encodeCommand(text), text};
    const CommandTarget target = commandTarget(command.bytes);
    if (!target.key.isEmpty()) {
        for (int i = m_entries.size() - 1; i >= 0; --i) {
            const CommandTarget other = commandTarget(m_entries[i].bytes);
            if (other.key == target.key && other.window == target.window) {
                m_entries[i] = std::move(command);
                return;
            }
            if (related(target, other))
                break; // something queued later depends on the older value
        }
    }
    m_entries.append(std::move(command));
}

std::optional<QueuedCommand> CommandQueue::takeNext()
{
    if (m_entries.isEmpty())
        return std::nullopt;
    return m_entries.takeFirst();
}

} // namespace w4
