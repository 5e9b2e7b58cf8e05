#include "netcheck/ReachDiagnosis.h"

#include "util/UtilMethod.h"

#include <QHostAddress>
#include <QtAlgorithms>

#include <algorithm>

namespace {

struct Network
{
    QString name;
    quint32 address = 0;
    quint32 mask = 0;
};

quint32 ipv4(const QString &text)
{
    bool ok = false;
    const quint32 value = QHostAddress(text).toIPv4Address(&ok);
    return ok ? value : 0;
}

quint32 ipv4(const uint8_t (&bytes)[4])
{
    return quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | bytes[3];
}

bool isLinkLocal(quint32 address)
{
    return (address >> 16) == 0xa9fe; // 169.254.0.0/16
}

bool isLoopback(quint32 address)
{
    return (address >> 24) == 127;
}

bool sameNetwork(quint32 a, quint32 b, quint32 mask)
{
    return (a & mask) == (b & mask);
}

// Ones, then only zeros; 0.0.0.0 is contiguous but names no network.
bool isContiguous(quint32 mask)
{
    return (~mask & (~mask + 1)) == 0;
}

// "/24" where the mask is a prefix; the whole mask where it has gaps.
QString withMask(quint32 address, quint32 mask)
{
    const QString tail = isContiguous(mask) ? QString::number(qPopulationCount(mask)) : QHostAddress(mask).toString();
    return QHostAddress(address).toString() + QLatin1Char('/') + tail;
}

// The networks a datagram can leave on: loopback carries nothing to a recorder.
QList<Network> networksOf(const QList<Ipv4Interface> &computer)
{
    QList<Network> networks;
    for (const Ipv4Interface &entry : computer) {
        const quint32 address = ipv4(entry.address);
        if (address != 0 && !isLoopback(address))
            networks.append({entry.name, address, ipv4(entry.netmask)});
    }
    return networks;
}

QString listed(const QList<Network> &networks, const ReachDiagnosis::LinkNamer *linkName)
{
    QStringList items;
    for (const Network &network : networks) {
        const QString address = withMask(network.address, network.mask);
        items << (linkName ? (*linkName)(network.name) + QLatin1Char(' ') + address : address);
    }
    return items.join(QStringLiteral(", "));
}

// The computer's link whose network holds the address, if any.
const Network *holderOf(const QList<Network> &networks, quint32 address)
{
    const auto found = std::find_if(networks.begin(), networks.end(),
        [address](const Network &n) { return n.mask != 0 && sameNetwork(address, n.address, n.mask); });
    return found == networks.end() ? nullptr : &*found;
}

bool holdsOn(const QList<Network> &networks, const QString &link, quint32 address)
{
    return std::any_of(networks.begin(), networks.end(),
        [&](const Network &n) { return n.name == link && sameNetwork(address, n.address, n.mask); });
}

} // namespace

bool ReachDiagnosis::cannotReach() const
{
    return cause == Cause::OtherSubnetStatic || cause == Cause::OtherSubnetDhcp || cause == Cause::LinkLocal
        || cause == Cause::OtherLink;
}

QString ReachDiagnosis::code() const
{
    switch (cause) {
    case Cause::None:
        break;
    case Cause::OtherSubnetStatic:
    case Cause::OtherSubnetDhcp:
        return QStringLiteral("otherSubnet");
    case Cause::LinkLocal:
        return QStringLiteral("linkLocal");
    case Cause::OtherLink:
        return QStringLiteral("otherLink");
    case Cause::BadMask:
        return QStringLiteral("badMask");
    case Cause::ViaGateway:
        return QStringLiteral("viaGateway");
    case Cause::NoIpv4:
        return QStringLiteral("noIpv4");
    case Cause::OnlyLinkLocal:
        return QStringLiteral("onlyLinkLocal");
    case Cause::SeveralNetworks:
        return QStringLiteral("severalNetworks");
    case Cause::OneNetwork:
        return QStringLiteral("noAnswer");
    case Cause::HttpsClosed:
        return QStringLiteral("httpsClosed");
    }
    return QString();
}

QString ReachDiagnosis::textKey() const
{
    switch (cause) {
    case Cause::None:
        break;
    case Cause::OtherSubnetStatic:
        return QStringLiteral("Reach_OtherSubnetStatic");
    case Cause::OtherSubnetDhcp:
        return QStringLiteral("Reach_OtherSubnetDhcp");
    case Cause::LinkLocal:
        return QStringLiteral("Reach_LinkLocal");
    case Cause::OtherLink:
        return QStringLiteral("Reach_OtherLink");
    case Cause::BadMask:
        return QStringLiteral("Reach_BadMask");
    case Cause::ViaGateway:
        return QStringLiteral("Reach_ViaGateway");
    case Cause::NoIpv4:
        return QStringLiteral("Reach_NoIpv4");
    case Cause::OnlyLinkLocal:
        return QStringLiteral("Reach_OnlyLinkLocal");
    case Cause::SeveralNetworks:
        return QStringLiteral("Reach_SeveralNetworks");
    case Cause::OneNetwork:
        return QStringLiteral("Reach_OneNetwork");
    case Cause::HttpsClosed:
        return QStringLiteral("Reach_HttpsClosed");
    }
    return QString();
}

ReachDiagnosis ReachDiagnosis::ofRecorder(
    const TVexorReply &recorder, const ComputerNetwork &computer, const LinkNamer &linkName)
{
    const QList<Network> networks = networksOf(computer.interfaces());
    // Without a network of its own the computer has nothing to compare with.
    if (networks.isEmpty())
        return {};
    const quint32 address = ipv4(recorder.ipAddress);
    const quint32 mask = ipv4(recorder.subnetMask);
    const QString ip = UtilMethod::ipToString(recorder.ipAddress);
    const Ipv4Route route = computer.routeTo(ip);
    // A self-assigned address is only ever reached on the link itself: no router passes it on.
    if (isLinkLocal(address))
        return route.found && route.gateway.isEmpty() ? ReachDiagnosis() : ReachDiagnosis {Cause::LinkLocal, {ip}};
    if (!route.found)
        return {recorder.dhcpEnabled ? Cause::OtherSubnetDhcp : Cause::OtherSubnetStatic,
            {withMask(address, mask), listed(networks, nullptr)}};
    // The reply came from a network of one link, yet requests leave by another
    // (a VPN or a second connection that claims the address).
    const Network *holder = holderOf(networks, address);
    if (holder && holder->name != route.interfaceName && !holdsOn(networks, route.interfaceName, address))
        return {Cause::OtherLink, {ip, linkName(holder->name), linkName(route.interfaceName)}};
    if (mask == 0 || !isContiguous(mask))
        return {Cause::BadMask, {ip, QHostAddress(mask).toString()}};
    return {};
}

ReachDiagnosis ReachDiagnosis::ofNoAnswer(const ComputerNetwork &computer, const LinkNamer &linkName)
{
    const QList<Network> networks = networksOf(computer.interfaces());
    if (networks.isEmpty())
        return {Cause::NoIpv4, {}};
    if (std::all_of(networks.begin(), networks.end(), [](const Network &n) { return isLinkLocal(n.address); }))
        return {Cause::OnlyLinkLocal, {listed(networks, &linkName)}};
    if (networks.size() == 1)
        return {Cause::OneNetwork, {listed(networks, &linkName)}};
    // The search is one broadcast, and it leaves by one link only.
    const Ipv4Route search = computer.routeTo(QStringLiteral("255.255.255.255"));
    const QString used = search.found ? search.interfaceName : networks.first().name;
    return {Cause::SeveralNetworks, {listed(networks, &linkName), linkName(used)}};
}

ReachDiagnosis ReachDiagnosis::ofHttpsFailure(
    const TVexorReply &recorder, const ComputerNetwork &computer, const LinkNamer &linkName)
{
    const ReachDiagnosis found = ofRecorder(recorder, computer, linkName);
    if (found)
        return found;
    const QString ip = UtilMethod::ipToString(recorder.ipAddress);
    const Ipv4Route route = computer.routeTo(ip);
    const QList<Network> networks = networksOf(computer.interfaces());
    if (route.found && !route.gateway.isEmpty() && !holderOf(networks, ipv4(recorder.ipAddress)))
        return {Cause::ViaGateway, {ip, route.gateway, listed(networks, nullptr)}};
    return {Cause::HttpsClosed, {ip}};
}
