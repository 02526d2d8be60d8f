// Network link: the TCP connection with its time-out and loss handling, the UDP
// socket's binding, and offline editing without a device.
#include "appstate.h"
#include "ipv4configuration.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "networkportmanager.h"
#include "serialportmanager.h"
#include "statustexts.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

void MainWindow::setupNetworkLink()
{
    NetworkPortManager *manager = NetworkPortManager::instance();
    manager->init();
    tcp = manager->tcpSocket();
    udp = manager->udpSocket();

    connectTimeoutTimer = new QTimer(this);
    connectTimeoutTimer->setSingleShot(true);
    connectTimeoutTimer->setInterval(1500);
    connect(connectTimeoutTimer, &QTimer::timeout, this, &MainWindow::onConnectTimeout);

    // The signals are connected whatever the bind gives: without UDP reception
    // the TCP link still works, and a later re-bind brings UDP back.
    connect(tcp, &QTcpSocket::readyRead, this, [this] { read(tcp->readAll()); });
    connect(udp, &QUdpSocket::readyRead, this, &MainWindow::parsingLowerComputerStatusByUdp);
    connect(tcp, &QTcpSocket::disconnected, this, &MainWindow::onTcpDisconnected);
    connect(tcp, &QTcpSocket::connected, this, &MainWindow::onTcpConnected);

    ui->IP->setText(QStringLiteral("192.0.2.1"));
    ui->port->setText(QStringLiteral("23"));

    // Shared, so that a second copy of the program (or a test running beside
    // another) does not fail to start its network side.
    udp->close(); // a main window made before this one may have bound it
    if (!udp->bind(QHostAddress::AnyIPv4, 23,
                   QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        MyMessageBox::information(this, tr("error"), tr("udp socket create error!"));
}

void MainWindow::rebindUdpSocket(const QHostAddress &local)
{
    if (udp->localAddress() == local)
        return;
    udp->close();
    if (!udp->bind(local, 1400))
        MyMessageBox::information(this, tr("error"), tr("udp socket create error"));
}

void MainWindow::on_connect_clicked()
{
    offlineMode = false;
    if (!serialConnected && !networkConnected)
        setWindowsMovable(false);
    allWindowsRead = false;

    if (!hasIpv4Configuration()) {
        MyMessageBox::error(this, tr("错误"), tr("请设置正确IP地址！"));
        return;
    }

    if (networkConnected) {
        if (!serialConnected)
            lockControlPages();
        networkConnected = false;
        sendByDatagram = false;
        ui->connect->setText(tr("连接服务器"));
        connectionStatusRow = 1;
        setStatusText(*w4::statusLine(1, languageIndex, QString()));
        tcp->close();
        return;
    }

    const QPair<QString, QString> endpoint = networkDeviceEndpoint();
    tcp->abort();
    tcp->connectToHost(endpoint.first, endpoint.second.toUShort(), QIODevice::ReadWrite);
    ui->connect->setText(tr("连接中") + QStringLiteral("..."));
    connectionStatusRow = 8;
    setStatusText(*w4::statusLine(8, languageIndex, QString()));
    connectTimeoutTimer->start(1500);
}

void MainWindow::onTcpConnected()
{
    unlockControlPages();
    setWindowsMovable(true);
    connectTimeoutTimer->stop();
    networkConnected = true;
    ui->connect->setText(tr("断开连接"));
    connectionStatusRow = 2;
    setStatusText(*w4::statusLine(2, languageIndex, QString()));
    startTcpReadSequence();
}

void MainWindow::onConnectTimeout()
{
    connectTimeoutTimer->stop();
    networkConnected = false;
    tcp->abort();
    ui->connect->setText(tr("连接服务器"));
    connectionStatusRow = 1;
    setStatusText(*w4::statusLine(1, languageIndex, QString()));

    QMessageBox box(this);
    box.setText(
        languageIndex == 0
            ? tr("连接失败！请检查后重新连接！\n1、网口松了\n2、网络配置错误\n3、是否被其他的程序占用\n")
            : tr("Connection failed! Please check and reconnect! \n1.Network interface loose "
                 "\n2.Network configuration error\n3.Whether it is occupied  by other programs\n"));
    QPushButton *ok = box.addButton(tr("确定"), QMessageBox::AcceptRole);
    ok->setFixedSize(50, 28);
    box.exec();
}

void MainWindow::onTcpDisconnected()
{
    if (!serialConnected)
        lockControlPages();
    setWindowsMovable(false);
    // Only a link that was still meant to be up has been lost; a disconnect the
    // user asked for cleared the flag first.
    const bool lost = networkConnected;
    networkConnected = false;
    ui->connect->setText(tr("连接服务器"));
    connectionStatusRow = 1;
    setStatusText(*w4::statusLine(1, languageIndex, QString()));
    if (lost)
        MyMessageBox::error(this, tr("连接错误"), tr("连接已断开，请检查网络连接"));
    tcp->close();
}

void MainWindow::on_ptn_offLine_clicked()
{
    offlineMode = true;
    unlockControlPages();
    networkConnected = false;
    sendByDatagram = false;
    tcp->close();
    serialConnected = false;
    SerialPortManager::instance()->port()->close();
    setSerialOpenButtonsText(tr("打开串口"));
    setWindowsMovable(true);
    connectionStatusRow = 9;
    setStatusText(*w4::statusLine(9, languageIndex, QString()));
}

void MainWindow::closeLinks()
{
    networkConnected = false;
    serialConnected = false;
    if (SerialPortManager::instance()->port())
        SerialPortManager::instance()->port()->close();
    if (tcp) {
        disconnect(tcp, nullptr, this, nullptr);
        tcp->close();
    }
    if (udp) {
        disconnect(udp, nullptr, this, nullptr);
        udp->close();
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
    sendTimer->start(intervalMs);
    restartGeometryGate(intervalMs);
}

// Datagrams are search replies while a search runs, and status records of a
// device read; one datagram can be both.
void MainWindow::parsingLowerComputerStatusByUdp()
{
    while (udp->hasPendingDatagrams()) {
        const QNetworkDatagram received = udp->receiveDatagram();
        const QByteArray datagram = received.data();
        if (networkDialog->searchMode() && !networkDialog->handleSearchReply(datagram))
            return;
        if (!handleStatusDatagram(datagram, received.senderAddress()))
            return;
    }
}
