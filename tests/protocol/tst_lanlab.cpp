#include "EmptyNetwork.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "protocol/LanProtocol.h"
#include "protocol/LandapConfig.h"
#include "protocol/LandapConfigDelegate.h"
#include "protocol/SearchDevice.h"
#include "protocol/SearchDeviceDelegate.h"
#include "util/UdpError.h"
#include "util/UtilMethod.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QtTest>

#include <cerrno>
#include <functional>

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait
const QString kAdmin = QStringLiteral("admin");

struct ConfigRun : LandapConfigDelegate
{
    LandapConfig config;
    int ends = 0;
    int opCode = 0;
    int retCode = 0;
    UdpError error;
    qint64 endedAfterMs = -1;

    explicit ConfigRun(Ipv4InterfaceLister interfaces = systemIpv4Interfaces)
        : config(this, std::move(interfaces))
    {
    }
    // Ended once; with settle, still once after a later run's whole reply wait
    // (answers to the other interface's request must not end it twice).
    bool run(const TVexorReply &target, const std::function<void(LandapConfig &)> &command, bool settle = true)
    {
        ends = 0;
        QElapsedTimer clock;
        clock.start();
        config.open(&target);
        command(config);
        const bool ended = QTest::qWaitFor([this] { return ends > 0; }, 5000);
        endedAfterMs = clock.elapsed();
        return ended && (!settle || replyWaitPassed()) && ends == 1;
    }
    // A run with nothing to send on ends by the full reply wait: whatever an
    // earlier run still had due has come by then.
    static bool replyWaitPassed()
    {
        ConfigRun marker([] { return QList<Ipv4Interface>(); });
        return marker.run(
            SimProcess::target(SimProcess::recorder(0)), [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); },
            false);
    }
    void onLandapConfigEnd(LandapConfig *c, int op, int ret, const UdpError &e) override
    {
        ++ends;
        opCode = op;
        retCode = ret;
        error = e;
        c->close();
    }
};

struct SearchRun : SearchDeviceDelegate
{
    SearchDevice search {this};
    QElapsedTimer clock;
    bool ended = false;
    int ends = 0;
    UdpError error;
    qint64 endedAfterMs = -1;

    SearchRun() { search.setFilterName(QStringLiteral("HRX-540A")); }
    void start()
    {
        ended = false;
        clock.start();
        search.startSearch();
    }
    bool finish(int timeoutMs)
    {
        const bool done = QTest::qWaitFor([this] { return ended; }, timeoutMs);
        // Late callbacks would show up as a second end.
        return done && ConfigRun::replyWaitPassed() && ends == 1;
    }
    QStringList macs() const
    {
        QStringList list;
        for (const TVexorReply &r : const_cast<SearchDevice &>(search).getReplyArray())
            list << UtilMethod::macToString(r.macAddress);
        return list;
    }
    void onSearchEnd(SearchDevice *, const UdpError &e) override
    {
        ++ends;
        ended = true;
        error = e;
        endedAfterMs = clock.elapsed();
        search.endSearch();
    }
};

} // namespace

class TestLanLab : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;

    void startSim(const QList<QJsonObject> &recorders)
    {
        QVERIFY(sim.startScaled(SimProcess::scenario(recorders), kScale));
    }
    QList<SimLogLine> requests(int opcode) const
    {
        QList<SimLogLine> lines;
        for (const SimLogLine &l : sim.log(QStringLiteral("rx"))) {
            if (l.value("op").toInt() == opcode)
                lines << l;
        }
        return lines;
    }

private slots:
    void init()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
    }
    void cleanup() { sim.stop(); }

    void recordCarriesTheRecordersSettings()
    {
        const QJsonObject r = SimProcess::merged(SimProcess::recorder(0),
            {{"firmware", "2.3.4.5"}, {"webPort", 8080}, {"mask", "255.255.254.0"}, {"dns2", "198.51.100.2"},
                {"dhcp", true}});
        startSim({r});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.error.code, 5);
        const QList<TVexorReply> list = run.search.getReplyArray();
        QCOMPARE(list.size(), 1);
        const TVexorReply &record = list.first();
        QCOMPARE(QString::fromLatin1(record.firmwareVersion), QStringLiteral("2.3.4.5"));
        QCOMPARE(UtilMethod::macToString(record.macAddress), SimProcess::macOf(r));
        QCOMPARE(UtilMethod::ipToString(record.ipAddress), SimProcess::ipOf(r));
        QCOMPARE(UtilMethod::bytesToInt(record.httpPort), 8080);
        QCOMPARE(UtilMethod::ipToString(record.subnetMask), QStringLiteral("255.255.254.0"));
        QCOMPARE(UtilMethod::ipToString(record.gateway), QStringLiteral("192.0.2.2"));
        QCOMPARE(UtilMethod::ipToString(record.secondaryDns), QStringLiteral("198.51.100.2"));
        QCOMPARE(record.dhcpEnabled, uint8_t(1));

        // One discovery request (its bytes are the unit test's), broadcast.
        const QList<SimLogLine> rx = sim.log(QStringLiteral("rx"));
        QCOMPARE(rx.size(), 1);
        QCOMPARE(rx.first().value("to"), QStringLiteral("255.255.255.255"));

        run.ends = 0;
        run.start();
        QVERIFY(run.search.getReplyArray().isEmpty());
        QVERIFY(run.finish(5000));
        QCOMPARE(run.search.getReplyArray().size(), 1);
    }

    void lateRepliesExtendTheWait()
    {
        // Replies 1 s and 6 s after the start (scaled): the search ends 6 s after the last.
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("delayMs"), 1000}}),
            SimProcess::misbehaving(1, {{QStringLiteral("delayMs"), 6000}})});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs().size(), 2);
        QCOMPARE(run.error.domain, QStringLiteral("AsyncUdpSocketErrorDomain"));
        QCOMPARE(run.error.description, QStringLiteral("Receive operation timed out"));
        QVERIFY2(run.endedAfterMs >= 1150, qPrintable(QString::number(run.endedAfterMs)));
    }

    void rejectedRepliesDoNotExtendTheWait()
    {
        startSim({SimProcess::recorder(0),
            SimProcess::misbehaving(1, {{QStringLiteral("delayMs"), 4000}, {QStringLiteral("wrongModel"), true}})});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs(), QStringList {SimProcess::macOf(SimProcess::recorder(0))});
        // Extended it would end near 1000 ms.
        QVERIFY2(run.endedAfterMs < 900, qPrintable(QString::number(run.endedAfterMs)));
        QVERIFY(sim.waitForLog(
            QStringLiteral("tx"),
            [&](const SimLogLine &l) { return l.value("recorder") == SimProcess::macOf(SimProcess::recorder(1)); },
            2000));
    }

    void twoInterfacesSendTwoRequestsAndReportOnce()
    {
        startSim({SimProcess::recorder(0)});
        ConfigRun run;
        QVERIFY(run.run(
            SimProcess::target(SimProcess::recorder(0)), [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QCOMPARE(run.retCode, 0);
        QTRY_COMPARE(requests(OP_USER_VERIFY).size(), 2);
        QSet<QString> to, from;
        for (const SimLogLine &l : requests(OP_USER_VERIFY)) {
            to << l.value("to");
            from << l.value("from").section(QLatin1Char(':'), 0, 0);
            QCOMPARE(l.value("len"), QString::number(kUserVerifyRequestSize));
        }
        QCOMPARE(to, QSet<QString>({QStringLiteral("192.0.2.255"), QStringLiteral("198.51.100.255")}));
        const LabEnv lab = LabEnv::fromEnvironment();
        QCOMPARE(from, QSet<QString>({lab.pcIp, lab.pcIp2}));
        QTRY_COMPARE(sim.log(QStringLiteral("verify")).size(), 2);
        QCOMPARE(run.ends, 1);
    }

    void withoutANetwork()
    {
        if (EmptyNetwork::rerunCurrentTest())
            return;
        const TVexorReply target = SimProcess::target(SimProcess::recorder(0));
        // Only a loopback interface, and that one down: nothing to send on.
        ConfigRun none;
        QVERIFY(none.run(target, [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QVERIFY(none.config.broadcastAddresses().isEmpty());
        QCOMPARE(none.retCode, -1);
        QCOMPARE(none.error.code, 5);

        // An interface that has no route any more: the send fails at once.
        ConfigRun gone([] {
            return QList<Ipv4Interface> {{QStringLiteral("eth9"), QStringLiteral("192.0.2.1"),
                QStringLiteral("255.255.255.0"), QStringLiteral("192.0.2.255")}};
        });
        QVERIFY(gone.run(target, [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QCOMPARE(gone.retCode, -1);
        QCOMPARE(gone.error.domain, QStringLiteral("POSIXErrorDomain"));
        QCOMPARE(gone.error.code, ENETUNREACH);
        QVERIFY2(gone.endedAfterMs < 400, qPrintable(QString::number(gone.endedAfterMs)));

        // A link that is down keeps its address but has no route: a request
        // sent there would fail the whole command, so the link is left out.
        const QString ip = QStringLiteral("ip");
        QCOMPARE(QProcess::execute(ip, {"link", "add", "nvrdown0", "type", "veth", "peer", "name", "nvrdown1"}), 0);
        QCOMPARE(
            QProcess::execute(ip, {"addr", "add", "10.9.9.1/24", "broadcast", "10.9.9.255", "dev", "nvrdown0"}), 0);
        QVERIFY(systemIpv4Interfaces().isEmpty());
        ConfigRun down;
        QVERIFY(down.run(target, [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QVERIFY(down.config.broadcastAddresses().isEmpty());
        QCOMPARE(down.retCode, -1);
        QCOMPARE(down.error.code, 5);
    }
};

QTEST_GUILESS_MAIN(TestLanLab)
#include "tst_lanlab.moc"
