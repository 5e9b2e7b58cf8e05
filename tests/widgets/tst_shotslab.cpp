// The steps' screens of nvrshots under Xvfb against the lab's simulated peers,
// and their audit; ctest runs each area's slot as a test of its own.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"
#include "tests/support/DataRows.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {

// The simulator at a tenth of the real waits.
constexpr double kSimScale = 0.1;

// The screens audited (nvrshots --audit) against the scenario played afresh,
// as rendering them may have changed the recorder; empty when clean.
QString auditAfresh(SimProcess &sim, const QJsonObject &scenario, const QStringList &screens,
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment())
{
    sim.stop();
    if (!sim.startScaled(scenario, kSimScale))
        return QStringLiteral("the simulator did not start again");
    env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(qEnvironmentVariable("NVR_SHOTS_TOOL"),
        QStringList {QStringLiteral("--lan"), QStringLiteral("--audit"), QStringLiteral("--lang"),
            qEnvironmentVariable("NVR_SHOTS_LANG", QStringLiteral("EN"))}
            + screens);
    if (!tool.waitForFinished(120000))
        return QStringLiteral("nvrshots --audit did not end");
    const QString report = QString::fromUtf8(tool.readAllStandardOutput());
    const bool clean = tool.exitCode() == 0
        && report.contains(QString::number(screens.size()) + QStringLiteral(" screens, 0 problems"));
    return clean ? QString() : report;
}

// The system environment with name set to value, when there is one.
QProcessEnvironment envWith(const QString &name, const QString &value)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!value.isEmpty())
        env.insert(name, value);
    return env;
}

// The screens of a scenario played in the simulator, rendered into folder
// (the row's tag when none) and, when asked, audited; empty when clean.
QString shotsOf(const QJsonObject &scenario, const QStringList &screens, bool audit = true, QString folder = {},
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    SimProcess sim;
    if (!sim.startScaled(scenario, kSimScale))
        return QStringLiteral("the simulator did not start");
    if (folder.isEmpty())
        folder = QString::fromLatin1(QTest::currentDataTag());
    const QString problem = renderLabShots(folder, screens, env);
    return problem.isEmpty() && audit ? auditAfresh(sim, scenario, screens, env) : problem;
}

// The recorders of a scenario file in sim/scenarios.
QList<QJsonObject> scenarioRecorders(const QString &name)
{
    QFile file(qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/sim/scenarios/") + name);
    QList<QJsonObject> recorders;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QJsonValue &recorder :
            QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("recorders")).toArray())
            recorders << recorder.toObject();
    }
    return recorders;
}

} // namespace

class ShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    // The search: two recorders, and none.
    void searchScreens_data()
    {
        rows<QList<QJsonObject>>({"recorders"},
            {{"two-recorders", {SimProcess::recorder(0), SimProcess::recorder(1)}},
                {"no-recorder", {SimProcess::misbehaving(0, {{"silent", true}})}}});
    }
    void searchScreens()
    {
        QFETCH(QList<QJsonObject>, recorders);
        const QString problem = shotsOf(
            SimProcess::scenario(recorders), {QStringLiteral("search-searching"), QStringLiteral("search-done")});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Why a recorder cannot be reached: on another subnet (and the question
    // before going on), link-local, none found, its HTTPS port closed (with
    // "Try again").
    void diagnosisScreens_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void diagnosisScreens()
    {
        QFETCH(QString, language);
        qputenv("NVR_SHOTS_LANG", language.toLatin1());
        QString problem = shotsOf(
            SimProcess::scenario(scenarioRecorders("other-subnet.json") + scenarioRecorders("link-local.json")),
            {QStringLiteral("search-done"), QStringLiteral("search-second-row"),
                QStringLiteral("search-ask-unreachable")},
            false, "diagnosis-found");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = renderLabShots(QStringLiteral("diagnosis-none"), {QStringLiteral("search-done")});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = shotsOf(SimProcess::scenario(scenarioRecorders("https-closed.json")),
            {QStringLiteral("timezone-lan-unreachable")}, false, "diagnosis-https");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The password step: a recorder in its factory state, one holding a password.
    void passwordScreens_data()
    {
        QTest::addColumn<QJsonObject>("recorder");
        QTest::addColumn<QStringList>("screens");
        QTest::newRow("factory") << SimProcess::recorder(0) << QStringList {QStringLiteral("password-lan")};
        QTest::newRow("configured") << SimProcess::configured(0, QStringLiteral("secret1"))
                                    << QStringList {
                                           QStringLiteral("password-lan"), QStringLiteral("password-lan-refused")};
    }
    void passwordScreens()
    {
        QFETCH(QJsonObject, recorder);
        QFETCH(QStringList, screens);
        const QString problem = shotsOf(SimProcess::scenario({recorder}), screens);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The time zone step: the recorder's zone read, and a zone it does not take.
    void timeZoneScreens_data()
    {
        rows<bool, QString>(
            {"locked", "screen"}, {{"loaded", false, "timezone-lan"}, {"refused", true, "timezone-lan-refused"}});
    }
    void timeZoneScreens()
    {
        QFETCH(bool, locked);
        QFETCH(QString, screen);
        const QJsonObject recorder
            = SimProcess::merged(SimProcess::recorder(0), {{"timeZone", 6}, {"timeZoneLocked", locked}});
        const QString problem = shotsOf(SimProcess::scenario({recorder}), {screen}, true, {},
            envWith(QStringLiteral("TZ"), QStringLiteral("Asia/Taipei")));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The hard-disk step: the bays, a format under way, a format that failed.
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
        // Bay 1 holds a drive; polls long enough to catch the format under way.
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
        const QString problem = shotsOf(SimProcess::scenario({recorder}), screens);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The cloud step and the summary with and without cloud, audited in EN and RU.
    void nimboraScreens_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scale");
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language) << QString();
        QTest::newRow("RU@2x") << QStringLiteral("RU") << QStringLiteral("2");
    }
    void nimboraScreens()
    {
        QFETCH(QString, language);
        QFETCH(QString, scale);
        const QJsonObject scenario = SimProcess::withPortalAccount(SimProcess::scenario({SimProcess::recorder(0)}),
            QStringLiteral("owner@example.com"), QStringLiteral("pw1"));
        const QStringList screens {QStringLiteral("nimbora-lan-form"), QStringLiteral("nimbora-lan-skip"),
            QStringLiteral("nimbora-lan-refused"), QStringLiteral("nimbora-lan-terms"),
            // Without cloud first: the other registers the recorder.
            QStringLiteral("summary-lan-nocloud"), QStringLiteral("summary-lan-cloud")};
        qputenv("NVR_SHOTS_LANG", language.toLatin1());
        const QString problem = shotsOf(scenario, screens, scale.isEmpty() && language != QLatin1String("JP"),
            scale.isEmpty() ? QStringLiteral("nimbora") : QStringLiteral("nimbora@2x"),
            envWith(QStringLiteral("QT_SCALE_FACTOR"), scale));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The camera step: picks, the password dialog, a preview, none found.
    void cameraScreens_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("cameras");
        QTest::addColumn<QStringList>("screens");
        const QStringList found {"camera-lan-list", "camera-lan-verify", "camera-lan-preview"};
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language) << QString() << true << found;
        QTest::newRow("RU@2x") << QStringLiteral("RU") << QStringLiteral("2") << true << found;
        QTest::newRow("EN none") << "EN" << QString() << false << QStringList {"camera-lan-none"};
    }
    void cameraScreens()
    {
        QFETCH(QString, language);
        QFETCH(QString, scale);
        QFETCH(bool, cameras);
        QFETCH(QStringList, screens);
        // Twelve cameras: one with an unknown password, one without any.
        QList<QJsonObject> list;
        for (int n = 0; cameras && n < 12; ++n) {
            QJsonObject camera = SimProcess::camera(n, n % 3 ? QStringLiteral("1") : QStringLiteral("0"),
                n == 11 ? QString() : QStringLiteral("cam-pw%1").arg(n));
            if (n == 4)
                camera.insert(QStringLiteral("user"), QString());
            list << camera;
        }
        const QJsonObject scenario = SimProcess::scenario({SimProcess::withCameras(SimProcess::recorder(0), list)});
        SimProcess sim;
        QVERIFY(sim.startScaled(scenario, kSimScale));
        qputenv("NVR_SHOTS_LANG", language.toLatin1());
        const QProcessEnvironment env = envWith(QStringLiteral("QT_SCALE_FACTOR"), scale);
        const QString folder = scale.isEmpty() ? QStringLiteral("cameras") : QStringLiteral("cameras@2x");
        const QString problem = renderLabShots(cameras ? folder : QStringLiteral("no-camera"), screens, env);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The preview showed a camera's own image.
        bool image = false;
        for (const SimLogLine &line : sim.log(QStringLiteral("cam")))
            image = image || (line.value("status") == QLatin1String("200") && line.value("req").contains("image"));
        QCOMPARE(image, cameras);
        if (language == QLatin1String("EN") && scale.isEmpty()) {
            const QString audit = auditAfresh(sim, scenario, screens, env);
            QVERIFY2(audit.isEmpty(), qPrintable(audit));
        }
    }
};

QTEST_GUILESS_MAIN(ShotsLabTest)
#include "tst_shotslab.moc"
