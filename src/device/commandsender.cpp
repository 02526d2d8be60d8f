#include "commandsender.h"

namespace w4 {

CommandSender::CommandSender(QObject *parent) : QObject(parent)
{
    // A coarse timer may fire a little early; the gap between two commands is
    // a promise to the processor.
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(pace);
    connect(&tick, &QTimer::timeout, this, [this] {
        sendNext();
        emit ticked();
    });
}

void CommandSender::send(const QString &text)
{
    pending.push(text);
}

void CommandSender::setInterval(int ms)
{
    pace = ms;
    tick.start(ms);
}

bool CommandSender::sendNext()
{
    // A tick that comes too soon after the last write (the one before it was
    // late) waits for the rest of the gap.
    if (sinceWrite.isValid() && sinceWrite.elapsed() < pace) {
        if (tick.isActive())
            tick.start(int(pace - sinceWrite.elapsed()));
        return false;
    }
    if (tick.isActive() && tick.interval() != pace)
        tick.start(pace);

    const std::optional<QueuedCommand> command = pending.takeNext();
    if (!command)
        return false;
    emit commandSent(command->text);
    if (write)
        write(command->bytes);
    sinceWrite.start();
    // The next tick is one full interval after this write.
    if (tick.isActive())
        tick.start(pace);
    return true;
}

} // namespace w4
