// The internet check towards the lab's probe host, and without any route at
// all (a copy of the test in an empty network namespace).
#include "EmptyNetwork.h"
#include "LabEnv.h"
#include "netcheck/InternetCheck.h"
#include "netcheck/Reachability.h"
#include "platform/DeploymentSettings.h"
#include "platform/Durations.h"
#include "platform/HostReachability.h"
#include "platform/Log.h"

#include <QHostInfo>
#include <QMutex>
#include <QProcess>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;
constexpr int kRecheckMs = 50;

// Outside the empty namespace, runs the test function again inside it.
#define NVR_IN_EMPTY_NETWORK()                                                                                         \
    do {                                                                                                               \
        if (!EmptyNetwork::inside()) {                                                                                 \
            QString output;                                                                                            \
            QVERIFY2(                                                                                                  \
                EmptyNetwork::run(QString::fromLatin1(QTest::currentTestFunction()), &output), qPrintable(output));    \
            return;                                                                                                    \
        }                                                                                                              \
    } while (false)

} // namespace

class ReachabilityLabTest : public QObject
{
    Q_OBJECT

private:
    QStringList log;
    QList<bool> reactions;
    InternetCheck check;

    void startCheck()
    {
        QVERIFY(check.start([this](bool reachable) { reactions << reachable; }));
    }

private slots:
    void init()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        Durations d;
        d.reachabilityRecheckMs = kRecheckMs;
        setDurations(d);
        log.clear();
        reactions.clear();
        Log::setSink([this](const QString &line) { log << line; });
    }
    void cleanup()
    {
        check.stop();
        Log::setSink({});
    }

    void probeHostIsReachable()
    {
        // The lab names its own probe host like the public one.
        const QHostInfo info = QHostInfo::fromName(Deployment::reachabilityProbeHost());
        QVERIFY(!info.addresses().isEmpty());
        QCOMPARE(info.addresses().constFirst().toString(), LabEnv::fromEnvironment().probeIp);
        startCheck();
        QTRY_COMPARE_WITH_TIMEOUT(reactions, QList<bool> {true}, kWaitMs);
        QVERIFY(log.contains(QStringLiteral("Do have the internet :)")));
    }

    void noRouteIsUnreachable()
    {
        NVR_IN_EMPTY_NETWORK();
        startCheck();
        QTRY_COMPARE_WITH_TIMEOUT(reactions, QList<bool> {false}, kWaitMs);
        QVERIFY(log.contains(QStringLiteral("Someone broke the internet :(")));
        // A name that cannot be resolved is unreachable too.
        QCOMPARE(HostReachability::probe(QStringLiteral("no-such-host.invalid")), quint32(0));
    }

    void laterChangeIsReported()
    {
        NVR_IN_EMPTY_NETWORK();
        // Even loopback is down in a fresh namespace, until it is switched on.
        auto monitor = Reachability::reachabilityWithHostname(QStringLiteral("127.0.0.1"));
        QMutex mutex;
        QList<bool> seen;
        monitor->setReachableBlock([&](Reachability *) {
            QMutexLocker lock(&mutex);
            seen << true;
        });
        monitor->setUnreachableBlock([&](Reachability *) {
            QMutexLocker lock(&mutex);
            seen << false;
        });
        auto reports = [&] {
            QMutexLocker lock(&mutex);
            return seen;
        };
        QVERIFY(monitor->startNotifier());
        QTRY_COMPARE_WITH_TIMEOUT(reports(), QList<bool> {false}, kWaitMs);
        QCOMPARE(QProcess::execute(QStringLiteral("ip"), {"link", "set", "lo", "up"}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(reports(), (QList<bool> {false, true}), kWaitMs);
    }
};

QTEST_GUILESS_MAIN(ReachabilityLabTest)
#include "tst_reachabilitylab.moc"
