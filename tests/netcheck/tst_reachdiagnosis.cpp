#include "netcheck/ReachDiagnosis.h"

#include <QHostAddress>
#include <QtTest>

#include <cstring>

using Cause = ReachDiagnosis::Cause;

namespace {

// "eth0 192.168.1.20/24" as the interface lister gives it.
QList<Ipv4Interface> computer(const QStringList &entries)
{
    QList<Ipv4Interface> list;
    for (const QString &entry : entries) {
        const QString name = entry.section(QLatin1Char(' '), 0, 0);
        const QString address = entry.section(QLatin1Char(' '), 1).section(QLatin1Char('/'), 0, 0);
        const int prefix = entry.section(QLatin1Char('/'), 1).toInt();
        list.append({name, address, QHostAddress(prefix ? ~quint32(0) << (32 - prefix) : 0).toString(), {}});
    }
    return list;
}

TVexorReply recorder(const QString &address, const QString &mask, bool dhcp)
{
    TVexorReply reply;
    std::memset(&reply, 0, sizeof reply);
    const auto put = [](uint8_t(&field)[4], const QString &text) {
        const quint32 value = QHostAddress(text).toIPv4Address();
        for (int i = 0; i < 4; ++i)
            field[i] = uint8_t(value >> (24 - 8 * i));
    };
    put(reply.ipAddress, address);
    put(reply.subnetMask, mask);
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
        QTest::addColumn<QString>("situation"); // recorder, none (no answer) or https (its connection failed)
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QStringList>("args");

        const QStringList home {"lo 127.0.0.1/8", "eth0 192.168.1.20/24"};
        const QString c24 = QStringLiteral("255.255.255.0");
        QTest::newRow("same network") << "recorder"
                                      << "192.168.1.50" << c24 << true << home << int(Cause::None) << QStringList();
        QTest::newRow("static elsewhere") << "recorder"
                                          << "10.0.0.5" << c24 << false << home << int(Cause::OtherSubnetStatic)
                                          << QStringList {"10.0.0.5/24", "192.168.1.20/24"};
        QTest::newRow("dhcp elsewhere") << "recorder"
                                        << "10.0.0.5" << c24 << true << home << int(Cause::OtherSubnetDhcp)
                                        << QStringList {"10.0.0.5/24", "192.168.1.20/24"};
        // The computer's wider mask holds the recorder: it reaches it directly.
        QTest::newRow("in the computer's network")
            << "recorder"
            << "192.168.7.5" << c24 << false << QStringList {"eth0 192.168.1.20/16"} << int(Cause::None)
            << QStringList();
        // The recorder's wider mask holds the computer: it answers directly.
        QTest::newRow("computer in the recorder's")
            << "recorder"
            << "192.168.7.5"
            << "255.255.0.0" << false << home << int(Cause::None) << QStringList();
        QTest::newRow("second link") << "recorder"
                                     << "10.0.0.5" << c24 << false
                                     << QStringList {"eth0 192.168.1.20/24", "eth1 10.0.0.1/24"} << int(Cause::None)
                                     << QStringList();
        QTest::newRow("link-local") << "recorder"
                                    << "169.254.7.9"
                                    << "255.255.0.0" << true << home << int(Cause::LinkLocal)
                                    << QStringList {"169.254.7.9"};
        QTest::newRow("both link-local") << "recorder"
                                         << "169.254.7.9"
                                         << "255.255.0.0" << true << QStringList {"eth0 169.254.3.3/16"}
                                         << int(Cause::None) << QStringList();
        QTest::newRow("only loopback to compare")
            << "recorder"
            << "10.0.0.5" << c24 << false << QStringList {"lo 127.0.0.1/8"} << int(Cause::None) << QStringList();

        QTest::newRow("no IPv4") << "none"
                                 << ""
                                 << "" << false << QStringList {"lo 127.0.0.1/8"} << int(Cause::NoIpv4)
                                 << QStringList();
        QTest::newRow("only link-local") << "none"
                                         << ""
                                         << "" << false << QStringList {"lo 127.0.0.1/8", "eth0 169.254.3.3/16"}
                                         << int(Cause::OnlyLinkLocal) << QStringList {"eth0 169.254.3.3/16"};
        QTest::newRow("several") << "none"
                                 << ""
                                 << "" << false << QStringList {"eth0 192.168.1.20/24", "wlan0 10.1.2.3/16"}
                                 << int(Cause::SeveralNetworks)
                                 << QStringList {"eth0 192.168.1.20/24, wlan0 10.1.2.3/16"};
        QTest::newRow("one") << "none"
                             << ""
                             << "" << false << home << int(Cause::OneNetwork) << QStringList {"eth0 192.168.1.20/24"};

        QTest::newRow("port closed") << "https"
                                     << "192.168.1.50" << c24 << false << home << int(Cause::HttpsClosed)
                                     << QStringList {"192.168.1.50"};
        QTest::newRow("https elsewhere") << "https"
                                         << "10.0.0.5" << c24 << false << home << int(Cause::OtherSubnetStatic)
                                         << QStringList {"10.0.0.5/24", "192.168.1.20/24"};
    }
    void causes()
    {
        QFETCH(QString, situation);
        QFETCH(QString, address);
        QFETCH(QString, mask);
        QFETCH(bool, dhcp);
        QFETCH(QStringList, interfaces);
        QFETCH(int, cause);
        QFETCH(QStringList, args);

        const TVexorReply reply = recorder(address, mask, dhcp);
        const ReachDiagnosis found = situation == QLatin1String("none")
            ? ReachDiagnosis::ofNoAnswer(computer(interfaces))
            : situation == QLatin1String("https") ? ReachDiagnosis::ofHttpsFailure(reply, computer(interfaces))
                                                  : ReachDiagnosis::ofRecorder(reply, computer(interfaces));
        QCOMPARE(int(found.cause), cause);
        QCOMPARE(found.args, args);
        QCOMPARE(found.textKey().isEmpty(), cause == int(Cause::None));
    }
};

QTEST_GUILESS_MAIN(ReachDiagnosisTest)
#include "tst_reachdiagnosis.moc"
