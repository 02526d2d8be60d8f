// Timing of a TCP read against w4sim on loopback: from connecting to the
// last window frame applied, against the old fixed pacing of five 600 ms
// steps (each query now leaves once the answer to the one before has been
// applied), how long the waiting dialog stayed, and the longest stall of the
// event loop while the read runs. Not a test: prints its figures; the
// benchmark script measures the same against the bare round trips.
//
//     bench_readback [runs] [send interval ms]
#include "commandsender.h"
#include "devicesession.h"
#include "dialoganswerer.h"
#include "privatenetwork.h"
#include "readbackfixture.h"
#include "simharness.h"

#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

using namespace readback;

namespace {

struct Run
{
    qint64 lastFrameMs = -1;
    qint64 waitClosedMs = -1;
    qint64 longestStallMs = 0;
    int sendIntervalMs = 0;
};

Run oneRun(int intervalMs)
{
    Run run;
    simtest::Sim sim;
    if (!sim.start({}))
        qFatal("w4sim did not start");
    MainWindow w;
    listDevice(w, QStringLiteral("127.0.0.1"), sim.tcpPort);
    if (intervalMs > 0)
        w.session()->sender()->setInterval(intervalMs);

    // From the press of the connect button: the main window's own connected
    // handler runs the whole read inside itself, before any later slot, and a
    // loopback connection takes well under a millisecond.
    QElapsedTimer clock;
    QObject::connect(&w, &MainWindow::readInfo, [&](const QString &line) {
        if (line.startsWith(QStringLiteral("通道： 4")) && clock.isValid())
            run.lastFrameMs = clock.elapsed();
    });
    // A 1 ms timer: the longest gap between its ticks is the longest time the
    // event loop (nested loops included) did not get round.
    QElapsedTimer gap;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (gap.isValid())
            run.longestStallMs = std::max(run.longestStallMs, gap.restart());
        else
            gap.start();
    });
    ticker.start(1);

    // The waiting dialog's end: the first window shown again after it.
    struct HideWatch : QObject
    {
        QElapsedTimer *clock;
        qint64 *at;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Hide && *at < 0 && qobject_cast<WaitingWidget *>(o))
                *at = clock->elapsed();
            return false;
        }
    } hides;
    hides.clock = &clock;
    hides.at = &run.waitClosedMs;
    qApp->installEventFilter(&hides);

    DialogAnswerer result(DialogAnswerer::Ok);
    clock.start();
    widget<QPushButton>(w, "connect")->click();
    if (!result.waitDone(20000))
        qFatal("no result box");
    run.sendIntervalMs = w.session()->sender()->interval();
    ticker.stop();
    qApp->removeEventFilter(&hides);
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    simtest::enterPrivateNetwork(); // loopback only either way
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    const int intervalMs = argc > 2 ? std::max(1, atoi(argv[2])) : 0;
    std::printf("run  last frame ms  old pacing ms  ratio  dialog closed ms  send interval ms  longest stall ms\n");
    for (int i = 0; i < runs; ++i) {
        resetAppState();
        const Run r = oneRun(intervalMs);
        const int oldPacing = 5 * 600;
        std::printf("%3d  %13lld  %13d  %5.3f  %16lld  %16d  %16lld\n", i + 1,
                    static_cast<long long>(r.lastFrameMs), oldPacing, double(r.lastFrameMs) / oldPacing,
                    static_cast<long long>(r.waitClosedMs), r.sendIntervalMs,
                    static_cast<long long>(r.longestStallMs));
    }
    return 0;
}
