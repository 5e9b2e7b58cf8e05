#include "StepLab.h"
#include "steps/Setup_NimboraView.h"

namespace {

constexpr double kScale = 0.05;
const QString kOwner = QStringLiteral("owner+nvr@example.com");
const QString kOwnerPassword = QStringLiteral("cloud&pw+1");
const QString kNumber = QStringLiteral("10000001");

} // namespace

class NimboraStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_NimboraView> step;

    void startSim(const QJsonObject &web = {}, bool withPortal = true)
    {
        const QJsonObject owner {{"email", kOwner}, {"password", kOwnerPassword}, {"key", "k-owner"}};
        const QJsonObject portal {{"portal", QJsonObject {{"accounts", QJsonArray {owner}}}}};
        QVERIFY(StepLab::startSim(
            {merged(SimProcess::configured(0, password), web)}, kScale, withPortal ? portal : QJsonObject()));
    }
    // Entered as the setup page does it, then shown once the computer's check
    // has reported (long before the recorder is asked).
    void enter(bool waitForTheCheck = true)
    {
        step->setDelegate(&page, target(), QStringLiteral("admin"), password);
        QVERIFY(!waitForTheCheck || waitFor([&] { return step->internetAval() != Setup_NimboraView::NotKnown; }));
        step->viewDidAppear();
    }
    bool waitForForm()
    {
        return waitFor([this] { return step->formShown(); });
    }
    Setup_NimboraContentView &form() { return step->contentViewController(); }
    void signIn(const QString &mail, const QString &pw)
    {
        form().setMail(mail);
        form().setPassword(pw);
        step->onNextClicked();
    }
    void skip()
    {
        form().onSelectorChange(Setup_NimboraContentView::Pass);
        step->onNextClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("next:none:none")});
    }
    QJsonArray accounts() const
    {
        return sim.state().value(QStringLiteral("portal")).toObject().value(QStringLiteral("accounts")).toArray();
    }
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
        qunsetenv("NVRWIZARD_PROBE_HOST");
        fresh(step, kScale);
    }
    void cleanup()
    {
        stop(step);
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
        signIn(kOwner, kOwnerPassword);
        QVERIFY(!step->btNextEnabled());
        leftWith("next:" + kOwner + ':' + kOwnerPassword);

        QCOMPARE(requests(),
            (QStringList {"nimboraportal", "/account/?signin", "/account/?add", "nimboraregstatus", "nimborareginfo"}));
        const QJsonObject registration = recorderState().value(QStringLiteral("registration")).toObject();
        QCOMPARE(registration.value(QStringLiteral("email")).toString() + ':'
                + registration.value("password").toString() + ':' + registration.value("status").toString(),
            kOwner + ':' + kOwnerPassword + QStringLiteral(":1"));
        QCOMPARE(accounts().at(0)[QStringLiteral("devices")].toArray(), QJsonArray {kNumber});
        const SimLogLine add = sim.log(QStringLiteral("form")).at(1);
        QCOMPARE(add.value("cookie") + ' ' + add.value("lang"), QStringLiteral("yes en"));
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
        leftWith(QStringLiteral("next:anna@example.com:Secret7"));
        QCOMPARE(requests(),
            (QStringList {"nimboraportal", "/signin", "/account/?add", "nimboraregstatus", "nimborareginfo"}));
        const QJsonObject anna = accounts().at(1).toObject();
        QCOMPARE(anna.value(QStringLiteral("firstName")).toString(), QStringLiteral("Anna Maria"));
        QCOMPARE(anna.value(QStringLiteral("lastName")).toString(), QStringLiteral("S\u00f6hne"));
        QCOMPARE(anna.value(QStringLiteral("devices")).toArray(), QJsonArray {kNumber});
    }

    // The portal's text is shown with the fields it names marked; nothing is
    // added, and skipping afterwards hands on no account and sends nothing.
    void aRefusalShowsThePortalsText()
    {
        startSim();
        enter();
        QVERIFY(waitForForm());
        signIn(kOwner, QStringLiteral("wrong"));
        QVERIFY(waitFor([&] { return form().errorVisible(); }));
        QCOMPARE(form().lbErrorMsg(), QStringLiteral("Incorrect e-mail or password"));
        QVERIFY(form().mailMarked() && form().passwordMarked());
        QVERIFY(step->formShown() && step->btNextEnabled() && form().inputsEnabled() && page.calls.isEmpty());
        QCOMPARE(step->phase(), Setup_NimboraView::Phase::Form);
        skip();
        QCOMPARE(requests(), (QStringList {"nimboraportal", "/account/?signin"}));
    }

    void aRegisteredRecorderGoesStraightOn_data()
    {
        rows<QJsonObject, QString>({"registration", "account"},
            {{"with an account", {{"status", "1"}, {"email", "me@example.com"}, {"password", "pw"}},
                 "me@example.com:pw"},
                {"without an e-mail", {{"status", "1"}}, "none:none"},
                {"400 Bad Request", {{"badRequest", true}}, "none:none"}});
    }
    void aRegisteredRecorderGoesStraightOn()
    {
        QFETCH(QJsonObject, registration);
        QFETCH(QString, account);
        startSim({{"cloud", QJsonObject {{"status", "1"}}}, {"registration", registration}});
        enter();
        leftWith("next:" + account);
        QCOMPARE(requests(), (QStringList {"nimboraportal", "nimborareginfo"}));
        QVERIFY(!step->formShown());
    }

    void noFormWithoutInternet_data()
    {
        // A name no monitor can be made for: the computer's check never reports.
        rows<QString, QString, int>({"probeHost", "access", "internet"},
            {{"the computer offline", qEnvironmentVariable("NVRLAB_OFFLINE_HOST"), "1", Setup_NimboraView::Unreachable},
                {"the computer's check never reports", "no such host", "1", Setup_NimboraView::NotKnown},
                {"the recorder offline", "", "0", Setup_NimboraView::Reachable}});
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
        enter(internet != Setup_NimboraView::NotKnown);
        QVERIFY(left());
        QCOMPARE(step->internetAval(), internet);
        QCOMPARE(page.calls, QStringList {QStringLiteral("next:old@x.example:")});
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
        enter(false); // shown at once: the recorder is asked after the step's pause
        QVERIFY(waitForForm());
        QCOMPARE(step->internetAval(), int(Setup_NimboraView::Reachable));
    }

    void aNetworkFailureLeavesTheFormToTryAgain()
    {
        startSim({}, false); // no portal listening
        enter();
        QVERIFY(waitForForm());
        signIn(kOwner, kOwnerPassword);
        QVERIFY(waitFor([&] { return f->modal.shown().contains(QStringLiteral("alert:Check network Failed")); }));
        QVERIFY(step->formShown() && step->btNextEnabled() && step->btBackEnabled() && form().inputsEnabled());
        QVERIFY(page.calls.isEmpty());
        skip(); // the account typed was never verified
        step->onBackClicked();
        QCOMPARE(page.calls.last(), QStringLiteral("back"));
        QCOMPARE(form().getMail(), QString());
    }
};

NVR_STEP_LAB("nimbora", NimboraStepLabTest)
#include "tst_nimborasteplab.moc"
