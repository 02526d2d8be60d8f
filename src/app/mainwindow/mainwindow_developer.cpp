// Developer buttons: kept in the form, hidden from users.
#include "applogging.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "ui_mainwindow.h"

void MainWindow::on_testButton_clicked()
{
    applySendInterval();
}

// Controller reset.
void MainWindow::on_pushButtonResetK5_clicked()
{
    send(QStringLiteral("080B00005C"));
}

// Shows one box of each kind in turn and logs what each returned.
void MainWindow::on_MyMessageButton_clicked()
{
    auto result = [](bool r) { return r ? "true" : "false"; };
    const bool warning = MyMessageBox::warning(nullptr, QStringLiteral("测试警告"),
                                               QStringLiteral("这是一个警告窗口，用于检查消息框的外观。"));
    qCDebug(lcDeveloper) << "这是警告窗口的返回值：" << result(warning);
    const bool error = MyMessageBox::error(nullptr, QStringLiteral("测试错误"),
                                           QStringLiteral("这是一个错误窗口，用于检查消息框的外观。"));
    qCDebug(lcDeveloper) << "这是错误窗口的返回值：" << result(error);
    const bool information = MyMessageBox::information(
        nullptr, QStringLiteral("测试信息"), QStringLiteral("这是一个信息窗口，用于检查消息框的外观。"));
    qCDebug(lcDeveloper) << "这是信息窗口的返回值：" << result(information);
    const bool question = MyMessageBox::question(nullptr, QStringLiteral("测试询问"),
                                                 QStringLiteral("这是一个询问窗口，请选择确认或取消。"));
    qCDebug(lcDeveloper) << "这是询问窗口的返回值：" << result(question);
}
