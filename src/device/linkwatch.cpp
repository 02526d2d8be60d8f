#include "linkwatch.h"

namespace w4 {

LinkWatch::LinkWatch(QObject *parent) : QObject(parent)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &LinkWatch::onTimeout);
}

void LinkWatch::setTimes(int quietMs, int answerMs)
{
    quiet = quietMs;
    answer = answerMs;
}

void LinkWatch::start()
{
    watching = true;
    queries = 0;
    timer.start(quiet);
}

void LinkWatch::stop()
{
    watching = false;
    queries = 0;
    timer.stop();
}

void LinkWatch::sent()
{
    // A query waiting for its answer keeps its own time: commands written
    // meanwhile prove nothing about the device.
    if (watching && queries == 0)
        timer.start(quiet);
}

void LinkWatch::received()
{
    if (!watching)
        return;
    queries = 0;
    timer.start(quiet);
}

void LinkWatch::onTimeout()
{
    if (queries >= 2) {
        stop();
        emit silent();
        return;
    }
    ++queries;
    timer.start(answer);
    emit queryDue();
}

} // namespace w4
