#pragma once

#include "util/NetworkInterfaces.h"

#include <QList>
#include <QString>

#include <memory>

// The way the computer would send to one address, as its routing table says.
struct Ipv4Route
{
    bool found = false; // false: no route, or one that refuses (unreachable, prohibit)
    QString interfaceName; // the link it leaves by
    QString gateway; // the router it goes through; empty when the address is on that link
};

// What kind of link an interface is, as people call it. Virtual: a link with no
// card behind it (veth pairs, bridges such as docker0, macvlan, dummy).
enum class LinkKind { Other, Ethernet, WiFi, Vpn, Virtual };

// The computer's side of the network: its addresses, its routes and its links.
// The operating system's by default; tests put their own in.
class ComputerNetwork
{
public:
    virtual ~ComputerNetwork() = default;
    virtual QList<Ipv4Interface> interfaces() const = 0;
    virtual Ipv4Route routeTo(const QString &address) const = 0;
    virtual LinkKind linkKind(const QString &interfaceName) const = 0;
};

// getifaddrs, the kernel's route lookup and /sys/class/net.
std::shared_ptr<const ComputerNetwork> systemNetwork();
