// The search step's screens of nvrshots, in the real window under Xvfb,
// against simulated recorders in the network lab: two recorders, and none.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QtTest>

class SearchShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void searchScreens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<QJsonObject>>("recorders");
        QTest::newRow("two-recorders") << QStringLiteral("two-recorders")
                                       << QList<QJsonObject> {SimProcess::recorder(0), SimProcess::recorder(1)};
        QTest::newRow("no-recorder") << QStringLiteral(
            "no-recorder") << QList<QJsonObject> {SimProcess::misbehaving(0, {{QStringLiteral("silent"), true}})};
    }
    void searchScreens()
    {
        QFETCH(QString, name);
        QFETCH(QList<QJsonObject>, recorders);
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario(recorders), &error), qPrintable(error));

        const QString problem
            = renderLabShots(name, {QStringLiteral("search-searching"), QStringLiteral("search-done")});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // A real search each: the first is caught while it runs, the second
        // ends, after three attempts when nobody answers.
        int requests = 0;
        for (const SimLogLine &line : sim.log(QStringLiteral("rx")))
            requests += line.value("op") == QLatin1String("161") ? 1 : 0;
        QCOMPARE(requests, recorders.size() == 2 ? 2 : 4);
    }
};

QTEST_GUILESS_MAIN(SearchShotsLabTest)
#include "tst_searchshotslab.moc"
