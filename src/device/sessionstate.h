#pragma once

#include <QMetaType>
#include <QString>

// The connection state of a session: where each link stands, and what the user
// is shown of them together. A plain value, compared and copied freely.
namespace w4 {

enum class LinkPhase { Closed, Connecting, Open };
enum class NetworkKind { None, Tcp, Udp };

// What the user sees of all links together.
enum class ConnectionState { NotConnected, Connecting, Connected, Offline, Lost };

// Why the state changed; each change of state is announced once with one of these.
enum class SessionChange {
    SerialOpened,
    SerialClosed,
    SerialOpenFailed,
    SerialLost,
    // The port list changed while the serial port was closed; the status line
    // turns to the serial port.
    SerialPortsChanged,
    NetworkConnecting,
    NetworkConnected,
    NetworkDisconnected, // by the user
    NetworkTimedOut,     // a TCP attempt got no answer
    NetworkLost,         // the peer or the network dropped the link
    NetworkConnectFailed, // a UDP read that was to make the link found no device
    NetworkRefreshFailed, // a UDP read of a device already connected failed
    OfflineEntered,
    // A lost link is being made again by itself: an attempt is waited for or
    // under way (its number is in the state).
    Reconnecting,
    // The lost link is back and the device's state has been read from it.
    Reconnected,
    // The attempts were given up because reconnecting was switched off.
    ReconnectingStopped,
};

// The link a session is making again by itself after it was lost.
enum class ReconnectLink { None, Serial, Tcp, Udp };

struct SessionState
{
    LinkPhase serial = LinkPhase::Closed;
    LinkPhase network = LinkPhase::Closed;
    NetworkKind networkKind = NetworkKind::None; // while the network link is not closed
    bool offline = false;
    // The last link that went down was lost, not closed by the user, and nothing
    // is up now.
    bool lost = false;
    // With nothing up, the status line speaks of the serial port ("... 未连接"
    // after the port's name) rather than of the network.
    bool serialStatusShown = false;
    // A lost link being made again by itself, and the attempt being waited for
    // or under way (1, 2, ...; 0 while no attempt is scheduled).
    ReconnectLink reconnecting = ReconnectLink::None;
    int reconnectAttempt = 0;

    bool serialConnected() const { return serial == LinkPhase::Open; }
    bool networkConnected() const { return network == LinkPhase::Open; }
    bool networkConnecting() const { return network == LinkPhase::Connecting; }
    // Commands go to the device as datagrams (a device read over UDP).
    bool sendByDatagram() const { return networkConnected() && networkKind == NetworkKind::Udp; }
    bool linkUp() const { return serialConnected() || networkConnected(); }
    bool reconnectingNetwork() const
    {
        return reconnecting == ReconnectLink::Tcp || reconnecting == ReconnectLink::Udp;
    }
    // Editing is allowed: a link is up or offline editing was chosen.
    bool editable() const { return linkUp() || offline; }

    ConnectionState overall() const;
    // Row of the connection status table: 1 not connected, 2 network connected,
    // 8 connecting, 9 offline, 10 serial connected, 11 serial not connected.
    int connectionStatusRow() const;

    bool operator==(const SessionState &o) const
    {
        return serial == o.serial && network == o.network && networkKind == o.networkKind &&
               offline == o.offline && lost == o.lost && serialStatusShown == o.serialStatusShown &&
               reconnecting == o.reconnecting && reconnectAttempt == o.reconnectAttempt;
    }
    bool operator!=(const SessionState &o) const { return !(*this == o); }
};

QString toString(SessionChange change);
QString toString(const SessionState &state);

} // namespace w4

Q_DECLARE_METATYPE(w4::SessionState)
Q_DECLARE_METATYPE(w4::SessionChange)
