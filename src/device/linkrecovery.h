#pragma once

#include "sessionstate.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>

namespace w4 {

// Where a lost link went: enough to make the same link again.
struct LostLink
{
    ReconnectLink link = ReconnectLink::None;
    QString host;       // TCP
    quint16 port = 0;   // TCP
    QString portName;   // serial
    // Serial: the device had answered on the lost opening of the port. A line
    // that never answered is back as soon as the port opens again; one that
    // did is back when the device answers again.
    bool answered = false;
    QHostAddress device; // UDP
    bool dhcp = false;   // UDP
    QHostAddress local;  // UDP: the card the device was read from
};

// When a lost link is tried again: attempt 1 a second after the loss was
// acknowledged, then after 2, 4 and 8 seconds, then every 15 seconds for as
// long as it takes. Owns the schedule only; the session makes the attempts.
class LinkRecovery : public QObject
{
    Q_OBJECT

public:
    explicit LinkRecovery(QObject *parent = nullptr);

    // The pause before attempt `attempt` (1, 2, ...).
    static int pauseBeforeMs(int attempt);

    // Off: a loss is only reported. Switching off stops the attempts.
    void setEnabled(bool on);
    bool isEnabled() const { return enabled; }
    // Tests shorten the pauses: every pause is multiplied by percent / 100.
    void setPaceForTesting(int percent) { pace = percent; }

    // A link was lost: it is remembered, and nothing happens until begin().
    void lost(const LostLink &link);
    // The loss was acknowledged: attempt 1 is scheduled.
    void begin();
    // The attempt under way failed: the next one is scheduled.
    void failed();
    // Makes the attempt being waited for now (the serial port came back).
    void attemptNow();
    void stop();

    // A loss remembered (waiting for begin(), or attempts running).
    bool isPending() const { return target.link != ReconnectLink::None; }
    bool isRunning() const { return attemptNumber > 0; }
    // The attempt being waited for or under way; 0 before begin().
    int attempt() const { return attemptNumber; }
    bool attemptUnderWay() const { return underWay; }
    const LostLink &link() const { return target; }

signals:
    // Make attempt `attempt` now; answer with failed() or stop().
    void attemptDue(int attempt);

private:
    void schedule();

    QTimer pause;
    LostLink target;
    int attemptNumber = 0;
    int pace = 100;
    bool enabled = false;
    bool underWay = false;
};

} // namespace w4
