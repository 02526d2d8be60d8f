#include "networkdialog.h"

#include "addresses.h"
#include "codec.h"
#include "commands.h"
#include "mymessagebox.h"
#include "networkdialoghost.h"
#include "networklog.h"
#include "ui_networkdialog.h"
#include "waitingwidget.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

namespace {

// How long the processor needs between the IP and the MAC datagram.
constexpr int ipToMacPauseMs = 2000;

// A coarse timer may fire up to 5 % early, and a processor given its MAC
// address too soon after the IP one ignores it. The box is closed by a precise
// timer, and only once the clock confirms the whole pause is over: a timer
// that still comes early is started again for what is left.
void closeAfterFullPause(QWidget *box, const QElapsedTimer &since, int pauseMs)
{
    auto *timer = new QTimer(box);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(true);
    const qint64 pauseNs = qint64(pauseMs) * 1000 * 1000;
    QObject::connect(timer, &QTimer::timeout, box, [box, timer, since, pauseNs] {
        const qint64 leftNs = pauseNs - since.nsecsElapsed();
        if (leftNs > 0)
            timer->start(int((leftNs + 999999) / 1000000));
        else
            box->close();
    });
    timer->start(pauseMs);
}

} // namespace

// Gives the processors on the chosen card's subnet the IP and MAC address of
// the selected row. The datagrams are broadcast: every processor there takes them.
void NetworkDialog::on_changeIP_clicked()
{
    const int row = selectedRow();
    if (row < 0) {
        warn(tr("请选择一行"));
        return;
    }
    // The card's address gives the broadcast address.
    const QString card = localAddress();
    if (card.isEmpty()) {
        warn(tr("必须选择网卡"));
        return;
    }
    const AddressChange change = checkChangeAddresses(cellText(row, IpColumn), cellText(row, MacColumn));
    if (change.problem != AddressProblem::None) {
        warn(problemText(change.problem));
        return;
    }
    const int devices = results.found();
    if (devices > 1 && !MyMessageBox::question(nullptr, tr("警告"),
                                               tr("上次查找到%1台设备，修改会发给本网段的所有设备，"
                                                  "它们都会得到同一个IP和MAC地址。确定要修改吗？")
                                                   .arg(devices)))
        return;

    qCDebug(lcNetwork) << "address change to" << cellText(row, IpColumn) << cellText(row, MacColumn);
    sendAddressDatagram(card, w4::setIpCommand(change.ip));
    QElapsedTimer sinceIp;
    sinceIp.start();
    // The processor needs the pause before it takes the second datagram.
    WaitingWidget waiting(tr("正在更改..."));
    closeAfterFullPause(&waiting, sinceIp, ipToMacPauseMs);
    waiting.exec();
    sendAddressDatagram(card, w4::setMacCommand(change.mac));
}

void NetworkDialog::sendAddressDatagram(const QString &card, const QString &command)
{
    if (!mainWindow)
        return;
    mainWindow->rebindUdpSocket(QHostAddress(card));
    if (QUdpSocket *socket = mainWindow->udpSocket())
        socket->writeDatagram(w4::encodeCommand(command), QHostAddress(w4::subnetBroadcast(card)), 23);
}
