#pragma once

#include "devicestate.h"

#include <QByteArray>
#include <QString>

namespace w4sim {

// What one received command did, and what the transport must answer.
struct Outcome
{
    enum Reply { NoReply, GlobalStatus, WindowStatus, SearchReply };

    bool crcOk = false;
    bool applied = false;
    Reply reply = NoReply;
    int window = 0;       // 1..4 for WindowStatus
    bool saveAll = false; // the caller persists the state
    QString text;         // readable summary for the log
};

// Turns one whole command (check byte included) into a change of the device
// state. Commands with a wrong check byte change nothing.
class CommandApplier
{
public:
    explicit CommandApplier(DeviceState *state) : m_state(state) {}

    Outcome apply(const QByteArray &command);

private:
    Outcome applyWindow(int window, int code, int value);
    Outcome applyGlobal(int code, int value);
    Outcome applyQuery(int code, int value);
    Outcome applyCrop(int window, const QByteArray &c);
    Outcome applyGeometry(int window, const QByteArray &c);
    Outcome applySetIp(const QByteArray &c);
    Outcome applySetMac(const QByteArray &c);
    void applyDivision(int code);

    DeviceState *m_state;
};

} // namespace w4sim
