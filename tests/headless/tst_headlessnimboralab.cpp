// The headless driver of the cloud account step against the simulated
// recorder and portal: each way of answering the form, a refusal with the
// portal's text, and a recorder that needs no form.
#include "../steps/StepsFixture.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_NimboraView.h"

#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;
const QString kPassword = QStringLiteral("Recorder9");

struct PageCalls : SetupStepDelegate
{
    QStringList accounts;
    void setupNimboraNext(const QString &account) override { accounts << account; }
};

} // namespace

class HeadlessNimboraLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setDurations(Durations().scaled(0.05)); }
    void init() { NVR_REQUIRE_LAB(); }

    void drivesTheStep_data()
    {
        QTest::addColumn<QJsonObject>("answers");
        QTest::addColumn<QJsonObject>("cloud"); // the recorder's cloud state
        QTest::addColumn<QString>("account"); // handed on, or empty when the run fails
        QTest::addColumn<QJsonObject>("record"); // steps.nimbora, or {"failure": ...}
        const QJsonObject existing {{"account", "existing"}, {"email", "owner@example.com"}, {"password", "cloud-pw1"}};
        QTest::newRow("sign in") << existing << QJsonObject {} << "owner@example.com:cloud-pw1"
                                 << QJsonObject {{"outcome", "registered"}, {"email", "owner@example.com"}};
        QTest::newRow("new account") << QJsonObject {{"account", "new"}, {"email", "new@example.com"},
            {"password", "Fresh123"}, {"firstName", "Ana"}, {"lastName", "Lu"}, {"acceptTerms", true}}
                                     << QJsonObject {} << "new@example.com:Fresh123"
                                     << QJsonObject {{"outcome", "registered"}, {"email", "new@example.com"}};
        QTest::newRow("skip") << QJsonObject {{"account", "skip"}} << QJsonObject {} << "none:none"
                              << QJsonObject {{"outcome", "skipped"}, {"email", QJsonValue()}};
        QTest::newRow("no answers skip") << QJsonObject {} << QJsonObject {} << "none:none"
                                         << QJsonObject {{"outcome", "skipped"}, {"email", QJsonValue()}};
        QTest::newRow("registered already: answers ignored")
            << existing << QJsonObject {{"status", "1"}} << "old@example.com:old-pw"
            << QJsonObject {{"outcome", "already registered"}, {"email", "old@example.com"}};
        QTest::newRow("recorder offline") << existing << QJsonObject {{"access", "0"}} << "old@example.com:old-pw"
                                          << QJsonObject {{"outcome", "offline"}, {"email", "old@example.com"}};
        QTest::newRow("refused") << QJsonObject {{"account", "existing"}, {"email", "owner@example.com"},
            {"password", "wrong"}}
                                 << QJsonObject {} << ""
                                 << QJsonObject {
                                        {"failure", "the cloud account was refused: Incorrect e-mail or password"}};
        QTest::newRow("terms not accepted")
            << QJsonObject {{"account", "new"}, {"email", "n@example.com"}, {"password", "Fresh123"}} << QJsonObject {}
            << "" << QJsonObject {{"failure", "a new cloud account needs \"acceptTerms\": true"}};
        QTest::newRow("bad address") << QJsonObject {{"account", "existing"}, {"email", "owner@"}, {"password", "x"}}
                                     << QJsonObject {} << ""
                                     << QJsonObject {{"failure",
                                            "the cloud form did not take the answers: SetupNimbora Signin Info"}};
    }
    void drivesTheStep()
    {
        QFETCH(QJsonObject, answers);
        QFETCH(QJsonObject, cloud);
        QFETCH(QString, account);
        QFETCH(QJsonObject, record);
        QJsonObject recorder = SimProcess::configured(0, kPassword);
        recorder.insert(QStringLiteral("cloud"), cloud);
        recorder.insert(
            QStringLiteral("registration"), QJsonObject {{"email", "old@example.com"}, {"password", "old-pw"}});
        const QJsonObject scenario = SimProcess::withPortalAccount(
            SimProcess::scenario({recorder}), QStringLiteral("owner@example.com"), QStringLiteral("cloud-pw1"));
        SimProcess sim;
        sim.setTimeScale(0.05);
        QString error;
        QVERIFY2(sim.start(scenario, &error), qPrintable(error));

        StepsFixture f;
        HeadlessSession session({{QStringLiteral("nimbora"), answers}}, f.modal);
        HeadlessDrivers drivers;
        addAllHeadlessDrivers(drivers);
        const HeadlessDriver *driver = drivers.find(QStringLiteral("nimbora"));
        QVERIFY(driver);
        QCOMPARE(driver->validate(answers), QString());
        Setup_NimboraView step(*f.context);
        PageCalls page;
        step.setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        QTRY_VERIFY_WITH_TIMEOUT(step.internetAval() != Setup_NimboraView::NotKnown, kWaitMs);
        step.viewDidAppear();
        driver->drive(step, session);
        QVERIFY(QTest::qWaitFor(
            [&] { return session.isFinished() || session.steps().contains(QStringLiteral("nimbora")); }, kWaitMs));

        if (account.isEmpty()) {
            QCOMPARE(session.exitCode(), 1);
            QCOMPARE(session.failure(), record.value(QStringLiteral("failure")).toString());
            QVERIFY(page.accounts.isEmpty());
        } else {
            QVERIFY2(!session.isFinished(), qPrintable(session.failure()));
            QCOMPARE(page.accounts, QStringList {account});
            QCOMPARE(session.steps().value(QStringLiteral("nimbora")).toObject(), record);
        }
    }

    void refusesMalformedAnswers_data()
    {
        QTest::addColumn<QJsonObject>("answers");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown account") << QJsonObject {{"account", "maybe"}}
                                         << "\"account\" must be \"existing\", \"new\" or \"skip\"";
        QTest::newRow("no password") << QJsonObject {{"account", "existing"}, {"email", "a@b.example"}}
                                     << "\"account\": \"existing\" needs \"email\" and \"password\"";
        QTest::newRow("e-mail not text") << QJsonObject {{"email", 5}} << "\"email\" must be a text";
        QTest::newRow("terms not a truth value")
            << QJsonObject {{"acceptTerms", "yes"}} << "\"acceptTerms\" must be true or false";
        QTest::newRow("every mistake, one a line") << QJsonObject {{"email", 5}, {"acceptTerms", "yes"}}
                                                   << "\"email\" must be a text\n\"acceptTerms\" must be true or false";
    }
    void refusesMalformedAnswers()
    {
        QFETCH(QJsonObject, answers);
        QFETCH(QString, message);
        HeadlessDrivers drivers;
        addAllHeadlessDrivers(drivers);
        QCOMPARE(drivers.find(QStringLiteral("nimbora"))->validate(answers), message);
    }
};

QTEST_GUILESS_MAIN(HeadlessNimboraLabTest)
#include "tst_headlessnimboralab.moc"
