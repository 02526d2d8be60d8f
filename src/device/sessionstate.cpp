#include "sessionstate.h"

#include <QStringList>

namespace w4 {

ConnectionState SessionState::overall() const
{
    if (offline)
        return ConnectionState::Offline;
    if (linkUp())
        return ConnectionState::Connected;
    if (networkConnecting())
        return ConnectionState::Connecting;
    if (lost)
        return ConnectionState::Lost;
    return ConnectionState::NotConnected;
}

// The network link speaks first while it is up or being made; a serial link that
// is up is shown when the network link is not.
int SessionState::connectionStatusRow() const
{
    if (offline)
        return 9;
    if (networkConnected())
        return 2;
    if (networkConnecting())
        return 8;
    if (serialConnected())
        return 10;
    return serialStatusShown ? 11 : 1;
}

QString toString(SessionChange change)
{
    switch (change) {
    case SessionChange::SerialOpened: return QStringLiteral("serial opened");
    case SessionChange::SerialClosed: return QStringLiteral("serial closed");
    case SessionChange::SerialOpenFailed: return QStringLiteral("serial open failed");
    case SessionChange::SerialLost: return QStringLiteral("serial lost");
    case SessionChange::SerialPortsChanged: return QStringLiteral("serial ports changed");
    case SessionChange::NetworkConnecting: return QStringLiteral("network connecting");
    case SessionChange::NetworkConnected: return QStringLiteral("network connected");
    case SessionChange::NetworkDisconnected: return QStringLiteral("network disconnected");
    case SessionChange::NetworkTimedOut: return QStringLiteral("network timed out");
    case SessionChange::NetworkLost: return QStringLiteral("network lost");
    case SessionChange::NetworkConnectFailed: return QStringLiteral("network connect failed");
    case SessionChange::NetworkRefreshFailed: return QStringLiteral("network refresh failed");
    case SessionChange::OfflineEntered: return QStringLiteral("offline");
    case SessionChange::Reconnecting: return QStringLiteral("reconnecting");
    case SessionChange::Reconnected: return QStringLiteral("reconnected");
    case SessionChange::ReconnectingStopped: return QStringLiteral("reconnecting stopped");
    }
    return QStringLiteral("?");
}

QString toString(const SessionState &s)
{
    auto phase = [](LinkPhase p) {
        return p == LinkPhase::Open ? QStringLiteral("open")
               : p == LinkPhase::Connecting ? QStringLiteral("connecting")
                                            : QStringLiteral("closed");
    };
    QStringList parts{QStringLiteral("serial ") + phase(s.serial), QStringLiteral("network ") + phase(s.network)};
    if (s.networkKind == NetworkKind::Tcp)
        parts << QStringLiteral("tcp");
    if (s.networkKind == NetworkKind::Udp)
        parts << QStringLiteral("udp");
    if (s.offline)
        parts << QStringLiteral("offline");
    if (s.lost)
        parts << QStringLiteral("lost");
    if (s.reconnecting != ReconnectLink::None) {
        const char *const links[] = {"", "serial", "tcp", "udp"};
        parts << QStringLiteral("reconnecting %1, attempt %2")
                     .arg(QLatin1String(links[int(s.reconnecting)]))
                     .arg(s.reconnectAttempt);
    }
    parts << QStringLiteral("row %1").arg(s.connectionStatusRow());
    return parts.join(QStringLiteral(", "));
}

} // namespace w4
