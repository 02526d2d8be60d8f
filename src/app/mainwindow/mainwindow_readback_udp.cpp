// Reading the processor's state back over UDP, as the window shows it:
// connecting to a device found in the connection window, the refresh button,
// the waiting dialogs of the read and how its records reach the wall. The read
// itself (each window three times, two equal reads win) is the session's.
#include "appstate.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "networkdialog.h"
#include "resolutionratioscene.h"
#include "ui_mainwindow.h"
#include "userview.h"
#include "waitingwidget.h"
#include "windowfeatures.h"
#include "windowstatusapply.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcReadBack)

namespace {

constexpr int NoSource = 4;
constexpr int LowResolutionCodes = 6; // codes 0..5: sources the wall cannot show

const char *const AttemptTexts[] = {QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/1)"),
                                    QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/2)"),
                                    QT_TRANSLATE_NOOP("MainWindow", "waiting...(3/3)")};

void pause(const QString &text, int ms)
{
    WaitingWidget wait(text, ms);
    wait.exec();
}

// A step of the read: the dialog goes as soon as the step's answer came, and
// stays `ms` at most.
void pauseForStep(const w4::UdpReadBack *reader, const QString &text, int ms)
{
    WaitingWidget wait(text, ms);
    QObject::connect(reader, &w4::UdpReadBack::stepDone, &wait, &WaitingWidget::finish);
    if (reader->isStepDone())
        wait.finish();
    wait.exec();
}

} // namespace

// The read's waits are the waiting dialogs the user sees, each closing when its
// step is over; what the read sends and receives goes to the communication log.
void MainWindow::setupUdpReadBack()
{
    using Pause = w4::UdpReadBack::Pause;
    w4::UdpReadBack *reader = deviceSession->udpReadBack();
    reader->setWaiter([this, reader](Pause p, int window, int attempt, int ms) {
        switch (p) {
        case Pause::Layout:
            pauseForStep(reader, tr("层级、拼接模式信息获取..."), ms);
            break;
        case Pause::Attempt:
            pauseForStep(reader, tr(AttemptTexts[qBound(1, attempt, 3) - 1]), ms);
            break;
        case Pause::WindowDone:
            pauseForStep(reader, tr("通道") + QString::number(window) + tr("校正成功!"), ms);
            break;
        }
    });
    connect(reader, &w4::UdpReadBack::querySent, this,
            [this](const QString &literal) { emit readInfo(QStringLiteral("MainWindow::send： ") + literal); });
    connect(reader, &w4::UdpReadBack::firstReadRecord, this, [this](int key, const QString &value) {
        emit readInfo(QStringLiteral("MainWindow::received： key-") + QString::number(key) +
                      QStringLiteral("    value-") + value);
    });
    connect(reader, &w4::UdpReadBack::malformedDatagram, this,
            [this] { MyMessageBox::warning(this, tr("警告"), tr("回传数据出现问题，请尝试重新连接")); });
    connect(reader, &w4::UdpReadBack::bindFailed, this,
            [this] { MyMessageBox::information(this, tr("error"), tr("udp socket create error")); });
}

// ---- Starting a read ------------------------------------------------------------------

void MainWindow::connectNetworkDevice(bool dhcp)
{
    if (deviceSession->udpReadBack()->isRunning())
        return;
    if (networkDialog->localAddress().isEmpty()) {
        MyMessageBox::warning(this, QStringLiteral("警告"), QStringLiteral("您还没有选择网卡ip"));
        return;
    }
    const QHostAddress device(networkDialog->selectedDeviceAddress());
    const w4::UdpReadResult result =
        deviceSession->connectUdp(device, dhcp, QHostAddress(networkDialog->localAddress()));
    // A failure has been told by the session's state change.
    if (result.ok)
        reportUdpRead(result, false);
}

void MainWindow::on_ptn_refresh_clicked()
{
    if (!deviceSession->networkConnected()) {
        MyMessageBox::warning(this, tr("警告"), tr("您还没有网络连接下位机"));
        return;
    }
    if (deviceSession->udpReadBack()->isRunning())
        return;
    // A TCP link reads its frames again.
    if (!deviceSession->sendByDatagram()) {
        deviceSession->refreshTcp();
        startTcpReadSequence();
        return;
    }
    const w4::UdpReadResult result = deviceSession->refreshUdp(QHostAddress(networkDialog->localAddress()));
    if (result.ok)
        reportUdpRead(result, true);
}

void MainWindow::reportUdpRead(const w4::UdpReadResult &result, bool refresh)
{
    pause(refresh ? tr("刷新成功！") : tr("连接成功！"), 1000);
    if (!result.layoutRead)
        MyMessageBox::warning(this, tr("警告"), tr("未能读取拼接模式和层级，保留当前的拼接布局"));
}

// After the last window: the datagrams carry no crop, so each window shows the
// whole picture of its input (also one a solid colour covers, ready for when
// the fill goes off); the stacking comes from the device-wide record.
void MainWindow::applyCropsAndLayers()
{
    const std::array<int, 4> layers = deviceSession->model()->deviceWide().layers;
    for (int i = 0; i < 4; ++i) {
        InputChannel *item = ui->graphicsView->window(i);
        if (!item)
            continue;
        item->cropHStart = item->cropVStart = 0;
        if (const int input = w4::windowInput(item->record()); input != NoSource) {
            const InputSourceButton *b = inputSourceButtons.at(input);
            item->cropHEnd = b->sourceWidth;
            item->cropVEnd = b->sourceHeight;
        }
        if (layers[size_t(i)] != 0)
            item->setLayer(layers[size_t(i)]);
    }
    ui->graphicsView->viewport()->update();
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

void MainWindow::applyWindowRecord(int window)
{
    InputChannel *item = ui->graphicsView->window(window);
    if (!item)
        return;
    const w4::WindowStatus &s = *deviceSession->model()->window(window);
    item->setWindowGeometry(w4::wallGeometryFromStatus(s, ui->graphicsView->currentScene()->wallSize()));
    w4::WindowRecord &r = item->record();
    w4::applyWindowStatus(r, s, w4::StatusOrigin::Udp);
    showWindowItem(window, s.isShown);

    const int code = s.resolutionCode;
    emit readInfo(QStringLiteral("输入分辨率代号：") + QString::number(code));
    const QSize size = code >= LowResolutionCodes && code < w4::NoSignalResolutionCode
                           ? inputResolutionTable.value(code, QSize(3840, 2160))
                           : QSize(3840, 2160);
    // The resolution reported is the input's, also under a solid colour.
    const int input = w4::windowInput(r);
    logResolution(window, input, size, code, true);
    if (input != NoSource) {
        InputSourceButton *b = inputSourceButtons.at(input);
        b->sourceWidth = size.width();
        b->sourceHeight = size.height();
    }
    emit readInfo(QStringLiteral("输入分辨率：") + QString::number(size.width()));
    item->update();
    emit ui->graphicsView->changeRightMenuInfo();
}

