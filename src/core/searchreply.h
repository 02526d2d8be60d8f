#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// A processor's answer to the device search: UTF-8 text up to the first NUL,
// key:value pairs joined by "/".
namespace w4 {

struct SearchReply
{
    QMap<QString, QString> pairs; // every pair, the last of repeated keys
    QString ip() const { return pairs.value(QStringLiteral("IP")); }
    QString mac() const { return pairs.value(QStringLiteral("MAC")); }
    QString port() const { return pairs.value(QStringLiteral("Port")); }
    QString beta() const { return pairs.value(QStringLiteral("Beta")); }
    bool dhcp() const { return pairs.value(QStringLiteral("DHCP")).contains(QStringLiteral("true")); }
};

// Absent when any part does not split on ":" into exactly two pieces (an empty
// trailing part included).
std::optional<SearchReply> parseSearchReply(const QByteArray &datagram);

} // namespace w4
