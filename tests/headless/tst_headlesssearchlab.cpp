// Headless runs in the network lab: through the guide to the search, which
// picks one of two simulated recorders by row, IP or MAC address, or fails
// when the chosen one is not there.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QJsonArray>
#include <QtTest>

class HeadlessSearchLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QJsonObject first = SimProcess::recorder(0);
    QJsonObject second = SimProcess::recorder(1);

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({first, second}), &error), qPrintable(error));
    }

    void picksTheRecorder_data()
    {
        QTest::addColumn<QJsonValue>("pick");
        QTest::newRow("MAC in capitals") << QJsonValue(SimProcess::macOf(second).toUpper());
        QTest::newRow("IP address") << QJsonValue(SimProcess::ipOf(second));
        QTest::newRow("row number") << QJsonValue(2);
    }
    void picksTheRecorder()
    {
        QFETCH(QJsonValue, pick);
        const HeadlessRun run
            = HeadlessRun::run({{QStringLiteral("searchNVR"), QJsonObject {{QStringLiteral("recorder"), pick}}},
                {QStringLiteral("timeoutSeconds"), 20}});
        QVERIFY2(
            run.errors.contains(QStringLiteral("found %1 %2").arg(SimProcess::ipOf(first), SimProcess::macOf(first))),
            qPrintable(run.errors));
        const QString chosen = QStringLiteral("chose 2 %1 %2").arg(SimProcess::ipOf(second), SimProcess::macOf(second));
        QVERIFY2(run.errors.contains(chosen), qPrintable(run.errors));
        // The run goes on with that recorder: the next page follows the search.
        QVERIFY2(run.errors.contains(QStringLiteral("page password")), qPrintable(run.errors));
    }

    // Each sub-page of the guide takes one action: Next, Back, Back is the
    // welcome page again.
    void guideTakesOneActionPerSubPage()
    {
        const HeadlessRun run = HeadlessRun::run(
            {{QStringLiteral("install"),
                 QJsonObject {{QStringLiteral("actions"),
                     QJsonArray {QStringLiteral("next"), QStringLiteral("back"), QStringLiteral("back")}}}},
                {QStringLiteral("timeoutSeconds"), 20}});
        QCOMPARE(run.errors.count(QStringLiteral("page welcome")), 2);
        QCOMPARE(run.errors.count(QStringLiteral("page install")), 2);
        QVERIFY2(run.errors.contains(QStringLiteral("chose 1 ")), qPrintable(run.errors));
    }

    void unknownChoiceEndsTheRun()
    {
        const HeadlessRun run = HeadlessRun::run({{QStringLiteral("searchNVR"),
            QJsonObject {{QStringLiteral("recorder"), QStringLiteral("00:1c:27:99:99:99")}}}});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(
            run.errors.contains(QStringLiteral("failed: the chosen recorder was not found")), qPrintable(run.errors));
        QVERIFY(!run.errors.contains(QStringLiteral("chose ")));
    }
};

QTEST_GUILESS_MAIN(HeadlessSearchLabTest)
#include "tst_headlesssearchlab.moc"
