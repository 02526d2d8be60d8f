// Network link, as the user drives it: connecting and disconnecting TCP, the UDP
// socket's binding, offline editing without a device, and the connection
// settings window. The links themselves belong to the device session.
#include "appstate.h"
#include "commandsender.h"
#include "devicesession.h"
#include "ipv4configuration.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "tcplink.h"
#include "udplink.h"
#include "ui_mainwindow.h"

#include <QLoggingCategory>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcNetworkLink, "w4.link.network", QtInfoMsg)

void MainWindow::setupNetworkLink()
{
    // Datagrams outside a device read are search replies.
    connect(deviceSession->udpLink(), &w4::UdpLink::datagramReceived, this,
            [this](const QByteArray &datagram) { parsingLowerComputerStatusByUdp(datagram); });
    connect(deviceSession->tcpLink(), &w4::TcpLink::errorOccurred, this,
            [](const QString &message) { qCDebug(lcNetworkLink) << "tcp:" << message; });

    ui->IP->setText(QStringLiteral("192.0.2.1"));
    ui->port->setText(QStringLiteral("23"));

    if (!deviceSession->bindUdp())
        MyMessageBox::information(this, tr("error"),
                                  tr("udp socket create error!") + QLatin1Char('\n') + udpBindProblem());
}

// Why the UDP port could not be bound, in the interface language where the
// cause is a common one.
QString MainWindow::udpBindProblem()
{
    QUdpSocket *socket = deviceSession->udpLink()->socket();
    switch (socket->error()) {
    case QAbstractSocket::AddressInUseError:
        return tr("UDP 端口 %1 已被其他程序（或本程序的另一个副本）占用，设备的应答会发到那里。")
            .arg(w4::UdpLink::IdlePort);
    case QAbstractSocket::SocketAccessError:
        return tr("没有使用 UDP 端口 %1 的权限（1024 以下的端口需要管理员权限）。").arg(w4::UdpLink::IdlePort);
    default:
        return socket->errorString();
    }
}

void MainWindow::rebindUdpSocket(const QHostAddress &local)
{
    if (!deviceSession->udpLink()->rebind(local))
        MyMessageBox::information(this, tr("error"), tr("udp socket create error"));
}

QUdpSocket *MainWindow::udpSocket()
{
    return deviceSession->udpLink()->socket();
}

// Connects to the device of the connection window, or takes the network link
// down when it is up.
void MainWindow::on_connect_clicked()
{
    if (!hasIpv4Configuration()) {
        MyMessageBox::error(this, tr("错误"), tr("请设置正确IP地址！"));
        return;
    }
    if (deviceSession->networkConnected() || deviceSession->state().reconnectingNetwork()) {
        deviceSession->disconnectNetwork();
        return;
    }
    // The device selected in the connection window, found or typed there.
    QString address;
    quint16 port = 0;
    if (!networkDialog->checkedTcpEndpoint(&address, &port))
        return;
    deviceSession->connectTcp(address, port);
}

void MainWindow::connectTcpDevice(const QString &address, quint16 port)
{
    if (!hasIpv4Configuration()) {
        MyMessageBox::error(this, tr("错误"), tr("请设置正确IP地址！"));
        return;
    }
    deviceSession->connectTcp(address, port);
}

void MainWindow::on_ptn_offLine_clicked()
{
    deviceSession->goOffline();
}

void MainWindow::closeLinks()
{
    if (deviceSession) {
        deviceSession->disconnect(this);
        deviceSession->shutdown();
        unfollowSession(deviceSession);
    }
}

// ---- The connection settings window ----

void MainWindow::createNetworkDialog()
{
    networkDialog = new NetworkDialog(this);
}

void MainWindow::destroyNetworkDialog()
{
    delete networkDialog;
    networkDialog = nullptr;
}

void MainWindow::on_NetConnectBtn_clicked()
{
    networkDialog->raise();
    networkDialog->show();
}

void MainWindow::applySendInterval()
{
    networkDialog->updateRefreshInterval();
}

QPair<QString, QString> MainWindow::networkDeviceEndpoint() const
{
    return {networkDialog->selectedDeviceAddress(), networkDialog->selectedDevicePort()};
}

QString MainWindow::networkSendIntervalText() const
{
    return ui->lineEdit_speed->text();
}

QString MainWindow::serialSendIntervalText() const
{
    return ui->lineEdit_speed_2->text();
}

void MainWindow::restartSendTimers(int intervalMs)
{
    deviceSession->sender()->setInterval(intervalMs);
    restartGeometryGate(intervalMs);
}

// Datagrams are search replies while a search runs; the status records of a
// device read go to the session's reader.
void MainWindow::parsingLowerComputerStatusByUdp(const QByteArray &datagram)
{
    if (networkDialog->searchMode())
        networkDialog->handleSearchReply(datagram);
}
