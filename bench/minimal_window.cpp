// The baseline of scripts/bench.sh: the least a Qt Widgets program does to put
// a window of the main window's size on screen, holding a graphics view like
// the wall (a scene with four rectangles), and sit idle.
//
//     bench_minimal_window              shows the window and sits idle
//     bench_minimal_window stall MS [READY_FILE]
//                                       the window under the stall probe: idle
//                                       for MS, a drag, a language change
//     bench_minimal_window splash W H   5000 repaints of a plain W x H widget
//                                       with a progress bar
#include "benchsupport.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

// The stall probe over the three phases the program's own run has: idle where
// the program reads the device back, the drag of one rectangle, and a language
// change event through every widget (there and back).
int stall(QGraphicsView *view, int idleMs, const QString &readyFile)
{
    bench::waitMs(500);
    bench::awaitPinger(view->window()->winId(), readyFile);
    bench::StallProbe probe;
    bench::waitMs(500);

    probe.restart();
    qint64 t0 = bench::nowNs();
    bench::waitMs(idleMs);
    bench::printPhase("readback", t0, bench::nowNs());
    bench::print("stall_readback_ms", probe.worstMs());

    probe.restart();
    t0 = bench::nowNs();
    const QList<QGraphicsItem *> items = view->scene()->items(Qt::AscendingOrder);
    const QPoint start = view->mapFromScene(items.first()->sceneBoundingRect().center());
    bench::dragInView(view, start, bench::dragStep(), bench::DragSteps, bench::DragStepMs);
    bench::waitMs(500);
    bench::printPhase("drag", t0, bench::nowNs());
    bench::print("stall_drag_ms", probe.worstMs());

    probe.restart();
    t0 = bench::nowNs();
    QTranslator none;
    QCoreApplication::installTranslator(&none);
    bench::waitMs(300);
    QCoreApplication::removeTranslator(&none);
    bench::waitMs(300);
    bench::printPhase("language", t0, bench::nowNs());
    bench::print("stall_language_ms", probe.worstMs());
    return 0;
}

int splash(int width, int height)
{
    QWidget box(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    box.resize(width, height);
    auto *layout = new QVBoxLayout(&box);
    layout->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("loading")));
    auto *bar = new QProgressBar;
    bar->setRange(0, 5000);
    layout->addWidget(bar);
    box.show();
    bench::waitMs(300);
    const qint64 t0 = bench::nowNs();
    for (int step = 1; step <= 5000; ++step) {
        bar->setValue(step);
        QApplication::processEvents();
        box.repaint();
    }
    bench::print("splash_ms", bench::msBetween(t0, bench::nowNs()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("splash") && argc > 3)
        return splash(atoi(argv[2]), atoi(argv[3]));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    QGraphicsView *view = bench::bareWall();
    window.setCentralWidget(view);
    window.setFixedSize(1260, 756);
    window.show();
    if (mode == QLatin1String("stall"))
        return stall(view, argc > 2 ? atoi(argv[2]) : 7000,
                     argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    return app.exec();
}
