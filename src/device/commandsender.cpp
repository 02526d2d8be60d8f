#include "commandsender.h"

namespace w4 {

CommandSender::CommandSender(QObject *parent) : QObject(parent)
{
    // A coarse timer may fire a little early; the gap between two commands is
    // a promise to the processor.
    tick.setTimerType(Qt::PreciseTimer);
    tick.setSingleShot(true);
    connect(&tick, &QTimer::timeout, this, [this] {
        sendNext();
        emit ticked();
        schedule();
    });
}

void CommandSender::send(const QString &text)
{
    pending.push(text);
    schedule();
}

void CommandSender::setInterval(int ms)
{
    pace = ms;
    running = true;
    tick.stop();
    schedule();
}

void CommandSender::start()
{
    running = true;
    schedule();
}

void CommandSender::stop()
{
    running = false;
    tick.stop();
}

// The next command leaves at once (on the next turn of the event loop, so the
// commands of one user action still coalesce) when a whole interval has passed
// since the last write, and otherwise when it will have. With nothing waiting
// no timer runs: an idle sender does not wake the program.
void CommandSender::schedule()
{
    if (!running || pending.isEmpty()) {
        tick.stop();
        return;
    }
    if (tick.isActive())
        return;
    const qint64 wait = sinceWrite.isValid() ? pace - sinceWrite.elapsed() : 0;
    tick.start(int(qBound(qint64(0), wait, qint64(pace))));
}

void CommandSender::lastWriteAnswered()
{
    sinceWrite.invalidate();
    tick.stop();
    schedule();
}

void CommandSender::wroteOutsideQueue()
{
    sinceWrite.start();
}

int CommandSender::msUntilGapOver() const
{
    if (!sinceWrite.isValid())
        return 0;
    return int(qBound(qint64(0), pace - sinceWrite.elapsed(), qint64(pace)));
}

bool CommandSender::sendNext()
{
    // Too soon after the last write (a command written by hand, or a timer
    // that came early): the rest of the gap is waited for by schedule().
    if (sinceWrite.isValid() && sinceWrite.elapsed() < pace)
        return false;
    const std::optional<QueuedCommand> command = pending.takeNext();
    if (!command)
        return false;
    emit commandSent(command->text);
    if (write)
        write(command->bytes);
    sinceWrite.start();
    return true;
}

} // namespace w4
