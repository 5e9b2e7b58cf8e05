#include "netcheck/ReachDiagnosis.h"

#include <QHostAddress>
#include <QtTest>

#include <cstring>

using Cause = ReachDiagnosis::Cause;

namespace {

quint32 maskOf(const QString &withPrefix)
{
    const int prefix = withPrefix.section(QLatin1Char('/'), 1).toInt();
    return prefix ? ~quint32(0) << (32 - prefix) : 0;
}

// "eth0 192.168.1.20/24" as the interface lister gives it.
QList<Ipv4Interface> computer(const QStringList &entries)
{
    QList<Ipv4Interface> list;
    for (const QString &entry : entries) {
        const QString address = entry.section(QLatin1Char(' '), 1);
        list.append({entry.section(QLatin1Char(' '), 0, 0), address.section(QLatin1Char('/'), 0, 0),
            QHostAddress(maskOf(address)).toString(), {}});
    }
    return list;
}

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
    put(reply.subnetMask, maskOf(address));
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
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QStringList>("args");
        const auto row = [](const char *name, const char *situation, const char *address, bool dhcp,
                             const QStringList &interfaces, Cause cause, const QStringList &args = {}) {
            QTest::newRow(name) << situation << address << dhcp << interfaces << cause << args;
        };
        const QStringList home {"lo 127.0.0.1/8", "eth0 192.168.1.20/24"};
        const QStringList elsewhere {"10.0.0.5/24", "192.168.1.20/24"};

        row("same network", "found", "192.168.1.50/24", true, home, Cause::None);
        row("static elsewhere", "found", "10.0.0.5/24", false, home, Cause::OtherSubnetStatic, elsewhere);
        row("dhcp elsewhere", "found", "10.0.0.5/24", true, home, Cause::OtherSubnetDhcp, elsewhere);
        // Either side's wider mask holds the other: one of them reaches the other directly.
        row("in the computer's network", "found", "192.168.7.5/24", false, {"eth0 192.168.1.20/16"}, Cause::None);
        row("computer in the recorder's", "found", "192.168.7.5/16", false, home, Cause::None);
        row("second link", "found", "10.0.0.5/24", false, {"eth0 192.168.1.20/24", "eth1 10.0.0.1/24"}, Cause::None);
        row("link-local", "found", "169.254.7.9/16", true, home, Cause::LinkLocal, {"169.254.7.9"});
        row("both link-local", "found", "169.254.7.9/16", true, {"eth0 169.254.3.3/16"}, Cause::None);
        row("only loopback to compare", "found", "10.0.0.5/24", false, {"lo 127.0.0.1/8"}, Cause::None);

        row("no IPv4", "none", "", false, {"lo 127.0.0.1/8"}, Cause::NoIpv4);
        row("only link-local", "none", "", false, {"lo 127.0.0.1/8", "eth0 169.254.3.3/16"}, Cause::OnlyLinkLocal,
            {"eth0 169.254.3.3/16"});
        row("several", "none", "", false, {"eth0 192.168.1.20/24", "wlan0 10.1.2.3/16"}, Cause::SeveralNetworks,
            {"eth0 192.168.1.20/24, wlan0 10.1.2.3/16"});
        row("one", "none", "", false, home, Cause::OneNetwork, {"eth0 192.168.1.20/24"});

        row("port closed", "https", "192.168.1.50/24", false, home, Cause::HttpsClosed, {"192.168.1.50"});
        row("https elsewhere", "https", "10.0.0.5/24", false, home, Cause::OtherSubnetStatic, elsewhere);
    }
    void causes()
    {
        QFETCH(QString, situation);
        QFETCH(QString, address);
        QFETCH(bool, dhcp);
        QFETCH(QStringList, interfaces);
        QFETCH(Cause, cause);
        QFETCH(QStringList, args);

        const TVexorReply reply = recorder(address, dhcp);
        const QList<Ipv4Interface> own = computer(interfaces);
        const ReachDiagnosis found = situation == QLatin1String("none") ? ReachDiagnosis::ofNoAnswer(own)
            : situation == QLatin1String("https")                       ? ReachDiagnosis::ofHttpsFailure(reply, own)
                                                                        : ReachDiagnosis::ofRecorder(reply, own);
        QCOMPARE(found.cause, cause);
        QCOMPARE(found.args, args);
        QCOMPARE(found.textKey().isEmpty(), cause == Cause::None);
    }
};

QTEST_GUILESS_MAIN(ReachDiagnosisTest)
#include "tst_reachdiagnosis.moc"
