// Scenario files of the simulator: what loads, what is refused and what the
// state file keeps.
#include "sim/core/SimState.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

class TestSimScenario : public QObject
{
    Q_OBJECT

private slots:
    void theDemoScenarioLoads()
    {
        SimScenario scenario;
        QString error;
        QVERIFY2(SimScenario::load(qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/sim/scenarios/demo.json"),
                     &scenario, &error),
            qPrintable(error));
        QCOMPARE(scenario.recorders.size(), 2);
        QVERIFY(scenario.recorders[0].factory);
        QVERIFY(scenario.recorders[0].accepts(QStringLiteral("admin"), QString()));
        QVERIFY(!scenario.recorders[1].factory);
        QVERIFY(!scenario.recorders[1].accepts(QStringLiteral("admin"), QString()));
        QCOMPARE(scenario.recorders[1].webPort, 8080);
        QCOMPARE(scenario.recorders[1].web.cameras.size(), 2);
        // Enough cameras to meet the nine-camera limit, in all three credential states.
        const QList<SimCamera> &cameras = scenario.recorders[0].web.cameras;
        QVERIFY(cameras.size() > 9);
        const auto count = [&](const std::function<bool(const SimCamera &)> &is) {
            return std::count_if(cameras.begin(), cameras.end(), is);
        };
        QVERIFY(count([](const SimCamera &c) { return !c.adminPassword.isEmpty() && c.password == c.adminPassword; }));
        QVERIFY(count([](const SimCamera &c) { return c.password != c.adminPassword; }));
        QVERIFY(count([](const SimCamera &c) { return c.adminPassword.isEmpty(); }));
        QVERIFY(count([](const SimCamera &c) { return c.isZebor(); }));
        QVERIFY(count([](const SimCamera &c) { return !c.isZebor(); }));
        QVERIFY(scenario.portal.enabled);
        QCOMPARE(scenario.portal.accounts.size(), 1);
    }

    void badScenarios_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << QByteArray("{") << QStringLiteral("not a JSON object");
        QTest::newRow("bad MAC") << QByteArray(R"({"recorders":[{"mac":"00:1c:27","ip":"192.0.2.10"}]})")
                                 << QStringLiteral("recorder 0: \"mac\"");
        QTest::newRow("no address") << QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01"}]})")
                                    << QStringLiteral("recorder 0: \"ip\"");
        QTest::newRow("bad mask") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10"},{"mac":"00:1c:27:00:00:02","ip":"192.0.2.11","mask":"255.255"}]})")
                                  << QStringLiteral("recorder 1: \"mask\"");
        QTest::newRow("negative delay") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10","misbehave":{"delayMs":-5}}]})")
                                        << QStringLiteral("\"delayMs\"");
        const auto web = [](const char *keys) {
            return QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10",)") + keys + "}]}";
        };
        QTest::newRow("three bays") << web(R"("disks":[{},{},{}])") << QStringLiteral("\"disks\"");
        QTest::newRow("partition state") << web(R"("disks":[{"device":"sda","partitions":[{"status":12}]}])")
                                         << QStringLiteral("\"status\"");
        QTest::newRow("format never ends") << web(R"("formatSteps":[35,80])") << QStringLiteral("\"formatSteps\"");
        QTest::newRow("format in bay 5") << web(R"("formatting":{"bay":5})") << QStringLiteral("\"formatting\"");
        QTest::newRow("zone 0") << web(R"("timeZone":0)") << QStringLiteral("\"timeZone\"");
        QTest::newRow("web status") << QByteArray(
            R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10","misbehave":{"webStatus":42}}]})")
                                    << QStringLiteral("\"webStatus\" is not an HTTP status");
        QTest::newRow("camera delay") << web(R"("cameras":[{"ip":"192.0.2.100","delayMs":-1}])")
                                      << QStringLiteral("\"delayMs\" of camera 192.0.2.100");
        QTest::newRow("nameless account") << QByteArray(R"({"recorders":[],"portal":{"accounts":[{"password":"x"}]}})")
                                          << QStringLiteral("\"email\"");
    }
    void badScenarios()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        SimScenario scenario;
        scenario.recorders << SimRecorder();
        QString error;
        QVERIFY(!SimScenario::fromJson(json, &scenario, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(scenario.recorders.size(), 1);
    }

    void theStateFileIsAScenarioWithCurrentValues()
    {
        const QByteArray json = R"({"recorders":[{"mac":"00:1C:27:00:00:01","ip":"192.0.2.10",
            "password":"old","timeZone":17,"disks":[{"device":"sdb","partitions":[{"capacityMb":10,"status":2}]}],
            "note":"kept","misbehave":{"wrongModel":true,"delayMs":20,"flood":3,"webStatus":500,
            "webPaths":["/config/storageinfo"]}}]})";
        SimScenario scenario;
        QString error;
        QVERIFY2(SimScenario::fromJson(json, &scenario, &error), qPrintable(error));
        QCOMPARE(scenario.recorders[0].mac, QStringLiteral("00:1c:27:00:00:01"));
        QCOMPARE(scenario.recorders[0].misbehave.wrongModel, QStringLiteral("HRX-260A"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        SimState state(scenario, path);
        SimRecorder *r = state.find(QStringLiteral("00:1c:27:00:00:01"), QStringLiteral("192.0.2.10"));
        QVERIFY(r);
        QVERIFY(!state.find(QStringLiteral("00:1c:27:00:00:01"), QStringLiteral("192.0.2.11")));
        r->password = QStringLiteral("new");
        QVERIFY(state.commit());

        SimScenario reloaded;
        QVERIFY2(SimScenario::load(path, &reloaded, &error), qPrintable(error));
        const SimRecorder &back = reloaded.recorders.first();
        QCOMPARE(back.password, QStringLiteral("new"));
        QVERIFY(!back.factory);
        QCOMPARE(back.misbehave.delayMs, 20);
        QCOMPARE(back.misbehave.flood, 3);
        QVERIFY(back.misbehave.misbehavesOnWeb("/config/storageinfo"));
        QVERIFY(!back.misbehave.misbehavesOnWeb("/config/datetime"));
        // The web side's keys come back with their values, unknown keys untouched.
        QCOMPARE(back.web.timeZone, 17);
        QCOMPARE(back.web.disks.size(), 2);
        QCOMPARE(back.web.disks[0].device, QStringLiteral("sdb"));
        QCOMPARE(back.web.disks[0].partitions.value(0).freeMb, 10);
        QVERIFY(back.web.disks[1].device.isEmpty());
        QCOMPARE(back.web.channels.size(), 9);
        QCOMPARE(back.extra.value(QStringLiteral("note")).toString(), QStringLiteral("kept"));
    }

    void camerasAcceptWhatTheRecorderReportsUnlessToldOtherwise()
    {
        const QByteArray json = R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10","cameras":[
            {"ip":"192.0.2.100","password":"known"},
            {"ip":"192.0.2.101","password":"stale","adminPassword":"actual","delayMs":250},
            {"ip":"192.0.2.102","password":"stale","adminPassword":"","silent":true}]}]})";
        SimScenario scenario;
        QString error;
        QVERIFY2(SimScenario::fromJson(json, &scenario, &error), qPrintable(error));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        SimState state(scenario, path);
        QCOMPARE(state.cameraIps().size(), 3);
        state.camerasAt(QStringLiteral("192.0.2.100")).first()->adminPassword = QStringLiteral("changed");
        QVERIFY(state.commit());

        SimScenario reloaded;
        QVERIFY2(SimScenario::load(path, &reloaded, &error), qPrintable(error));
        const QList<SimCamera> &cameras = reloaded.recorders.first().web.cameras;
        QCOMPARE(cameras[0].password, QStringLiteral("known"));
        QCOMPARE(cameras[0].adminPassword, QStringLiteral("changed"));
        QCOMPARE(cameras[1].adminPassword, QStringLiteral("actual"));
        QCOMPARE(cameras[1].delayMs, 250);
        QVERIFY(!cameras[1].silent);
        // The factory state survives a reload: an empty password is not a missing one.
        QCOMPARE(cameras[2].adminPassword, QString());
        QVERIFY(cameras[2].silent);
        QVERIFY(cameras[2].accepts(false, QString(), QString()));
        QVERIFY(cameras[2].accepts(true, QStringLiteral("admin"), QString()));
        QVERIFY(!cameras[2].accepts(true, QStringLiteral("admin"), QStringLiteral("stale")));
        QVERIFY(!cameras[1].accepts(false, QString(), QString()));
    }
};

QTEST_GUILESS_MAIN(TestSimScenario)
#include "tst_simscenario.moc"
