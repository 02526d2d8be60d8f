// Serial link: the port lists kept current, opening and closing the port.
#include "appstate.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "noticewidget.h"
#include "serialportmanager.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTextCodec>
#include <QTimer>

namespace {

QStringList listTexts(const QList<SerialPortEntry> &ports)
{
    QStringList texts;
    for (const SerialPortEntry &p : ports)
        texts << p.listText();
    return texts;
}

QStringList names(const QList<SerialPortEntry> &ports)
{
    QStringList n;
    for (const SerialPortEntry &p : ports)
        n << p.name;
    return n;
}

} // namespace

// The main window's own port list and open button (hidden) and the connection
// window's, which the user works with.
QList<QComboBox *> MainWindow::serialPortLists() const
{
    return {ui->serialPortComboBox, networkDialog->serialPortComboBox()};
}

QList<QPushButton *> MainWindow::serialOpenButtons() const
{
    return {ui->openButton, networkDialog->openButton()};
}

void MainWindow::showOpenedNotices()
{
    mainNotice->showNotice(this, tr("打开成功"), 1500);
    dialogNotice->showNotice(networkDialog, tr("打开成功"), 1500);
}

void MainWindow::setupSerialLink()
{
    SerialPortManager *manager = SerialPortManager::instance();
    manager->init();
    connect(manager, &SerialPortManager::serialStatus, this, &MainWindow::bar2);
    connect(manager->port(), &QSerialPort::readyRead, this, &MainWindow::readyReadSlot, Qt::UniqueConnection);

    // The lists are stored at the first fill as well, so the open button works
    // at once and the first poll does not mistake the start for a change.
    const QList<SerialPortEntry> ports = SerialPortManager::availablePorts();
    validSerialPorts = names(ports);
    shownSerialPorts = listTexts(ports);
    for (QComboBox *list : serialPortLists())
        list->addItems(shownSerialPorts);

    mainNotice = new NoticeWidget(this);
    dialogNotice = new NoticeWidget(networkDialog);
    portPollTimer = new QTimer(this);
    portPollTimer->setInterval(1000);
    connect(portPollTimer, &QTimer::timeout, this, &MainWindow::showValidPort);
    portPollTimer->start();
}

void MainWindow::setSerialOpenButtonsText(const QString &text)
{
    for (QPushButton *b : serialOpenButtons())
        b->setText(text);
}

// A list box with one OK button, texts chosen by language index (these boxes are
// not translated through the catalogues).
void MainWindow::showSerialPortMessage(const QString &chinese, const QString &other, bool ownOkButtonAlways)
{
    QMessageBox box(this);
    box.setText(languageIndex == 0 ? chinese : other);
    if (languageIndex == 0 || ownOkButtonAlways) {
        QPushButton *ok = box.addButton(tr("确定"), QMessageBox::AcceptRole);
        ok->setFixedSize(50, 28);
    }
    box.exec();
}

void MainWindow::showValidPort()
{
    const QList<SerialPortEntry> ports = SerialPortManager::availablePorts();
    const QStringList fresh = listTexts(ports);
    validSerialPorts = names(ports);
    if (fresh == shownSerialPorts)
        return;

    // Only the loss of the port in use interrupts the link; other ports coming
    // and going just refresh the lists.
    QSerialPort *port = SerialPortManager::instance()->port();
    const bool openPortGone = port->isOpen() && !validSerialPorts.contains(port->portName());
    const bool wasConnected = serialConnected && openPortGone;

    QList<QComboBox *> lists = serialPortLists();
    QStringList selected;
    for (QComboBox *list : lists)
        selected << list->currentText();
    shownSerialPorts = fresh;
    for (int i = 0; i < lists.size(); ++i) {
        lists[i]->clear();
        lists[i]->addItems(fresh);
        const int keep = fresh.indexOf(selected[i]);
        if (keep >= 0)
            lists[i]->setCurrentIndex(keep);
    }

    if (port->isOpen() && !openPortGone)
        return;

    serialConnected = false;
    setSerialOpenButtonsText(tr("打开串口"));
    port->close();
    // The status line belongs to the network link while that is up.
    if (!networkConnected && !offlineMode) {
        connectionStatusRow = 11;
        if (wasConnected)
            lockControlPages();
    }
    if (wasConnected)
        showSerialPortMessage(QStringLiteral("连接中断，请检查串口连接"),
                              QStringLiteral("Connection interrupted, Please check serial port connection"),
                              true);
}

void MainWindow::on_openButton_clicked()
{
    offlineMode = false;
    setWindowsMovable(true);
    if (validSerialPorts.isEmpty()) {
        MyMessageBox::error(this, tr("错误"), tr("无有效串口设备！"));
        return;
    }

    QSerialPort *port = SerialPortManager::instance()->port();
    const QList<QComboBox *> lists = serialPortLists();
    const int index = lists.constLast()->currentIndex();
    port->setPortName(validSerialPorts.value(qMax(0, index)));

    if (port->isOpen()) {
        serialConnected = false;
        if (!networkConnected)
            lockControlPages();
        port->close();
        setSerialOpenButtonsText(tr("打开串口"));
        connectionStatusRow = 11;
        return;
    }

    if (port->open(QIODevice::ReadWrite)) {
        SerialPortManager::applySettings(port);
        setSerialOpenButtonsText(tr("连接中") + QStringLiteral("..."));
        connectionStatusRow = 12;
        if (!serialConnected)
            serialLinkUp();
        return;
    }

    serialConnected = false;
    port->close();
    showSerialPortMessage(
        QStringLiteral("当前串口号无法打开！请检查后重新打开！\n1、USB串口松了\n2、是否被其他的程序占用\n"),
        QStringLiteral("The current serial number cannot be opened! Please check and reopen! "
                       "\n1.USB serial port loose \n2.Whether it is occupied  by other programs\n"),
        false);
    // Not connected: a failed open is not an attempt still under way.
    connectionStatusRow = 11;
}

void MainWindow::serialLinkUp()
{
    serialConnected = true;
    unlockControlPages();
    setSerialOpenButtonsText(tr("关闭串口"));
    connectionStatusRow = 10;
    showOpenedNotices();
}

void MainWindow::readyReadSlot()
{
    QSerialPort *port = SerialPortManager::instance()->port();
    const QByteArray bytes = port->readAll();
    // The processor's serial output is not interpreted; it only proves the
    // port is live.
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    qDebug() << "serial in:" << (gbk ? gbk->toUnicode(bytes) : QString::fromLatin1(bytes));
    if (serialConnected)
        return;
    serialConnected = true;
    setSerialOpenButtonsText(tr("关闭串口"));
    connectionStatusRow = 10;
    showOpenedNotices();
}
