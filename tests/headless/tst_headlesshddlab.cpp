// The headless driver of the hard-disk step against a simulated recorder in
// the network lab: it acts on the first disk result, formats the bays the
// answers name or skips, and ends a run that cannot go on instead of looping.
#include "../steps/StepsFixture.h"
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_HddView.h"

#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupHddNext() override { calls << QStringLiteral("next"); }
    void setupHddBack() override { calls << QStringLiteral("back"); }
};

} // namespace

class HeadlessHddLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setDurations(Durations().scaled(0.05)); }
    void init() { NVR_REQUIRE_LAB(); }

    void drivesTheStep_data()
    {
        QTest::addColumn<QJsonObject>("answers");
        QTest::addColumn<QJsonObject>("bay1");
        QTest::addColumn<QString>("outcome"); // "next", or the failure
        QTest::addColumn<QStringList>("formatted");
        const QJsonObject plain {{"device", "sda"}};
        QTest::newRow("format bay 1") << QJsonObject {{"format", QJsonArray {1}}} << plain << "next"
                                      << QStringList {"0"};
        QTest::newRow("nothing named: skip") << QJsonObject {} << plain << "next" << QStringList {};
        QTest::newRow("empty bay named") << QJsonObject {{"format", QJsonArray {2}}} << plain
                                         << "bay 2 holds no disk the recorder detected" << QStringList {};
        QTest::newRow("format fails") << QJsonObject {{"format", QJsonArray {1}}}
                                      << QJsonObject {{"device", "sda"}, {"formatFails", true}}
                                      << "the recorder could not format the disks" << QStringList {"0"};
    }
    void drivesTheStep()
    {
        QFETCH(QJsonObject, answers);
        QFETCH(QJsonObject, bay1);
        QFETCH(QString, outcome);
        QFETCH(QStringList, formatted);
        QJsonObject recorder = SimProcess::recorder(0);
        recorder.insert(QStringLiteral("disks"), QJsonArray {bay1, QJsonObject {{"device", ""}}});
        SimProcess sim;
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        StepsFixture f(StepsFixture::Entries {{"SetupHdd fail", "Format failed"}});
        HeadlessSession session({{QStringLiteral("hdd"), answers}}, f.modal);
        HeadlessDrivers drivers;
        addAllHeadlessDrivers(drivers);
        const HeadlessDriver *driver = drivers.find(QStringLiteral("hdd"));
        QVERIFY(driver);
        QVERIFY(driver->validate(answers).isEmpty());
        Setup_HddView step(*f.context);
        PageCalls page;
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), QString());
        step.viewDidAppear();
        driver->drive(step, session);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return session.isFinished()
                    || (session.steps().contains(QStringLiteral("hdd")) && !page.calls.isEmpty());
            },
            kWaitMs));

        if (outcome == QLatin1String("next")) {
            QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
            const QJsonObject record = session.steps().value(QStringLiteral("hdd")).toObject();
            QCOMPARE(record.value("disks").toArray().size(), 2);
            QCOMPARE(record.value("formatted").toArray().size(), formatted.size());
        } else {
            QCOMPARE(session.exitCode(), 1);
        }
        QStringList ids;
        for (const SimLogLine &line : sim.log(QStringLiteral("http")))
            if (line.value("path") == QLatin1String("/config/storageformat"))
                ids << QUrlQuery(QUrl::fromPercentEncoding(line.value("query").toLatin1())).queryItemValue("storageid");
        QCOMPARE(ids, formatted);
    }

    // The whole run in the wizard's own process, from the search through the
    // password, the time zone and the disks to the summary: the disk answers
    // arrive back to back, the driver formats at the first and the run ends.
    // The recorder's state afterwards shows each step's work.
    void wholeRunFormatsAndEnds()
    {
        SimProcess sim;
        sim.setTimeScale(0.1);
        const QJsonObject recorder = SimProcess::recorder(0);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
        const HeadlessRun run = HeadlessRun::run(
            {{"password", QJsonObject {{"password", "Str0ngpass1"}}}, {"timeZone", QJsonObject {{"zone", "taipei"}}},
                {"hdd", QJsonObject {{"format", QJsonArray {1}}}}, {"timeoutSeconds", 40}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QVERIFY2(run.errors.contains(QStringLiteral("formatting bays 1")), qPrintable(run.errors));
        const QJsonObject hdd = run.summaryJson().value("steps").toObject().value("hdd").toObject();
        QCOMPARE(hdd.value("formatted").toArray(), QJsonArray {1});
        QCOMPARE(
            hdd.value("disks").toArray().at(0).toObject().value("status").toString(), QStringLiteral("Not formatted"));
        const QJsonObject state = sim.stateOf(SimProcess::macOf(recorder));
        QCOMPARE(state.value("password").toString(), QStringLiteral("Str0ngpass1"));
        const QJsonObject zone = run.summaryJson().value("steps").toObject().value("timeZone").toObject();
        QVERIFY2(zone.value("zone").toString().contains(QStringLiteral("Taipei")), qPrintable(run.summary));
        // The recorder counts its zones from 1.
        QCOMPARE(state.value("timeZone").toInt(), zone.value("index").toInt() + 1);
        // Formatted, and recording since the summary started it.
        const QJsonArray disks = state.value("disks").toArray();
        QCOMPARE(disks.at(0).toObject().value("partitions").toArray().at(0).toObject().value("status").toInt(), 1);
        QVERIFY(run.summaryJson().value("recordingStarted").toBool());
    }
};

QTEST_GUILESS_MAIN(HeadlessHddLabTest)
#include "tst_headlesshddlab.moc"
