// Reading the processor's state back, as the window shows it: the waiting and
// result boxes of the TCP read, and how the device model's announcements (the
// global and window status, applied whenever they arrive) reach the wall and
// the pages. Shared with the UDP reader: how a decoded window
// state reaches the record, the item and the source buttons.
#include "appstate.h"
#include "commandsender.h"
#include "devicemodel.h"
#include "devicesession.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "resolutionratioscene.h"
#include "ui_mainwindow.h"
#include "userview.h"
#include "waitingwidget.h"
#include "windowstatusapply.h"
#include "tcpreadback.h"
#include "wallgeometry.h"

#include <QAction>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcReadBack, "w4.readback", QtInfoMsg)

namespace {
// The longest a read's waiting dialog stays; it closes as soon as the read is
// over, which takes its time-outs well inside this when nothing answers.
constexpr int ReadWaitMs = 5000;
constexpr int NoSource = 4;
} // namespace

void MainWindow::buildInputResolutionTable()
{
    inputResolutionTable.clear();
    for (int code = 0; code < w4::NoSignalResolutionCode; ++code)
        inputResolutionTable.append(w4::resolutionForCode(code));
}

void MainWindow::setupReadBack()
{
    w4::DeviceModel *model = deviceSession->model();
    connect(model, &w4::DeviceModel::deviceWideChanged, this, &MainWindow::onDeviceWideChanged);
    connect(model, &w4::DeviceModel::windowChanged, this, &MainWindow::onDeviceWindowChanged);
    connect(model, &w4::DeviceModel::readCompleted, this, &MainWindow::applyCropsAndLayers);
    setupUdpReadBack();
}

// ---- The TCP read sequence ----------------------------------------------------------

void MainWindow::startReadSequence()
{
    deviceSession->tcpReadBack()->start();
}

bool MainWindow::allWindowsRead() const
{
    return deviceSession->tcpReadBack()->isComplete();
}

// The session sends the queries; the window holds the user while they are
// answered (the dialog closes the moment the read is over), then says whether
// everything came.
void MainWindow::startTcpReadSequence()
{
    if (!deviceSession->networkConnected() || deviceSession->sendByDatagram())
        return;
    const quint64 run = ++tcpReadRun;
    waitForTcpRead(tr("waiting"));
    QTimer::singleShot(1, this, [this, run] { checkTcpRead(run, false); });
}

void MainWindow::waitForTcpRead(const QString &text)
{
    w4::TcpReadBack *reader = deviceSession->tcpReadBack();
    WaitingWidget wait(text, ReadWaitMs);
    connect(reader, &w4::TcpReadBack::sequenceFinished, &wait, &WaitingWidget::finish);
    connect(reader, &w4::TcpReadBack::stopped, &wait, &WaitingWidget::finish);
    if (!reader->isRunning())
        wait.finish();
    wait.exec();
}

void MainWindow::checkTcpRead(quint64 run, bool secondPass)
{
    // A link lost (or made anew) meanwhile has been reported by its own handlers.
    if (run != tcpReadRun || !deviceSession->networkConnected() || deviceSession->sendByDatagram())
        return;
    if (allWindowsRead()) {
        deviceSession->tcpReadBack()->endRead();
        MyMessageBox::information(this, tr("消息"), tr("读取成功！"));
        return;
    }
    if (secondPass) {
        deviceSession->tcpReadBack()->endRead();
        MyMessageBox::error(this, tr("错误"), tr("读取失败！"));
        return;
    }
    startReadSequence();
    waitForTcpRead(tr("正在重新读取...(1/1)"));
    checkTcpRead(run, true);
}

// ---- Status frames ----------------------------------------------------------------------

void MainWindow::read(const QByteArray &bytes)
{
    deviceSession->tcpReadBack()->feed(bytes);
}

void MainWindow::onDeviceWideChanged(w4::StatusOrigin origin)
{
    if (origin == w4::StatusOrigin::Tcp) {
        applyGlobalFrame();
        return;
    }
    // Without the device-wide record the wall keeps its layout and stacking:
    // rebuilding it from nothing would throw the user's wall away.
    const w4::DeviceWideState &wide = deviceSession->model()->deviceWide();
    if (wide.hasLayout())
        applyWallLayout(wide.rows, wide.columns);
}

// Showing what was read only sets the wall and the pages: none of it goes back
// to the processor, which has these values already.
void MainWindow::onDeviceWindowChanged(int index, w4::StatusOrigin origin)
{
    if (origin == w4::StatusOrigin::Tcp)
        applyWindowFrame(index);
    else
        applyWindowRecord(index);
}

bool MainWindow::applyWallLayout(int rows, int columns)
{
    if (!w4::isValidLayout(rows, columns))
        return false;
    // The device's layout is the one in force: "modify" has nothing to apply.
    appliedRowIndex = rows - 1;
    appliedColumnIndex = columns - 1;
    ui->rowCbx->setCurrentIndex(rows - 1);
    ui->columnCbx->setCurrentIndex(columns - 1);
    ui->selectSceneBtn->setEnabled(false);
    rebuildWall();
    wall->setLayoutName(ui->rowCbx->currentText() + QLatin1Char('x') + ui->columnCbx->currentText());
    return true;
}

void MainWindow::applyGlobalFrame()
{
    const w4::DeviceWideState &frame = deviceSession->model()->deviceWide();
    emit readInfo(QStringLiteral("MainWindow::read： "));
    emit readInfo(QStringLiteral("全局设置- ") + QString::number(frame.word1));

    if (!applyWallLayout(frame.rows, frame.columns))
        qCWarning(lcReadBack) << "global frame with an impossible layout" << frame.rows << frame.columns
                              << "- the wall is kept";

    // After the rebuild, which would put them back to their defaults.
    if (w4::WindowRecord *first = recordOf(0)) {
        if (frame.audioMode) {
            first->audioOutPort1Only = *frame.audioMode == w4::AudioOutMode::Port1Only;
            first->audioOutAllPorts = *frame.audioMode == w4::AudioOutMode::AllPorts;
            first->audioOutDisabled = *frame.audioMode == w4::AudioOutMode::Disabled;
        }
        first->videoGenMode = frame.videoGen.value_or(false);
    }
    for (int i = 0; i < 4; ++i)
        if (frame.layers[size_t(i)] != 0)
            if (InputChannel *item = ui->graphicsView->window(i))
                item->setLayer(frame.layers[size_t(i)]);
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

void MainWindow::applyWindowFrame(int window)
{
    const w4::WindowStatus &s = *deviceSession->model()->window(window);
    InputChannel *item = ui->graphicsView->window(window);
    if (!item) {
        qCWarning(lcReadBack) << "window frame for window" << s.window << "ignored";
        return;
    }
    emit readInfo(QStringLiteral("通道： %1   数据头正确！  数据尾正确！  数据长度正确！").arg(s.window));

    item->setWindowGeometry(w4::wallGeometryFromStatus(s, ui->graphicsView->currentScene()->wallSize()));
    w4::WindowRecord &r = item->record();
    w4::applyWindowStatus(r, s, w4::StatusOrigin::Tcp);
    showWindowItem(window, s.isShown);

    if (r.inputSourceId >= 0 && r.inputSourceId < NoSource) {
        const QSize size = s.resolutionCode < w4::NoSignalResolutionCode
                               ? inputResolutionTable.value(s.resolutionCode, QSize(3840, 2160))
                               : QSize(3840, 2160);
        InputSourceButton *button = inputSourceButtons.at(r.inputSourceId);
        button->sourceWidth = size.width();
        button->sourceHeight = size.height();
        logResolution(s.window, r.inputSourceId, size, s.resolutionCode, false);
    }
    // An end of 0 means the whole picture; a window without a source has the
    // default picture size.
    const QSize picture = wall->sourceResolution(r.inputSourceId);
    r.cropHEnd = s.cropHEnd != 0 ? s.cropHEnd : picture.width();
    r.cropVEnd = s.cropVEnd != 0 ? s.cropVEnd : picture.height();
    emit readInfo(tr("MainWindow::send： %1").arg(s.resolutionCode));

    ui->graphicsView->viewport()->update();
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

// ---- Shared by both readers ---------------------------------------------------------------

void MainWindow::showWindowItem(int window, bool shown)
{
    InputChannel *item = ui->graphicsView->window(window);
    if (shown)
        item->showItem();
    else
        item->hideItem();
    if (window < ui->graphicsView->openWindowActions.size())
        ui->graphicsView->openWindowActions.at(window)->setVisible(!shown);
}

void MainWindow::logResolution(int windowNumber, int source, const QSize &size, int code, bool udp)
{
    QString line;
    if (code >= w4::NoSignalResolutionCode)
        line = tr("窗口%1，输入源%2-无信号，使用默认分辨率(%3x%4)");
    else if (udp && code < 6)
        line = tr("窗口%1，输入源%2-低分辨率不支持，使用默认分辨率(%3x%4)");
    else
        line = tr("窗口%1，输入源%2分辨率(%3,%4)");
    emit readInfo(line.arg(windowNumber).arg(source).arg(size.width()).arg(size.height()));
}
