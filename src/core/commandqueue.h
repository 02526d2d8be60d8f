#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

// The queue of commands waiting for the next send tick.
//
// Commands leave one per tick in the order they were given. Nothing the user
// asked for is dropped, but a value that a newer command to the same target makes
// pointless is: a new window geometry, crop or picture value replaces the one still
// waiting for the same window, as long as nothing that depends on it (another
// command to that window, or any device-wide command) was queued after it. A long
// drag or slider move therefore never builds up a backlog of stale values, and a
// save or reset queued beside it is never lost.
namespace w4 {

struct QueuedCommand
{
    QByteArray bytes; // as written to the link: hex decoded, CRC-8 appended
    QString text;     // as the caller gave it
};

class CommandQueue
{
public:
    void push(const QString &text);
    std::optional<QueuedCommand> takeNext();
    void clear() { m_entries.clear(); }
    int size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QVector<QueuedCommand> &entries() const { return m_entries; }

private:
    QVector<QueuedCommand> m_entries;
};

// What a command addresses, for superseding. `window` is 0..3 for commands to
// one window and -1 for device-wide ones; `key` identifies the value set (equal
// keys replace each other) and is empty for commands that must never be merged
// (actions, toggles, device-wide settings).
struct CommandTarget
{
    int window = -1;
    QByteArray key;
};
CommandTarget commandTarget(const QByteArray &bytes);

} // namespace w4
