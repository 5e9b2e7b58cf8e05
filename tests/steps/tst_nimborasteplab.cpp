// The cloud account step against the simulated recorder and portal over real
// HTTPS in the network lab: sign-in, sign-up and skip, a refusal, the cases
// without a form, a network failure, and the order of the registration.
#include "StepLab.h"
#include "steps/Setup_NimboraView.h"

namespace {

constexpr double kScale = 0.05;
constexpr int kWaitMs = 10000;
const QString kPassword = QStringLiteral("Recorder9");
const QString kOwner = QStringLiteral("owner+nvr@example.com");
const QString kOwnerPassword = QStringLiteral("cloud&pw+1");
const QString kNumber = QStringLiteral("10000001");

struct PageCalls : SetupStepDelegate
{
    QStringList accounts;
    int back = 0;
    void setupNimboraNext(const QString &account) override { accounts << account; }
    void setupNimboraBack() override { ++back; }
};

QJsonObject withWeb(QJsonObject recorder, const QJsonObject &web)
{
    for (auto it = web.begin(); it != web.end(); ++it)
        recorder.insert(it.key(), it.value());
    return recorder;
}

} // namespace

class NimboraStepLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QJsonObject recorder;
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_NimboraView> step;
    PageCalls page;

    void startSim(const QJsonObject &web = {}, bool withPortal = true)
    {
        recorder = withWeb(SimProcess::configured(0, kPassword), web);
        QJsonObject scenario = SimProcess::scenario({recorder});
        const QJsonObject owner {{"email", kOwner}, {"password", kOwnerPassword}, {"key", "k-owner"}};
        if (withPortal)
            scenario.insert(QStringLiteral("portal"), QJsonObject {{"accounts", QJsonArray {owner}}});
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(scenario, &error), qPrintable(error));
    }
    // Entered as the setup page does it, then shown.
    void enter()
    {
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        // The computer's check reports long before the recorder is asked.
        QTRY_VERIFY_WITH_TIMEOUT(step->internetAval() != Setup_NimboraView::NotKnown, kWaitMs);
        step->viewDidAppear();
    }
    bool waitForForm()
    {
        return QTest::qWaitFor([this] { return step->formShown(); }, kWaitMs);
    }
    bool waitForLeaving()
    {
        return QTest::qWaitFor([this] { return !page.accounts.isEmpty(); }, kWaitMs);
    }
    Setup_NimboraContentView &form() { return step->contentViewController(); }
    QJsonObject recorderState() const { return sim.stateOf(SimProcess::macOf(recorder)); }
    QJsonArray accounts() const
    {
        return sim.state().value(QStringLiteral("portal")).toObject().value(QStringLiteral("accounts")).toArray();
    }
    // The recorder's and the portal's requests in the order they came.
    QStringList requests() const
    {
        QStringList seen;
        for (const SimLogLine &line : sim.log()) {
            if (line.kind == QLatin1String("http"))
                seen << line.value("path").section(QLatin1Char('/'), -1);
            else if (line.kind == QLatin1String("form"))
                seen << QString::fromUtf8(QByteArray::fromPercentEncoding(line.value("path").toLatin1()));
        }
        return seen;
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
        qunsetenv("NVRWIZARD_PROBE_HOST");
        f = std::make_unique<StepsFixture>();
        step = std::make_unique<Setup_NimboraView>(*f->context);
        page = {};
    }
    void cleanup()
    {
        step.reset();
        sim.stop();
        qunsetenv("NVRWIZARD_PROBE_HOST");
    }

    void signingInRegistersInOrder()
    {
        startSim();
        enter();
        QVERIFY(step->messageViewController().isVisible()); // asking the recorder
        QVERIFY(!step->btBackEnabled() && !step->btNextEnabled());
        QVERIFY(waitForForm());
        QVERIFY(step->btNextEnabled() && step->btBackEnabled());
        QVERIFY(form().inputsEnabled());
        form().setMail(kOwner);
        form().setPassword(kOwnerPassword);
        step->onNextClicked();
        QVERIFY(!step->btNextEnabled());
        QVERIFY(waitForLeaving());
        QCOMPARE(page.accounts, QStringList {kOwner + QLatin1Char(':') + kOwnerPassword});

        QCOMPARE(requests(),
            (QStringList {"nimboraportal", "/account/?signin", "/account/?add", "nimboraregstatus", "nimborareginfo"}));
        const QJsonObject registration = recorderState().value(QStringLiteral("registration")).toObject();
        QCOMPARE(registration.value(QStringLiteral("email")).toString(), kOwner);
        QCOMPARE(registration.value(QStringLiteral("password")).toString(), kOwnerPassword);
        QCOMPARE(registration.value(QStringLiteral("status")).toString(), QStringLiteral("1"));
        QCOMPARE(accounts().at(0)[QStringLiteral("devices")].toArray(), QJsonArray {kNumber});
        const SimLogLine add = sim.log(QStringLiteral("form")).at(1);
        QCOMPARE(add.value("cookie"), QStringLiteral("yes"));
        QCOMPARE(add.value("wizard_version"), QStringLiteral("2.00.01"));
        QCOMPARE(add.value("lang"), QStringLiteral("en"));
    }

    void signingUpCreatesTheAccount()
    {
        startSim();
        enter();
        QVERIFY(waitForForm());
        form().onSelectorChange(Setup_NimboraContentView::CreateOne);
        QVERIFY(!step->btNextEnabled()); // the terms first
        form().setMail(QStringLiteral("anna@example.com"));
        form().setPassword(QStringLiteral("Secret7"));
        form().setRePassword(QStringLiteral("Secret7"));
        form().setFirstName(QStringLiteral("Anna Maria"));
        form().setLastName(QStringLiteral("S\u00f6hne"));
        form().btCheckTerms(true);
        QVERIFY(step->btNextEnabled());
        step->onNextClicked();
        QVERIFY(waitForLeaving());
        QCOMPARE(page.accounts, QStringList {QStringLiteral("anna@example.com:Secret7")});
        QCOMPARE(requests(),
            (QStringList {"nimboraportal", "/signin", "/account/?add", "nimboraregstatus", "nimborareginfo"}));
        const QJsonObject anna = accounts().at(1).toObject();
        QCOMPARE(anna.value(QStringLiteral("firstName")).toString(), QStringLiteral("Anna Maria"));
        QCOMPARE(anna.value(QStringLiteral("lastName")).toString(), QStringLiteral("S\u00f6hne"));
        QCOMPARE(anna.value(QStringLiteral("devices")).toArray(), QJsonArray {kNumber});
    }

    void skippingSendsNothing()
    {
        startSim();
        enter();
        QVERIFY(waitForForm());
        form().onSelectorChange(Setup_NimboraContentView::Pass);
        step->onNextClicked();
        QCOMPARE(page.accounts, QStringList {QStringLiteral("none:none")});
        QCOMPARE(requests(), QStringList {"nimboraportal"});
    }

    // The portal's text is shown with the fields it names marked; nothing is
    // added, and skipping afterwards hands on no account.
    void aRefusalShowsThePortalsText()
    {
        startSim();
        enter();
        QVERIFY(waitForForm());
        form().setMail(kOwner);
        form().setPassword(QStringLiteral("wrong"));
        step->onNextClicked();
        QTRY_VERIFY_WITH_TIMEOUT(form().errorVisible(), kWaitMs);
        QCOMPARE(form().lbErrorMsg(), QStringLiteral("Incorrect e-mail or password"));
        QVERIFY(form().mailMarked() && form().passwordMarked());
        QVERIFY(step->formShown());
        QVERIFY(step->btNextEnabled() && form().inputsEnabled());
        QCOMPARE(step->phase(), Setup_NimboraView::Phase::Form);
        QVERIFY(page.accounts.isEmpty());
        QCOMPARE(requests(), (QStringList {"nimboraportal", "/account/?signin"}));

        form().onSelectorChange(Setup_NimboraContentView::Pass);
        step->onNextClicked();
        QCOMPARE(page.accounts, QStringList {QStringLiteral("none:none")});
    }

    void aRegisteredRecorderGoesStraightOn_data()
    {
        QTest::addColumn<QJsonObject>("registration");
        QTest::addColumn<QString>("account");
        QTest::newRow("with an account") << QJsonObject {{"status", "1"}, {"email", "me@example.com"},
            {"password", "pw"}} << "me@example.com:pw";
        QTest::newRow("without an e-mail") << QJsonObject {{"status", "1"}} << "none:none";
        QTest::newRow("400 Bad Request") << QJsonObject {{"badRequest", true}} << "none:none";
    }
    void aRegisteredRecorderGoesStraightOn()
    {
        QFETCH(QJsonObject, registration);
        QFETCH(QString, account);
        startSim({{"cloud", QJsonObject {{"status", "1"}}}, {"registration", registration}});
        enter();
        QVERIFY(waitForLeaving());
        QCOMPARE(page.accounts, QStringList {account});
        QCOMPARE(requests(), (QStringList {"nimboraportal", "nimborareginfo"}));
        QVERIFY(!step->formShown());
    }

    void noFormWithoutInternet_data()
    {
        QTest::addColumn<QString>("probeHost");
        QTest::addColumn<QString>("access");
        QTest::addColumn<int>("internet");
        QTest::newRow("the computer offline")
            << qEnvironmentVariable("NVRLAB_OFFLINE_HOST") << "1" << int(Setup_NimboraView::Unreachable);
        // A name no monitor can be made for: the check never reports.
        QTest::newRow("the computer's check never reports") << "no such host"
                                                            << "1" << int(Setup_NimboraView::NotKnown);
        QTest::newRow("the recorder offline") << ""
                                              << "0" << int(Setup_NimboraView::Reachable);
    }
    void noFormWithoutInternet()
    {
        QFETCH(QString, probeHost);
        QFETCH(QString, access);
        QFETCH(int, internet);
        if (!probeHost.isEmpty())
            qputenv("NVRWIZARD_PROBE_HOST", probeHost.toUtf8());
        startSim(
            {{"cloud", QJsonObject {{"access", access}}}, {"registration", QJsonObject {{"email", "old@x.example"}}}});
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        if (internet != Setup_NimboraView::NotKnown)
            QTRY_COMPARE_WITH_TIMEOUT(step->internetAval(), internet, kWaitMs);
        step->viewDidAppear();
        QVERIFY(waitForLeaving());
        QCOMPARE(step->internetAval(), internet);
        QCOMPARE(page.accounts, QStringList {QStringLiteral("old@x.example:")});
        QCOMPARE(requests(), (QStringList {"nimboraportal", "nimborareginfo"}));
    }

    // A deployment may name the probe host by an address that no name server
    // knows (as the lab's recorders are): its check still reports in time.
    void anAddressAsProbeHostIsReachable()
    {
        startSim();
        qputenv("NVRWIZARD_PROBE_HOST", SimProcess::ipOf(recorder).toUtf8());
        Durations d = durations();
        d.cloudQueryDelayMs = Durations().cloudQueryDelayMs;
        setDurations(d);
        // Shown at once, as the setup page does: the recorder is asked after the step's pause.
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        step->viewDidAppear();
        QVERIFY(waitForForm());
        QCOMPARE(step->internetAval(), int(Setup_NimboraView::Reachable));
    }

    void aNetworkFailureLeavesTheFormToTryAgain()
    {
        startSim({}, false); // no portal listening
        enter();
        QVERIFY(waitForForm());
        form().setMail(kOwner);
        form().setPassword(kOwnerPassword);
        step->onNextClicked();
        QTRY_VERIFY_WITH_TIMEOUT(f->modal.shown().contains(QStringLiteral("alert:Check network Failed")), kWaitMs);
        QVERIFY(step->formShown());
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && form().inputsEnabled());
        QVERIFY(page.accounts.isEmpty());
        // The account typed was never verified: Skip hands on none.
        form().onSelectorChange(Setup_NimboraContentView::Pass);
        step->onNextClicked();
        QCOMPARE(page.accounts, QStringList {QStringLiteral("none:none")});
        step->onBackClicked();
        QCOMPARE(page.back, 1);
        QCOMPARE(form().getMail(), QString());
    }
};

NVR_STEP_LAB("nimbora", NimboraStepLabTest)
#include "tst_nimborasteplab.moc"
