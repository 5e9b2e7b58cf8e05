// The headless driver of the camera step against a simulated recorder and
// cameras in the network lab: it picks the cameras the answers name, answers
// their password dialogs, and ends with the window's message when a camera
// cannot be picked; a whole run writes the recorder's channels.
#include "../steps/StepsFixture.h"
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_SearchCamView.h"

#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;
const QString kZebor = QStringLiteral("0");
const QString k47x = QStringLiteral("1");

struct PageCalls : SetupStepDelegate
{
    QString cams;
    void setupSearchCamNext(const QString &selected) override { cams = selected; }
    void skipNimboraNext(const QString &selected) override { cams = selected; }
};

QJsonObject camera(int n, const QString &type, const QString &user, const QString &password, const QJsonObject &extra)
{
    QJsonObject c = SimProcess::camera(n, type, password);
    c.insert(QStringLiteral("user"), user);
    for (auto it = extra.begin(); it != extra.end(); ++it)
        c.insert(it.key(), it.value());
    return c;
}

// One camera in each credential state: known, password unknown, no password.
QList<QJsonObject> threeCameras()
{
    return {camera(0, k47x, "admin", "Ix-pass1", {}),
        camera(1, kZebor, QString(), QString(), {{"adminPassword", "Zb-pass1"}}),
        camera(2, k47x, "admin", QString(), {})};
}

QJsonObject pick(const QJsonValue &which, const QString &password = QString())
{
    QJsonObject entry {{QStringLiteral("camera"), which}};
    if (!password.isNull())
        entry.insert(QStringLiteral("password"), password);
    return entry;
}

} // namespace

class HeadlessCamerasLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setDurations(Durations().scaled(0.05)); }
    void init()
    {
        NVR_REQUIRE_LAB();
        qputenv("NVRWIZARD_PROBE_HOST", qgetenv("NVRLAB_OFFLINE_HOST"));
    }

    void drivesTheStep_data()
    {
        QTest::addColumn<QJsonArray>("cameras");
        QTest::addColumn<bool>("rescan");
        QTest::addColumn<QString>("outcome"); // the selected-camera string, or the failure
        const QJsonArray all {pick(1), pick("00:1C:27:10:00:01", "Zb-pass1"), pick("192.0.2.102", "New#pw+1")};
        QTest::newRow("one of each") << all << false << "47X-IP200:ZB-2100:47X-IP200:none:none:none:none:none:none";
        QTest::newRow("none") << QJsonArray {} << false << "none:none:none:none:none:none:none:none:none";
        QTest::newRow("wrong password") << QJsonArray {pick("ZB-2100", "nope-123")} << false
                                        << "camera 2 192.0.2.101 00:1c:27:10:00:01 ZB-2100 was not picked: Invalid "
                                           "password.";
        QTest::newRow("short new password")
            << QJsonArray {pick(3, "abc")} << false << "was not picked: Password not set";
        QTest::newRow("no password given") << QJsonArray {pick(2)} << false << "needs a \"password\"";
        QTest::newRow("unknown camera") << QJsonArray {pick("nope")} << false << "no camera \"nope\" was found";
        QTest::newRow("ambiguous model") << QJsonArray {pick("47X-IP200")} << false << "2 cameras are \"47X-IP200\"";
        QTest::newRow("stored password refused")
            << QJsonArray {pick("ZB-3300")} << false << "refuses the password the recorder knows";
        QTest::newRow("stored password refused, given")
            << QJsonArray {pick("ZB-3300", "Zb-pass4")} << false << "ZB-3300:none:none:none:none:none:none:none:none";
        QTest::newRow("rescan") << QJsonArray {pick(2, "Zb-pass1")} << true
                                << "ZB-2100:none:none:none:none:none:none:none:none";
        QTest::newRow("rescan drops a camera") << QJsonArray {pick("47X-IP900")} << true
                                               << "camera 5 192.0.2.104 00:1c:27:10:00:04 47X-IP900 is no longer "
                                                  "picked after the new search";
    }
    void drivesTheStep()
    {
        QFETCH(QJsonArray, cameras);
        QFETCH(bool, rescan);
        QFETCH(QString, outcome);
        SimProcess sim;
        sim.setTimeScale(0.05);
        // Besides: a camera that refuses what the recorder reports, and one that does not answer.
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::configured(0, "Recorder9"),
            threeCameras() << camera(
                3, kZebor, "admin", "stale-1", {{"adminPassword", "Zb-pass4"}, {"model", "ZB-3300"}})
                           << camera(4, k47x, "admin", "Ix-pass5", {{"silent", true}, {"model", "47X-IP900"}}));
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        StepsFixture f(StepsFixture::Entries {{"SetupCam PwdError", "Password not set"}});
        const QJsonObject answers {{QStringLiteral("cameras"), cameras}, {QStringLiteral("rescan"), rescan}};
        HeadlessSession session({{Setup_SearchCamView::kPageKey, answers}}, f.modal);
        HeadlessDrivers drivers;
        addAllHeadlessDrivers(drivers);
        const HeadlessDriver *driver = drivers.find(Setup_SearchCamView::kPageKey);
        QVERIFY(driver && driver->validate(answers).isEmpty());
        Setup_SearchCamView step(*f.context);
        PageCalls page;
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), QStringLiteral("Recorder9"));
        step.viewDidAppear();
        QString failure;
        connect(&session, &HeadlessSession::finished, this, [&] { failure = QStringLiteral("failed"); });
        driver->drive(step, session);
        QVERIFY(QTest::qWaitFor([&] { return session.isFinished() || !page.cams.isEmpty(); }, kWaitMs));
        if (outcome.contains(QLatin1Char(':')) && !outcome.contains(QLatin1Char(' '))) {
            QVERIFY(!session.isFinished());
            QCOMPARE(page.cams, outcome);
            QTRY_VERIFY_WITH_TIMEOUT(session.steps().contains(Setup_SearchCamView::kPageKey), kWaitMs);
            const QJsonObject record = session.steps().value(Setup_SearchCamView::kPageKey).toObject();
            const QJsonArray found = record.value("found").toArray();
            QCOMPARE(found.size(), 5);
            // After a rescan, what it found: the picked camera's password is known.
            QCOMPARE(found.at(1).toObject().value("password").toString(), rescan ? "known" : "unknown");
            QCOMPARE(record.value("cloud").toBool(), false);
            QCOMPARE(record.value("channels").toArray().size(), 9);
        } else {
            QCOMPARE(session.exitCode(), 1);
            QVERIFY2(session.failure().contains(outcome), qPrintable(session.failure()));
            QVERIFY(page.cams.isEmpty());
        }
    }

    // The whole run, from the search to the summary, offline so the cloud
    // step is skipped: the recorder's channels 0 to 2 hold the three cameras
    // with their credentials as the recorder decodes them, 3 to 8 are empty,
    // and the camera without a password now has the new one.
    void wholeRunWritesTheChannels()
    {
        SimProcess sim;
        sim.setTimeScale(0.1);
        const QList<QJsonObject> cameras = threeCameras();
        const QJsonObject recorder = SimProcess::withCameras(SimProcess::recorder(0), cameras);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
        const QJsonArray picks {pick(SimProcess::ipOf(cameras.at(0))), pick(2, "Zb-pass1"), pick(3, "New#pw+1")};
        const HeadlessRun run = HeadlessRun::run({{"password", QJsonObject {{"password", "Str0ngpass1"}}},
            {"searchCAM", QJsonObject {{"cameras", picks}}}, {"timeoutSeconds", 40}});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QJsonObject record = run.summaryJson().value("steps").toObject().value("searchCAM").toObject();
        QCOMPARE(record.value("channels").toArray(),
            (QJsonArray {"47X-IP200", "ZB-2100", "47X-IP200", QJsonValue(), QJsonValue(), QJsonValue(), QJsonValue(),
                QJsonValue(), QJsonValue()}));
        QCOMPARE(record.value("cloud").toBool(true), false);
        const QJsonArray found = record.value("found").toArray();
        QCOMPARE(found.at(0).toObject().value("password").toString(), QStringLiteral("known"));
        QCOMPARE(found.at(1).toObject().value("password").toString(), QStringLiteral("unknown"));
        QCOMPARE(found.at(2).toObject().value("password").toString(), QStringLiteral("none"));
        QVERIFY2(!run.summary.contains(QStringLiteral("Zb-pass1")) && !run.errors.contains(QStringLiteral("New#pw+1")),
            "a camera password reached the output");

        const QJsonArray channels = sim.stateOf(SimProcess::macOf(recorder)).value("channels").toArray();
        const QStringList passwords {"Ix-pass1", "Zb-pass1", "New#pw+1"};
        for (int n = 0; n < 3; ++n) {
            const QJsonObject channel = channels.at(n).toObject();
            QCOMPARE(channel.value("host").toString(), SimProcess::ipOf(cameras.at(n)));
            QCOMPARE(channel.value("account").toString(), QStringLiteral("admin"));
            QCOMPARE(channel.value("password").toString(), passwords.at(n));
        }
        for (int n = 3; n < 9; ++n)
            QVERIFY(!channels.at(n).toObject().value("used").toBool());
        QCOMPARE(sim.cameraStateOf(SimProcess::ipOf(cameras.at(2))).value("adminPassword").toString(),
            QStringLiteral("New#pw+1"));
    }
};

QTEST_GUILESS_MAIN(HeadlessCamerasLabTest)
#include "tst_headlesscameraslab.moc"
