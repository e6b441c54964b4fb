#include "FreezingProxy.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

FreezingProxy::FreezingProxy(quint16 serverPort) : serverPort_(serverPort)
{
    start();
    while (port_.load() == 0)
        QThread::msleep(5);
}

FreezingProxy::~FreezingProxy()
{
    quit();
    wait();
}

void FreezingProxy::run()
{
    QTcpServer listener;
    listener.listen(QHostAddress::LocalHost);
    QObject::connect(&listener, &QTcpServer::newConnection, &listener, [this, &listener] {
        while (QTcpSocket* client = listener.nextPendingConnection()) {
            auto* server = new QTcpSocket(client);
            server->connectToHost(QHostAddress::LocalHost, serverPort_);
            const auto carry = [this](QTcpSocket* from, QTcpSocket* to) {
                if (!frozen_.load() && to->state() == QAbstractSocket::ConnectedState)
                    to->write(from->readAll());
            };
            QObject::connect(client, &QTcpSocket::readyRead, server, [=] { carry(client, server); });
            QObject::connect(server, &QTcpSocket::connected, server, [=] { carry(client, server); });
            QObject::connect(server, &QTcpSocket::readyRead, client, [=] { carry(server, client); });
            QObject::connect(client, &QTcpSocket::disconnected, client, [=] {
                server->abort();
                client->deleteLater();
            });
        }
    });
    port_.store(listener.serverPort());
    exec();
}
