// What every lab test relies on without seeing it: the simulator refuses a
// broken scenario file, saying where it is broken, and keeps what it had.
#include "sim/core/SimScenario.h"

#include <QtTest>

class TestSimScenario : public QObject
{
    Q_OBJECT

private slots:
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
        const auto web = [](const char *keys) {
            return QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10",)") + keys + "}]}";
        };
        QTest::newRow("negative delay") << web(R"("misbehave":{"delayMs":-5})") << QStringLiteral("\"delayMs\"");
        QTest::newRow("three bays") << web(R"("disks":[{},{},{}])") << QStringLiteral("\"disks\"");
        QTest::newRow("partition state") << web(R"("disks":[{"device":"sda","partitions":[{"status":12}]}])")
                                         << QStringLiteral("\"status\"");
        QTest::newRow("format never ends") << web(R"("formatSteps":[35,80])") << QStringLiteral("\"formatSteps\"");
        QTest::newRow("format in bay 5") << web(R"("formatting":{"bay":5})") << QStringLiteral("\"formatting\"");
        QTest::newRow("zone 0") << web(R"("timeZone":0)") << QStringLiteral("\"timeZone\"");
        QTest::newRow("web status") << web(R"("misbehave":{"webStatus":42})")
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
};

QTEST_GUILESS_MAIN(TestSimScenario)
#include "tst_simscenario.moc"
