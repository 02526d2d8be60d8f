// Reading the processor's state back over TCP: the query sequence run when the
// connection comes up, and the global and window status frames, which are
// applied whenever they arrive. Shared with the UDP reader: how a decoded window
// state reaches the record, the item and the source buttons.
#include "appstate.h"
#include "inputchannel.h"
#include "inputsourcebutton.h"
#include "mainwindow.h"
#include "mainwindow_pageswall.h"
#include "mymessagebox.h"
#include "resolutionratioscene.h"
#include "ui_mainwindow.h"
#include "userview.h"
#include "waitingwidget.h"
#include "wallgeometry.h"

#include <QAction>
#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTimer>

Q_LOGGING_CATEGORY(lcReadBack, "w4.readback")

namespace {
constexpr int ReadStepMs = 600;
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
    readSequenceTimer = new QTimer(this);
    readSequenceTimer->setInterval(ReadStepMs);
    connect(readSequenceTimer, &QTimer::timeout, this, &MainWindow::onReadSequenceTick);
}

// ---- The TCP read sequence ----------------------------------------------------------

void MainWindow::startReadSequence()
{
    readSequenceStep = 0;
    readSequenceTimer->setInterval(ReadStepMs);
    readSequenceTimer->start();
}

void MainWindow::onReadSequenceTick()
{
    readSequenceTimer->stop();
    // The connection went away: its loss handler has told the user.
    if (tcp->state() != QAbstractSocket::ConnectedState)
        return;
    if (readSequenceStep == 0) {
        send(QStringLiteral("08050000"));
    } else if (readSequenceStep <= 4) {
        send(QStringLiteral("08") + QStringLiteral("%1").arg(readSequenceStep, 2, 16, QLatin1Char('0')) +
             QStringLiteral("0001"));
    } else {
        send(QStringLiteral("ffffffff"));
        return;
    }
    ++readSequenceStep;
    readSequenceTimer->start(ReadStepMs);
}

void MainWindow::startTcpReadSequence()
{
    const quint64 connection = ++tcpConnectionCount;
    // A new connection starts a new byte stream.
    tcpFrames.clear();
    startReadSequence();
    WaitingWidget wait(tr("waiting"), ReadWaitMs);
    wait.exec();
    QTimer::singleShot(1, this, [this, connection] { checkTcpRead(connection, false); });
}

void MainWindow::checkTcpRead(quint64 connection, bool secondPass)
{
    // A link lost (or made anew) meanwhile has been reported by its own handlers.
    if (connection != tcpConnectionCount || !networkConnected ||
        tcp->state() != QAbstractSocket::ConnectedState)
        return;
    if (allWindowsRead) {
        MyMessageBox::information(this, tr("消息"), tr("读取成功！"));
        return;
    }
    if (secondPass) {
        MyMessageBox::error(this, tr("错误"), tr("读取失败！"));
        return;
    }
    startReadSequence();
    WaitingWidget wait(tr("正在重新读取...(1/1)"), ReadWaitMs);
    wait.exec();
    checkTcpRead(connection, true);
}

// ---- Status frames ----------------------------------------------------------------------

void MainWindow::read(const QByteArray &bytes)
{
    for (const QByteArray &block : tcpFrames.feed(bytes)) {
        const w4::TcpFrame frame = w4::decodeTcpFrame(block);
        applyWithoutEchoes([this, &frame] {
            if (const auto *global = std::get_if<w4::GlobalFrame>(&frame))
                applyGlobalFrame(*global);
            else if (const auto *window = std::get_if<w4::WindowStatus>(&frame))
                applyWindowFrame(*window);
        });
    }
}

// Showing what was read sets the pages' controls, and some of their handlers
// queue the value they were set to (the sliders, the de-interlace boxes). The
// device has those values already; worse, after a wall rebuild they are the
// defaults, and the slider throttle may let the default out but not the value
// read right after it. So nothing queued while a read is applied goes out.
void MainWindow::applyWithoutEchoes(const std::function<void()> &apply)
{
    QStringList waiting;
    for (const w4::QueuedCommand &c : sendQueue.entries())
        waiting << c.text;
    apply();
    sendQueue.clear();
    for (const QString &text : waiting)
        sendQueue.push(text);
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

void MainWindow::applyGlobalFrame(const w4::GlobalFrame &frame)
{
    windowReplyCount = 0;
    windowsReadMask = 0;
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
        first->videoGenMode = frame.videoGen;
    }
    for (int i = 0; i < 4; ++i)
        if (frame.layers[size_t(i)] != 0)
            if (InputChannel *item = ui->graphicsView->window(i))
                item->setLayer(frame.layers[size_t(i)]);
    changeUIBaseSelectChannel(ui->currentChannelCBox->currentIndex() + 1);
}

void MainWindow::applyWindowFrame(const w4::WindowStatus &s)
{
    InputChannel *item = ui->graphicsView->window(s.window - 1);
    if (!item) {
        qCWarning(lcReadBack) << "window frame for window" << s.window << "ignored";
        return;
    }
    // Complete when window 4 is the fourth window frame since the global frame
    // and every window was among them.
    ++windowReplyCount;
    windowsReadMask |= 1 << (s.window - 1);
    if (s.window == 4 && windowReplyCount == 4 && windowsReadMask == 0xF)
        allWindowsRead = true;
    emit readInfo(QStringLiteral("通道： %1   数据头正确！  数据尾正确！  数据长度正确！").arg(s.window));

    const int window = s.window - 1;
    const w4::DeviceScale scale = w4::deviceScale(ui->graphicsView->currentScene()->wallSize());
    item->setWindowGeometry(
        {QPointF(s.x / scale.sx, s.y / scale.sy), QSizeF(s.width / scale.sx, s.height / scale.sy)});
    applyWindowStatus(window, s);

    w4::WindowRecord &r = item->record();
    r.diagonalCorrection = s.diagonalCorrection;
    r.blueCorrection = s.blueCorrection;
    r.greenCorrection = s.greenCorrection;
    r.skinCorrection = s.skinCorrection;
    r.lastColorR = s.colorR;
    r.lastColorG = s.colorG;
    r.lastColorB = s.colorB;
    if (s.isColorSolid) {
        r.colorR = s.colorR;
        r.colorG = s.colorG;
        r.colorB = s.colorB;
    }
    r.cropHStart = s.cropHStart;
    r.cropVStart = s.cropVStart;

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

void MainWindow::applyWindowStatus(int window, const w4::WindowStatus &s)
{
    InputChannel *item = ui->graphicsView->window(window);
    if (!item)
        return;
    w4::WindowRecord &r = item->record();
    r.contrastRatio = s.contrastRatio;
    r.luminance = s.luminance;
    r.horizontalSharpness = s.horizontalSharpness;
    r.verticalSharpness = s.verticalSharpness;
    r.saturability = s.saturability;
    r.hue = s.hue;
    r.colorTemperature = s.colorTemperature;
    r.deGammaMode = s.deGammaMode;
    r.panelGammaMode = s.panelGammaMode;
    r.horizontalMirrored = s.horizontalMirrored;
    r.verticalMirrored = s.verticalMirrored;
    r.horizontalFiltration = s.horizontalFiltration;
    r.verticalFiltration = s.verticalFiltration;
    r.shadowFiltration = s.shadowFiltration;
    r.blockFiltration = s.blockFiltration;
    r.noiseProcessing = s.noiseProcessing;
    r.hairTreatment = s.hairTreatment;
    r.deinterlace = s.deinterlace;
    r.pullDown2p2 = s.pullDown2p2;
    r.timer2p2 = s.timer2p2;
    r.pullDown2p3 = s.pullDown2p3;
    r.timer2p3 = s.timer2p3;
    r.sensitivity = s.sensitivity;
    r.psf24Mode = s.psf24Mode;
    r.isColorSolid = s.isColorSolid;
    r.isFrozen = s.isFrozen;
    r.audioEnabled = s.audioEnabled;
    // Both readers give a solid-colour window no source and keep the one it
    // had for when the fill is switched off.
    r.savedInputSourceId = s.inputSource;
    r.inputSourceId = s.isColorSolid ? NoSource : s.inputSource;
    // Exactly one rotation mark, so the context menu shows the angle read.
    if (s.rotation)
        w4::setRotation(r, *s.rotation);
    showWindowItem(window, s.isShown);
}

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
