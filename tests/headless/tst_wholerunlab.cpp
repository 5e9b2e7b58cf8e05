// The whole setup without a window, from the welcome page to the summary,
// against a simulated recorder and portal in the network lab, under a home
// folder of its own; then the launcher the summary left on the desktop,
// started as its desktop entry starts it, opens the recorder's cloud page
// through the xdg-open first on PATH (a recording one). Runs under Xvfb.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "RecordingXdgOpen.h"
#include "SimProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kNumber = QStringLiteral("10000001");
const QString kCloudPage = QStringLiteral("https://portal.nimbora.example/device#10000001?lang=EN");

// The Exec line of a desktop entry, its quoting undone.
QStringList execOf(const QString &entry)
{
    QFile file(entry);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Exec=")))
            return QProcess::splitCommand(line.mid(5).replace(QLatin1String("\\\\"), QLatin1String("\\")));
    }
    return {};
}

} // namespace

class WholeRunLabTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;
    QString home;

    QString recordFile() const { return root.filePath(QStringLiteral("opened")); }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        QVERIFY(writeRecordingXdgOpen(root.filePath(QStringLiteral("bin"))));
    }

    void fromWelcomeToTheCloudPage()
    {
        SimProcess sim;
        sim.setTimeScale(0.1);
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::recorder(0),
            {SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1")),
                SimProcess::camera(1, QStringLiteral("0"), QString())});
        const QJsonObject scenario = SimProcess::withPortalAccount(
            SimProcess::scenario({recorder}), QStringLiteral("owner@example.com"), QStringLiteral("Cloud-pw1"));
        QString error;
        QVERIFY2(sim.start(scenario, &error), qPrintable(error));

        // The run's own home: the desktop copy, property list and log land there.
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
        const HeadlessRun run = HeadlessRun::run(
            {{"password", QJsonObject {{"password", "Str0ngpass1"}}}, {"hdd", QJsonObject {{"format", QJsonArray {1}}}},
                {"searchCAM", QJsonObject {{"cameras", QJsonArray {QJsonObject {{"camera", 1}}}}}},
                {"nimbora",
                    QJsonObject {{"account", "existing"}, {"email", "owner@example.com"}, {"password", "Cloud-pw1"}}},
                {"timeoutSeconds", 60}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QJsonObject summary = run.summaryJson();
        QCOMPARE(summary.value("counter").toString(), QStringLiteral("10/10"));
        const QJsonArray pages = summary.value("pages").toArray();
        QCOMPARE(pages.first().toString(), QStringLiteral("welcome"));
        QCOMPARE(pages.last().toString(), QStringLiteral("summary"));
        QVERIFY2(pages.contains(QStringLiteral("searchCAM")) && pages.contains(QStringLiteral("nimbora")),
            qPrintable(run.summary));
        QCOMPARE(
            summary.value("steps")["searchCAM"]["channels"].toArray().first().toString(), QStringLiteral("47X-IP200"));
        // What the camera search found, with what is known of each password.
        const QJsonArray found = summary.value("steps")["searchCAM"]["found"].toArray();
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.at(0)["password"].toString(), QStringLiteral("known"));
        QCOMPARE(found.at(1)["password"].toString(), QStringLiteral("none"));
        QCOMPARE(summary.value("summaryInfo").toArray().at(1).toString(), QStringLiteral("owner@example.com"));
        QCOMPARE(summary.value("steps")["nimbora"].toObject(),
            (QJsonObject {{"outcome", "registered"}, {"email", "owner@example.com"}}));
        QVERIFY(summary.value("recordingStarted").toBool());
        const QJsonObject files = summary.value("files").toObject();
        const QString copy = home + QStringLiteral("/Desktop/HRX-540A(%1).app").arg(kNumber);
        QCOMPARE(files.value("desktopCopy").toString(), copy);
        QCOMPARE(files.value("desktopEntry").toString(),
            home + QStringLiteral("/Desktop/HRX-540A(%1).desktop").arg(kNumber));
        QCOMPARE(files.value("propertyList").toString(),
            home + QStringLiteral("/Library/Application Support/SetupWizard 540/nimboraInfo(%1).plist").arg(kNumber));
        QVERIFY(files.value("bookmarks").isNull());
        QVERIFY(files.value("errors").toArray().isEmpty());
        // The recorder was registered and holds the account.
        const QJsonObject state = sim.stateOf(SimProcess::macOf(recorder));
        QCOMPARE(state.value("registration")["email"].toString(), QStringLiteral("owner@example.com"));
        QVERIFY(state.value("recording").toBool());
        QCOMPARE(state.value("channels")[0]["password"].toString(), QStringLiteral("Ix-pass1"));

        // Later, the user double-clicks the shortcut.
        const QStringList exec = execOf(files.value("desktopEntry").toString());
        QCOMPARE(exec, QStringList {copy + QStringLiteral("/Contents/MacOS/HRX260A")});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"),
            root.filePath(QStringLiteral("bin")) + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
        env.insert(QStringLiteral("RECORD"), recordFile());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess launcher;
        launcher.setProcessEnvironment(env);
        launcher.start(exec.first(), exec.mid(1));
        QVERIFY(launcher.waitForFinished(30000));
        QCOMPARE(launcher.exitCode(), 0);
        QFile record(recordFile());
        QVERIFY(QTest::qWaitFor([&record] { return record.size() > 0; }, 10000));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(record.readAll()).trimmed(), kCloudPage);
    }
};

QTEST_GUILESS_MAIN(WholeRunLabTest)
#include "tst_wholerunlab.moc"
