#include "util/NetworkInterfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace {

QString ipv4Text(const sockaddr *address)
{
    if (!address || address->sa_family != AF_INET)
        return QString();
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(address)->sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

} // namespace

QList<Ipv4Interface> systemIpv4Interfaces()
{
    QList<Ipv4Interface> found;
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return found;
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        // A link that is down cannot carry a request; sending there would
        // only fail the whole command.
        if (!(entry->ifa_flags & IFF_UP))
            continue;
        const QString address = ipv4Text(entry->ifa_addr);
        if (address.isEmpty())
            continue;
        Ipv4Interface item;
        item.name = QString::fromLocal8Bit(entry->ifa_name);
        item.address = address;
        item.netmask = ipv4Text(entry->ifa_netmask);
        if (entry->ifa_flags & IFF_POINTOPOINT)
            item.broadcast = ipv4Text(entry->ifa_dstaddr);
        else if (entry->ifa_flags & IFF_BROADCAST)
            item.broadcast = ipv4Text(entry->ifa_broadaddr);
        found << item;
    }
    freeifaddrs(list);
    return found;
}
