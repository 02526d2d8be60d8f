#include "tcpreadback.h"

#include "commandsender.h"
#include "devicemodel.h"

namespace w4 {

TcpReadBack::TcpReadBack(CommandSender *commandSender, DeviceModel *deviceModel, QObject *parent)
    : QObject(parent), sender(commandSender), model(deviceModel)
{
    stepTimer.setSingleShot(true);
    stepTimer.setInterval(StepMs);
    connect(&stepTimer, &QTimer::timeout, this, &TcpReadBack::onStep);
}

void TcpReadBack::start()
{
    currentStep = 0;
    stepTimer.start(StepMs);
}

void TcpReadBack::stop()
{
    stepTimer.stop();
}

void TcpReadBack::reset()
{
    stop();
    frames.clear();
    windowFrames = 0;
    progress = {};
}

// Step 0 asks for the device-wide frame, steps 1..4 for window 1..4, step 5
// queues the end marker and the sequence is over.
void TcpReadBack::onStep()
{
    if (currentStep == 0) {
        sender->send(QStringLiteral("08050000"));
    } else if (currentStep <= 4) {
        sender->send(QStringLiteral("08") + QStringLiteral("%1").arg(currentStep, 2, 16, QLatin1Char('0')) +
                     QStringLiteral("0001"));
    } else {
        sender->send(QStringLiteral("ffffffff"));
        emit sequenceFinished();
        return;
    }
    ++currentStep;
    stepTimer.start(StepMs);
}

void TcpReadBack::feed(const QByteArray &bytes)
{
    for (const QByteArray &block : frames.feed(bytes)) {
        const TcpFrame frame = decodeTcpFrame(block);
        if (const auto *global = std::get_if<GlobalFrame>(&frame)) {
            windowFrames = 0;
            progress.globalRead = true;
            progress.windowsRead = 0;
            model->applyGlobalFrame(*global);
        } else if (const auto *window = std::get_if<WindowStatus>(&frame)) {
            if (window->window < 1 || window->window > 4)
                continue;
            ++windowFrames;
            progress.windowsRead |= 1 << (window->window - 1);
            if (window->window == 4 && windowFrames == 4 && progress.windowsRead == 0xF)
                progress.complete = true;
            model->applyWindowFrame(*window);
        }
    }
}

} // namespace w4
