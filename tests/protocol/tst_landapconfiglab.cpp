// LAN configuration commands against simulated recorders over real sockets in
// the network lab.
#include "EmptyNetwork.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "protocol/LanProtocol.h"
#include "protocol/LandapConfig.h"
#include "protocol/LandapConfigDelegate.h"
#include "util/UdpError.h"

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
    // Opens on the target, runs one command and waits for its end.
    bool run(const TVexorReply &target, const std::function<void(LandapConfig &)> &command)
    {
        ends = 0;
        QElapsedTimer clock;
        clock.start();
        config.open(&target);
        command(config);
        const bool ended = QTest::qWaitFor([this] { return ends > 0; }, 5000);
        endedAfterMs = clock.elapsed();
        // Answers to the other interface's request must not end it twice.
        QTest::qWait(100);
        return ended && ends == 1;
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

} // namespace

class TestLandapConfigLab : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;

    void startSim(const QList<QJsonObject> &recorders)
    {
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario(recorders), &error), qPrintable(error));
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

    void verify_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("retCode");
        QTest::newRow("factory state, empty password") << QString() << kAdmin << QString() << 0;
        QTest::newRow("factory state, a password") << QString() << kAdmin << QStringLiteral("x") << 2;
        QTest::newRow("right password") << QStringLiteral("s3cret") << kAdmin << QStringLiteral("s3cret") << 0;
        QTest::newRow("letter case matters") << QStringLiteral("s3cret") << kAdmin << QStringLiteral("S3cret") << 2;
        QTest::newRow("empty password refused") << QStringLiteral("s3cret") << kAdmin << QString() << 2;
        QTest::newRow("other user") << QStringLiteral("s3cret") << QStringLiteral("root") << QStringLiteral("s3cret")
                                    << 2;
    }
    void verify()
    {
        QFETCH(QString, held);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, retCode);
        const QJsonObject r = held.isEmpty() ? SimProcess::recorder(0) : SimProcess::configured(0, held);
        startSim({r, SimProcess::configured(1, password)});
        ConfigRun run;
        QVERIFY(run.run(SimProcess::target(r), [&](LandapConfig &c) { c.verifyUser(user, password); }));
        QCOMPARE(run.opCode, int(OP_USER_VERIFY));
        QCOMPARE(run.retCode, retCode);
        QCOMPARE(run.error, UdpError::posixCode5());
    }

    void onlyTheAddressedRecorderAnswers()
    {
        const QJsonObject quiet = SimProcess::configured(1, QString());
        QJsonObject silent = SimProcess::recorder(2);
        silent.insert(QStringLiteral("misbehave"), QJsonObject {{QStringLiteral("silentCommands"), true}});
        startSim({SimProcess::recorder(0), quiet, silent});
        // The MAC of one recorder with the address of another matches neither.
        QJsonObject mixed = SimProcess::recorder(0);
        mixed.insert(QStringLiteral("ip"), SimProcess::ipOf(quiet));
        for (const QJsonObject &target : {mixed, silent}) {
            ConfigRun run;
            QVERIFY(run.run(SimProcess::target(target), [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
            QCOMPARE(run.retCode, -1);
            QCOMPARE(run.error.code, 5);
            QCOMPARE(run.error.domain, QStringLiteral("AsyncUdpSocketErrorDomain"));
            QVERIFY2(run.endedAfterMs >= 550, qPrintable(QString::number(run.endedAfterMs)));
        }
        QVERIFY(sim.log(QStringLiteral("verify")).isEmpty());
        QVERIFY(!requests(OP_USER_VERIFY).isEmpty());
    }

    void aRepeatedCommandGetsTheAnswerTheFirstMissed()
    {
        const QJsonObject r = SimProcess::misbehaving(0, {{QStringLiteral("ignoreCommands"), 1}});
        startSim({r});
        ConfigRun run;
        const auto verify = [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); };
        QVERIFY(run.run(SimProcess::target(r), verify));
        QCOMPARE(run.retCode, -1);
        QCOMPARE(run.error.code, 5);
        QVERIFY(run.run(SimProcess::target(r), verify));
        QCOMPARE(run.retCode, 0);
    }

    void twoInterfacesSendTwoRequestsAndReportOnce()
    {
        startSim({SimProcess::recorder(0)});
        ConfigRun run;
        QVERIFY(run.run(
            SimProcess::target(SimProcess::recorder(0)), [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QCOMPARE(run.retCode, 0);
        QVERIFY(sim.waitForLog(
            QStringLiteral("verify"), [](const SimLogLine &) { return true; }, 1000));
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
        QCOMPARE(sim.log(QStringLiteral("verify")).size(), 2);
        QCOMPARE(run.ends, 1);
    }

    void changeStoresTheNewPassword()
    {
        const QJsonObject r = SimProcess::recorder(0);
        startSim({r});
        const TVexorReply target = SimProcess::target(r);
        // 48 UTF-8 bytes fill the 64-byte slot with no NUL after them.
        const QString longest = QString(16, QChar(0x20AC));
        ConfigRun run;
        QVERIFY(run.run(target, [&](LandapConfig &c) { c.changeUser(kAdmin, QString(), kAdmin, longest); }));
        QCOMPARE(run.opCode, int(OP_USER_CHANGE));
        QCOMPARE(run.retCode, 0);
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), longest);
        QCOMPARE(sim.stateOf(SimProcess::macOf(r)).value(QStringLiteral("factory")).toBool(), false);

        QVERIFY(run.run(target, [&](LandapConfig &c) { c.verifyUser(kAdmin, longest); }));
        QCOMPARE(run.retCode, 0);
        QVERIFY(run.run(target, [&](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QCOMPARE(run.retCode, 2);
        // A change with the wrong old password leaves the recorder as it was.
        QVERIFY(run.run(target, [&](LandapConfig &c) { c.changeUser(kAdmin, QString(), kAdmin, QString()); }));
        QCOMPARE(run.retCode, 2);
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), longest);
    }

    void combinedVerifyAndChange()
    {
        const QJsonObject r = SimProcess::configured(0, QStringLiteral("old"));
        startSim({r});
        const TVexorReply target = SimProcess::target(r);
        ConfigRun run;
        QVERIFY(run.run(target,
            [](LandapConfig &c) { c.verifyUser(kAdmin, QStringLiteral("wrong"), kAdmin, QStringLiteral("new")); }));
        QCOMPARE(run.opCode, int(OP_USER_VERIFY));
        QCOMPARE(run.retCode, 2);
        QCOMPARE(run.error, UdpError::posixCode5());
        QVERIFY(requests(OP_USER_CHANGE).isEmpty());
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("old"));

        QVERIFY(run.run(target,
            [](LandapConfig &c) { c.verifyUser(kAdmin, QStringLiteral("old"), kAdmin, QStringLiteral("new")); }));
        QCOMPARE(run.opCode, int(OP_USER_CHANGE));
        QCOMPARE(run.retCode, 0);
        QCOMPARE(run.error, UdpError::posixCode5());
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("new"));
        QVERIFY(!requests(OP_USER_CHANGE).isEmpty());
    }

    void withoutANetwork()
    {
        if (!EmptyNetwork::inside()) {
            QString output;
            QVERIFY2(EmptyNetwork::run(QString::fromLatin1(QTest::currentTestFunction()), &output), qPrintable(output));
            return;
        }
        const TVexorReply target = SimProcess::target(SimProcess::recorder(0));
        // Only a loopback interface, and that one down: nothing to send on.
        ConfigRun none;
        QVERIFY(none.run(target, [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QVERIFY(none.config.broadcastAddresses().isEmpty());
        QCOMPARE(none.retCode, -1);
        QCOMPARE(none.error.code, 5);

        // An interface that has no route any more: the send fails at once.
        ConfigRun gone([] {
            return QList<Ipv4Interface> {
                {QStringLiteral("eth9"), QStringLiteral("192.0.2.1"), QStringLiteral("192.0.2.255")}};
        });
        QVERIFY(gone.run(target, [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QCOMPARE(gone.retCode, -1);
        QCOMPARE(gone.error.domain, QStringLiteral("POSIXErrorDomain"));
        QCOMPARE(gone.error.code, ENETUNREACH);
        QVERIFY2(gone.endedAfterMs < 400, qPrintable(QString::number(gone.endedAfterMs)));
    }

    // A link that is down keeps its address but has no route: a request sent
    // there would fail the whole command, so the link is left out.
    void linkThatIsDownIsLeftOut()
    {
        if (!EmptyNetwork::inside()) {
            QString output;
            QVERIFY2(EmptyNetwork::run(QString::fromLatin1(QTest::currentTestFunction()), &output), qPrintable(output));
            return;
        }
        const QString ip = QStringLiteral("ip");
        QCOMPARE(QProcess::execute(ip, {"link", "add", "nvrdown0", "type", "veth", "peer", "name", "nvrdown1"}), 0);
        QCOMPARE(
            QProcess::execute(ip, {"addr", "add", "10.9.9.1/24", "broadcast", "10.9.9.255", "dev", "nvrdown0"}), 0);
        QVERIFY(systemIpv4Interfaces().isEmpty());
        ConfigRun down;
        QVERIFY(down.run(
            SimProcess::target(SimProcess::recorder(0)), [](LandapConfig &c) { c.verifyUser(kAdmin, QString()); }));
        QVERIFY(down.config.broadcastAddresses().isEmpty());
        QCOMPARE(down.retCode, -1);
        QCOMPARE(down.error.code, 5);
    }
};

QTEST_GUILESS_MAIN(TestLandapConfigLab)
#include "tst_landapconfiglab.moc"
