#pragma once

#include "util/ComputerNetwork.h"

#include <QHostAddress>
#include <QStringList>

// "/24" or a whole mask, "/255.0.255.0".
inline quint32 fakeMaskOf(const QString &withMask)
{
    const QString tail = withMask.section(QLatin1Char('/'), 1);
    if (tail.contains(QLatin1Char('.')))
        return QHostAddress(tail).toIPv4Address();
    const int prefix = tail.toInt();
    return prefix ? ~quint32(0) << (32 - prefix) : 0;
}

// The computer as a test describes it: "eth0 192.168.1.20/24" per link, the
// route to every address but the broadcast one ("eth0", "eth0 via
// 192.168.1.1", empty for none), and links whose name starts with "wl" as Wi-Fi.
class FakeNetwork : public ComputerNetwork
{
public:
    FakeNetwork(const QStringList &links, const QString &route)
    {
        for (const QString &entry : links) {
            const QString address = entry.section(QLatin1Char(' '), 1);
            m_links.append({entry.section(QLatin1Char(' '), 0, 0), address.section(QLatin1Char('/'), 0, 0),
                QHostAddress(fakeMaskOf(address)).toString(), {}});
        }
        m_route = {!route.isEmpty(), route.section(QLatin1Char(' '), 0, 0), route.section(QLatin1Char(' '), 2)};
    }
    QList<Ipv4Interface> interfaces() const override { return m_links; }
    Ipv4Route routeTo(const QString &address) const override
    {
        // The search leaves by the last link listed.
        return address == QLatin1String("255.255.255.255") ? Ipv4Route {true, m_links.last().name, {}} : m_route;
    }
    LinkKind linkKind(const QString &name) const override
    {
        return name.startsWith(QLatin1String("wl")) ? LinkKind::WiFi : LinkKind::Other;
    }

private:
    QList<Ipv4Interface> m_links;
    Ipv4Route m_route;
};
