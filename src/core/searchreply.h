#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>

#include <array>
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

// The devices one search found. Anyone on the network can answer a search, so
// a reply becomes a device only when it names one: an IPv4 address of four
// decimal numbers 0..255 and a hardware address of six. A device is known by
// its hardware address and is listed once (a processor is asked on two ports,
// and answers may repeat); the first answer stands. At most MaxDevices are
// kept; what else comes is counted, never stored.
class SearchResults
{
public:
    static constexpr int MaxDevices = 256;

    enum class Outcome {
        Added,
        Malformed, // not key:value pairs
        NoDevice,  // pairs, but no valid address or hardware address
        Repeated,  // a device already listed
        Full,      // MaxDevices are listed
    };

    // A new search.
    void clear();
    // Takes one datagram; `device` receives the reply when it was added.
    Outcome add(const QByteArray &datagram, SearchReply *device = nullptr);

    int found() const { return int(macs.size()); }
    // Replies that did not become a device, by outcome (Added counts nothing).
    int dropped(Outcome outcome) const;
    int droppedTotal() const;
    // One line for the developer's log: what was dropped, and why.
    QString droppedSummary() const;

private:
    QSet<QString> macs; // as six numbers written without leading zeros
    std::array<int, 5> counts{};
};

const char *describe(SearchResults::Outcome outcome);

} // namespace w4
