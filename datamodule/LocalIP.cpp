#include "FrmSimpleDataMod.h"
#include "LocalIP.h"

#include <QHostInfo>
#include <QNetworkInterface>

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

QString workstationAddress(const QString& resolved, const QList<QHostAddress>& interfaceAddresses)
{
    if (resolved.isEmpty() || !QHostAddress(resolved).isLoopback())
        return resolved;
    return interfaceAddresses.isEmpty() ? QString() : interfaceAddresses.first().toString();
}

QList<QHostAddress> interfaceIPv4Addresses()
{
    QList<QHostAddress> addresses;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                addresses << entry.ip();
    }
    return addresses;
}

QString TSimpleDataMod::LocalIP()
{
    return workstationAddress(lastIPv4AddressOf(QHostInfo::localHostName()), interfaceIPv4Addresses());
}
