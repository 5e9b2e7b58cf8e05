// Headless runs through the time zone step against a simulated recorder in
// the network lab: the recorder's zone afterwards shows what the run did.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QtTest>

namespace {

const QString kPassword = QStringLiteral("first123");

QJsonObject answers(const QJsonObject &timeZone)
{
    return {{QStringLiteral("password"), QJsonObject {{QStringLiteral("password"), kPassword}}},
        {QStringLiteral("timeZone"), timeZone}, {QStringLiteral("timeoutSeconds"), 40}};
}

} // namespace

class HeadlessTimeZoneLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QJsonObject recorder;

    void startWith(bool locked, const QString &listAnswer = QString())
    {
        sim.stop();
        sim.setTimeScale(0.1);
        recorder = SimProcess::recorder(0);
        recorder.insert(QStringLiteral("timeZone"), 6);
        recorder.insert(QStringLiteral("timeZoneLocked"), locked);
        if (!listAnswer.isEmpty())
            recorder.insert(QStringLiteral("timeZoneListAnswer"), listAnswer);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
    }
    int recorderZone() const
    {
        return sim.stateOf(SimProcess::macOf(recorder)).value(QStringLiteral("timeZone")).toInt();
    }

private slots:
    void initTestCase() { NVR_REQUIRE_LAB(); }

    // The recorder holds the English list: Tokyo is its 28th zone, London its 14th.
    void zoneIsSet_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("recorderValue");
        QTest::addColumn<QString>("proposedBy");
        QTest::newRow("part of a name") << "TOKYO" << QByteArray("UTC") << "(GMT+09:00) Osaka, Seoul, Tokyo" << 28
                                        << "offset";
        QTest::newRow("the computer's") << "computer" << QByteArray("Europe/London")
                                        << "(GMT+00:00) Dublin, Edinburgh, Lisbon, London" << 14 << "city";
        QTest::newRow("the recorder's own")
            << "" << QByteArray("UTC") << "(GMT-07:00) Mountain Time (US & Canada)" << 6 << "offset";
    }
    void zoneIsSet()
    {
        QFETCH(QString, zone);
        QFETCH(QByteArray, tz);
        QFETCH(QString, chosen);
        QFETCH(int, recorderValue);
        QFETCH(QString, proposedBy);
        startWith(false);
        qputenv("TZ", tz);
        const HeadlessRun run
            = HeadlessRun::run(answers(zone.isEmpty() ? QJsonObject() : QJsonObject {{QStringLiteral("zone"), zone}}));
        qunsetenv("TZ");
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QVERIFY2(run.errors.contains(QStringLiteral("chose time zone ") + chosen), qPrintable(run.errors));
        const QJsonObject step
            = run.summaryJson().value(QStringLiteral("steps")).toObject().value(QStringLiteral("timeZone")).toObject();
        QCOMPARE(step.value(QStringLiteral("zone")).toString(), chosen);
        QCOMPARE(step.value(QStringLiteral("index")).toInt(), recorderValue - 1);
        QCOMPARE(step.value(QStringLiteral("proposedBy")).toString(), proposedBy);
        QCOMPARE(recorderZone(), recorderValue);
    }

    void failuresAreNamed_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("listAnswer");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("message");
        QTest::newRow("several match") << false << ""
                                       << "GMT+05"
                                       << "failed: 3 time zones of the recorder match";
        QTest::newRow("none matches") << false << ""
                                      << "Atlantis"
                                      << "failed: no time zone of the recorder matches";
        QTest::newRow("recorder keeps its zone") << true << ""
                                                 << "Tokyo"
                                                 << "failed: the recorder did not take the time zone";
        // No other list may stand in for a missing one: nothing is written.
        QTest::newRow("answer without a list") << false << "missing"
                                               << "Tokyo"
                                               << "failed: the recorder's time zones could not be read";
        QTest::newRow("empty list") << false << "empty"
                                    << "computer"
                                    << "failed: the recorder's time zones could not be read";
    }
    void failuresAreNamed()
    {
        QFETCH(bool, locked);
        QFETCH(QString, listAnswer);
        QFETCH(QString, zone);
        QFETCH(QString, message);
        startWith(locked, listAnswer);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("zone"), zone}}));
        QVERIFY2(run.exitCode == 1 && run.errors.contains(message), qPrintable(run.errors));
        QCOMPARE(recorderZone(), 6);
    }
};

QTEST_GUILESS_MAIN(HeadlessTimeZoneLabTest)
#include "tst_headlesstimezonelab.moc"
