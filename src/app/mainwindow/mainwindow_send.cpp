// Sending: the session's paced sender seen from the window: the communication
// log and the guard that asks for a link first.
#include "applogging.h"
#include "appstate.h"
#include "commandsender.h"
#include "communicationdialog.h"
#include "devicesession.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"

void MainWindow::createCommunicationLog()
{
    communicationDialog = new CommunicationDialog(this);
    connect(this, &MainWindow::readInfo, communicationDialog, &CommunicationDialog::showInfo);
    connect(ui->pushButton, &QPushButton::clicked, this, [this] {
        qCDebug(lcLog) << "hide button";
        communicationDialog->show();
    });
}

void MainWindow::setupSendQueue()
{
    w4::CommandSender *sender = deviceSession->sender();
    // Every command is logged as it leaves, whether or not a link takes it.
    connect(sender, &w4::CommandSender::commandSent, this,
            [this](const QString &text) { emit readInfo(QStringLiteral("MainWindow::send： ") + text); });
    sender->start();
}

void MainWindow::send(const QString &command)
{
    deviceSession->send(command);
}

void MainWindow::sendNextCommand()
{
    deviceSession->sender()->sendNext();
}

bool MainWindow::checkConnected()
{
    if (deviceSession->state().editable())
        return true;
    MyMessageBox::error(this, tr("错误"), tr("请先建立连接！"));
    return false;
}
