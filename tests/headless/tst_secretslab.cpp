// The whole setup without a window against the lab's recorder, cameras and
// portal, in a home of its own, then the launcher from the desktop copy: no
// password or cloud key, as typed or as sent to a peer, is in anything they
// printed or left, nor in the setup report (read back by pdftotext).
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SecretScan.h"
#include "SimProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Distinctive, so that nothing else in a log or file can hold them by chance;
// the camera ones carry characters that URLs and forms escape.
const QString kAdmin = QStringLiteral("Adm1nQz7Kx");
const QString kCameraKnown = QStringLiteral("CkKnown#Qz1");
const QString kZeborVerified = QStringLiteral("ZbVerify&Qz2");
const QString k47xVerified = QStringLiteral("IxVerify#Qz3");
const QString kZeborNew = QStringLiteral("ZbNew+Qz4");
const QString k47xNew = QStringLiteral("IxNew#Qz5+");
const QString kCloud = QStringLiteral("CloudQz6Pw");
const QString kCloudKey = QStringLiteral("KeyQz7Cookie");
const QString kEmail = QStringLiteral("owner@example.com");

QJsonObject camera(int n, const QString &type, const QString &reported, const QString &own)
{
    // A camera whose password the recorder does not know reports no user.
    const QJsonObject user = reported.isEmpty() && !own.isEmpty() ? QJsonObject {{"user", ""}} : QJsonObject();
    return SimProcess::merged(
        SimProcess::camera(n, type, reported), SimProcess::merged(user, {{"adminPassword", own}}));
}

QJsonObject pick(const QJsonObject &camera, const QString &password = QString())
{
    QJsonObject entry {{QStringLiteral("camera"), camera.value(QStringLiteral("ip"))}};
    if (!password.isEmpty())
        entry.insert(QStringLiteral("password"), password);
    return entry;
}

} // namespace

class SecretsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { NVR_REQUIRE_LAB(); }

    void noSecretLeftBehind()
    {
        const QList<QJsonObject> cameras {camera(0, QStringLiteral("1"), kCameraKnown, kCameraKnown),
            camera(1, QStringLiteral("0"), QString(), kZeborVerified),
            camera(2, QStringLiteral("1"), QString(), k47xVerified),
            camera(3, QStringLiteral("0"), QString(), QString()), camera(4, QStringLiteral("1"), QString(), QString())};
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::recorder(0), cameras);
        QJsonObject scenario = SimProcess::scenario({recorder});
        scenario.insert(QStringLiteral("portal"),
            QJsonObject {
                {"accounts", QJsonArray {QJsonObject {{"email", kEmail}, {"password", kCloud}, {"key", kCloudKey}}}}});
        SimProcess sim;
        QVERIFY(sim.startScaled(scenario, 0.1));

        QTemporaryDir root;
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
        qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
        qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toUtf8());
        // Every diagnostic line on standard error too, where the scan reads it.
        qputenv("NVRWIZARD_LOG_STDERR", "1");
        const QString report = home + QStringLiteral("/report.pdf");
        const QJsonObject answers {{"password", QJsonObject {{"password", kAdmin}}},
            {"hdd", QJsonObject {{"format", QJsonArray {1}}}},
            {"searchCAM",
                QJsonObject {{"cameras",
                    QJsonArray {pick(cameras[0]), pick(cameras[1], kZeborVerified), pick(cameras[2], k47xVerified),
                        pick(cameras[3], kZeborNew), pick(cameras[4], k47xNew)}}}},
            {"nimbora", QJsonObject {{"account", "existing"}, {"email", kEmail}, {"password", kCloud}}},
            {"summary", QJsonObject {{"report", report}}}, {"timeoutSeconds", 120}};
        const HeadlessRun run = HeadlessRun::run(answers, 0.1, 120000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QJsonObject summary = run.summaryJson();
        QCOMPARE(summary.value("counter").toString(), QStringLiteral("10/10"));
        const QJsonArray pages = summary.value("pages").toArray();
        QCOMPARE(pages.first().toString() + ' ' + pages.last().toString(), QStringLiteral("welcome summary"));
        QVERIFY2(pages.contains(QStringLiteral("searchCAM")) && pages.contains(QStringLiteral("nimbora")),
            qPrintable(run.summary));
        QCOMPARE(
            summary.value("steps")["nimbora"].toObject(), (QJsonObject {{"outcome", "registered"}, {"email", kEmail}}));
        QCOMPARE(summary.value("summaryInfo").toArray().at(1).toString(), kEmail);
        QCOMPARE(
            summary.value("steps")["searchCAM"]["channels"].toArray().at(4).toString(), QStringLiteral("47X-IP200"));
        // What the camera search found, with what is known of each password.
        const QJsonArray found = summary.value("steps")["searchCAM"]["found"].toArray();
        QCOMPARE(found.size(), 5);
        QCOMPARE(found.at(0)["password"].toString() + ' ' + found.at(1)["password"].toString() + ' '
                + found.at(3)["password"].toString(),
            QStringLiteral("known unknown none"));
        QVERIFY(summary.value("recordingStarted").toBool());
        const QJsonObject files = summary.value("files").toObject();
        const QString shortcut = home + QStringLiteral("/Desktop/HRX-540A(10000001)");
        QCOMPARE(files.value("desktopCopy").toString(), shortcut + QStringLiteral(".app"));
        QCOMPARE(files.value("desktopEntry").toString(), shortcut + QStringLiteral(".desktop"));
        QCOMPARE(files.value("propertyList").toString(),
            home + QStringLiteral("/Library/Application Support/SetupWizard 540/nimboraInfo(10000001).plist"));
        QVERIFY(files.value("bookmarks").isNull() && files.value("errors").toArray().isEmpty());
        // The secrets did reach the peers, so the run carried them all.
        const QString mac = SimProcess::macOf(recorder);
        QCOMPARE(sim.passwordOf(mac), kAdmin);
        QCOMPARE(sim.cameraStateOf(SimProcess::ipOf(cameras[3])).value("adminPassword").toString(), kZeborNew);
        QCOMPARE(sim.cameraStateOf(SimProcess::ipOf(cameras[4])).value("adminPassword").toString(), k47xNew);
        QCOMPARE(sim.stateOf(mac).value("registration")["email"].toString(), kEmail);
        QVERIFY(sim.stateOf(mac).value("recording").toBool());
        QCOMPARE(sim.stateOf(mac).value("channels")[0]["password"].toString(), kCameraKnown);
        QVERIFY2(run.errors.contains(QLatin1String("setupview::getPassword")), "no diagnostic line was printed");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {report, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString reportText = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
        const QJsonObject steps = summary.value("steps").toObject();
        const QString number = QFileInfo(files.value("propertyList").toString()).completeBaseName();
        for (const QString &expected : {mac, QStringLiteral("admin"), steps["timeZone"]["zone"].toString(),
                 steps["hdd"]["disks"][0]["product"].toString(), SimProcess::ipOf(cameras[4]), kEmail,
                 number.mid(number.indexOf('(') + 1).chopped(1), QStringLiteral("Installer's signature")})
            QVERIFY2(
                reportText.contains(expected.simplified()), qPrintable(expected + QStringLiteral(" in ") + reportText));

        // The launcher, as the user starts it later; its log goes to Documents.
        const QString copy = files.value("desktopCopy").toString();
        QVERIFY2(QFileInfo(copy).isDir(), qPrintable(copy));
        QProcess launcher;
        launcher.start(copy + QStringLiteral("/Contents/MacOS/HRX260A"), {});
        QVERIFY(launcher.waitForFinished(30000));
        QCOMPARE(launcher.exitCode(), 0);
        QVERIFY(QFileInfo::exists(home + QStringLiteral("/Documents/setupwizarderror.txt")));

        SecretScan scan;
        for (const auto &[what, secret] :
            std::initializer_list<std::pair<const char *, QString>> {{"administrator password", kAdmin},
                {"known camera password", kCameraKnown}, {"ZEBOR camera password", kZeborVerified},
                {"47X camera password", k47xVerified}, {"new ZEBOR camera password", kZeborNew},
                {"new 47X camera password", k47xNew}, {"cloud password", kCloud}, {"cloud key", kCloudKey}})
            scan.add(QString::fromLatin1(what), secret);
        // The scan finds what is there: the answers hold the six passwords typed.
        QCOMPARE(scan.findIn(QStringLiteral("answers"), QJsonDocument(answers).toJson()).size(), 6);

        QStringList leaks = scan.findIn(QStringLiteral("standard output"), run.summary.toUtf8());
        leaks += scan.findIn(QStringLiteral("standard error"), run.errors.toUtf8());
        leaks += scan.findIn(QStringLiteral("launcher output"), launcher.readAll());
        leaks += scan.findIn(QStringLiteral("report"), reportText.toUtf8());
        leaks += scan.findUnder(home);
        QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(SecretsLabTest)
#include "tst_secretslab.moc"
