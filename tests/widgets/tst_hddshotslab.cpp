// The hard-disk step's screens of nvrshots, in the real window under Xvfb,
// from the real answers of a simulated recorder in the network lab: its bays,
// a format under way, and the alert of a format that failed.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QJsonArray>
#include <QtTest>

class HddShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void hddScreens_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QStringList>("screens");
        QTest::newRow("one-drive") << false
                                   << QStringList {
                                          QStringLiteral("hdd-lan-table"), QStringLiteral("hdd-lan-formatting")};
        QTest::newRow("failing") << true << QStringList {QStringLiteral("hdd-lan-fail")};
    }
    void hddScreens()
    {
        QFETCH(bool, fails);
        QFETCH(QStringList, screens);
        QJsonObject recorder = SimProcess::recorder(0);
        // Bay 1 holds a drive, bay 2 none; polls long enough for the picture
        // to catch the format under way.
        QJsonArray steps;
        for (int percent = 2; percent < 100; percent += 2)
            steps.append(percent);
        steps.append(100);
        recorder.insert(QStringLiteral("formatSteps"), steps);
        recorder.insert(QStringLiteral("disks"),
            QJsonArray {QJsonObject {{"device", "sda"}, {"model", "ST1000VX005"}, {"product", "Seagate SkyHawk 1TB"},
                            {"formatFails", fails},
                            {"partitions", QJsonArray {QJsonObject {{"capacityMb", 953869}, {"status", 6}}}}},
                QJsonObject {{"device", ""}}});
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        const QString problem = renderLabShots(QString::fromLatin1(QTest::currentDataTag()), screens);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The pictures came from the recorder's disk answers; formatting went
        // to the bay with the drive only.
        QStringList formats;
        int queries = 0;
        for (const SimLogLine &line : sim.log(QStringLiteral("http"))) {
            if (line.value("path") == QLatin1String("/config/storageinfo"))
                ++queries;
            if (line.value("path") == QLatin1String("/config/storageformat"))
                formats << QUrl::fromPercentEncoding(line.value("query").toLatin1());
        }
        QVERIFY(queries >= 4);
        QCOMPARE(formats.size(), 1);
        QVERIFY2(formats.first().startsWith(QStringLiteral("storageid=0&")), qPrintable(formats.first()));
    }
};

QTEST_GUILESS_MAIN(HddShotsLabTest)
#include "tst_hddshotslab.moc"
