#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

namespace w4sim {

// Every command received and every reply sent: a readable line on stderr and,
// when asked for, one JSON object per line (time_ms counts from start).
class EventLog
{
public:
    EventLog();
    // "-" writes to stdout.
    bool open(const QString &path, QString *error);

    void received(const QString &transport, const QString &peer, const QByteArray &bytes, bool crcOk,
                  bool applied, const QString &text);
    void sent(const QString &transport, const QString &peer, const QByteArray &bytes, const QString &what,
              const QString &fault);
    void note(const QString &text);
    // A change of the unit's behaviour, such as a silence starting or ending:
    // {"dir":"fault","fault":name,"text":text}.
    void fault(const QString &name, const QString &text);

private:
    void writeJson(const QByteArray &line);
    QElapsedTimer m_clock;
    QFile m_file;
};

QString spacedHex(const QByteArray &bytes);

} // namespace w4sim
