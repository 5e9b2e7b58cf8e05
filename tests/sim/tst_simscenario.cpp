// What every lab test relies on without seeing it: the simulator refuses a
// broken scenario file, saying where it is broken, and keeps what it had.
#include "sim/core/SimScenario.h"
#include "tests/support/DataRows.h"

#include <QtTest>

class TestSimScenario : public QObject
{
    Q_OBJECT

private slots:
    void badScenarios_data()
    {
        const auto web = [](const char *keys) {
            return QByteArray(R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10",)") + keys + "}]}";
        };
        rows<QByteArray, QString>({"json", "message"},
            {{"not JSON", "{", "not a JSON object"},
                {"bad MAC", R"({"recorders":[{"mac":"00:1c:27","ip":"192.0.2.10"}]})", "recorder 0: \"mac\""},
                {"no address", R"({"recorders":[{"mac":"00:1c:27:00:00:01"}]})", "recorder 0: \"ip\""},
                {"bad mask",
                    R"({"recorders":[{"mac":"00:1c:27:00:00:01","ip":"192.0.2.10"},{"mac":"00:1c:27:00:00:02","ip":"192.0.2.11","mask":"255.255"}]})",
                    "recorder 1: \"mask\""},
                {"negative delay", web(R"("misbehave":{"delayMs":-5})"), "\"delayMs\""},
                {"three bays", web(R"("disks":[{},{},{}])"), "\"disks\""},
                {"partition state", web(R"("disks":[{"device":"sda","partitions":[{"status":12}]}])"), "\"status\""},
                {"format never ends", web(R"("formatSteps":[35,80])"), "\"formatSteps\""},
                {"format in bay 5", web(R"("formatting":{"bay":5})"), "\"formatting\""},
                {"zone 0", web(R"("timeZone":0)"), "\"timeZone\""},
                {"web status", web(R"("misbehave":{"webStatus":42})"), "\"webStatus\" is not an HTTP status"},
                {"camera delay", web(R"("cameras":[{"ip":"192.0.2.100","delayMs":-1}])"),
                    "\"delayMs\" of camera 192.0.2.100"},
                {"nameless account", R"({"recorders":[],"portal":{"accounts":[{"password":"x"}]}})", "\"email\""}});
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
