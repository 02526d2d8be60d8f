#include "searchreply.h"

#include "addresses.h"

#include <QStringList>

namespace w4 {

std::optional<SearchReply> parseSearchReply(const QByteArray &datagram)
{
    const int nul = datagram.indexOf('\0');
    const QString text = QString::fromUtf8(nul < 0 ? datagram : datagram.left(nul));
    SearchReply reply;
    for (const QString &part : text.split(QLatin1Char('/'))) {
        const QStringList kv = part.split(QLatin1Char(':'));
        if (kv.size() != 2)
            return std::nullopt;
        reply.pairs.insert(kv[0], kv[1]);
    }
    return reply;
}

void SearchResults::clear()
{
    macs.clear();
    counts = {};
}

SearchResults::Outcome SearchResults::add(const QByteArray &datagram, SearchReply *device)
{
    auto count = [this](Outcome o) {
        ++counts[size_t(o)];
        return o;
    };
    const std::optional<SearchReply> reply = parseSearchReply(datagram);
    if (!reply)
        return count(Outcome::Malformed);
    const auto mac = strictMacParts(reply->mac());
    if (!strictIpParts(reply->ip()) || !mac)
        return count(Outcome::NoDevice);
    QStringList numbers;
    for (int part : *mac)
        numbers << QString::number(part);
    const QString key = numbers.join(QLatin1Char('.'));
    if (macs.contains(key))
        return count(Outcome::Repeated);
    if (macs.size() >= MaxDevices)
        return count(Outcome::Full);
    macs.insert(key);
    if (device)
        *device = *reply;
    return Outcome::Added;
}

int SearchResults::dropped(Outcome outcome) const
{
    return outcome == Outcome::Added ? 0 : counts[size_t(outcome)];
}

int SearchResults::droppedTotal() const
{
    return dropped(Outcome::Malformed) + dropped(Outcome::NoDevice) + dropped(Outcome::Repeated) +
           dropped(Outcome::Full);
}

QString SearchResults::droppedSummary() const
{
    return QStringLiteral("%1 replies dropped: %2 malformed, %3 without a device's addresses, %4 repeated, "
                          "%5 beyond %6 devices")
        .arg(droppedTotal())
        .arg(dropped(Outcome::Malformed))
        .arg(dropped(Outcome::NoDevice))
        .arg(dropped(Outcome::Repeated))
        .arg(dropped(Outcome::Full))
        .arg(MaxDevices);
}

const char *describe(SearchResults::Outcome outcome)
{
    switch (outcome) {
    case SearchResults::Outcome::Added:
        return "added";
    case SearchResults::Outcome::Malformed:
        return "malformed";
    case SearchResults::Outcome::NoDevice:
        return "no device's addresses";
    case SearchResults::Outcome::Repeated:
        return "repeated";
    case SearchResults::Outcome::Full:
        return "beyond the device limit";
    }
    return "?";
}

} // namespace w4
