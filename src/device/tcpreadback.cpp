#include "tcpreadback.h"

#include "commandsender.h"
#include "devicemodel.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTcpRead, "w4.readback.tcp", QtInfoMsg)

namespace w4 {

namespace {

// Step 0 asks for the device-wide frame, steps 1..4 for window 1..4.
QString queryFor(int step)
{
    if (step == 0)
        return QStringLiteral("08050000");
    return QStringLiteral("08") + QStringLiteral("%1").arg(step, 2, 16, QLatin1Char('0')) +
           QStringLiteral("0001");
}

const QString EndMarker = QStringLiteral("ffffffff");

} // namespace

TcpReadBack::TcpReadBack(CommandSender *commandSender, DeviceModel *deviceModel, QObject *parent)
    : QObject(parent), sender(commandSender), model(deviceModel)
{
    answerTimer.setSingleShot(true);
    answerTimer.setInterval(StepMs);
    connect(&answerTimer, &QTimer::timeout, this, [this] {
        if (running)
            emit answerMissed(currentStep);
        advance();
    });
    connect(sender, &CommandSender::commandSent, this, &TcpReadBack::onCommandSent);
}

void TcpReadBack::start()
{
    // A probe's answer still on its way is as good an answer as any to the
    // sequence's first query; the sequence's own answer follows it, before
    // any window frame.
    probes = 0;
    running = true;
    reading = true;
    currentStep = 0;
    ask();
}

void TcpReadBack::stop()
{
    answerTimer.stop();
    pendingQuery.clear();
    if (!running)
        return;
    running = false;
    emit stopped();
}

void TcpReadBack::reset()
{
    stop();
    reading = false;
    flooded = false;
    frames.clear();
    windowFrames = 0;
    probes = 0;
    progress = {};
}

// The query of the current step joins the send queue. Its time-out runs from
// now, and again from the moment it is written: a sender that has stopped
// still lets the sequence end.
void TcpReadBack::ask()
{
    pendingQuery = queryFor(currentStep);
    pendingLeft = false;
    answerTimer.start();
    sender->send(pendingQuery);
}

void TcpReadBack::onCommandSent(const QString &text)
{
    queryWrittenLast = running && text == pendingQuery;
    if (!running || pendingLeft || text != pendingQuery)
        return;
    pendingLeft = true;
    answerTimer.start();
}

// The current query was answered, or its time ran out.
void TcpReadBack::advance()
{
    if (!running)
        return;
    answerTimer.stop();
    if (++currentStep <= 4) {
        ask();
        return;
    }
    pendingQuery.clear();
    running = false;
    sender->send(EndMarker);
    emit sequenceFinished();
}

void TcpReadBack::probeSent()
{
    // The watch has at most two queries out; a device that ignores them
    // must not make later reads lose their answers.
    probes = qMin(probes + 1, 2);
}

void TcpReadBack::feed(const QByteArray &bytes)
{
    const QVector<QByteArray> blocks = frames.feed(bytes);
    if (frames.noiseSinceFrame() > NoiseLimit && !flooded) {
        flooded = true;
        frames.clear();
        emit noiseFlood();
        return;
    }
    for (const QByteArray &block : blocks) {
        const TcpFrame frame = decodeTcpFrame(block);
        if (probes > 0 && !running && std::holds_alternative<GlobalFrame>(frame)) {
            --probes;
            continue;
        }
        if (!reading) {
            qCDebug(lcTcpRead) << "frame outside a read ignored:" << block.left(4).toHex();
            continue;
        }
        // A frame is the answer to the query waited for when that query has
        // been written and the frame is of its kind; anything else (a late
        // frame of an earlier pass) is applied all the same.
        bool answers = false;
        if (const auto *global = std::get_if<GlobalFrame>(&frame)) {
            windowFrames = 0;
            progress.globalRead = true;
            progress.windowsRead = 0;
            answers = currentStep == 0;
            model->applyGlobalFrame(*global);
        } else if (const auto *window = std::get_if<WindowStatus>(&frame)) {
            if (window->window < 1 || window->window > 4)
                continue;
            ++windowFrames;
            progress.windowsRead |= 1 << (window->window - 1);
            if (progress.globalRead && window->window == 4 && windowFrames == 4 &&
                progress.windowsRead == 0xF)
                progress.complete = true;
            answers = currentStep >= 1;
            model->applyWindowFrame(*window);
        }
        if (answers && running && pendingLeft) {
            // The processor has answered the last thing written to it: the
            // next query need not wait out the sender's interval.
            if (queryWrittenLast)
                sender->lastWriteAnswered();
            advance();
        }
    }
}

} // namespace w4
