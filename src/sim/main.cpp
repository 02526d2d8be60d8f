#include "devicestate.h"
#include "simoptions.h"
#include "simulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Only passes the signal number on; the event loop does the work.
void onSignal(int signal)
{
    const char c = char(signal);
    const ssize_t n = ::write(signalPipe[1], &c, 1);
    (void)n;
}

// SIGINT / SIGTERM end the event loop normally, so the pty symlink is removed
// (the state file is already current: it is written after every change).
// SIGUSR1 starts a silence.
bool handleSignals(QCoreApplication *app, w4sim::Simulator *sim)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    // A full pipe must never block the handler; a lost byte then only repeats
    // a signal that is still waiting to be read.
    ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [app, sim] {
        char received[16];
        const ssize_t n = ::read(signalPipe[0], received, sizeof received);
        for (ssize_t i = 0; i < n; ++i) {
            if (received[i] == SIGUSR1)
                sim->beginSilence(QStringLiteral("SIGUSR1"));
            else
                app->quit();
        }
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGUSR1})
        if (::sigaction(signal, &action, nullptr) != 0)
            return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("w4sim"));

    w4sim::SimOptions options;
    QString error, help;
    if (!w4sim::parseOptions(app.arguments(), &options, &error, &help)) {
        std::fprintf(stderr, "w4sim: %s\nTry 'w4sim --help'.\n", qPrintable(error));
        return 2;
    }
    if (!help.isEmpty()) {
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("w4sim %s\n", W4_VERSION);
        return 0;
    }

    w4sim::DeviceState state = w4sim::DeviceState::defaults();
    if (!options.stateFile.isEmpty() && !w4sim::DeviceState::load(options.stateFile, &state, &error)) {
        std::fprintf(stderr, "w4sim: %s\n", qPrintable(error));
        return 2;
    }
    for (int input : options.noSignalInputs)
        state.resolutionCodes[size_t(input - 1)] = 45;
    for (int input : options.lowResInputs)
        state.resolutionCodes[size_t(input - 1)] = 3;
    for (const auto &r : options.resolutions)
        state.resolutionCodes[size_t(r.first - 1)] = r.second;
    if (options.dhcp)
        state.dhcp = true;
    if (!options.ip.isEmpty())
        state.ip = options.ip;

    w4sim::Simulator sim(options, state);
    if (!sim.start(&error)) {
        std::fprintf(stderr, "w4sim: %s\n", qPrintable(error));
        return 1;
    }
    if (!handleSignals(&app, &sim)) {
        std::fprintf(stderr, "w4sim: cannot install signal handlers\n");
        return 1;
    }

    QStringList udp;
    for (int p : sim.udpPorts())
        udp << QString::number(p);
    if (!sim.serialPath().isEmpty())
        std::printf("SERIAL %s\n", qPrintable(sim.serialPath()));
    std::printf("READY tcp=%d udp=%s\n", sim.tcpPort(), qPrintable(udp.join(QLatin1Char(','))));
    std::fflush(stdout);
    return app.exec();
}
