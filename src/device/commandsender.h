#pragma once

#include "commandqueue.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace w4 {

// Paces queued commands onto the link: one command per tick, and never two
// closer than one tick apart, even when a tick was delayed by a busy event loop
// (the timer is re-phased from the last write). Each command is announced as
// it leaves, whether or not a link takes it.
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
    // One tick's work: takes the next command if one tick has passed since the
    // last write. Returns true when a command left the queue.
    bool sendNext();

    void setInterval(int ms);
    int interval() const { return pace; }
    void start() { tick.start(); }
    void stop() { tick.stop(); }
    bool isActive() const { return tick.isActive(); }

    CommandQueue &queue() { return pending; }
    const CommandQueue &queue() const { return pending; }
    QTimer *timer() { return &tick; }

signals:
    // The command text as the caller gave it, at the moment it leaves.
    void commandSent(const QString &text);
    // After every tick, whether or not anything left.
    void ticked();

private:
    CommandQueue pending;
    QTimer tick;
    QElapsedTimer sinceWrite;
    int pace = StartIntervalMs;
    std::function<bool(const QByteArray &)> write;
};

} // namespace w4
