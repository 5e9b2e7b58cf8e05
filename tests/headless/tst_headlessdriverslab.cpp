// Each page's headless driver against the simulator: exit code, the line on
// standard error, what the recorder holds after; and the README's example run.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {

const QString kPassword = QStringLiteral("Recorder9");
constexpr int kAnyExit = -2;

QJsonObject camera(int n, const QString &type, const QString &password, const QJsonObject &extra = {})
{
    return SimProcess::merged(SimProcess::camera(n, type, password), extra);
}

// Cameras in each credential state, one refusing what the recorder stored and
// one that stops answering.
QJsonObject withFiveCameras(const QJsonObject &recorder)
{
    return SimProcess::withCameras(recorder,
        {camera(0, "1", "Ix-pass1"), camera(1, "0", QString(), {{"user", ""}, {"adminPassword", "Zb-pass1"}}),
            camera(2, "1", QString()), camera(3, "0", "stale-1", {{"adminPassword", "Zb-pass4"}, {"model", "ZB-3300"}}),
            camera(4, "1", "Ix-pass5", {{"silent", true}, {"model", "47X-IP900"}})});
}

// The answers of a configured recorder's run up to the page named.
QJsonObject answers(const QJsonObject &page)
{
    return SimProcess::merged({{"password", QJsonObject {{"password", kPassword}}}, {"timeoutSeconds", 40}}, page);
}

QJsonObject cameras(const QJsonArray &picks, bool rescan = false)
{
    return answers({{"searchCAM", QJsonObject {{"cameras", picks}, {"rescan", rescan}}}});
}

// A disk of the scenario format in bay 1 whose partition records.
QJsonObject recordingDisk(const QJsonObject &extra = {})
{
    const QJsonObject partition {{"capacityMb", 953869}, {"usedMb", 5000}, {"freeMb", 948869}, {"status", 1}};
    return SimProcess::merged(
        {{"device", "sda"}, {"product", "LabDisk 1TB"}, {"partitions", QJsonArray {partition}}}, extra);
}

// Every file under the home folder.
QStringList filesUnderHome()
{
    QStringList files;
    QDirIterator it(QDir::homePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// The simulator's commands that change something, from its `from`th on:
// "recorder PATH", "camera PATH" or a portal's "PATH".
QStringList changingCommands(const SimProcess &sim, qsizetype from = 0)
{
    QStringList commands;
    const QList<SimLogLine> lines = sim.log(QStringLiteral("changed"));
    for (qsizetype i = from; i < lines.size(); ++i) {
        const SimLogLine &line = lines.at(i);
        const char *target = line.fields.contains("recorder") ? "recorder "
            : line.fields.contains("camera")                  ? "camera "
                                                              : "";
        commands << QLatin1String(target) + line.value("path") + line.value("lan");
    }
    return commands;
}

QByteArray sourceFile(const QString &path)
{
    QFile file(qEnvironmentVariable("NVR_SOURCE_DIR") + QLatin1Char('/') + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class HeadlessDriversLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { NVR_REQUIRE_LAB(); }

    void outcomes_data()
    {
        QTest::addColumn<QJsonArray>("recorders");
        QTest::addColumn<QJsonObject>("answers");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("line"); // on standard error
        QTest::addColumn<QString>("password"); // the first recorder's afterwards, unless empty

        const QJsonObject fresh = SimProcess::recorder(0);
        const QJsonObject known = SimProcess::configured(0, kPassword);
        const QJsonObject reset {{"user", "admin"}, {"password", kPassword}};
        const QJsonObject resetting = SimProcess::merged(known, {{"resetWait", 10}});
        const QJsonObject lockedZone = SimProcess::merged(known, {{"timeZoneLocked", true}});
        const QJsonObject recording = SimProcess::merged(known, {{"disks", QJsonArray {recordingDisk()}}});
        const QJsonObject failingDisk = SimProcess::merged(
            known, {{"disks", QJsonArray {QJsonObject {{"device", "sda"}, {"formatFails", true}}}}});
        const QJsonArray fiveCameras {withFiveCameras(known)};
        const QJsonObject second = SimProcess::recorder(1);
        const QString chosenSecond = "chose 2 " + SimProcess::ipOf(second) + ' ' + SimProcess::macOf(second);

        const auto row = [](const char *name, const QJsonArray &recorders, const QJsonObject &given, int exitCode,
                             const QString &line, const QString &password = QString()) {
            QTest::newRow(name) << recorders << given << exitCode << line << password;
        };
        row("search by IP", QJsonArray {fresh, second},
            QJsonObject {{"searchNVR", QJsonObject {{"recorder", SimProcess::ipOf(second)}}}}, kAnyExit, chosenSecond);
        row("recorder not there", QJsonArray {fresh},
            QJsonObject {{"searchNVR", QJsonObject {{"recorder", "00:1c:27:99:99:99"}}}}, 1,
            "failed: the chosen recorder was not found");
        row("password changed", QJsonArray {known},
            answers({{"password", QJsonObject {{"password", kPassword}, {"newPassword", "new456"}}}}), kAnyExit,
            "recorder's time zone:", "new456");
        row("password breaking a rule resets nothing", QJsonArray {known},
            QJsonObject {{"password", QJsonObject {{"password", "guess#12"}, {"reset", reset}}}}, 1,
            "failed: the password was not taken: Use only letters and digits", kPassword);
        row("reset account refused", QJsonArray {known},
            QJsonObject {{"password",
                QJsonObject {
                    {"password", "guess12"}, {"reset", QJsonObject {{"user", "admin"}, {"password", "guess12"}}}}}},
            1, "failed: the recorder refused the reset account", kPassword);
        row("reset and start afresh", QJsonArray {resetting},
            QJsonObject {{"password", QJsonObject {{"password", "fresh123"}, {"reset", reset}}}}, kAnyExit,
            "resetting the recorder", "fresh123");
        row("several zones match", QJsonArray {known}, answers({{"timeZone", QJsonObject {{"zone", "GMT+05"}}}}), 1,
            "failed: 3 time zones of the recorder match");
        row("no zone matches", QJsonArray {known}, answers({{"timeZone", QJsonObject {{"zone", "Atlantis"}}}}), 1,
            "failed: no time zone of the recorder matches");
        row("recorder keeps its zone", QJsonArray {lockedZone},
            answers({{"timeZone", QJsonObject {{"zone", "Tokyo"}}}}), 1,
            "failed: the recorder did not take the time zone");
        row("empty bay named", QJsonArray {known}, answers({{"hdd", QJsonObject {{"format", QJsonArray {2}}}}}), 1,
            "bay 2 holds no disk the recorder detected");
        row("recording disk named in format is left", QJsonArray {recording},
            answers({{"hdd", QJsonObject {{"format", QJsonArray {1}}}}}), kAnyExit,
            "bay 1 holds recordings: left as it is");
        row("recording disk named in erase is formatted", QJsonArray {recording},
            answers({{"hdd", QJsonObject {{"format", QJsonArray {1}}, {"erase", QJsonArray {1}}}}}), kAnyExit,
            "formatting bays 1");
        row("format fails", QJsonArray {failingDisk}, answers({{"hdd", QJsonObject {{"format", QJsonArray {1}}}}}), 1,
            "the recorder could not format the disks");
        row("camera by MAC with its password", fiveCameras,
            cameras({QJsonObject {{"camera", "00:1C:27:10:00:01"}, {"password", "Zb-pass1"}}}), kAnyExit,
            "picked camera 2 ");
        row("camera given the section's password", fiveCameras,
            answers({{"searchCAM",
                QJsonObject {{"cameras", QJsonArray {QJsonObject {{"camera", 2}}}}, {"password", "Zb-pass1"}}}}),
            kAnyExit, "picked camera 2 ");
        row("unknown camera", fiveCameras, cameras({QJsonObject {{"camera", "nope"}}}), 1,
            "no camera \"nope\" was found");
        row("ambiguous model", fiveCameras, cameras({QJsonObject {{"camera", "47X-IP200"}}}), 1,
            "2 cameras are \"47X-IP200\"");
        row("camera password wrong", fiveCameras,
            cameras({QJsonObject {{"camera", "ZB-2100"}, {"password", "nope-123"}}}), 1,
            "ZB-2100 was not picked: The camera did not accept this password");
        // Each camera is asked only once the one before has answered.
        row("new password, then a known camera", fiveCameras,
            cameras({QJsonObject {{"camera", 3}, {"password", "New-pass3"}}, QJsonObject {{"camera", 1}}}), kAnyExit,
            "picked camera 1 ");
        row("camera without a password given none", fiveCameras, cameras({QJsonObject {{"camera", 2}}}), 1,
            "needs a \"password\"");
        row("stored password refused", fiveCameras, cameras({QJsonObject {{"camera", "ZB-3300"}}}), 1,
            "refuses the password the recorder knows");
        row("rescan drops a picked camera", fiveCameras, cameras({QJsonObject {{"camera", "47X-IP900"}}}, true), 1,
            "47X-IP900 is no longer picked after the new search");
        row("cloud account refused", QJsonArray {known},
            answers({{"nimbora",
                QJsonObject {{"account", "existing"}, {"email", "owner@example.com"}, {"password", "wrong"}}}}),
            1, "the cloud account was refused: Incorrect e-mail or password");
        row("terms not accepted", QJsonArray {known},
            answers(
                {{"nimbora", QJsonObject {{"account", "new"}, {"email", "n@example.com"}, {"password", "Fresh123"}}}}),
            1, "a new cloud account needs \"acceptTerms\": true");
    }
    void outcomes()
    {
        QFETCH(QJsonArray, recorders);
        QFETCH(QJsonObject, answers);
        QFETCH(int, exitCode);
        QFETCH(QString, line);
        QFETCH(QString, password);
        QList<QJsonObject> list;
        for (const QJsonValue &r : recorders)
            list << r.toObject();
        SimProcess sim;
        QVERIFY(sim.startScaled(
            SimProcess::withPortalAccount(SimProcess::scenario(list), "owner@example.com", "cloud-pw1"), 0.1));
        const HeadlessRun run = HeadlessRun::run(answers);
        QVERIFY2(run.errors.contains(line), qPrintable(run.errors.right(800)));
        if (exitCode != kAnyExit)
            QCOMPARE(run.exitCode, exitCode);
        if (!password.isEmpty())
            QCOMPARE(sim.passwordOf(SimProcess::macOf(list.first())), password);
    }

    // A run that fails part-way says what it read and what it changed.
    void partialFailureSaysWhatItChanged()
    {
        const QJsonObject recorder = SimProcess::merged(
            SimProcess::configured(0, kPassword), {{"disks", QJsonArray {recordingDisk({{"formatFails", true}})}}});
        SimProcess sim;
        QVERIFY(sim.startScaled(SimProcess::scenario({recorder}), 0.1));
        const HeadlessRun run = HeadlessRun::run(
            answers({{"timeZone", QJsonObject {{"zone", "Tokyo"}}}, {"hdd", QJsonObject {{"erase", QJsonArray {1}}}}}));
        QCOMPARE(run.exitCode, 1);
        const QJsonObject failed = run.summaryJson();
        QCOMPARE(failed.value("ip").toString(), SimProcess::ipOf(recorder));
        QVERIFY2(failed.value("zone").toString().contains("Tokyo"), qPrintable(run.summary));
        QCOMPARE(failed.value("disks")[0]["status"].toString(), QStringLiteral("Recording"));
        QCOMPARE(failed.value("changed").toArray(), (QJsonArray {"timeZone", "hdd"}));
        QVERIFY(failed.value("channels").isNull() && failed.value("files").isNull());
    }

    // Each sub-page of the guide takes one action: Next, Back, Back is the
    // welcome page again.
    void guideTakesOneActionPerSubPage()
    {
        SimProcess sim;
        QVERIFY(sim.start(SimProcess::scenario({SimProcess::recorder(0)})));
        const HeadlessRun run
            = HeadlessRun::run({{"install", QJsonObject {{"actions", QJsonArray {"next", "back", "back"}}}}});
        QCOMPARE(run.errors.count(QStringLiteral("page welcome")), 2);
        QCOMPARE(run.errors.count(QStringLiteral("page install")), 2);
    }

    // The answers file the README names, against the simulator's demo
    // scenario, with a standard output that Python's JSON reader takes.
    void readmeExampleReachesTheSummary()
    {
        const QString answers = QStringLiteral("docs/demo-answers.json");
        QVERIFY(sourceFile(QStringLiteral("README.md")).contains("scripts/run.sh --headless " + answers.toUtf8()));
        SimProcess sim;
        QVERIFY(sim.startScaled(
            QJsonDocument::fromJson(sourceFile(QStringLiteral("sim/scenarios/demo.json"))).object(), 0.1));
        const QString path = qEnvironmentVariable("NVR_SOURCE_DIR") + QLatin1Char('/') + answers;

        // A survey first: what the run would change, and nothing changed or written.
        const QStringList homeBefore = filesUnderHome();
        const HeadlessRun check = HeadlessRun::command({"--headless", path, "--check"}, {}, 0.1, 60000);
        QVERIFY2(check.exitCode == 3, qPrintable(check.errors));
        QStringList surveyed;
        for (const QJsonValue &found : check.summaryJson().value("wouldChange").toArray())
            surveyed << found["step"].toString();
        surveyed.removeDuplicates();
        QCOMPARE(surveyed, (QStringList {"password", "timeZone", "hdd", "searchCAM"}));
        QCOMPARE(changingCommands(sim), QStringList());
        QCOMPARE(filesUnderHome(), homeBefore);

        const HeadlessRun run = HeadlessRun::runFile(path, 0.1, 60000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QProcess reader;
        reader.start(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("json.tool")});
        reader.write(run.summary.toUtf8());
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(10000));
        QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
        const QJsonObject summary = run.summaryJson();
        QCOMPARE(summary.value("counter").toString(), QStringLiteral("10/10"));
        QCOMPARE(summary.value("steps")["searchNVR"]["mac"].toString(), QStringLiteral("00:1c:27:00:00:01"));
        QCOMPARE(summary.value("steps")["searchCAM"]["channels"].toArray().at(1).toString(), QStringLiteral("ZB-3200"));
        QCOMPARE(summary.value("changed").toArray(), (QJsonArray {"password", "timeZone", "hdd", "searchCAM"}));

        // Again: the recorder is as the answers describe it, and only the
        // channels are written again. The camera given a password above is
        // still listed without one, so the rerun picks cameras the recorder knows.
        const qsizetype before = sim.log(QStringLiteral("changed")).size();
        const QJsonObject rerun = SimProcess::merged(QJsonDocument::fromJson(sourceFile(answers)).object(),
            {{"searchCAM", QJsonObject {{"cameras", QJsonArray {QJsonObject {{"camera", 1}}}}}}});
        const HeadlessRun again = HeadlessRun::run(rerun, 0.1, 60000);
        QVERIFY2(again.exitCode == 0, qPrintable(again.errors.right(500)));
        QCOMPARE(again.summaryJson().value("changed").toArray(), QJsonArray {"searchCAM"});
        for (const QString &command : changingCommands(sim, before))
            QVERIFY2(command.endsWith("avdev") || command.endsWith("/manrecord"), qPrintable(command));
    }
};

QTEST_GUILESS_MAIN(HeadlessDriversLabTest)
#include "tst_headlessdriverslab.moc"
