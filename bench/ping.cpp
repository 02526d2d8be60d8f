// Pings windows through the X server, for scripts/bench.sh: every 10 ms each
// window gets a _NET_WM_PING, which its program answers from its event loop by
// sending the message back to the root window. Prints one line per answer:
//
//     <window index> <sent, CLOCK_MONOTONIC ns> <answer delay ms>
//
//     bench_ping SECONDS READY_FILE WINDOW...
//
// READY_FILE is created once the answers are being listened for. Stops after
// SECONDS (or when killed; every line is written whole); asserts nothing.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <poll.h>

namespace {

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_ping SECONDS READY_FILE WINDOW...\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const long long end = nowNs() + std::atoll(argv[1]) * 1000000000LL;
    std::vector<Window> windows;
    for (int i = 3; i < argc; ++i)
        windows.push_back(Window(std::strtoul(argv[i], nullptr, 0)));
    const Window root = DefaultRootWindow(display);
    // The answers go to the root window, for its structure (or substructure)
    // listeners; a window that is gone meanwhile is no error.
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    XSync(display, False);
    if (FILE *ready = std::fopen(argv[2], "w"))
        std::fclose(ready);

    // Send time of each ping, per window, by sequence number.
    std::vector<std::vector<long long>> sent(windows.size());
    const long long period = 10000000;
    long long next = nowNs();
    while (nowNs() < end) {
        if (nowNs() >= next) {
            for (size_t i = 0; i < windows.size(); ++i) {
                XEvent e{};
                e.xclient.type = ClientMessage;
                e.xclient.window = windows[i];
                e.xclient.message_type = protocols;
                e.xclient.format = 32;
                e.xclient.data.l[0] = long(ping);
                e.xclient.data.l[1] = CurrentTime; // leaves the program's idea of the server time alone
                e.xclient.data.l[2] = long(windows[i]);
                e.xclient.data.l[3] = long(i);
                e.xclient.data.l[4] = long(sent[i].size());
                sent[i].push_back(nowNs());
                XSendEvent(display, windows[i], False, NoEventMask, &e);
            }
            XFlush(display);
            next += period;
        }
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        const int waitMs = int((next - nowNs()) / 1000000);
        ::poll(&p, 1, waitMs > 0 ? waitMs : 0);
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type != ClientMessage || e.xclient.message_type != protocols ||
                Atom(e.xclient.data.l[0]) != ping)
                continue;
            const size_t i = size_t(e.xclient.data.l[3]);
            const size_t n = size_t(e.xclient.data.l[4]);
            if (i < sent.size() && n < sent[i].size())
            {
                std::printf("%zu %lld %.3f\n", i, sent[i][n], double(nowNs() - sent[i][n]) / 1e6);
                std::fflush(stdout);
            }
        }
    }
    std::fflush(stdout);
    XCloseDisplay(display);
    return 0;
}
