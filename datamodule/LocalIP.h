#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The workstation's address as the host columns record it: the last IPv4 address that resolving
// the local host name yields, in dotted-decimal form; empty text on any failure. Where the name
// resolves only to loopback addresses (Debian maps it to 127.0.1.1), that would name no
// workstation: the first IPv4 address of an interface that is up and not loopback stands in.

// The last IPv4 address of a resolver's list as dotted text; other protocols are passed over.
QString lastIPv4Address(const QList<QHostAddress>& addresses);
// Resolves a host name (blocking) and takes the last IPv4 address; empty when it fails.
QString lastIPv4AddressOf(const QString& hostName);
// The address of the rule above for a resolved address and the interfaces' IPv4 addresses (of
// interfaces that are up and not loopback, in their order).
QString workstationAddress(const QString& resolved, const QList<QHostAddress>& interfaceAddresses);
// The IPv4 addresses of this machine's interfaces that are up and not loopback.
QList<QHostAddress> interfaceIPv4Addresses();
