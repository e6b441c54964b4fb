#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The workstation's address as the host columns record it: the last IPv4 address that resolving
// the local host name yields, in dotted-decimal form; empty text on any failure.

// The last IPv4 address of a resolver's list as dotted text; other protocols are passed over.
QString lastIPv4Address(const QList<QHostAddress>& addresses);
// Resolves a host name (blocking) and takes the last IPv4 address; empty when it fails.
QString lastIPv4AddressOf(const QString& hostName);
