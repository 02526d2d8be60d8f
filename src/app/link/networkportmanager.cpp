#include "networkportmanager.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUdpSocket>

NetworkPortManager *NetworkPortManager::instance()
{
    static NetworkPortManager *manager = new NetworkPortManager;
    return manager;
}

NetworkPortManager::~NetworkPortManager()
{
    delete tcp;
}

void NetworkPortManager::init()
{
    if (tcp)
        return;
    tcp = new QTcpSocket;
    tcp->setProxy(QNetworkProxy::NoProxy);
    udp = new QUdpSocket(this);
    udp->setProxy(QNetworkProxy::NoProxy);
}
