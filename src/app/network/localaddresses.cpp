#include "localaddresses.h"

#include "networklog.h"

#include <QNetworkInterface>

namespace {

std::function<QList<LocalInterface>()> &lister()
{
    static std::function<QList<LocalInterface>()> f;
    return f;
}

QList<LocalInterface> systemInterfaces()
{
    QList<LocalInterface> result;
    for (const QNetworkInterface &card : QNetworkInterface::allInterfaces()) {
        LocalInterface i;
        i.humanReadableName = card.humanReadableName();
        i.up = card.flags().testFlag(QNetworkInterface::IsUp);
        i.running = card.flags().testFlag(QNetworkInterface::IsRunning);
        i.loopback = card.flags().testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry &entry : card.addressEntries())
            i.addresses << entry.ip();
        result << i;
    }
    return result;
}

} // namespace

QList<LocalInterface> localInterfaces()
{
    return lister() ? lister()() : systemInterfaces();
}

void setLocalInterfaceLister(std::function<QList<LocalInterface>()> f)
{
    lister() = std::move(f);
}

QStringList localIPv4Addresses(const QList<LocalInterface> &interfaces)
{
    QStringList result;
    for (const LocalInterface &card : interfaces) {
        // Names of virtual machine and loopback adapters, as the system spells them.
        if (card.humanReadableName.contains(QLatin1String("VMware")) ||
            card.humanReadableName.contains(QLatin1String("Loopback"))) {
            qCDebug(lcNetwork).noquote() << QStringLiteral("排除：") + card.humanReadableName;
            continue;
        }
        if (!card.up || !card.running || card.loopback)
            continue;
        for (const QHostAddress &address : card.addresses)
            if (address.protocol() == QAbstractSocket::IPv4Protocol && address != QHostAddress::LocalHost)
                result << address.toString();
    }
    return result;
}
