// Measurements of the real program from inside, for scripts/bench.sh. Each mode
// prints "key value" lines (milliseconds unless the key says otherwise) and
// asserts nothing.
//
//     bench_harness latency serial|tcp N   N clicks, input event to bytes at the device
//     bench_harness readback tcp|udp N     N read-backs, and the bare round trips
//     bench_harness stall [READY_FILE]     longest stall of the event loop: a read-back,
//                                          a drag on the wall, a language switch; prints
//                                          its window for bench_ping and waits for it
//     bench_harness memory N               resident memory before and after N commands
//     bench_harness splash                 the splash screen's 5000 repaints
//
// The device is w4sim on loopback (w4sim in the program's own network namespace
// for UDP, root only) or a pseudo-terminal this program holds itself.
#include "benchsupport.h"

#include "appstate.h"
#include "codec.h"
#include "commandqueue.h"
#include "commandsender.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "frames.h"
#include "mainwindow.h"
#include "networkdialog.h"
#include "privatenetwork.h"
#include "simharness.h"
#include "splashscreen.h"
#include "udpreadback.h"
#include "userview.h"
#include "inputchannel.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBox>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QWindow>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

using bench::msBetween;
using bench::nowNs;
using bench::print;

namespace {

// Closes every modal box the program shows (as a user would, with its close
// button); waiting boxes close themselves unless `closeWaiting` says otherwise.
class BoxCloser : public QObject
{
public:
    BoxCloser()
    {
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *box = QApplication::activeModalWidget();
            if (!box || !box->isVisible())
                return;
            if (box->inherits("WaitingWidget")) {
                if (closeWaiting)
                    box->close();
                return;
            }
            if (handled.contains(box))
                return;
            handled << box;
            ++closed;
            box->close();
        });
        timer.start();
    }
    int closed = 0;
    bool closeWaiting = false;

private:
    QTimer timer;
    QList<QPointer<QWidget>> handled;
};

// Where the device's end of a link is watched from a thread of its own, so an
// arrival is timed when it happens, not when this program's event loop gets to
// it. After arm(), the first bytes to arrive are announced (on the GUI thread)
// with the time they came.
class FarEnd
{
public:
    std::atomic<bool> armed{false};
    std::atomic<qint64> lastBytesNs{0};
    std::function<void(qint64)> onArrival;

    void bytesCame()
    {
        const qint64 t = nowNs();
        lastBytesNs = t;
        if (armed.exchange(false))
            QMetaObject::invokeMethod(qApp, [this, t] { onArrival(t); }, Qt::QueuedConnection);
    }
};

// The far end of a pseudo-terminal pair: the program opens the slave side as
// its serial port; the master side is read here.
class PtyEnd
{
public:
    bool open()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return false;
        path = QString::fromLocal8Bit(name);
        reader = std::thread([this] {
            char buf[512];
            while (!stop) {
                pollfd p{master, POLLIN, 0};
                if (::poll(&p, 1, 20) > 0 && ::read(master, buf, sizeof buf) > 0)
                    end.bytesCame();
            }
        });
        return true;
    }
    ~PtyEnd()
    {
        stop = true;
        if (reader.joinable())
            reader.join();
        ::close(slave);
        ::close(master);
    }
    FarEnd end;
    QString path;

private:
    int master = -1, slave = -1;
    std::atomic<bool> stop{false};
    std::thread reader;
};

// A TCP relay on loopback between the program and w4sim: what the program
// writes is timed as it reaches the relay, then passed on unchanged, and the
// answers are passed back.
class TcpRelay
{
public:
    bool open(quint16 devicePort)
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(listener, reinterpret_cast<sockaddr *>(&a), len) != 0 || ::listen(listener, 1) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr *>(&a), &len) != 0)
            return false;
        port = ntohs(a.sin_port);
        relay = std::thread([this, devicePort] { run(devicePort); });
        return true;
    }
    ~TcpRelay()
    {
        stop = true;
        if (relay.joinable())
            relay.join();
        ::close(listener);
    }
    FarEnd end;
    quint16 port = 0;

private:
    static bool passOn(int from, int to, FarEnd *timed)
    {
        char buf[4096];
        const ssize_t n = ::read(from, buf, sizeof buf);
        if (n <= 0)
            return false;
        if (timed)
            timed->bytesCame();
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buf + done, size_t(n - done));
            if (w <= 0)
                return false;
            done += w;
        }
        return true;
    }
    void run(quint16 devicePort)
    {
        int client = -1;
        while (!stop && client < 0) {
            pollfd p{listener, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0)
                client = ::accept(listener, nullptr, nullptr);
        }
        if (client < 0)
            return;
        const int device = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(devicePort);
        const int one = 1;
        ::setsockopt(device, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(device, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
            while (!stop) {
                pollfd p[2] = {{client, POLLIN, 0}, {device, POLLIN, 0}};
                if (::poll(p, 2, 20) <= 0)
                    continue;
                if ((p[0].revents & (POLLIN | POLLHUP)) && !passOn(client, device, &end))
                    break;
                if ((p[1].revents & (POLLIN | POLLHUP)) && !passOn(device, client, nullptr))
                    break;
            }
        }
        ::close(device);
        ::close(client);
    }

    int listener = -1;
    std::atomic<bool> stop{false};
    std::thread relay;
};

template <typename T> T *widget(QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// Puts a device in the connection window's table, as a search would, and
// selects it.
void listDevice(MainWindow &w, const QString &ip, quint16 port, const QString &protocol)
{
    QTableWidget *table = w.networkDialog->deviceTable();
    table->item(0, NetworkDialog::IpColumn)->setText(ip);
    table->item(0, NetworkDialog::MacColumn)->setText(QStringLiteral("2.18.52.86.120.154"));
    table->item(0, NetworkDialog::PortColumn)->setText(QString::number(port));
    table->item(0, NetworkDialog::ProtocolColumn)->setText(protocol);
    table->selectRow(0);
}

// Brings the pages that hold `w` to the front of their tab, tool and stacked
// widgets.
void bringForward(QWidget *w)
{
    auto choose = [w](auto *pages) {
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i) == w || pages->widget(i)->isAncestorOf(w))
                pages->setCurrentIndex(i);
    };
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(p))
            choose(tabs);
        else if (auto *box = qobject_cast<QToolBox *>(p))
            choose(box);
        else if (auto *stack = qobject_cast<QStackedWidget *>(p))
            choose(stack);
    }
}

// A left click on `button` as the window system hands it over: press and
// release posted to the top-level window, which finds the widget under the
// pointer itself.
void postClick(QWidget *button)
{
    QWidget *top = button->window();
    QWindow *window = top->windowHandle();
    const QPoint centre = button->rect().center();
    const QPointF inWindow = button->mapTo(top, centre);
    const QPointF global = button->mapToGlobal(centre);
    QObject *target = window ? static_cast<QObject *>(window) : static_cast<QObject *>(top);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, inWindow, inWindow, global,
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, inWindow, inWindow, global,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// Connects the window to w4sim over TCP with the connect button and waits for
// the read-back's result box; false when it never came.
bool connectTcp(MainWindow &w, BoxCloser &boxes, quint16 port)
{
    listDevice(w, QStringLiteral("127.0.0.1"), port, QStringLiteral("UDP"));
    const int before = boxes.closed;
    widget<QPushButton>(w, "connect")->click();
    return bench::waitUntil([&] { return boxes.closed > before; }, 20000) && w.session()->networkConnected();
}

// ---- latency --------------------------------------------------------------------------

// Clicks the four-window layout button `clicks` times. Each click waits until
// the link has been quiet for one and a half send ticks (so the sender is idle,
// as it is when a user clicks), then a random part of a tick more. The time is
// taken just before the click's events are posted; the arrival is the first
// bytes at the device's end of the link.
int latency(const QString &link, int clicks)
{
    PtyEnd pty;
    if (link == QLatin1String("serial")) {
        if (!pty.open())
            qFatal("no pseudo-terminal");
        qputenv("W4_SERIAL_PORTS", pty.path.toLocal8Bit());
    }
    BoxCloser boxes;
    simtest::Sim sim;
    TcpRelay relay;
    MainWindow w;
    w.show();
    bench::waitMs(500);

    FarEnd *end = nullptr;
    if (link == QLatin1String("serial")) {
        QComboBox *ports = w.networkDialog->serialPortComboBox();
        ports->setCurrentIndex(ports->findText(pty.path, Qt::MatchStartsWith));
        w.networkDialog->openButton()->click(); // also applies the serial send interval
        if (!w.session()->serialConnected())
            qFatal("the serial port did not open");
        end = &pty.end;
    } else {
        if (!sim.start({}) || !relay.open(sim.tcpPort))
            qFatal("w4sim or the relay did not start");
        if (!connectTcp(w, boxes, relay.port))
            qFatal("no TCP link");
        end = &relay.end;
    }
    w.networkDialog->hide();
    QPushButton *button = widget<QPushButton>(w, "ptn_fourDivisionModel");
    bringForward(button);
    bench::waitMs(300);
    if (!button->isVisible() || !button->isEnabled()) {
        for (QWidget *p = button; p; p = p->parentWidget())
            qWarning() << p->metaObject()->className() << p->objectName() << p->isVisible() << p->isEnabled();
        qFatal("the layout button cannot be clicked");
    }

    const int tick = w.session()->sender()->interval();
    print("tick_ms", tick);
    int done = 0, missed = 0;
    qint64 clickedAt = 0;
    bool waiting = false;
    QTimer guard;
    guard.setSingleShot(true);
    guard.setInterval(5000);

    std::function<void()> next;
    std::function<void()> whenQuiet = [&] {
        if (msBetween(end->lastBytesNs, nowNs()) < 1.5 * tick)
            return QTimer::singleShot(5, whenQuiet);
        QTimer::singleShot(int(QRandomGenerator::global()->bounded(tick)), [&] {
            waiting = true;
            end->armed = true;
            clickedAt = nowNs();
            postClick(button);
            guard.start();
        });
    };
    next = [&] {
        if (done + missed >= clicks)
            return qApp->quit();
        whenQuiet();
    };
    end->onArrival = [&](qint64 at) {
        if (!waiting)
            return;
        waiting = false;
        guard.stop();
        ++done;
        print("sample", msBetween(clickedAt, at));
        next();
    };
    QObject::connect(&guard, &QTimer::timeout, [&] {
        waiting = false;
        end->armed = false;
        ++missed;
        next();
    });
    next();
    qApp->exec();
    print("missed", missed);
    return done > 0 ? 0 : 3;
}

// ---- read-back ---------------------------------------------------------------------------

// The bytes the program writes for a command text.
QByteArray wireBytes(const QString &text)
{
    w4::CommandQueue q;
    q.push(text);
    return q.takeNext()->bytes;
}

// The five queries of the TCP read, each sent when the answer to the one before
// is in: the least time the five round trips take.
double tcpFloor(quint16 port)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(5000))
        return -1;
    s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QStringList queries{QStringLiteral("08050000"), QStringLiteral("08010001"), QStringLiteral("08020001"),
                              QStringLiteral("08030001"), QStringLiteral("08040001")};
    const QVector<QByteArray> bytes = [&] {
        QVector<QByteArray> b;
        for (const QString &q : queries)
            b << wireBytes(q);
        return b;
    }();
    w4::TcpFrameAssembler frames;
    const qint64 t0 = nowNs();
    for (const QByteArray &query : bytes) {
        s.write(query);
        s.flush();
        for (bool framed = false; !framed;) {
            if (!s.waitForReadyRead(5000))
                return -1;
            framed = !frames.feed(s.readAll()).isEmpty();
        }
    }
    return msBetween(t0, nowNs());
}

// The thirteen queries of the UDP read (the device-wide one, each window three
// times), each sent when the answer to the one before is in.
double udpFloor(const QHostAddress &local, quint16 port)
{
    QUdpSocket s;
    if (!s.bind(local, 0))
        return -1;
    QStringList queries{QString::fromLatin1(w4::UdpReadBack::GlobalQuery)};
    for (const char *q : w4::UdpReadBack::WindowQueries)
        queries << QString::fromLatin1(q) << QString::fromLatin1(q) << QString::fromLatin1(q);
    QVector<QByteArray> bytes;
    for (const QString &q : queries)
        bytes << w4::decodeHex(q);
    const qint64 t0 = nowNs();
    for (const QByteArray &query : bytes) {
        s.writeDatagram(query, QHostAddress::LocalHost, port);
        if (!s.hasPendingDatagrams() && !s.waitForReadyRead(5000))
            return -1;
        s.receiveDatagram();
    }
    return msBetween(t0, nowNs());
}

// From the connect (button click) until window 4's state is applied to the
// wall and the pages (the model's announcement, after the window's own slot).
int readBack(const QString &link, int runs)
{
    const bool udp = link == QLatin1String("udp");
    const QString card = QStringLiteral("198.51.100.10");
    for (int run = 0; run < runs; ++run) {
        resetAppState();
        BoxCloser boxes;
        simtest::Sim sim;
        auto w = std::make_unique<MainWindow>();
        w->show();
        if (udp)
            w->rebindUdpSocket(QHostAddress(card)); // frees port 23 on loopback for the device
        if (!sim.start(udp ? QStringList{"--udp-ports", "23"} : QStringList{}))
            qFatal("w4sim did not start");
        bench::waitMs(300);
        qint64 clickedAt = 0, appliedAt = 0;
        QObject::connect(w->session()->model(), &w4::DeviceModel::windowChanged, w.get(), [&](int index) {
            if (index == 3 && clickedAt != 0 && appliedAt == 0) {
                appliedAt = nowNs();
                boxes.closeWaiting = true; // the read is timed; the rest of its wait is not
            }
        });
        const int before = boxes.closed;
        if (udp) {
            listDevice(*w, QStringLiteral("127.0.0.1"), 23, QStringLiteral("UDP"));
            clickedAt = nowNs();
            widget<QPushButton>(*w->networkDialog, "ptn_connectDevice")->click();
        } else {
            listDevice(*w, QStringLiteral("127.0.0.1"), sim.tcpPort, QStringLiteral("UDP"));
            clickedAt = nowNs();
            widget<QPushButton>(*w, "connect")->click();
        }
        bench::waitUntil([&] { return appliedAt != 0 && (udp || boxes.closed > before); }, 30000);
        if (appliedAt == 0)
            qFatal("window 4 was never applied");
        print("read", msBetween(clickedAt, appliedAt));
        print("floor", udp ? udpFloor(QHostAddress(card), 23) : tcpFloor(sim.tcpPort));
        w.reset();
        bench::waitMs(100);
    }
    return 0;
}

// ---- stalls -----------------------------------------------------------------------------

// The stall probe over a TCP read-back (click until its result box is closed),
// a drag of window 1 across the wall, and a switch to English and back.
int stall(const QString &readyFile)
{
    BoxCloser boxes;
    simtest::Sim sim;
    MainWindow w;
    w.show();
    if (!sim.start({}))
        qFatal("w4sim did not start");
    bench::waitMs(500);
    bench::awaitPinger(w.winId(), readyFile);
    bench::StallProbe probe;
    bench::waitMs(500);

    probe.restart();
    qint64 t0 = nowNs();
    if (!connectTcp(w, boxes, sim.tcpPort))
        qFatal("no TCP link");
    bench::printPhase("readback", t0, nowNs());
    print("stall_readback_ms", probe.worstMs());
    w.networkDialog->hide();
    bench::waitMs(300);

    probe.restart();
    t0 = nowNs();
    UserView *view = widget<UserView>(w, "graphicsView");
    const InputChannel *item = view->window(0);
    const QPoint start = view->mapFromScene(item->sceneBoundingRect().center());
    const QPointF before = item->pos();
    bench::dragInView(view, start, bench::dragStep(), bench::DragSteps, bench::DragStepMs);
    bench::waitMs(500);
    bench::printPhase("drag", t0, nowNs());
    print("stall_drag_ms", probe.worstMs());
    print("drag_moved_px", (item->pos() - before).manhattanLength()); // 0: the drag did not take

    probe.restart();
    t0 = nowNs();
    const QString title = widget<QPushButton>(w, "connect")->text();
    w.changeLanguage(1);
    print("language_changed", title != widget<QPushButton>(w, "connect")->text()); // 0: nothing was relabelled
    print("language_switch_ms", msBetween(t0, nowNs()));
    bench::waitMs(300);
    w.changeLanguage(0);
    bench::waitMs(300);
    bench::printPhase("language", t0, nowNs());
    print("stall_language_ms", probe.worstMs());
    return 0;
}

// ---- memory -----------------------------------------------------------------------------

qint64 residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Offline, with no gap between commands: `count` commands, each given when the
// one before has left, so every one goes the whole send path and into the
// communication log. At most `seconds` long.
int memory(int count, int seconds)
{
    BoxCloser boxes;
    MainWindow w;
    w.show();
    w.session()->goOffline();
    w.session()->sender()->setInterval(0);
    bench::waitMs(1500);
    const qint64 before = residentKb();

    int given = 0, left = 0;
    const qint64 t0 = nowNs();
    const qint64 deadline = t0 + qint64(seconds) * 1000000000;
    auto give = [&] {
        ++given;
        w.send(QStringLiteral("0401%1").arg(given % 0x10000, 4, 16, QLatin1Char('0')));
    };
    QObject::connect(w.session()->sender(), &w4::CommandSender::commandSent, &w, [&] {
        ++left;
        if (given < count && nowNs() < deadline)
            give();
        else
            qApp->quit();
    });
    if (count > 0) {
        give();
        qApp->exec();
    }
    const double took = msBetween(t0, nowNs());
    bench::waitMs(1500); // the log's own flush
    print("commands", left);
    print("send_ms", took);
    print("rss_before_kb", before);
    print("rss_after_kb", residentKb());
    return 0;
}

// ---- splash -----------------------------------------------------------------------------

int splash()
{
    SplashScreen *s = SplashScreen::instance();
    s->show();
    bench::waitMs(300);
    std::printf("splash_size %d %d\n", s->width(), s->height());
    const qint64 t0 = nowNs();
    s->showProgress(100, QStringLiteral("loading"));
    print("splash_ms", msBetween(t0, nowNs()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString what = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == QLatin1String("readback") && what == QLatin1String("udp")) {
        // Before any thread exists.
        if (!simtest::enterPrivateNetwork()) {
            std::printf("skip the UDP read needs a network namespace of its own (root)\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    if (mode == QLatin1String("latency") && argc > 3)
        return latency(what, std::max(1, atoi(argv[3])));
    if (mode == QLatin1String("readback") && argc > 3)
        return readBack(what, std::max(1, atoi(argv[3])));
    if (mode == QLatin1String("stall"))
        return stall(what);
    if (mode == QLatin1String("memory") && argc > 2)
        return memory(std::max(0, atoi(argv[2])), argc > 3 ? std::max(1, atoi(argv[3])) : 180);
    if (mode == QLatin1String("splash"))
        return splash();
    std::fprintf(stderr, "usage: bench_harness latency serial|tcp N | readback tcp|udp N | stall | "
                         "memory N [seconds] | splash\n");
    return 2;
}
