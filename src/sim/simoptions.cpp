#include "simoptions.h"

#include <QCommandLineParser>

namespace w4sim {

namespace {

bool parseNumber(const QString &text, int lo, int hi, int *out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

bool parseList(const QString &text, int lo, int hi, QVector<int> *out)
{
    for (const QString &part : text.split(QLatin1Char(','))) {
        int v = 0;
        if (!parseNumber(part, lo, hi, &v))
            return false;
        out->append(v);
    }
    return !out->isEmpty();
}

bool parseSelection(const QString &text, ReplySelection *out)
{
    if (text == QLatin1String("all")) {
        out->every = true;
        return true;
    }
    QVector<int> numbers;
    if (!parseList(text, 1, 1000000, &numbers))
        return false;
    for (int n : numbers)
        out->numbers.insert(n);
    return true;
}

const char *const kDescription =
    "Simulated four-window video-wall processor. It answers commands on TCP, UDP and\n"
    "a serial line the way the unit does, and never sends anything unasked.\n"
    "Prints \"READY tcp=<port> udp=<port>[,<port>]\" on stdout once listening and\n"
    "\"SERIAL <path>\" for the serial line. Reply numbers (N) count every reply sent,\n"
    "on any transport, from 1; \"all\" selects every reply.\n"
    "SIGINT and SIGTERM stop it cleanly; SIGUSR1 starts a silence (see --silent-for).";

} // namespace

bool parseOptions(const QStringList &arguments, SimOptions *o, QString *error, QString *helpText)
{
    QCommandLineParser p;
    p.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    p.addOption(help);
    const QCommandLineOption version({QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    p.addOption(version);
    auto opt = [&p](const char *name, const char *desc, const char *value = nullptr) {
        QCommandLineOption option(QString::fromLatin1(name), QString::fromLatin1(desc));
        if (value)
            option.setValueName(QLatin1String(value));
        p.addOption(option);
        return option;
    };
    const auto listen = opt("listen", "TCP and UDP address (default 0.0.0.0).", "ADDR");
    const auto tcpPort =
        opt("tcp-port", "TCP command port; 0 picks a free one (default: the state's, 23).", "N");
    const auto udpPorts =
        opt("udp-ports", "UDP ports for queries and search; 0 picks a free one (default 23,68).", "N[,M]");
    const auto pty = opt("pty",
                         "Create a pseudo-terminal for the serial line (115200 8N1) and make PATH a "
                         "symlink to it.",
                         "PATH");
    const auto serial =
        opt("serial", "Use an existing serial device instead of a pseudo-terminal.", "DEVICE");
    const auto state = opt("state", "Start from this JSON state instead of the defaults.", "FILE");
    const auto stateOut = opt("state-out",
                              "Write the JSON state to FILE at start and after every applied "
                              "command.",
                              "FILE");
    const auto saveFile = opt("save-file", "Where \"save all settings\" writes the JSON state.", "FILE");
    const auto events = opt("events",
                            "Write one JSON object per line for every command received and every "
                            "reply sent; \"-\" for stdout.",
                            "FILE");
    const auto noSignal = opt("no-signal", "These inputs (1..4) report no signal.", "LIST");
    const auto lowRes =
        opt("low-res", "These inputs (1..4) report a low resolution (code 3, 1440x288).", "LIST");
    const auto resolution = opt("resolution", "Input I reports resolution code C (repeatable).", "I=C");
    const auto dhcp = opt("dhcp", "The unit takes its address by DHCP.");
    const auto ip = opt("ip",
                        "The IPv4 address the unit reports in its search reply (default the state's, "
                        "127.0.0.1).",
                        "ADDR");
    const auto delay = opt("delay-ms", "Fault: delay every reply by MS milliseconds.", "MS");
    const auto drop = opt("drop-reply", "Fault: do not send reply N.", "N[,M..]|all");
    const auto dropWindow = opt("drop-window", "Fault: never answer queries about window W (1..4).", "W");
    const auto corruptTail = opt("corrupt-tail", "Fault: TCP frame N ends in BBBA.", "N[,M..]|all");
    const auto corruptSep =
        opt("corrupt-separator", "Fault: status datagram N has '.' after its first record.", "N[,M..]|all");
    const auto split = opt("split-reply", "Fault: write TCP frame N in two parts.", "N[,M..]|all");
    const auto merge =
        opt("merge-reply", "Fault: hold TCP frame N and write it together with the next one.", "N[,M..]|all");
    const auto disconnect =
        opt("disconnect-after", "Fault: close a TCP connection after its Nth command.", "N");
    const auto wrong = opt("wrong-window",
                           "Fault: answer the query for window W with the frame of window V "
                           "(default the next window).",
                           "W[:V]");
    const auto disagree = opt("disagree-udp", "Fault: every datagram answer about a window differs from the "
                                              "one before.");
    const auto silentFrom =
        opt("silent-from", "Fault: go silent MS milliseconds after it starts listening (see --silent-for).",
            "MS");
    const auto silentAfter =
        opt("silent-after-commands",
            "Fault: go silent right after handling (and answering) the Nth command received on any "
            "transport (see --silent-for).",
            "N");
    const auto silentFor = opt("silent-for",
                               "Length of every silence (default 3000). While silent nothing is answered on "
                               "TCP, UDP or the serial line, commands that come in are logged and thrown "
                               "away unapplied, and TCP connections stay open; then answers resume. SIGUSR1 "
                               "starts a silence at any time (again while silent: it lasts MS from then). "
                               "Start and end are logged as events with \"dir\":\"fault\".",
                               "MS");

    if (!p.parse(arguments)) {
        *error = p.errorText();
        return false;
    }
    if (!p.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: %1").arg(p.positionalArguments().first());
        return false;
    }
    if (p.isSet(help)) {
        *helpText = p.helpText();
        return true;
    }
    if (p.isSet(version)) {
        o->version = true;
        return true;
    }
    auto bad = [error](const QCommandLineOption &option, const QString &why) {
        *error = QStringLiteral("--%1: %2").arg(option.names().first(), why);
        return false;
    };
    if (p.isSet(listen) && !o->listen.setAddress(p.value(listen)))
        return bad(listen, QStringLiteral("not an IP address"));
    if (p.isSet(tcpPort) && !parseNumber(p.value(tcpPort), 0, 65535, &o->tcpPort))
        return bad(tcpPort, QStringLiteral("expects a port number 0..65535"));
    if (p.isSet(udpPorts)) {
        o->udpPorts.clear();
        if (!parseList(p.value(udpPorts), 0, 65535, &o->udpPorts))
            return bad(udpPorts, QStringLiteral("expects port numbers such as 23,68"));
    }
    o->ptyLink = p.value(pty);
    o->serialDevice = p.value(serial);
    if (!o->ptyLink.isEmpty() && !o->serialDevice.isEmpty()) {
        *error = QStringLiteral("--pty and --serial exclude each other");
        return false;
    }
    o->stateFile = p.value(state);
    o->stateOutFile = p.value(stateOut);
    o->saveFile = p.value(saveFile);
    o->eventsFile = p.value(events);
    if (p.isSet(noSignal) && !parseList(p.value(noSignal), 1, 4, &o->noSignalInputs))
        return bad(noSignal, QStringLiteral("expects input numbers 1..4 such as 2,3"));
    if (p.isSet(lowRes) && !parseList(p.value(lowRes), 1, 4, &o->lowResInputs))
        return bad(lowRes, QStringLiteral("expects input numbers 1..4 such as 2,3"));
    for (const QString &v : p.values(resolution)) {
        const QStringList parts = v.split(QLatin1Char('='));
        int input = 0, code = 0;
        if (parts.size() != 2 || !parseNumber(parts[0], 1, 4, &input) ||
            !parseNumber(parts[1], 0, 255, &code))
            return bad(resolution, QStringLiteral("expects INPUT=CODE such as 2=18"));
        o->resolutions.append({input, code});
    }
    o->dhcp = p.isSet(dhcp);
    if (p.isSet(ip)) {
        QHostAddress addr;
        if (!addr.setAddress(p.value(ip)) || addr.protocol() != QAbstractSocket::IPv4Protocol)
            return bad(ip, QStringLiteral("not an IPv4 address"));
        o->ip = addr.toString();
    }
    Faults &f = o->faults;
    if (p.isSet(delay) && !parseNumber(p.value(delay), 0, 600000, &f.delayMs))
        return bad(delay, QStringLiteral("expects milliseconds 0..600000"));
    if (p.isSet(drop) && !parseSelection(p.value(drop), &f.drop))
        return bad(drop, QStringLiteral("expects reply numbers such as 2,5 or all"));
    if (p.isSet(dropWindow) && !parseNumber(p.value(dropWindow), 1, 4, &f.dropWindow))
        return bad(dropWindow, QStringLiteral("expects a window 1..4"));
    if (p.isSet(corruptTail) && !parseSelection(p.value(corruptTail), &f.corruptTail))
        return bad(corruptTail, QStringLiteral("expects reply numbers such as 2,5 or all"));
    if (p.isSet(corruptSep) && !parseSelection(p.value(corruptSep), &f.corruptSeparator))
        return bad(corruptSep, QStringLiteral("expects reply numbers such as 2,5 or all"));
    if (p.isSet(split) && !parseSelection(p.value(split), &f.split))
        return bad(split, QStringLiteral("expects reply numbers such as 2,5 or all"));
    if (p.isSet(merge) && !parseSelection(p.value(merge), &f.merge))
        return bad(merge, QStringLiteral("expects reply numbers such as 2,5 or all"));
    if (p.isSet(disconnect) && !parseNumber(p.value(disconnect), 1, 1000000, &f.disconnectAfter))
        return bad(disconnect, QStringLiteral("expects a command count of at least 1"));
    if (p.isSet(wrong)) {
        const QStringList parts = p.value(wrong).split(QLatin1Char(':'));
        if (parts.size() > 2 || !parseNumber(parts[0], 1, 4, &f.wrongWindowAsked))
            return bad(wrong, QStringLiteral("expects W or W:V with windows 1..4"));
        f.wrongWindowSent = f.wrongWindowAsked % 4 + 1;
        if (parts.size() == 2 && !parseNumber(parts[1], 1, 4, &f.wrongWindowSent))
            return bad(wrong, QStringLiteral("expects W or W:V with windows 1..4"));
    }
    f.disagreeUdp = p.isSet(disagree);
    if (p.isSet(silentFrom) && !parseNumber(p.value(silentFrom), 0, 86400000, &f.silentFromMs))
        return bad(silentFrom, QStringLiteral("expects milliseconds 0..86400000"));
    if (p.isSet(silentAfter) && !parseNumber(p.value(silentAfter), 1, 1000000, &f.silentAfterCommands))
        return bad(silentAfter, QStringLiteral("expects a command count of at least 1"));
    if (p.isSet(silentFor) && !parseNumber(p.value(silentFor), 1, 86400000, &f.silentForMs))
        return bad(silentFor, QStringLiteral("expects milliseconds 1..86400000"));
    return true;
}

} // namespace w4sim
