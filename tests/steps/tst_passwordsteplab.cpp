// The administrator password step against a simulated recorder over real LAN
// sockets in the network lab.
#include "StepLab.h"
#include "app/core/TextFormat.h"
#include "steps/DiagResetNVR.h"
#include "steps/PasswordMessages.h"
#include "steps/Setup_PasswordView.h"

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait
constexpr int kWaitMs = 8000;

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupPasswordNext(const QString &pw) override { calls << QStringLiteral("next:") + pw; }
    void setupPasswordGotoSearchCam(const QString &pw) override { calls << QStringLiteral("cam:") + pw; }
    void setupPasswordBack() override { calls << QStringLiteral("back"); }
    void setupPasswordGotoSearchNvr() override { calls << QStringLiteral("searchNvr"); }
};

} // namespace

class PasswordStepLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_PasswordView> step;
    PageCalls page;

    void showStepFor(const QJsonObject &recorder)
    {
        sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)));
        step->viewDidAppear();
        QVERIFY(step->overlayShown());
        QVERIFY(!step->btNextEnabled());
    }
    bool idle() const { return !step->overlayShown(); }
    QString asError(const QString &key) const { return PasswordMessages::asError(*f->context, f->text(key)); }

private slots:
    void initTestCase() { setDurations(Durations().scaled(kScale)); }
    void init()
    {
        f = std::make_unique<StepsFixture>();
        step = std::make_unique<Setup_PasswordView>(*f->context);
        page.calls.clear();
    }
    void cleanup()
    {
        step.reset();
        sim.stop();
    }

    void factoryStateGetsANewPassword()
    {
        NVR_REQUIRE_LAB();
        const QJsonObject r = SimProcess::recorder(0);
        showStepFor(r);
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        QCOMPARE(step->subStep(), int(Setup_PasswordView::SetPassword));
        QCOMPARE(step->content(), Setup_PasswordView::Content::SetForm);
        QVERIFY(!step->btResetVisible());
        QVERIFY(step->btNextEnabled());

        // Form checks answer before anything is sent.
        auto &form = step->setForm();
        form.setPasswordText(QStringLiteral("abcde"));
        form.setConfirmText(QStringLiteral("abcde"));
        step->onNextClicked();
        QCOMPARE(form.lbMessage(), QStringLiteral("Error: Use 6 to 31 characters."));
        form.setPasswordText(QStringLiteral("abcdef"));
        form.setConfirmText(QStringLiteral("abcdeg"));
        step->onNextClicked();
        QCOMPARE(form.lbMessage(), asError(PasswordMessages::kMismatch));
        // 25 accented letters: 25 UTF-16 units but 50 UTF-8 bytes, too long for the LAN command.
        const QString tooLong(25, QChar(0xe9));
        form.setPasswordText(tooLong);
        form.setConfirmText(tooLong);
        step->onNextClicked();
        QCOMPARE(form.lbMessage(), asError(PasswordMessages::kInvalid));
        QVERIFY(!step->overlayShown());
        QVERIFY(sim.log(QStringLiteral("change")).isEmpty());

        // Return in a field is Next.
        form.setPasswordText(QStringLiteral("abc123"));
        form.setConfirmText(QStringLiteral("abc123"));
        form.returnPressed();
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("next:abc123")});
        QCOMPARE(step->getUserName(), QStringLiteral("admin"));
        QCOMPARE(step->getPassword(), QStringLiteral("abc123"));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("abc123"));
        QVERIFY(f->modal.shown().isEmpty());
    }

    void wrongThenRightCurrentPassword()
    {
        NVR_REQUIRE_LAB();
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QCOMPARE(step->content(), Setup_PasswordView::Content::ConfirmForm);
        QVERIFY(step->btResetVisible());
        // One request per interface; the step goes on at the first answer, so
        // let the simulator log the other copies before counting.
        QTest::qWait(300);
        const int perCheck = sim.log(QStringLiteral("verify")).size();

        auto &form = step->confirmForm();
        form.setPasswordText(QStringLiteral("wrong1"));
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return idle() && !form.lbMessage().isEmpty(); }, kWaitMs));
        QCOMPARE(form.lbMessage(), asError(PasswordMessages::kInvalid));
        QVERIFY(page.calls.isEmpty());
        // A refused password is not asked again.
        QTRY_COMPARE_WITH_TIMEOUT(sim.log(QStringLiteral("verify")).size(), 2 * perCheck, 2000);

        form.setPasswordText(QStringLiteral("secret1"));
        QVERIFY(form.lbMessage().isEmpty());
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("next:secret1")});
    }

    // The page is handed the password the recorder holds after the change.
    void confirmWithChangeHandsOnTheNewPassword()
    {
        NVR_REQUIRE_LAB();
        const QJsonObject r = SimProcess::configured(0, QStringLiteral("old123"));
        showStepFor(r);
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        auto &form = step->confirmForm();
        form.setPasswordText(QStringLiteral("old123"));
        form.setChangePasswordChecked(true);
        form.setNewPasswordText(QStringLiteral("new456"));
        form.setConfirmText(QStringLiteral("new456"));
        step->onGotoSearchCamera();
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("cam:new456")});
        QCOMPARE(step->getPassword(), QStringLiteral("new456"));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("new456"));
    }

    void noAnswerThreeTimesShowsTheNetworkAlert()
    {
        NVR_REQUIRE_LAB();
        showStepFor(SimProcess::misbehaving(0, {{QStringLiteral("silentCommands"), true}}));
        QVERIFY(QTest::qWaitFor([&] { return !f->modal.shown().isEmpty(); }, kWaitMs));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Check network Failed")});
        int verifies = 0;
        for (const SimLogLine &l : sim.log(QStringLiteral("rx")))
            verifies += l.value("op") == QStringLiteral("163") ? 1 : 0;
        // Three tries, each sent on every lab interface.
        QVERIFY(verifies >= 3 && verifies % 3 == 0);
        QCOMPARE(step->subStep(), int(Setup_PasswordView::CheckFactoryState));
        QVERIFY(!step->overlayShown());
        QVERIFY(step->btBackEnabled());
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }

    // The right account resets the recorder; the step counts down the wait the
    // recorder announced (its leading number, 50 for none) and then goes back
    // to the search.
    void rightResetAccountCountsDownAndGoesBack_data()
    {
        QTest::addColumn<QJsonValue>("announced");
        QTest::addColumn<int>("seconds");
        QTest::newRow("seconds") << QJsonValue(12) << 12;
        QTest::newRow("seconds with their unit") << QJsonValue(QStringLiteral("12s")) << 12;
        QTest::newRow("none") << QJsonValue(0) << 50;
    }
    void rightResetAccountCountsDownAndGoesBack()
    {
        NVR_REQUIRE_LAB();
        QFETCH(QJsonValue, announced);
        QFETCH(int, seconds);
        QJsonObject r = SimProcess::configured(0, QStringLiteral("secret1"));
        r.insert(QStringLiteral("resetWait"), announced);
        showStepFor(r);
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        f->modal.setScript(QStringLiteral("DiagResetNVR"), [](DialogController &d) {
            auto &dialog = static_cast<DiagResetNVR &>(d);
            dialog.setAccount(QStringLiteral("admin"));
            dialog.setPassword(QStringLiteral("secret1"));
            dialog.btSvae();
        });
        step->onResetClicked();
        QVERIFY(QTest::qWaitFor([&] { return step->secondsLeft() > 0; }, kWaitMs));
        QCOMPARE(step->secondsLeft(), seconds);
        QVERIFY(step->overlayShown());
        QVERIFY(!step->btNextEnabled() && !step->btBackEnabled());
        QVERIFY(QTest::qWaitFor([&] { return step->secondsLeft() < seconds; }, kWaitMs));
        QCOMPARE(step->overlayText(),
            fillFormat(f->text(QStringLiteral("SetupSetPwd ResetNVR")), {QString::number(step->secondsLeft())}));
        QVERIFY(page.calls.isEmpty());
        if (seconds > 12)
            return; // the long wait itself runs like the short one
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
        QVERIFY(!step->overlayShown());
        QCOMPARE(sim.log(QStringLiteral("reset")).size(), 1);
        QVERIFY(sim.passwordOf(SimProcess::macOf(r)).isEmpty());
    }

    // A reset check nobody answers returns to the form Reset was pressed from,
    // with Next working; a current password nobody answers leaves Next off
    // but Back and Reset on.
    void unansweredResetCheckReturnsToTheForm()
    {
        NVR_REQUIRE_LAB();
        const QString alert = QStringLiteral("alert:Check network Failed");
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        f->modal.setScript(QStringLiteral("DiagResetNVR"), [](DialogController &d) {
            auto &dialog = static_cast<DiagResetNVR &>(d);
            dialog.setAccount(QStringLiteral("admin"));
            dialog.setPassword(QStringLiteral("secret1"));
            dialog.btSvae();
        });
        sim.stop();
        step->onResetClicked();
        QTRY_VERIFY_WITH_TIMEOUT(f->modal.shown().contains(alert), kWaitMs);
        QVERIFY(idle());
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btResetEnabled());

        step->confirmForm().setPasswordText(QStringLiteral("secret1"));
        step->onNextClicked();
        QVERIFY(step->overlayShown());
        QTRY_COMPARE_WITH_TIMEOUT(f->modal.shown().count(alert), 2, kWaitMs);
        QVERIFY(idle());
        QVERIFY(!step->btNextEnabled());
        QVERIFY(step->btBackEnabled() && step->btResetEnabled());
        QVERIFY(page.calls.isEmpty());
    }

    // A refused reset account reopens the dialog with its warning; an account
    // too long for the LAN command is refused without asking the recorder.
    void resetAccountRefusedThenCancelled()
    {
        NVR_REQUIRE_LAB();
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        QVERIFY(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
        // One request per interface; the step goes on at the first answer, so
        // let the simulator log the other copies before counting.
        QTest::qWait(300);
        const int perCheck = sim.log(QStringLiteral("verify")).size();
        QStringList warnings;
        int opened = 0;
        f->modal.setScript(QStringLiteral("DiagResetNVR"), [&](DialogController &d) {
            auto &dialog = static_cast<DiagResetNVR &>(d);
            warnings << dialog.lbWarning();
            dialog.setAccount(QStringLiteral("admin"));
            if (++opened == 1)
                dialog.setPassword(QStringLiteral("wrong1"));
            else if (opened == 2)
                dialog.setPassword(QString(49, QLatin1Char('x')));
            if (opened < 3)
                dialog.btSvae();
            else
                dialog.btCancel();
        });
        step->onResetClicked();
        QVERIFY(QTest::qWaitFor([&] { return opened == 3 && idle(); }, kWaitMs));
        QCOMPARE(warnings,
            (QStringList {QString(), f->text(PasswordMessages::kInvalid), f->text(PasswordMessages::kInvalid)}));
        // The factory check and the wrong account; the long one never left.
        QTRY_COMPARE_WITH_TIMEOUT(sim.log(QStringLiteral("verify")).size(), 2 * perCheck, 2000);
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btResetEnabled());
        QVERIFY(page.calls.isEmpty());
    }
};

NVR_STEP_LAB("password", PasswordStepLabTest)
#include "tst_passwordsteplab.moc"
