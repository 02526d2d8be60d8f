#pragma once

#include "commandqueue.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace w4 {

// Paces queued commands onto the link: never two closer than one interval
// apart. A command sent when nothing waits and a whole interval has passed
// since the last write leaves at once; otherwise it waits its turn. With
// nothing queued the sender sleeps. Each command is announced as it leaves,
// whether or not a link takes it.
class CommandSender : public QObject
{
    Q_OBJECT

public:
    static constexpr int StartIntervalMs = 250;

    explicit CommandSender(QObject *parent = nullptr);

    // Where a command goes; returns false when no link took it (offline, or no
    // link at all). Set by the session.
    void setWriter(std::function<bool(const QByteArray &)> writer) { write = std::move(writer); }

    void send(const QString &text);
    // One tick's work: takes the next command if one interval has passed since
    // the last write. Returns true when a command left the queue.
    bool sendNext();

    // The processor answered the command written last, so it is ready for the
    // next one: that need not wait out the interval.
    void lastWriteAnswered();
    // Something was written to the link without the queue (a status query of
    // the session's own): the next command keeps its gap after it.
    void wroteOutsideQueue();
    // How long anything else written now would have to wait to keep the gap
    // after the last write (0: it may go now).
    int msUntilGapOver() const;

    // Setting the interval also starts the sender.
    void setInterval(int ms);
    int interval() const { return pace; }
    // A stopped sender keeps what is queued and writes nothing.
    void start();
    void stop();
    bool isActive() const { return running; }

    CommandQueue &queue() { return pending; }
    const CommandQueue &queue() const { return pending; }
    QTimer *timer() { return &tick; }

signals:
    // The command text as the caller gave it, at the moment it leaves.
    void commandSent(const QString &text);
    // After every turn of the sender's timer, whether or not anything left.
    void ticked();

private:
    void schedule();

    bool running = false;
    CommandQueue pending;
    QTimer tick;
    QElapsedTimer sinceWrite;
    int pace = StartIntervalMs;
    std::function<bool(const QByteArray &)> write;
};

} // namespace w4
