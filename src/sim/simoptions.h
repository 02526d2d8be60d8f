#pragma once

#include <QHostAddress>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace w4sim {

// A set of reply numbers (1 = first reply sent) or every reply.
struct ReplySelection
{
    bool every = false;
    QSet<int> numbers;
    bool contains(int n) const { return every || numbers.contains(n); }
    bool isEmpty() const { return !every && numbers.isEmpty(); }
};

struct Faults
{
    int delayMs = 0;
    ReplySelection drop;
    int dropWindow = 0;              // every answer about this window is swallowed
    ReplySelection corruptTail;      // TCP frame ends in BBBA instead of BBBB
    ReplySelection corruptSeparator; // first datagram record ends in '.' instead of '/'
    ReplySelection split;            // TCP frame written in two parts
    ReplySelection merge;            // TCP frame held and written with the next one
    int disconnectAfter = 0;         // close a TCP connection after N commands
    int wrongWindowAsked = 0;        // a query for this window ...
    int wrongWindowSent = 0;         // ... is answered with this window's frame
    bool disagreeUdp = false;        // every datagram answer of a window differs
    // Silence: nothing is answered on any transport for silentForMs; what comes
    // in meanwhile is logged and thrown away. It begins silentFromMs after
    // start, right after the silentAfterCommands-th command is answered, or
    // whenever SIGUSR1 arrives.
    int silentFromMs = -1;       // -1: not by time
    int silentAfterCommands = 0; // 0: not by count
    int silentForMs = 3000;
};

struct SimOptions
{
    QHostAddress listen = QHostAddress(QHostAddress::AnyIPv4);
    int tcpPort = -1; // -1: the state's port
    QVector<int> udpPorts{23, 68};
    QString ptyLink;
    QString serialDevice;
    QString stateFile;
    QString stateOutFile;
    QString saveFile;
    QString eventsFile;
    QVector<int> noSignalInputs;          // 1..4
    QVector<int> lowResInputs;            // 1..4
    QVector<QPair<int, int>> resolutions; // input 1..4, code
    bool dhcp = false;
    QString ip; // reported address, overrides the state's
    Faults faults;
    bool version = false; // --version: print the version and exit
};

// Parses the command line; on failure returns false with a message for the
// user. `helpText` receives the --help text when asked for.
bool parseOptions(const QStringList &arguments, SimOptions *out, QString *error, QString *helpText);

} // namespace w4sim
