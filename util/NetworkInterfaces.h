#pragma once

#include <QList>
#include <QString>

#include <functional>

// One IPv4 address of a network interface that is up.
struct Ipv4Interface
{
    QString name;
    QString address;
    QString netmask;
    // The broadcast address, or for a point-to-point link its destination;
    // empty when the interface has neither.
    QString broadcast;
};

using Ipv4InterfaceLister = std::function<QList<Ipv4Interface>()>;

// The computer's interfaces as the operating system lists them (getifaddrs).
QList<Ipv4Interface> systemIpv4Interfaces();
