#include "FakeNetwork.h"
#include "netcheck/ReachDiagnosis.h"

#include <QHostAddress>
#include <QtTest>

#include <cstring>

using Cause = ReachDiagnosis::Cause;

namespace {

// "10.0.0.5/24" as its discovery reply carries it.
TVexorReply recorder(const QString &address, bool dhcp)
{
    TVexorReply reply;
    std::memset(&reply, 0, sizeof reply);
    const auto put = [](uint8_t(&field)[4], quint32 value) {
        for (int i = 0; i < 4; ++i)
            field[i] = uint8_t(value >> (24 - 8 * i));
    };
    put(reply.ipAddress, QHostAddress(address.section(QLatin1Char('/'), 0, 0)).toIPv4Address());
    put(reply.subnetMask, fakeMaskOf(address));
    reply.dhcpEnabled = dhcp ? 1 : 0;
    return reply;
}

} // namespace

class ReachDiagnosisTest : public QObject
{
    Q_OBJECT

private slots:
    // What each situation is named, and what its text is filled with.
    void causes_data()
    {
        QTest::addColumn<QString>("situation"); // found, none (nothing answered) or https (no server there)
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QString>("route"); // to the recorder
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QStringList>("args");
        const auto row = [](const char *name, const char *situation, const char *address, bool dhcp,
                             const QStringList &links, const char *route, Cause cause, const QStringList &args = {}) {
            QTest::newRow(name) << situation << address << dhcp << links << route << cause << args;
        };
        const QStringList home {"lo 127.0.0.1/8", "eth0 192.168.1.20/24"};
        const QStringList elsewhere {"10.0.0.5/24", "192.168.1.20/24"};
        const char *gateway = "eth0 via 192.168.1.1";

        row("same network", "found", "192.168.1.50/24", true, home, "eth0", Cause::None);
        row("through the gateway", "found", "10.0.0.5/24", false, home, gateway, Cause::None);
        row("no route, fixed", "found", "10.0.0.5/24", false, home, "", Cause::OtherSubnetStatic, elsewhere);
        row("no route, dhcp", "found", "10.0.0.5/24", true, home, "", Cause::OtherSubnetDhcp, elsewhere);
        row("mask with gaps named whole", "found", "10.0.0.5/255.0.255.0", false, home, "", Cause::OtherSubnetStatic,
            {"10.0.0.5/255.0.255.0", "192.168.1.20/24"});
        row("link-local", "found", "169.254.7.9/16", true, home, gateway, Cause::LinkLocal, {"169.254.7.9"});
        row("link-local on the link", "found", "169.254.7.9/16", true, {"eth0 169.254.3.3/16"}, "eth0", Cause::None);
        row("mask 0", "found", "192.168.1.50/0", false, home, "eth0", Cause::BadMask, {"192.168.1.50", "0.0.0.0"});
        row("mask with gaps", "found", "192.168.1.50/255.0.255.0", false, home, "eth0", Cause::BadMask,
            {"192.168.1.50", "255.0.255.0"});
        const QStringList vpn {"eth0 192.168.1.20/24", "tun0 10.8.0.2/32"};
        row("sent over another link", "found", "192.168.1.50/24", false, vpn, "tun0", Cause::OtherLink,
            {"192.168.1.50", "<eth0>", "<tun0>"});
        const QStringList twice {"eth0 192.168.1.20/24", "wlan0 192.168.1.30/24"};
        row("two links, one network", "found", "192.168.1.50/24", false, twice, "wlan0", Cause::None);
        row("only loopback to compare", "found", "10.0.0.5/24", false, {"lo 127.0.0.1/8"}, "", Cause::None);

        row("no IPv4", "none", "", false, {"lo 127.0.0.1/8"}, "", Cause::NoIpv4);
        row("only link-local", "none", "", false, {"lo 127.0.0.1/8", "eth0 169.254.3.3/16"}, "", Cause::OnlyLinkLocal,
            {"<eth0> 169.254.3.3/16"});
        row("several", "none", "", false, {"eth0 192.168.1.20/24", "wlan0 10.1.2.3/16"}, "", Cause::SeveralNetworks,
            {"<eth0> 192.168.1.20/24, <wlan0> 10.1.2.3/16", "<wlan0>"});
        row("one", "none", "", false, home, "", Cause::OneNetwork, {"<eth0> 192.168.1.20/24"});

        row("port closed", "https", "192.168.1.50/24", false, home, "eth0", Cause::HttpsClosed, {"192.168.1.50"});
        row("https elsewhere", "https", "10.0.0.5/24", false, home, "", Cause::OtherSubnetStatic, elsewhere);
        row("https through the gateway", "https", "10.0.0.5/24", false, home, gateway, Cause::ViaGateway,
            {"10.0.0.5", "192.168.1.1", "192.168.1.20/24"});
        row("https over another link", "https", "192.168.1.50/24", false, vpn, "tun0", Cause::OtherLink,
            {"192.168.1.50", "<eth0>", "<tun0>"});
        row("https with mask 0", "https", "192.168.1.50/0", false, home, "eth0", Cause::BadMask,
            {"192.168.1.50", "0.0.0.0"});
    }
    void causes()
    {
        QFETCH(QString, situation);
        QFETCH(QString, address);
        QFETCH(bool, dhcp);
        QFETCH(QStringList, links);
        QFETCH(QString, route);
        QFETCH(Cause, cause);
        QFETCH(QStringList, args);

        const TVexorReply reply = recorder(address, dhcp);
        const FakeNetwork computer(links, route);
        const auto named = [](const QString &link) { return QLatin1Char('<') + link + QLatin1Char('>'); };
        const ReachDiagnosis found = situation == QLatin1String("none") ? ReachDiagnosis::ofNoAnswer(computer, named)
            : situation == QLatin1String("https") ? ReachDiagnosis::ofHttpsFailure(reply, computer, named)
                                                  : ReachDiagnosis::ofRecorder(reply, computer, named);
        QCOMPARE(found.cause, cause);
        QCOMPARE(found.args, args);
        QCOMPARE(found.textKey().isEmpty(), cause == Cause::None);
        QCOMPARE(found.cannotReach(),
            cause == Cause::OtherSubnetStatic || cause == Cause::OtherSubnetDhcp || cause == Cause::LinkLocal
                || cause == Cause::OtherLink);
    }
};

QTEST_GUILESS_MAIN(ReachDiagnosisTest)
#include "tst_reachdiagnosis.moc"
