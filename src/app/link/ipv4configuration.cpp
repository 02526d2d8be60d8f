#include "ipv4configuration.h"

#include <QNetworkInterface>

bool hasIpv4Configuration()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    return std::any_of(addresses.begin(), addresses.end(),
                       [](const QHostAddress &a) { return a.protocol() == QAbstractSocket::IPv4Protocol; });
}
