#pragma once

// What the benchmark programs share (Qt only): a clock, waiting in the event
// loop, the stall probe, a bare stand-in for the wall and a drag across a
// graphics view made of posted mouse events.
#include <QBrush>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

// Monotonic nanoseconds, comparable between threads of one process.
inline qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double msBetween(qint64 fromNs, qint64 toNs)
{
    return double(toNs - fromNs) / 1e6;
}

// Runs the event loop for `ms`.
inline void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds or `timeoutMs` passed; false on time-out.
template <typename Done> bool waitUntil(Done done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        waitMs(5);
    }
    return true;
}

// A 10 ms timer on the GUI thread: the longest gap between two of its ticks,
// less the 10 ms, is the longest time the event loop (nested loops included)
// did not get round to it.
class StallProbe : public QObject
{
public:
    static constexpr int PeriodMs = 10;

    StallProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(PeriodMs);
        connect(&timer, &QTimer::timeout, this, [this] {
            const qint64 now = nowNs();
            if (last != 0)
                worst = std::max(worst, now - last - qint64(PeriodMs) * 1000000);
            last = now;
        });
        timer.start();
    }
    // Starts a new phase; the tick before still counts as its start.
    void restart() { worst = 0; }
    double worstMs() const { return double(worst) / 1e6; }

private:
    QTimer timer;
    qint64 last = 0;
    qint64 worst = 0;
};

// The bare counterpart of the wall: a graphics view with a scene of four
// movable rectangles, as many as the wall has windows.
inline QGraphicsView *bareWall()
{
    auto *scene = new QGraphicsScene(0, 0, 960, 540);
    const QColor colours[] = {Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkCyan};
    for (int i = 0; i < 4; ++i) {
        auto *item = scene->addRect(0, 0, 400, 220, QPen(Qt::white), QBrush(colours[i]));
        item->setPos(40 + (i % 2) * 460, 30 + (i / 2) * 260);
        item->setFlag(QGraphicsItem::ItemIsMovable);
    }
    auto *view = new QGraphicsView(scene);
    scene->setParent(view);
    return view;
}

// Presses the left button at `start` of the view's viewport, moves `steps`
// times by `step` with `stepMs` between the moves, and releases: every event is
// posted, so the program gets to each through its event loop as it would get
// to the user's.
inline void dragInView(QGraphicsView *view, QPoint start, QPoint step, int steps, int stepMs)
{
    QWidget *port = view->viewport();
    auto post = [port](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QCoreApplication::postEvent(port, new QMouseEvent(type, at, at, port->mapToGlobal(at), button, held,
                                                          Qt::NoModifier));
    };
    QPoint at = start;
    post(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    waitMs(stepMs);
    for (int i = 0; i < steps; ++i) {
        at += step;
        post(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        waitMs(stepMs);
    }
    post(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// The drag both stall runs make: 60 moves of (3, 2) px, 16 ms apart.
constexpr int DragSteps = 60;
constexpr int DragStepMs = 16;
inline QPoint dragStep()
{
    return QPoint(3, 2);
}

inline void print(const char *key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

// A stretch of a run, for matching the answers of an outside pinger to it
// (the same monotonic clock in every process).
inline void printPhase(const char *name, qint64 startNs, qint64 endNs)
{
    std::printf("phase %s %lld %lld\n", name, static_cast<long long>(startNs), static_cast<long long>(endNs));
    std::fflush(stdout);
}

// Tells the pinger which window to ping, then waits (at most 10 s) until it
// has said it is listening by creating `readyFile`; no file name, no wait.
inline void awaitPinger(WId window, const QString &readyFile)
{
    std::printf("window 0x%llx\n", static_cast<unsigned long long>(window));
    std::fflush(stdout);
    if (!readyFile.isEmpty())
        waitUntil([&] { return QFile::exists(readyFile); }, 10000);
}

} // namespace bench
