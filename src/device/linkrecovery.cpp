#include "linkrecovery.h"

namespace w4 {

LinkRecovery::LinkRecovery(QObject *parent) : QObject(parent)
{
    pause.setSingleShot(true);
    connect(&pause, &QTimer::timeout, this, [this] {
        underWay = true;
        emit attemptDue(attemptNumber);
    });
}

int LinkRecovery::pauseBeforeMs(int attempt)
{
    return attempt <= 4 ? 1000 << qMax(0, attempt - 1) : 15000;
}

void LinkRecovery::setEnabled(bool on)
{
    enabled = on;
    if (!on)
        stop();
}

void LinkRecovery::lost(const LostLink &link)
{
    stop();
    if (enabled)
        target = link;
}

void LinkRecovery::begin()
{
    if (!isPending() || isRunning())
        return;
    attemptNumber = 1;
    schedule();
}

void LinkRecovery::failed()
{
    if (!isRunning())
        return;
    underWay = false;
    ++attemptNumber;
    schedule();
}

void LinkRecovery::attemptNow()
{
    if (isRunning() && !underWay) {
        pause.stop();
        underWay = true;
        emit attemptDue(attemptNumber);
    }
}

void LinkRecovery::stop()
{
    pause.stop();
    target = LostLink{};
    attemptNumber = 0;
    underWay = false;
}

void LinkRecovery::schedule()
{
    pause.start(int(qint64(pauseBeforeMs(attemptNumber)) * pace / 100));
}

} // namespace w4
