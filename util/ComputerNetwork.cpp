#include "util/ComputerNetwork.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>

#include <arpa/inet.h>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// One RTM_GETROUTE request, as `ip route get ADDRESS` sends it.
struct RouteRequest
{
    nlmsghdr header;
    rtmsg route;
    char attributes[64];
};

Ipv4Route parseRoute(const char *buffer, ssize_t size)
{
    Ipv4Route result;
    for (auto *message = reinterpret_cast<const nlmsghdr *>(buffer); NLMSG_OK(message, size);
         message = NLMSG_NEXT(message, size)) {
        if (message->nlmsg_type != RTM_NEWROUTE)
            continue; // an error answer leaves found false
        const auto *route = static_cast<const rtmsg *>(NLMSG_DATA(message));
        if (route->rtm_type != RTN_UNICAST && route->rtm_type != RTN_LOCAL && route->rtm_type != RTN_BROADCAST)
            return result;
        int length = int(RTM_PAYLOAD(message));
        for (auto *attribute = RTM_RTA(route); RTA_OK(attribute, length); attribute = RTA_NEXT(attribute, length)) {
            if (attribute->rta_type == RTA_OIF) {
                char name[IF_NAMESIZE] = {};
                if (if_indextoname(*static_cast<const unsigned *>(RTA_DATA(attribute)), name))
                    result.interfaceName = QString::fromLocal8Bit(name);
            } else if (attribute->rta_type == RTA_GATEWAY) {
                char text[INET_ADDRSTRLEN] = {};
                inet_ntop(AF_INET, RTA_DATA(attribute), text, sizeof text);
                result.gateway = QString::fromLatin1(text);
            }
        }
        result.found = true;
        return result;
    }
    return result;
}

Ipv4Route kernelRoute(const QString &address)
{
    in_addr destination {};
    if (inet_pton(AF_INET, address.toLatin1().constData(), &destination) != 1)
        return {};
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return {};
    // The kernel answers at once; the limit only keeps a broken one from hanging the wizard.
    const timeval wait {1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    RouteRequest request {};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(rtmsg));
    request.header.nlmsg_type = RTM_GETROUTE;
    request.header.nlmsg_flags = NLM_F_REQUEST;
    request.route.rtm_family = AF_INET;
    request.route.rtm_dst_len = 32;
    auto *attribute
        = reinterpret_cast<rtattr *>(reinterpret_cast<char *>(&request) + NLMSG_ALIGN(request.header.nlmsg_len));
    attribute->rta_type = RTA_DST;
    attribute->rta_len = RTA_LENGTH(sizeof destination);
    std::memcpy(RTA_DATA(attribute), &destination, sizeof destination);
    request.header.nlmsg_len = NLMSG_ALIGN(request.header.nlmsg_len) + RTA_LENGTH(sizeof destination);
    Ipv4Route result;
    alignas(nlmsghdr) char buffer[8192];
    if (::send(fd, &request, request.header.nlmsg_len, 0) >= 0) {
        const ssize_t size = ::recv(fd, buffer, sizeof buffer, 0);
        if (size > 0)
            result = parseRoute(buffer, size);
    }
    ::close(fd);
    return result;
}

class SystemNetwork : public ComputerNetwork
{
public:
    QList<Ipv4Interface> interfaces() const override { return systemIpv4Interfaces(); }
    Ipv4Route routeTo(const QString &address) const override { return kernelRoute(address); }
    LinkKind linkKind(const QString &interfaceName) const override
    {
        const QString folder = QStringLiteral("/sys/class/net/") + interfaceName;
        if (interfaceName.contains(QLatin1Char('/')) || !QDir(folder).exists())
            return LinkKind::Other;
        if (QDir(folder + QStringLiteral("/wireless")).exists() || QDir(folder + QStringLiteral("/phy80211")).exists())
            return LinkKind::WiFi;
        QFile type(folder + QStringLiteral("/type"));
        const int arpType = type.open(QIODevice::ReadOnly) ? type.readAll().trimmed().toInt() : 0;
        // Tunnels (tun, WireGuard) have no hardware address; PPP is 512.
        if (arpType == 65534 || arpType == 512 || QFile::exists(folder + QStringLiteral("/tun_flags")))
            return LinkKind::Vpn;
        // A real card has a device behind it; veth pairs and bridges do not.
        if (arpType == 1)
            return QDir(folder + QStringLiteral("/device")).exists() ? LinkKind::Ethernet : LinkKind::Virtual;
        return LinkKind::Other;
    }
};

} // namespace

std::shared_ptr<const ComputerNetwork> systemNetwork()
{
    return std::make_shared<SystemNetwork>();
}
