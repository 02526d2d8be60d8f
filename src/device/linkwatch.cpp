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
    // The quiet time running now counts anew.
    if (watching && queries == 0 && timer.isActive())
        timer.start(quiet);
}

void LinkWatch::start()
{
    startOnFirstAnswer();
    heard = true;
}

void LinkWatch::startOnFirstAnswer()
{
    started = true;
    watching = true;
    heard = false;
    queries = 0;
    timer.start(quiet);
}

void LinkWatch::stop()
{
    started = false;
    watching = false;
    heard = false;
    queries = 0;
    timer.stop();
}

void LinkWatch::received()
{
    if (!started)
        return;
    // A device that was taken for mute has spoken: it answers after all.
    heard = true;
    watching = true;
    queries = 0;
    timer.start(quiet);
}

void LinkWatch::onTimeout()
{
    if (!watching)
        return;
    if (!heard && queries >= 1) {
        watching = false;
        queries = 0;
        emit mute();
        return;
    }
    if (queries >= 2) {
        stop();
        emit silent();
        return;
    }
    if (busy && busy()) {
        // Its own exchange is the question: ask again once it is over.
        timer.start(answer);
        return;
    }
    ++queries;
    timer.start(answer);
    emit queryDue();
}

} // namespace w4
