// Control pages: commands for the device as a whole (save, factory reset, DHCP,
// 1200 mode).
#include "appstate.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"
#include "waitingwidget.h"

namespace {
constexpr int DeviceWaitMs = 5000;
}

// Offline mode edits without a device: there is nothing to save or reset then, and
// claiming success would mislead.
bool MainWindow::requireDeviceLink()
{
    if (serialConnected() || networkConnected())
        return true;
    MyMessageBox::error(this, tr("错误"), tr("请先建立连接！"));
    return false;
}

void MainWindow::on_ptn_saveAll_clicked()
{
    if (!requireDeviceLink())
        return;
    send(QStringLiteral("04140000"));
    WaitingWidget wait(tr("waiting"), DeviceWaitMs);
    wait.exec();
    MyMessageBox::information(this, tr("消息"), tr("保存成功！"));
}

void MainWindow::on_ptn_factoryDataReset_clicked()
{
    if (!requireDeviceLink())
        return;
    if (!MyMessageBox::question(this, tr("警告"), tr("确定要重置吗？")))
        return;
    send(QStringLiteral("08070000"));
    WaitingWidget wait(tr("waiting"), DeviceWaitMs);
    wait.exec();
    ui->rowCbx->setCurrentText(QStringLiteral("1"));
    ui->columnCbx->setCurrentText(QStringLiteral("1"));
    rebuildWall(WindowValues::Defaults);
    MyMessageBox::information(this, tr("消息"), tr("恢复成功，请手动重启设备！"));
}

// The pair always offers the opposite of the last choice.
void MainWindow::on_DHCPon_clicked()
{
    send(QStringLiteral("04110001"));
    ui->DHCPon->setEnabled(false);
    ui->DHCPoff->setEnabled(true);
}

void MainWindow::on_DHCPoff_clicked()
{
    send(QStringLiteral("04110000"));
    ui->DHCPon->setEnabled(true);
    ui->DHCPoff->setEnabled(false);
}

void MainWindow::on_checkBox_clicked(bool checked)
{
    send(checked ? QStringLiteral("04160001") : QStringLiteral("04160000"));
}
