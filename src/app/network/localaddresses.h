#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One network card as the card list sees it.
struct LocalInterface
{
    QString humanReadableName;
    bool up = false;
    bool running = false;
    bool loopback = false;
    QList<QHostAddress> addresses;
};

// The computer's cards, in the system's order.
QList<LocalInterface> localInterfaces();

// Replaces where localInterfaces() looks; for tests. Empty restores the system.
void setLocalInterfaceLister(std::function<QList<LocalInterface>()> lister);

// The IPv4 addresses a device can be searched from: virtual machine and
// loopback adapters are left out by name, cards that are down or loopback by
// their state, and 127.0.0.1 always. Card order, then address order.
QStringList localIPv4Addresses(const QList<LocalInterface> &interfaces);
