// The time zone step's screens of nvrshots, in the real window under Xvfb,
// reached through a real search, a new password and the simulated recorder's
// answers in the network lab: its zone read, and a zone it does not take.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QtTest>

class TimeZoneShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void timeZoneScreens_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("zoneAfter");
        QTest::newRow("loaded") << false << QStringLiteral("timezone-lan") << 6;
        QTest::newRow("refused") << true << QStringLiteral("timezone-lan-refused") << 6;
    }
    void timeZoneScreens()
    {
        QFETCH(bool, locked);
        QFETCH(QString, screen);
        QFETCH(int, zoneAfter);
        QJsonObject recorder = SimProcess::recorder(0);
        recorder.insert(QStringLiteral("timeZone"), 6);
        recorder.insert(QStringLiteral("timeZoneLocked"), locked);
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QStringLiteral("Asia/Taipei"));
        const QString problem = renderLabShots(QString::fromLatin1(QTest::currentDataTag()), {screen}, env);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The screen came from the recorder's answers: its list and zone were read.
        QStringList paths;
        for (const SimLogLine &line : sim.log(QStringLiteral("http")))
            paths << line.value("path");
        QVERIFY2(paths.contains(QStringLiteral("/config/timezonelist")), qPrintable(paths.join(QLatin1Char(' '))));
        QVERIFY2(paths.contains(QStringLiteral("/config/datetime")), qPrintable(paths.join(QLatin1Char(' '))));
        QCOMPARE(sim.stateOf(SimProcess::macOf(recorder)).value(QStringLiteral("timeZone")).toInt(), zoneAfter);
    }
};

QTEST_GUILESS_MAIN(TimeZoneShotsLabTest)
#include "tst_timezoneshotslab.moc"
