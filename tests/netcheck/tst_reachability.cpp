#include "EmptyNetwork.h"
#include "LabEnv.h"
#include "Rechecks.h"
#include "netcheck/InternetCheck.h"
#include "netcheck/Reachability.h"
#include "platform/Durations.h"
#include "platform/HostReachability.h"
#include "platform/Log.h"
#include "tests/support/DataRows.h"

#include <QMutex>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <atomic>

namespace {

constexpr int kWaitMs = 5000;
constexpr int kRecheckMs = 20;

struct Reports
{
    QMutex mutex;
    QList<bool> seen;
    std::atomic<bool> onMainThread {false};

    void attach(Reachability &monitor)
    {
        monitor.setReachableBlock([this](Reachability *) { add(true); });
        monitor.setUnreachableBlock([this](Reachability *) { add(false); });
    }
    void add(bool reachable)
    {
        if (QThread::currentThread() == QCoreApplication::instance()->thread())
            onMainThread = true;
        QMutexLocker lock(&mutex);
        seen << reachable;
    }
    QList<bool> list()
    {
        QMutexLocker lock(&mutex);
        return seen;
    }
};

} // namespace

class ReachabilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Durations d;
        d.reachabilityRecheckMs = kRecheckMs;
        setDurations(d);
    }
    void cleanup()
    {
        setDurations(Durations());
        Log::setSink({});
        qunsetenv("NVRWIZARD_PROBE_HOST");
    }

    void flagRule_data()
    {
        using namespace ReachabilityFlag;
        rows<quint32, bool>({"flags", "reachable"},
            {{"nothing", 0, false}, {"reachable", reachable, true},
                {"reachable, connection required", reachable | connectionRequired, true},
                {"reachable, transient", reachable | transientConnection, true},
                {"reachable, transient, connection required", reachable | transientConnection | connectionRequired,
                    false},
                {"transient, connection required", transientConnection | connectionRequired, false},
                {"other bits only", 0xfff8, false}});
    }
    void flagRule()
    {
        QFETCH(quint32, flags);
        QFETCH(bool, reachable);
        QCOMPARE(Reachability::isReachableWithFlags(flags), reachable);
    }

    void refusedNamesGiveNoMonitor_data()
    {
        rows<QString, bool>({"name", "accepted"},
            {{"empty", QString(), false}, {"blank inside", "www example.com", false},
                {"NUL inside", QStringLiteral("www.example.com") + QChar(0) + QStringLiteral("x"), false},
                {"host name", "www.example.com", true}, {"international", "b\u00fccher.example", true},
                {"address", "127.0.0.1", true}});
    }
    void refusedNamesGiveNoMonitor()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(bool(Reachability::reachabilityWithHostname(name)), accepted);
    }

    // Loopback always has a route; a datagram socket's connect sends nothing.
    void loopbackIsReportedOnceOffTheMainThread()
    {
        auto monitor = Reachability::reachabilityWithHostname(QStringLiteral("127.0.0.1"));
        QVERIFY(monitor);
        Reports reports;
        reports.attach(*monitor);
        QVERIFY(monitor->startNotifier());
        QVERIFY(monitor->startNotifier()); // already running: nothing installed twice
        QTRY_COMPARE_WITH_TIMEOUT(reports.list(), QList<bool> {true}, kWaitMs);
        // Unchanged state over many rechecks is not reported again.
        QVERIFY(rechecksPassed(kRecheckMs, 20));
        QCOMPARE(reports.list(), QList<bool> {true});
        QVERIFY(!reports.onMainThread);
    }

    // Stopped or destroyed, a monitor calls no handler; a new start reports the
    // first state again.
    void stoppedOrDestroyedMonitorStaysQuiet()
    {
        auto monitor = Reachability::reachabilityWithHostname(QStringLiteral("127.0.0.1"));
        QVERIFY(monitor);
        Reports reports;
        reports.attach(*monitor);
        QVERIFY(monitor->startNotifier());
        // A probe may finish before the stop; none may report after it.
        monitor->stopNotifier();
        const QList<bool> beforeStop = reports.list();
        QVERIFY(rechecksPassed(kRecheckMs, 20));
        QCOMPARE(reports.list(), beforeStop);
        QVERIFY(monitor->startNotifier());
        QTRY_COMPARE_WITH_TIMEOUT(reports.list(), beforeStop + QList<bool> {true}, kWaitMs);
        monitor.reset(); // while it rechecks
        const QList<bool> beforeDestruction = reports.list();
        QVERIFY(rechecksPassed(kRecheckMs, 20));
        QCOMPARE(reports.list(), beforeDestruction);
    }

    void internetCheckReactsOnTheMainThread()
    {
        qputenv("NVRWIZARD_PROBE_HOST", "127.0.0.1");
        QStringList log;
        Log::setSink([&log](const QString &line) { log << line; });
        InternetCheck check;
        QList<bool> reactions;
        bool onMain = true;
        QVERIFY(check.start([&](bool reachable) {
            reactions << reachable;
            onMain = onMain && QThread::currentThread() == QCoreApplication::instance()->thread();
        }));
        QTRY_COMPARE_WITH_TIMEOUT(reactions, QList<bool> {true}, kWaitMs);
        QVERIFY(onMain);
        QCOMPARE(log, QStringList {QStringLiteral("Do have the internet :)")});

        // Stopped, even a report already on its way is dropped.
        QVERIFY(check.start([&](bool reachable) { reactions << reachable; }));
        check.stop();
        QVERIFY(rechecksPassed(kRecheckMs, 20));
        QCOMPARE(reactions.size(), 1);
        QVERIFY(!check.isRunning());
    }

    void laterChangeIsReported()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        if (EmptyNetwork::rerunCurrentTest())
            return;
        // Even loopback is down in a fresh namespace, until it is switched on.
        auto monitor = Reachability::reachabilityWithHostname(QStringLiteral("127.0.0.1"));
        Reports reports;
        reports.attach(*monitor);
        QVERIFY(monitor->startNotifier());
        QTRY_COMPARE_WITH_TIMEOUT(reports.list(), QList<bool> {false}, kWaitMs);
        QCOMPARE(QProcess::execute(QStringLiteral("ip"), {"link", "set", "lo", "up"}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(reports.list(), (QList<bool> {false, true}), kWaitMs);
    }
};

QTEST_GUILESS_MAIN(ReachabilityTest)
#include "tst_reachability.moc"
