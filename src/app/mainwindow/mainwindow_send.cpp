// Sending: the paced command queue, the status line it refreshes, the
// communication log and the guard that asks for a link first.
#include "appstate.h"
#include "codec.h"
#include "communicationdialog.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkportmanager.h"
#include "serialportmanager.h"
#include "statustexts.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

void MainWindow::createCommunicationLog()
{
    communicationDialog = new CommunicationDialog(this);
    connect(this, &MainWindow::readInfo, communicationDialog, &CommunicationDialog::showInfo);
    connect(ui->pushButton, &QPushButton::clicked, this, [this] {
        qDebug() << "hide button";
        communicationDialog->show();
    });
}

void MainWindow::setupSendQueue()
{
    sendTimer = new QTimer(this);
    sendTimer->setInterval(250);
    connect(sendTimer, &QTimer::timeout, this, &MainWindow::sendNextCommand);
    sendTimer->start();
}

void MainWindow::send(const QString &command)
{
    sendQueue.push(command);
}

bool MainWindow::checkConnected()
{
    if (networkConnected || serialConnected || offlineMode)
        return true;
    MyMessageBox::error(this, tr("错误"), tr("请先建立连接！"));
    return false;
}

// One tick: refresh the status line, then one command leaves. The queue never
// drops what the user asked for; it only merges values a newer command to the
// same target has made pointless (see CommandQueue).
void MainWindow::sendNextCommand()
{
    const QString portText =
        serialPortLists().isEmpty() ? QString() : serialPortLists().constLast()->currentText();
    if (const std::optional<QString> line = w4::statusLine(connectionStatusRow, languageIndex, portText))
        setStatusText(*line);

    const std::optional<w4::QueuedCommand> command = sendQueue.takeNext();
    if (!command)
        return;
    emit readInfo(QStringLiteral("MainWindow::send： ") + command->text);
    writeToLink(*command);
}

void MainWindow::writeToLink(const w4::QueuedCommand &command)
{
    if (networkConnected && sendByDatagram) {
        NetworkPortManager *net = NetworkPortManager::instance();
        udp->writeDatagram(command.bytes, QHostAddress(deviceAddress), net->deviceDatagramPort());
        qDebug() << "测试send-------：" << command.bytes.toHex(' ');
    } else if (networkConnected) {
        tcp->write(command.bytes);
    } else if (serialConnected) {
        SerialPortManager::instance()->port()->write(command.bytes);
    }
}
