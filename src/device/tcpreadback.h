#pragma once

#include "frames.h"

#include <QObject>
#include <QTimer>

namespace w4 {

class CommandSender;
class DeviceModel;

// What a TCP read has brought since it started.
struct TcpReadResult
{
    bool globalRead = false;
    int windowsRead = 0; // a bit per window 1..4 since the last global frame
    // The global frame came, window 4 as the fourth window frame after it, and
    // every window was among them.
    bool complete = false;
};

// Reading the processor's state over TCP: the query sequence (device-wide
// query, the four window queries, then the end marker) and the status frames,
// which are decoded from the stream whole however the reads cut it and written
// to the model as they come, while a read is on (frames after its outcome was
// told would change the wall behind the user's back).
//
// Each query goes to the send queue as soon as the answer to the one before
// has been applied (so the sender's gap between two commands still holds); a
// query left unanswered for StepMs after it went out is given up and the
// sequence goes on without its answer.
class TcpReadBack : public QObject
{
    Q_OBJECT

public:
    // How long an answer may take once its query has left.
    static constexpr int StepMs = 600;
    // A processor's stream holds a few frames per read with little between
    // them; this much noise without a frame is a peer that is no processor.
    static constexpr qint64 NoiseLimit = 256 * 1024;

    TcpReadBack(CommandSender *sender, DeviceModel *model, QObject *parent = nullptr);

    // How long each answer is waited for (StepMs unless set): a slow processor
    // on a long line needs more, a tool told to give up sooner less.
    void setStepTimeout(int ms) { answerTimer.setInterval(ms); }
    int stepTimeout() const { return answerTimer.interval(); }

    // Starts (or starts again) the query sequence; the result so far is kept,
    // so frames of an earlier pass still count.
    void start();
    void stop();
    // From start() until the end marker was queued (or stop()).
    bool isRunning() const { return running; }
    // The query being waited for: 0 device-wide, 1..4 a window.
    int step() const { return currentStep; }

    // A new connection: bytes and results from before are forgotten.
    void reset();
    // The read's outcome has been told: frames from now until the next start()
    // are late answers to it and change nothing.
    void endRead() { reading = false; }
    // Frames are applied (from start() until endRead() or reset()).
    bool isReading() const { return reading; }
    void feed(const QByteArray &bytes);
    // A device-wide status query was written outside the sequence (the link
    // watch asking whether the device is still there). Its answer, the next
    // global frame, is neither applied nor counted: it would rebuild the wall
    // for nothing, or be taken for a read's answer.
    void probeSent();

    const TcpReadResult &result() const { return progress; }
    bool isComplete() const { return progress.complete; }
    void clearComplete() { progress.complete = false; }

signals:
    // After the end marker was queued: every query was answered or given up.
    void sequenceFinished();
    // A running sequence was stopped (the link went away or was replaced).
    void stopped();
    // The query of `step` (0 device-wide, 1..4 a window) went unanswered for
    // the step time-out and is given up; the sequence goes on without it.
    void answerMissed(int step);
    // NoiseLimit bytes came without a frame among them (once; reset() again).
    void noiseFlood();

private:
    void ask();
    void advance();
    void onCommandSent(const QString &text);

    CommandSender *sender;
    DeviceModel *model;
    TcpFrameAssembler frames;
    QTimer answerTimer;
    bool running = false;
    bool reading = false;
    bool flooded = false;
    int currentStep = 0;
    QString pendingQuery;
    bool pendingLeft = false;      // the query waited for has been written
    bool queryWrittenLast = false; // and nothing else after it
    int windowFrames = 0;          // since the last global frame
    int probes = 0;                // global frames still owed to probeSent()
    TcpReadResult progress;
};

} // namespace w4
