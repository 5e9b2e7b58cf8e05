// Discovery against simulated recorders over real sockets in the network lab.
#include "EmptyNetwork.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/SearchDevice.h"
#include "protocol/SearchDeviceDelegate.h"
#include "util/UdpError.h"
#include "util/UtilMethod.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QtTest>

#include <cerrno>

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait

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
        QTest::qWait(50);
        return done && ends == 1;
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

class TestSearchDeviceLab : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QStringList logLines;

    void startSim(const QList<QJsonObject> &recorders)
    {
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario(recorders), &error), qPrintable(error));
    }

private slots:
    void init()
    {
        if (!EmptyNetwork::inside())
            NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
        logLines.clear();
        Log::setSink([this](const QString &line) { logLines << line; });
    }
    void cleanup()
    {
        sim.stop();
        Log::setSink({});
    }

    void noRecorderEndsAfterTheFullWait()
    {
        setDurations(Durations());
        SearchRun run;
        run.start();
        QVERIFY(run.finish(10000));
        QCOMPARE(run.error.code, 5);
        QCOMPARE(run.error.domain, QStringLiteral("AsyncUdpSocketErrorDomain"));
        QCOMPARE(run.error.description, QStringLiteral("Receive operation timed out"));
        QVERIFY2(run.endedAfterMs >= 5950 && run.endedAfterMs < 7500, qPrintable(QString::number(run.endedAfterMs)));
        QVERIFY(run.search.getReplyArray().isEmpty());
    }

    void recordCarriesTheRecordersSettings()
    {
        QJsonObject r = SimProcess::recorder(0);
        r.insert(QStringLiteral("firmware"), QStringLiteral("2.3.4.5"));
        r.insert(QStringLiteral("webPort"), 8080);
        r.insert(QStringLiteral("mask"), QStringLiteral("255.255.254.0"));
        r.insert(QStringLiteral("dns2"), QStringLiteral("198.51.100.2"));
        r.insert(QStringLiteral("dhcp"), true);
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

        // The one request on the wire is the fixed 22-byte discovery request.
        const QList<SimLogLine> rx = sim.log(QStringLiteral("rx"));
        QCOMPARE(rx.size(), 1);
        QCOMPARE(rx.first().value("len"), QStringLiteral("22"));
        QCOMPARE(rx.first().value("to"), QStringLiteral("255.255.255.255"));
        QCOMPARE(rx.first().value("mac"), QStringLiteral("ff:ff:ff:ff:ff:ff"));
    }

    void duplicatesByMacKeepTheFirstReply()
    {
        const QJsonObject twice = SimProcess::misbehaving(0, {{QStringLiteral("answerTwice"), true}});
        QJsonObject sameMacLater = SimProcess::misbehaving(2, {{QStringLiteral("delayMs"), 1000}});
        sameMacLater.insert(QStringLiteral("mac"), SimProcess::macOf(twice));
        startSim({twice, SimProcess::recorder(1), sameMacLater});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs(), QStringList({SimProcess::macOf(twice), SimProcess::macOf(SimProcess::recorder(1))}));
        QCOMPARE(UtilMethod::ipToString(run.search.getReplyArray().first().ipAddress), SimProcess::ipOf(twice));
        // A second call gives the same list.
        QCOMPARE(run.macs().size(), 2);

        const QString later = SimProcess::ipOf(sameMacLater);
        const auto shown = std::find_if(logLines.cbegin(), logLines.cend(),
            [&](const QString &l) { return l.contains(QStringLiteral("SECOND: IP =%1,").arg(later)); });
        QVERIFY2(shown != logLines.cend(), qPrintable(logLines.join(QLatin1Char('\n'))));
        QVERIFY(shown->contains(
            QStringLiteral("FIRST: IP = %1, MAC = %2").arg(SimProcess::ipOf(twice), SimProcess::macOf(twice))));
    }

    void sameAddressDifferentMacsAreBothKept()
    {
        QJsonObject other = SimProcess::recorder(1);
        other.insert(QStringLiteral("ip"), SimProcess::ipOf(SimProcess::recorder(0)));
        startSim({SimProcess::recorder(0), other});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs().size(), 2);
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

    void malformedRepliesAreIgnored()
    {
        QJsonObject lowerCase = SimProcess::recorder(2);
        lowerCase.insert(QStringLiteral("model"), QStringLiteral("hrx-540a"));
        QJsonObject trailingSpace = SimProcess::recorder(3);
        trailingSpace.insert(QStringLiteral("model"), QStringLiteral("HRX-540A "));
        const QJsonObject overLong = SimProcess::misbehaving(7, {{QStringLiteral("overLong"), 66}});
        startSim({SimProcess::recorder(0),
            SimProcess::misbehaving(1, {{QStringLiteral("wrongModel"), QStringLiteral("HRX-580A")}}), lowerCase,
            trailingSpace, SimProcess::misbehaving(4, {{QStringLiteral("short"), 333}}),
            SimProcess::misbehaving(5, {{QStringLiteral("short"), 17}}),
            SimProcess::misbehaving(6, {{QStringLiteral("garbage"), true}}), overLong});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.error.code, 5);
        // A datagram longer than a record is taken by its first 334 bytes.
        QCOMPARE(run.macs(), QStringList({SimProcess::macOf(SimProcess::recorder(0)), SimProcess::macOf(overLong)}));
        QCOMPARE(sim.log(QStringLiteral("tx")).size(), 8);
    }

    void aNewSearchStartsWithAnEmptyList()
    {
        startSim({SimProcess::recorder(0)});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs().size(), 1);
        run.ends = 0;
        run.start();
        QVERIFY(run.search.getReplyArray().isEmpty());
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs().size(), 1);
        QCOMPARE(sim.log(QStringLiteral("rx")).size(), 2);
    }

    void aRecorderThatMissesTheFirstSearchIsFoundByTheNext()
    {
        startSim({SimProcess::misbehaving(0, {{QStringLiteral("ignoreSearches"), 1}})});
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QVERIFY(run.macs().isEmpty());
        run.ends = 0;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.macs().size(), 1);
    }

    void aSendFailureIsANetworkError()
    {
        if (!EmptyNetwork::inside()) {
            QString output;
            QVERIFY2(EmptyNetwork::run(QString::fromLatin1(QTest::currentTestFunction()), &output), qPrintable(output));
            return;
        }
        // No interface and no route: the broadcast cannot leave.
        SearchRun run;
        run.start();
        QVERIFY(run.finish(5000));
        QCOMPARE(run.error.domain, QStringLiteral("POSIXErrorDomain"));
        QCOMPARE(run.error.code, ENETUNREACH);
        QVERIFY2(run.endedAfterMs < 500, qPrintable(QString::number(run.endedAfterMs)));
    }
};

QTEST_GUILESS_MAIN(TestSearchDeviceLab)
#include "tst_searchdevicelab.moc"
