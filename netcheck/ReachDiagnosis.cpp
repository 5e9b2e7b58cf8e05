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

QString withPrefix(quint32 address, quint32 mask)
{
    return QStringLiteral("%1/%2").arg(QHostAddress(address).toString()).arg(qPopulationCount(mask));
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

QString listed(const QList<Network> &networks, bool named)
{
    QStringList items;
    for (const Network &network : networks) {
        const QString address = withPrefix(network.address, network.mask);
        items << (named ? network.name + QLatin1Char(' ') + address : address);
    }
    return items.join(QStringLiteral(", "));
}

} // namespace

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

ReachDiagnosis ReachDiagnosis::ofRecorder(const TVexorReply &recorder, const QList<Ipv4Interface> &computer)
{
    const QList<Network> networks = networksOf(computer);
    const quint32 address = ipv4(recorder.ipAddress);
    const quint32 mask = ipv4(recorder.subnetMask);
    bool computerLinkLocal = false;
    bool recorderInComputers = false;
    bool computerInRecorders = false;
    for (const Network &network : networks) {
        computerLinkLocal = computerLinkLocal || isLinkLocal(network.address);
        recorderInComputers = recorderInComputers || sameNetwork(address, network.address, network.mask);
        computerInRecorders = computerInRecorders || sameNetwork(address, network.address, mask);
    }
    // Two self-assigned addresses on one link reach each other.
    if (isLinkLocal(address))
        return computerLinkLocal ? ReachDiagnosis()
                                 : ReachDiagnosis {Cause::LinkLocal, {UtilMethod::ipToString(recorder.ipAddress)}};
    // Without a network of its own the computer has nothing to compare with.
    if (networks.isEmpty() || recorderInComputers || computerInRecorders)
        return {};
    return {recorder.dhcpEnabled ? Cause::OtherSubnetDhcp : Cause::OtherSubnetStatic,
        {withPrefix(address, mask), listed(networks, false)}};
}

ReachDiagnosis ReachDiagnosis::ofNoAnswer(const QList<Ipv4Interface> &computer)
{
    const QList<Network> networks = networksOf(computer);
    if (networks.isEmpty())
        return {Cause::NoIpv4, {}};
    if (std::all_of(networks.begin(), networks.end(), [](const Network &n) { return isLinkLocal(n.address); }))
        return {Cause::OnlyLinkLocal, {listed(networks, true)}};
    return {networks.size() > 1 ? Cause::SeveralNetworks : Cause::OneNetwork, {listed(networks, true)}};
}

ReachDiagnosis ReachDiagnosis::ofHttpsFailure(const TVexorReply &recorder, const QList<Ipv4Interface> &computer)
{
    const ReachDiagnosis address = ofRecorder(recorder, computer);
    if (address)
        return address;
    return {Cause::HttpsClosed, {UtilMethod::ipToString(recorder.ipAddress)}};
}
