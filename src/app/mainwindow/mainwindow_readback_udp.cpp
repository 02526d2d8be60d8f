// Reading the processor's state back over UDP: connecting to a device found in
// the connection window, the refresh button, and the status datagrams. Each
// window is read three times and two equal reads win.
#include "appstate.h"
#include "codec.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "networkportmanager.h"
#include "ui_mainwindow.h"
#include "userview.h"
#include "waitingwidget.h"

#include <QLoggingCategory>
#include <QTcpSocket>
#include <QUdpSocket>

Q_DECLARE_LOGGING_CATEGORY(lcReadBack)

namespace {

constexpr int NoSource = 4;
constexpr int LowResolutionCodes = 6; // codes 0..5: sources the wall cannot show

// Stored queries, check byte included: they are written as they are.
const char *const GlobalQuery = "0805000070";
const char *const WindowQueries[] = {"08010001DC", "0802000161", "080300010A", "080400011C"};
const char *const AttemptTexts[] = {QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/1)"),
                                    QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/2)"),
                                    QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/3)")};

void pause(const QString &text, int ms)
{
    WaitingWidget wait(text, ms);
    wait.exec();
}

} // namespace

// ---- Starting a read ------------------------------------------------------------------

void MainWindow::connectNetworkDevice(bool dhcp)
{
    if (udpReadRunning)
        return;
    NetworkPortManager::instance()->dhcpDevice = dhcp;
    const QString device = networkDialog->selectedDeviceAddress();
    offlineMode = true;
    deviceAddress.clear();
    unlockControlPages();
    if (networkDialog->localAddress().isEmpty()) {
        MyMessageBox::warning(this, QStringLiteral("警告"), QStringLiteral("您还没有选择网卡ip"));
        return;
    }
    bool layoutRead = false;
    if (!readDeviceOverUdp(device, false, &layoutRead))
        return;
    networkConnected = true;
    sendByDatagram = true;
    // Set before the pause: the send queue writes to it on its next tick.
    deviceAddress = device;
    pause(tr("连接成功！"), 1000);
    setWindowsMovable(true);
    if (!layoutRead)
        MyMessageBox::warning(this, tr("警告"), tr("未能读取拼接模式和层级，保留当前的拼接布局"));
}

void MainWindow::on_ptn_refresh_clicked()
{
    if (!networkConnected) {
        MyMessageBox::warning(this, tr("警告"), tr("您还没有网络连接下位机"));
        return;
    }
    if (udpReadRunning)
        return;
    // A TCP link has no device address for datagrams: it reads its frames again.
    if (!sendByDatagram) {
        if (tcp->state() == QAbstractSocket::ConnectedState) {
            allWindowsRead = false;
            startTcpReadSequence();
        }
        return;
    }
    bool layoutRead = false;
    if (!readDeviceOverUdp(deviceAddress, true, &layoutRead))
        return;
    pause(tr("刷新成功！"), 1000);
    if (!layoutRead)
        MyMessageBox::warning(this, tr("警告"), tr("未能读取拼接模式和层级，保留当前的拼接布局"));
}

// ---- The common read --------------------------------------------------------------------

void MainWindow::sendReadQuery(const QString &literal, const QString &device)
{
    udp->writeDatagram(w4::decodeHex(literal), QHostAddress(device),
                       NetworkPortManager::instance()->deviceDatagramPort());
    emit readInfo(QStringLiteral("MainWindow::send： ") + literal);
}

bool MainWindow::readDeviceOverUdp(const QString &device, bool refresh, bool *layoutRead)
{
    udpReadRunning = true;
    struct Done
    {
        MainWindow *w;
        ~Done()
        {
            w->udpReadRunning = false;
            w->udpReceiveSlot = 0;
        }
    } done{this};

    udpReadDevice = QHostAddress(device);
    globalStatusRecord.clear();
    udpReceiveSlot = 1;
    rebindUdpSocket(QHostAddress(networkDialog->localAddress()));
    sendReadQuery(QString::fromLatin1(GlobalQuery), device);
    pause(tr("层级、拼接模式信息获取..."), 300);

    // Without the device-wide record the wall keeps its layout and stacking:
    // rebuilding it from nothing would throw the user's wall away.
    const std::optional<w4::WallLayout> layout = w4::wallLayoutFromRecord(globalStatusRecord);
    *layoutRead = false;
    if (layout)
        applyWithoutEchoes([&] { *layoutRead = applyWallLayout(layout->rows, layout->columns); });

    for (int n = 1; n <= 4; ++n) {
        for (w4::StatusRecord &r : windowStatusRecords)
            r.clear();
        for (int k = 1; k <= 3; ++k) {
            udpReceiveSlot = k + 1;
            sendReadQuery(QString::fromLatin1(WindowQueries[n - 1]), device);
            pause(tr(AttemptTexts[k - 1]), 300);
        }
        const std::optional<w4::StatusRecord> chosen =
            w4::majorityRecord(windowStatusRecords[0], windowStatusRecords[1], windowStatusRecords[2]);
        // Three reads that all differ cannot be trusted; three empty ones mean
        // nobody answered. Either way the device was not read.
        if (!chosen || chosen->isEmpty()) {
            udpReceiveSlot = 0;
            pause(refresh ? tr("刷新失败！") : tr("连接失败！"), 1000);
            networkConnected = false;
            sendByDatagram = false;
            return false;
        }
        udpReceiveSlot = 0;
        applyWithoutEchoes([&] { applyWindowRecord(n - 1, *chosen); });
        pause(tr("通道") + QString::number(n) + tr("校正成功!"), 500);
    }

    applyWithoutEchoes([this] { applyCropsAndLayers(); });
    return true;
}

// After the last window: the datagrams carry no crop, so each window shows its
// whole picture; the stacking comes from the device-wide record.
void MainWindow::applyCropsAndLayers()
{
    const std::array<int, 4> layers = w4::layersFromRecord(globalStatusRecord);
    for (int i = 0; i < 4; ++i) {
        InputChannel *item = ui->graphicsView->window(i);
        if (!item)
            continue;
        item->cropHStart = item->cropVStart = 0;
        if (item->inputSourceId >= 0 && item->inputSourceId < NoSource) {
            const InputSourceButton *b = inputSourceButtons.at(item->inputSourceId);
            item->cropHEnd = b->sourceWidth;
            item->cropVEnd = b->sourceHeight;
        }
        if (layers[size_t(i)] != 0)
            item->setLayer(layers[size_t(i)]);
    }
    ui->graphicsView->viewport()->update();
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

void MainWindow::applyWindowRecord(int window, const w4::StatusRecord &record)
{
    InputChannel *item = ui->graphicsView->window(window);
    if (!item)
        return;
    const w4::WindowStatus s = w4::windowStatusFromRecord(record);
    // The datagrams carry device pixels that are applied as they are.
    item->setWindowGeometry({QPointF(s.x, s.y), QSizeF(s.width, s.height)});
    applyWindowStatus(window, s);
    w4::WindowRecord &r = item->record();
    r.colorR = s.colorR;
    r.colorG = s.colorG;
    r.colorB = s.colorB;
    if (s.isColorSolid) {
        r.lastColorR = s.colorR;
        r.lastColorG = s.colorG;
        r.lastColorB = s.colorB;
    }

    const int code = s.resolutionCode;
    emit readInfo(QStringLiteral("输入分辨率代号：") + QString::number(code));
    const QSize size = code >= LowResolutionCodes && code < w4::NoSignalResolutionCode
                           ? inputResolutionTable.value(code, QSize(3840, 2160))
                           : QSize(3840, 2160);
    logResolution(window, r.inputSourceId, size, code, true);
    if (r.inputSourceId >= 0 && r.inputSourceId < NoSource) {
        InputSourceButton *b = inputSourceButtons.at(r.inputSourceId);
        b->sourceWidth = size.width();
        b->sourceHeight = size.height();
    }
    emit readInfo(QStringLiteral("输入分辨率：") + QString::number(size.width()));
    item->update();
    emit ui->graphicsView->changeRightMenuInfo();
}

// ---- Status datagrams -------------------------------------------------------------------

bool MainWindow::handleStatusDatagram(const QByteArray &datagram, const QHostAddress &sender)
{
    if (udpReceiveSlot < 1 || udpReceiveSlot > 4)
        return true;
    // Only the device being read may set the program's state.
    if (!sender.isEqual(udpReadDevice, QHostAddress::ConvertV4MappedToIPv4)) {
        qCDebug(lcReadBack) << "status datagram from" << sender << "ignored; reading" << udpReadDevice;
        return true;
    }
    constexpr int header = 4;
    constexpr int recordSize = 5;
    if (datagram.size() - header < recordSize)
        return true;
    const w4::StatusDatagram parsed = w4::parseStatusDatagram(datagram);
    if (!parsed.valid) {
        qCDebug(lcReadBack) << "数据有误！";
        MyMessageBox::warning(this, tr("警告"), tr("回传数据出现问题，请尝试重新连接"));
        return false;
    }
    const int slot = udpReceiveSlot;
    w4::StatusRecord &target = slot == 1 ? globalStatusRecord : windowStatusRecords[size_t(slot - 2)];
    for (auto it = parsed.records.cbegin(); it != parsed.records.cend(); ++it) {
        target.insert(it.key(), it.value());
        if (slot == 2)
            emit readInfo(QStringLiteral("MainWindow::received： key-") + QString::number(it.key()) +
                          QStringLiteral("    value-") + it.value());
    }
    return true;
}
