// Serial link, as the user drives it: the port lists kept current, opening and
// closing the port. The port itself belongs to the device session.
#include "applogging.h"
#include "appstate.h"
#include "devicesession.h"
#include "mainwindow.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "noticewidget.h"
#include "qtcompat.h"
#include "seriallink.h"
#include "serialportmanager.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QPushButton>
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
    connect(deviceSession->serialLink(), &w4::SerialLink::received, this, &MainWindow::readyReadSlot);

    // The names are kept at once, so the open button works before the first
    // poll. The shown entries are not: the first poll that finds a port then
    // takes it as news and puts the chosen port into the status line (row 11).
    // That poll keeps the choice in the lists and leaves an open port open.
    const QList<SerialPortEntry> ports = portWatch.ports();
    validSerialPorts = names(ports);
    for (QComboBox *list : serialPortLists())
        list->addItems(listTexts(ports));
    // The serial rows of the status line name the chosen port.
    connect(serialPortLists().constLast(), &QComboBox::currentTextChanged, this,
            &MainWindow::showConnectionStatus);

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
    const QList<SerialPortEntry> ports = portWatch.ports();
    const QStringList fresh = listTexts(ports);
    validSerialPorts = names(ports);
    if (fresh == shownSerialPorts)
        return;

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
    showConnectionStatus();
    // Only the loss of the port in use interrupts the link; other ports coming
    // and going just refresh the lists.
    deviceSession->serialPortsChanged(validSerialPorts);
}

void MainWindow::on_openButton_clicked()
{
    if (validSerialPorts.isEmpty()) {
        MyMessageBox::error(this, tr("错误"), tr("无有效串口设备！"));
        return;
    }
    if (deviceSession->serialConnected()) {
        deviceSession->closeSerial();
        return;
    }
    const int index = serialPortLists().constLast()->currentIndex();
    deviceSession->openSerial(validSerialPorts.value(qMax(0, index)));
}

void MainWindow::readyReadSlot(const QByteArray &bytes)
{
    // The processor's serial output is not interpreted; it is only logged.
    qCDebug(lcLink) << "serial in:" << fromGbk(bytes);
}
