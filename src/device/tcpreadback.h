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
    // Window 4 came as the fourth window frame since the global frame, and
    // every window was among them.
    bool complete = false;
};

// Reading the processor's state over TCP: the query sequence (device-wide
// query, the four window queries, then the end marker, at fixed steps through
// the send queue) and the status frames, which are decoded from the stream
// whole however the reads cut it and written to the model whenever they come.
class TcpReadBack : public QObject
{
    Q_OBJECT

public:
    static constexpr int StepMs = 600;

    TcpReadBack(CommandSender *sender, DeviceModel *model, QObject *parent = nullptr);

    // Starts (or starts again) the query sequence; the result so far is kept,
    // so frames of an earlier pass still count.
    void start();
    void stop();
    bool isRunning() const { return stepTimer.isActive(); }
    int step() const { return currentStep; }

    // A new connection: bytes and results from before are forgotten.
    void reset();
    void feed(const QByteArray &bytes);

    const TcpReadResult &result() const { return progress; }
    bool isComplete() const { return progress.complete; }
    void clearComplete() { progress.complete = false; }

    QTimer *timer() { return &stepTimer; }

signals:
    // After the end marker was queued.
    void sequenceFinished();

private:
    void onStep();

    CommandSender *sender;
    DeviceModel *model;
    TcpFrameAssembler frames;
    QTimer stepTimer;
    int currentStep = 0;
    int windowFrames = 0; // since the last global frame
    TcpReadResult progress;
};

} // namespace w4
