#include "networkdialog.h"

#include "addresses.h"
#include "codec.h"
#include "commands.h"
#include "mymessagebox.h"
#include "networkdialoghost.h"
#include "networklog.h"
#include "ui_networkdialog.h"
#include "waitingwidget.h"

#include <QHostAddress>
#include <QUdpSocket>

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
    const int devices = foundReplies.size();
    if (devices > 1 && !MyMessageBox::question(nullptr, tr("警告"),
                                               tr("上次查找到%1台设备，修改会发给本网段的所有设备，"
                                                  "它们都会得到同一个IP和MAC地址。确定要修改吗？")
                                                   .arg(devices)))
        return;

    qCDebug(lcNetwork) << "address change to" << cellText(row, IpColumn) << cellText(row, MacColumn);
    sendAddressDatagram(card, w4::setIpCommand(change.ip));
    // The processor needs the pause before it takes the second datagram.
    WaitingWidget waiting(tr("正在更改..."), 2000);
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
