// Why a recorder cannot be reached, as a headless run tells it: the simulator's
// scenario files in a lab whose LAN side also holds addresses on subnets the
// computer has no route to, one it reaches through its gateway, and one its
// routes send out on the wrong link (netlab.sh --other-subnets --routed --two-links).
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "tests/support/DataRows.h"

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

// The first recorder, with some of its keys replaced.
QJsonObject scenarioWith(const QJsonObject &keys)
{
    return SimProcess::scenario({SimProcess::merged(SimProcess::recorder(0), keys)});
}

} // namespace

class DiagnosisLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        if (qEnvironmentVariableIsEmpty("NVRLAB_OTHER_SUBNET_IP") || qEnvironmentVariableIsEmpty("NVRLAB_ROUTED_IP")
            || qEnvironmentVariableIsEmpty("NVRLAB_OTHER_LINK_IP"))
            QSKIP("needs scripts/netlab.sh --other-subnets --routed --two-links");
    }

    void causeIsNamed_data()
    {
        const QString otherLink = qEnvironmentVariable("NVRLAB_OTHER_LINK_IP");
        const QJsonObject goOn {{"searchNVR", QJsonObject {{"unreachable", "goOn"}}}};
        // The lab's computer is on two links, veth pairs; the search leaves by the first.
        const QString secondLink = QStringLiteral("Virtual network (%1) 198.51.100.1/24");
        const QJsonObject stall {{"webStall", true}, {"webPaths", QJsonArray {"/config/storageinfo"}}};
        // scenario empty: nothing answers; answers beside the password; cause at
        // the end, empty: none; named: what the message names; lastPage searchNVR:
        // nothing was sent that changes the recorder.
        rows<QJsonObject, QJsonObject, int, QString, QString, QString>(
            {"scenario", "answers", "exitCode", "cause", "named", "lastPage"},
            {{"other subnet", scenarioFile("other-subnet.json"), {}, 1, "otherSubnet", "198.18.0.10/24", "searchNVR"},
                {"no answer", {}, {}, 1, "severalNetworks", secondLink.arg(qEnvironmentVariable("NVRLAB_PC_LINK2")),
                    "searchNVR"},
                // Found and set up as far as the disks, whose reading then gets no answer.
                {"later step", SimProcess::scenario({SimProcess::misbehaving(0, stall)}), {}, 1, "httpsClosed",
                    SimProcess::recorder(0).value("ip").toString(), "hdd"},
                {"through the gateway",
                    scenarioWith({{"ip", qEnvironmentVariable("NVRLAB_ROUTED_IP")}, {"gateway", "198.19.0.1"}}), {}, 0,
                    "", "", "summary"},
                // The recorder's own mistake, told at the search and again when its port stays shut.
                {"mask 0, port closed",
                    scenarioWith({{"mask", "0.0.0.0"}, {"misbehave", QJsonObject {{"webClosed", true}}}}), {}, 1,
                    "badMask", "0.0.0.0", "timeZone"},
                // Told at the search, then the recorder answers: a later failure is not blamed on it.
                {"cleared once reached", scenarioWith({{"mask", "255.0.255.0"}}),
                    {{"searchCAM", QJsonObject {{"cameras", QJsonArray {QJsonObject {{"camera", 5}}}}}}}, 1, "", "",
                    "searchCAM"},
                {"two links", scenarioWith({{"ip", otherLink}}), {}, 1, "otherLink", otherLink, "searchNVR"},
                {"two links, gone on", scenarioWith({{"ip", otherLink}}), goOn, 1, "otherLink", otherLink,
                    "timeZone"}});
    }
    void causeIsNamed()
    {
        QFETCH(QJsonObject, scenario);
        QFETCH(QJsonObject, answers);
        QFETCH(int, exitCode);
        QFETCH(QString, cause);
        QFETCH(QString, named);
        QFETCH(QString, lastPage);

        SimProcess sim;
        if (!scenario.isEmpty())
            QVERIFY(sim.startScaled(scenario, 0.1));
        answers.insert("password", QJsonObject {{"password", "Str0ngpass1"}});
        answers.insert("timeoutSeconds", 50);
        const HeadlessRun run = HeadlessRun::run(answers, 0.1, 55000);

        QVERIFY2(run.exitCode == exitCode, qPrintable(run.errors));
        const QJsonObject output = run.summaryJson();
        const QJsonArray pages = output.value("pages").toArray();
        QCOMPARE(pages.last().toString(), lastPage);
        // Stopped before anything was sent, and said why.
        if (lastPage == QLatin1String("searchNVR") && !scenario.isEmpty())
            QVERIFY2(output.value("failure").toString().contains("cannot reach"), qPrintable(run.errors));
        if (cause.isEmpty()) {
            QVERIFY2(output.value("diagnosis").isNull(), qPrintable(run.errors));
            return;
        }
        const QJsonObject diagnosis = output.value("diagnosis").toObject();
        QCOMPARE(diagnosis.value("cause").toString(), cause);
        QVERIFY2(diagnosis.value("message").toString().contains(named), qPrintable(run.errors));
        // One line on standard error, however many steps found the same cause.
        QCOMPARE(run.errors.count(QStringLiteral("nvrwizard: diagnosis: ") + cause + ':'), 1);
    }
};

QTEST_GUILESS_MAIN(DiagnosisLabTest)
#include "tst_diagnosislab.moc"
