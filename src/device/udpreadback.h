#pragma once

#include "frames.h"
#include "statusdatagram.h"

#include <QHostAddress>
#include <QObject>

#include <array>
#include <functional>

namespace w4 {

class UdpLink;

// The outcome of one UDP read of a processor.
struct UdpReadResult
{
    bool ok = false;
    // The device-wide record came (it carries the layout and the stacking).
    bool layoutRead = false;
    // 1..4: the window whose three reads disagreed or never came; 0 when none.
    int failedWindow = 0;
    StatusRecord global;
    std::array<StatusRecord, 4> records;
    std::array<WindowStatus, 4> windows;
};

// Reading the processor's state over UDP: the device-wide query, then each
// window three times, two equal answers winning. The read blocks in a wait
// after each query (a nested event loop, or whatever the waiter shows), during
// which the answer comes in; the answer ends the wait (stepDone()), and the
// wait's time is only how long a missing answer is waited for. Each query
// therefore leaves as soon as the one before was answered.
class UdpReadBack : public QObject
{
    Q_OBJECT

public:
    // How long an answer may take.
    static constexpr int LayoutWaitMs = 300;
    static constexpr int AttemptWaitMs = 300;
    // The pause after a window was decided; nothing is waited for, so the
    // step is over as soon as it begins.
    static constexpr int WindowDoneWaitMs = 500;

    // The stored queries, check byte included, written as they are.
    static const char *const GlobalQuery;
    static const char *const WindowQueries[4];

    enum class Pause { Layout, Attempt, WindowDone };
    // Waits until the step is done (isStepDone() already, or stepDone() comes)
    // but no longer than `ms`; window 1..4 and attempt 1..3 where they apply.
    using Waiter = std::function<void(Pause pause, int window, int attempt, int ms)>;

    explicit UdpReadBack(UdpLink *link, QObject *parent = nullptr);

    void setWaiter(Waiter waiter) { wait = std::move(waiter); }

    // Reads `device` at its datagram port from `local` (the read port is bound
    // there first). Blocks, with the waits, until every window was tried.
    UdpReadResult read(const QHostAddress &device, quint16 port, const QHostAddress &local);
    bool isRunning() const { return slot != 0; }
    // The step the read waits in has what it waited for.
    bool isStepDone() const { return stepComplete; }

    // A datagram from the link; only the device being read is listened to.
    void handleDatagram(const QByteArray &datagram, const QHostAddress &sender);

signals:
    void querySent(const QString &literal);
    // The answer the current wait is for came: the waiter may return.
    void stepDone();
    // A record of the first read of a window (logged, as the processor sent it).
    void firstReadRecord(int key, const QString &value);
    // A datagram whose records are not well formed.
    void malformedDatagram();
    // The read port could not be bound.
    void bindFailed();

private:
    void query(const QString &literal);
    void pause(Pause p, int window, int attempt, int ms);
    void endStep();

    UdpLink *link;
    Waiter wait;
    QHostAddress device;
    quint16 port = 23;
    // 0 not reading, 1 device-wide record, 2..4 first to third read of a window.
    int slot = 0;
    int window = 0; // the window being read, 1..4

    bool stepComplete = false;
    StatusRecord global;
    std::array<StatusRecord, 3> attempts;
};

} // namespace w4
