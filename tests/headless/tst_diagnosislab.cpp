// Why a recorder cannot be reached, as a headless run tells it: the simulator's
// scenario files in a lab whose LAN side also holds addresses on subnets the
// computer has no route to (netlab.sh --other-subnets).
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject scenarioFile(const QString &name)
{
    QFile file(qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/sim/scenarios/") + name);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

} // namespace

class DiagnosisLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        if (qEnvironmentVariableIsEmpty("NVRLAB_OTHER_SUBNET_IP"))
            QSKIP("needs scripts/netlab.sh --other-subnets");
    }

    void causeIsNamed_data()
    {
        QTest::addColumn<QJsonObject>("scenario"); // empty: nothing answers
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("named"); // what the message names

        QTest::newRow("other subnet") << scenarioFile("other-subnet.json") << "otherSubnet"
                                      << "198.18.0.10/24";
        // The lab's computer is on two links, so the search may miss a recorder.
        QTest::newRow("no answer") << QJsonObject() << "severalNetworks"
                                   << "198.51.100.1/24";
        // Found and set up as far as the disks, whose reading then gets no answer.
        const QJsonObject stall {{"webStall", true}, {"webPaths", QJsonArray {"/config/storageinfo"}}};
        QTest::newRow("later step") << SimProcess::scenario({SimProcess::misbehaving(0, stall)}) << "httpsClosed"
                                    << SimProcess::recorder(0).value("ip").toString();
    }
    void causeIsNamed()
    {
        QFETCH(QJsonObject, scenario);
        QFETCH(QString, cause);
        QFETCH(QString, named);

        SimProcess sim;
        if (!scenario.isEmpty())
            QVERIFY(sim.startScaled(scenario, 0.1));
        const HeadlessRun run = HeadlessRun::run(
            {{"password", QJsonObject {{"password", "Str0ngpass1"}}}, {"timeoutSeconds", 40}}, 0.1, 45000);

        QVERIFY2(run.exitCode == 1, qPrintable(run.errors));
        const QJsonObject output = run.summaryJson();
        QCOMPARE(output.value("result").toString(), QStringLiteral("failed"));
        const QJsonObject diagnosis = output.value("diagnosis").toObject();
        QCOMPARE(diagnosis.value("cause").toString(), cause);
        QVERIFY2(diagnosis.value("message").toString().contains(named), qPrintable(run.errors));
        // One line on standard error, however many steps found the same cause.
        QCOMPARE(run.errors.count(QStringLiteral("nvrwizard: diagnosis: ") + cause + ':'), 1);
    }
};

QTEST_GUILESS_MAIN(DiagnosisLabTest)
#include "tst_diagnosislab.moc"
