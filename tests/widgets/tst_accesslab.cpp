// The accessibility audit (nvrshots --audit) of every screen that needs a
// recorder, against simulated recorders and portal in the lab, in EN and RU
// (tst_keyboard audits the other screens in EN, JP and RU).
#include "LabEnv.h"
#include "SimProcess.h"

#include <QJsonArray>
#include <QProcess>
#include <QtTest>

namespace {

// A recorder whose first bay holds a drive whose first format fails; the
// format polls long enough for the screen to catch it under way.
QJsonObject recorderWithDisk()
{
    QJsonObject recorder = SimProcess::recorder(0);
    QJsonArray steps;
    for (int percent = 2; percent <= 100; percent += 2)
        steps.append(percent);
    recorder.insert(QStringLiteral("formatSteps"), steps);
    recorder.insert(QStringLiteral("disks"),
        QJsonArray {
            QJsonObject {{"device", "sda"}, {"model", "ST1000VX005"}, {"product", "Seagate SkyHawk 1TB"},
                {"formatFails", 1}, {"partitions", QJsonArray {QJsonObject {{"capacityMb", 953869}, {"status", 6}}}}},
            QJsonObject {{"device", ""}}});
    return recorder;
}

QJsonObject withPortal(QJsonObject scenario)
{
    scenario.insert(QStringLiteral("portal"),
        QJsonObject {{"accounts",
            QJsonArray {QJsonObject {{"email", "owner@example.com"}, {"password", "pw1"}, {"key", "k1"}}}}});
    return scenario;
}

// The audit's report of these screens, in this order, from one simulator;
// empty when nvrsim or nvrshots failed, with the reason in *error.
QString audit(
    const QJsonObject &scenario, const QString &language, const QStringList &screens, SimProcess &sim, QString *error)
{
    sim.setTimeScale(0.1);
    if (!sim.start(scenario, error))
        return {};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(qEnvironmentVariable("NVR_SHOTS_TOOL"),
        QStringList {QStringLiteral("--lan"), QStringLiteral("--audit"), QStringLiteral("--lang"), language} + screens);
    if (!tool.waitForFinished(120000)) {
        *error = QStringLiteral("nvrshots --audit did not end");
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace

class AccessLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void lanScreensNamedAndReachable_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"EN", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void lanScreensNamedAndReachable()
    {
        QFETCH(QString, language);
        const QString clean = QStringLiteral(" screens, 0 problems");
        QString error;

        // A new recorder: the disk screens while it has no password, the time
        // zone screen gives it one; no cloud first, then the account.
        const QStringList walk {QStringLiteral("search-searching"), QStringLiteral("search-done"),
            QStringLiteral("password-lan"), QStringLiteral("hdd-lan-table"), QStringLiteral("hdd-lan-fail"),
            QStringLiteral("hdd-lan-formatting"), QStringLiteral("timezone-lan"), QStringLiteral("nimbora-lan-form"),
            QStringLiteral("nimbora-lan-skip"), QStringLiteral("nimbora-lan-refused"),
            QStringLiteral("nimbora-lan-terms"), QStringLiteral("summary-lan-nocloud"),
            QStringLiteral("summary-lan-cloud")};
        {
            SimProcess sim;
            const QString report
                = audit(withPortal(SimProcess::scenario({recorderWithDisk()})), language, walk, sim, &error);
            QVERIFY2(report.contains(QString::number(walk.size()) + clean), qPrintable(report + error));
        }
        // A recorder that refuses a wrong password, and one that keeps its
        // zone: alerts over screens the walk covered, so in one language.
        if (language != QLatin1String("EN"))
            return;
        {
            SimProcess sim;
            const QStringList screens {QStringLiteral("password-lan"), QStringLiteral("password-lan-refused")};
            const QString report = audit(SimProcess::scenario({SimProcess::configured(0, QStringLiteral("secret1"))}),
                language, screens, sim, &error);
            QVERIFY2(report.contains(QString::number(screens.size()) + clean), qPrintable(report + error));
        }
        {
            QJsonObject recorder = SimProcess::recorder(0);
            recorder.insert(QStringLiteral("timeZone"), 6);
            recorder.insert(QStringLiteral("timeZoneLocked"), true);
            SimProcess sim;
            const QStringList screens {QStringLiteral("timezone-lan-refused")};
            const QString report = audit(SimProcess::scenario({recorder}), language, screens, sim, &error);
            QVERIFY2(report.contains(QString::number(screens.size()) + clean), qPrintable(report + error));
        }
    }
};

QTEST_GUILESS_MAIN(AccessLabTest)
#include "tst_accesslab.moc"
