#include "FrmSimpleDataMod.h"
#include "LocalIP.h"

#include <QHostInfo>

QString lastIPv4Address(const QList<QHostAddress>& addresses)
{
    QString result;
    for (const QHostAddress& address : addresses)
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            result = address.toString();
    return result;
}

QString lastIPv4AddressOf(const QString& hostName)
{
    if (hostName.isEmpty())
        return {};
    const QHostInfo info = QHostInfo::fromName(hostName);
    if (info.error() != QHostInfo::NoError)
        return {};
    return lastIPv4Address(info.addresses());
}

QString TSimpleDataMod::LocalIP()
{
    return lastIPv4AddressOf(QHostInfo::localHostName());
}
