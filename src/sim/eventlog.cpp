#include "eventlog.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace w4sim {

QString spacedHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

EventLog::EventLog()
{
    m_clock.start();
}

bool EventLog::open(const QString &path, QString *error)
{
    const bool ok = path == QLatin1String("-")
                        ? m_file.open(stdout, QIODevice::WriteOnly)
                        : (m_file.setFileName(path), m_file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (!ok)
        *error = QStringLiteral("cannot write events to %1: %2").arg(path, m_file.errorString());
    return ok;
}

void EventLog::writeJson(const QByteArray &line)
{
    if (!m_file.isOpen())
        return;
    m_file.write(line);
    m_file.write("\n");
    m_file.flush();
}

void EventLog::received(const QString &transport, const QString &peer, const QByteArray &bytes, bool crcOk,
                        bool applied, const QString &text)
{
    std::fprintf(stderr, "[%s %s] <- %s  %s\n", qPrintable(transport), qPrintable(peer),
                 qPrintable(spacedHex(bytes)), qPrintable(text));
    QJsonObject o;
    o.insert(QStringLiteral("time_ms"), double(m_clock.elapsed()));
    o.insert(QStringLiteral("dir"), QStringLiteral("in"));
    o.insert(QStringLiteral("transport"), transport);
    o.insert(QStringLiteral("peer"), peer);
    o.insert(QStringLiteral("hex"), QString::fromLatin1(bytes.toHex().toUpper()));
    o.insert(QStringLiteral("crc_ok"), crcOk);
    o.insert(QStringLiteral("applied"), applied);
    o.insert(QStringLiteral("text"), text);
    writeJson(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void EventLog::sent(const QString &transport, const QString &peer, const QByteArray &bytes,
                    const QString &what, const QString &fault)
{
    std::fprintf(stderr, "[%s %s] -> %s%s%s\n", qPrintable(transport), qPrintable(peer), qPrintable(what),
                 fault.isEmpty() ? "" : "  FAULT: ", qPrintable(fault));
    QJsonObject o;
    o.insert(QStringLiteral("time_ms"), double(m_clock.elapsed()));
    o.insert(QStringLiteral("dir"), QStringLiteral("out"));
    o.insert(QStringLiteral("transport"), transport);
    o.insert(QStringLiteral("peer"), peer);
    o.insert(QStringLiteral("hex"), QString::fromLatin1(bytes.toHex().toUpper()));
    o.insert(QStringLiteral("reply"), what);
    if (!fault.isEmpty())
        o.insert(QStringLiteral("fault"), fault);
    writeJson(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void EventLog::fault(const QString &name, const QString &text)
{
    std::fprintf(stderr, "FAULT: %s: %s\n", qPrintable(name), qPrintable(text));
    QJsonObject o;
    o.insert(QStringLiteral("time_ms"), double(m_clock.elapsed()));
    o.insert(QStringLiteral("dir"), QStringLiteral("fault"));
    o.insert(QStringLiteral("fault"), name);
    o.insert(QStringLiteral("text"), text);
    writeJson(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void EventLog::note(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace w4sim
