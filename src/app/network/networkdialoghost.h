#pragma once

#include <QString>

class QHostAddress;
class QUdpSocket;

// What the connection settings window needs from the main window. The main
// window implements it; tests give the window a fake.
class NetworkDialogHost
{
public:
    virtual ~NetworkDialogHost() = default;

    // The program's UDP socket, which the search and the address change write to.
    virtual QUdpSocket *udpSocket() = 0;
    // Binds the UDP socket to the given local address, port 1400 (reports a
    // failure to the user itself).
    virtual void rebindUdpSocket(const QHostAddress &local) = 0;

    // Serial port list poll; refills the window's port list when it changed.
    virtual void showValidPort() = 0;
    // Opens or closes the serial port chosen in the window's port list.
    virtual void on_openButton_clicked() = 0;

    // Toggles the network link; the window calls it only to take the link down.
    virtual void on_connect_clicked() = 0;
    // Connects to the device of the window's selected row by the UDP read.
    virtual void connectNetworkDevice(bool dhcp) = 0;
    // Connects over TCP to an address and port the user typed (already checked).
    virtual void connectTcpDevice(const QString &address, quint16 port) = 0;

    // Switches the interface language (0 Chinese, 1 English, 2 Russian) and
    // re-labels every window, this one included.
    virtual void changeLanguage(int index) = 0;

    // The command send intervals the user set, as typed (milliseconds).
    virtual QString networkSendIntervalText() const = 0;
    virtual QString serialSendIntervalText() const = 0;
    // Restarts the send timer and the wall view's geometry timer with this interval.
    virtual void restartSendTimers(int intervalMs) = 0;

    // Whether a link that drops is made again by itself; the choice is kept in
    // the user's settings.
    virtual bool reconnectEnabled() const = 0;
    virtual void setReconnectEnabled(bool on) = 0;
};
