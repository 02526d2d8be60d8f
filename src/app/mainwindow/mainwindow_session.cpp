// How the device session's connection state is shown: one handler turns each
// announced change into the status line, the button texts, the page lock and
// the box or notice that tells the user what happened.
#include "appstate.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "noticewidget.h"
#include "reconnectsetting.h"
#include "statustexts.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

void MainWindow::setupSession()
{
    // The session owns the setting; the connection window's check box follows it.
    connect(deviceSession, &w4::DeviceSession::reconnectEnabledChanged, networkDialog,
            &NetworkDialog::showReconnectEnabled);
    deviceSession->setReconnectEnabled(ReconnectSetting::load());
    networkDialog->showReconnectEnabled(deviceSession->reconnectEnabled());
    connect(deviceSession, &w4::DeviceSession::stateChanged, this, &MainWindow::showSessionState);
}

bool MainWindow::reconnectEnabled() const
{
    return deviceSession->reconnectEnabled();
}

void MainWindow::setReconnectEnabled(bool on)
{
    ReconnectSetting::save(on);
    deviceSession->setReconnectEnabled(on);
}

void MainWindow::showSessionState(const w4::SessionState &state, w4::SessionChange change)
{
    showPageLock();
    setWindowsMovable(state.editable());
    showConnectButtonText();
    showSerialOpenButtonsText();
    showConnectionStatus();

    using C = w4::SessionChange;
    switch (change) {
    case C::SerialOpened:
        showOpenedNotices();
        break;
    case C::SerialOpenFailed:
        showSerialPortMessage(
            QStringLiteral("当前串口号无法打开！请检查后重新打开！\n1、USB串口松了\n2、是否被其他的程序占用\n"),
            QStringLiteral("The current serial number cannot be opened! Please check and reopen! "
                           "\n1.USB serial port loose \n2.Whether it is occupied  by other programs\n"),
            false);
        break;
    case C::SerialLost: {
        const QString unconfirmed = reportUnconfirmedCommands();
        showSerialPortMessage(QStringLiteral("连接中断，请检查串口连接") + unconfirmed,
                              QStringLiteral("Connection interrupted, Please check serial port connection") +
                                  unconfirmed,
                              true);
        // Making the link again starts once the user has seen that it went.
        deviceSession->lossAcknowledged();
        break;
    }
    case C::NetworkConnected:
        // The read and its dialogs run after every observer has seen the change.
        if (state.networkKind == w4::NetworkKind::Tcp)
            QTimer::singleShot(0, this, &MainWindow::startTcpReadSequence);
        break;
    case C::NetworkTimedOut:
        showConnectFailure();
        break;
    case C::NetworkLost:
        MyMessageBox::error(this, tr("连接错误"),
                            tr("连接已断开，请检查网络连接") + reportUnconfirmedCommands());
        deviceSession->lossAcknowledged();
        break;
    case C::NetworkConnectFailed:
        MyMessageBox::error(this, tr("错误"), tr("连接失败！"));
        break;
    case C::NetworkRefreshFailed:
        MyMessageBox::error(this, tr("错误"), tr("刷新失败！"));
        break;
    case C::Reconnected:
        showReconnected();
        break;
    case C::Reconnecting:
    case C::ReconnectingStopped:
    case C::SerialClosed:
    case C::SerialPortsChanged:
    case C::NetworkConnecting:
    case C::NetworkDisconnected:
    case C::OfflineEntered:
        break;
    }
}

// The commands written after the device last answered may never have reached
// it: each goes to the communication log, and the loss message says how many
// there were (an empty text when there were none).
QString MainWindow::reportUnconfirmedCommands()
{
    const w4::UnconfirmedCommands &doubtful = deviceSession->unconfirmedAtLoss();
    if (doubtful.isEmpty())
        return QString();
    for (const QString &text : doubtful.texts)
        emit readInfo(tr("可能未送达设备：%1").arg(text));
    if (doubtful.count > doubtful.texts.size())
        emit readInfo(tr("另有 %1 条命令可能未送达设备").arg(doubtful.count - doubtful.texts.size()));
    return QStringLiteral("\n\n") +
           tr("设备最后一次应答之后发出的 %1 条命令可能没有到达设备，请在通讯记录中查看。")
               .arg(doubtful.count);
}

void MainWindow::showConnectButtonText()
{
    const w4::SessionState &state = deviceSession->state();
    // While a lost network link is being made again, the button gives it up.
    if (state.networkConnected() || state.reconnectingNetwork())
        ui->connect->setText(tr("断开连接"));
    else if (state.networkConnecting())
        ui->connect->setText(tr("连接中") + QStringLiteral("..."));
    else
        ui->connect->setText(tr("连接服务器"));
}

void MainWindow::showSerialOpenButtonsText()
{
    const w4::SessionState &state = deviceSession->state();
    const bool serialInUse = state.serialConnected() || state.reconnecting == w4::ReconnectLink::Serial;
    setSerialOpenButtonsText(serialInUse ? tr("关闭串口") : tr("打开串口"));
}

// The link is back and the screen shows what was read from it. Commands that
// could not go while it was down are not sent now: the processor's state may
// have moved on, and the user is told instead.
void MainWindow::showReconnected()
{
    const int unsent = deviceSession->unsentCommands();
    if (unsent == 0) {
        mainNotice->showNotice(this, tr("连接已恢复"), 1500);
        return;
    }
    MyMessageBox::warning(this, tr("连接已恢复"),
                          tr("连接中断期间的 %1 条修改没有发送到设备。画面显示的是重新读取的设备状态，"
                             "需要的修改请重新进行。")
                              .arg(unsent));
}

void MainWindow::showConnectionStatus()
{
    const w4::SessionState &state = deviceSession->state();
    if (state.reconnectAttempt > 0) {
        setStatusText(w4::reconnectingLine(state.reconnectAttempt, languageIndex));
        return;
    }
    const QString portText = serialPortLists().constLast()->currentText();
    if (const std::optional<QString> line =
            w4::statusLine(deviceSession->connectionStatusRow(), languageIndex, portText))
        setStatusText(*line);
}

// The box of a TCP attempt that got no answer; its texts are chosen by the
// language index.
void MainWindow::showConnectFailure()
{
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
