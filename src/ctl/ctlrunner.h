#pragma once

#include "ctlrequest.h"
#include "devicesession.h"

#include <QTextStream>

#include <functional>

namespace w4ctl {

// Carries out one checked request on a device session: connects, reads the
// state where the link can, sends, reads again and compares.
class Runner
{
public:
    Runner(const Request &request, QTextStream &out, QTextStream &err);
    int run();

private:
    int execute();
    int search();
    void printStatus(const w4::Preset &state);
    int dryRun();
    int fail(int code, const QString &message);
    void printJson(const QJsonObject &object);
    bool connectLink(QString *error);
    bool readState(bool again, w4::Preset *state, QString *error);
    bool sendAll(const QStringList &commands, QString *error);
    bool waitUntil(const std::function<bool()> &done, int ms);
    QStringList commandsFor(const w4::Preset &state) const;
    void report(const QStringList &sent, const QVector<w4::PresetDifference> &differences);
    QHostAddress localAddressFor(const QHostAddress &device) const;

    Request r;
    QTextStream &out;
    QTextStream &err;
    w4::DeviceSession session;
    QHostAddress local; // UDP: where the reads are made from
    int timeoutMs = 5000;
    QVector<QByteArray> answers; // to the queries `raw` sent
    bool udpAnswered = false;    // the UDP read under way has had an answer
    bool udpSilent = false;      // and its first wait went unanswered
};

} // namespace w4ctl
