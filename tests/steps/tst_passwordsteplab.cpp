#include "StepLab.h"
#include "core/TextFormat.h"
#include "steps/DiagResetNVR.h"
#include "steps/PasswordMessages.h"
#include "steps/Setup_PasswordView.h"

namespace {

constexpr double kScale = 0.1; // a 600 ms reply wait
const QString kAlert = QStringLiteral("alert:Check network Failed");

// The reset dialog answered with this account.
std::function<void(DiagResetNVR &)> resetWith(const QString &password)
{
    return [password](DiagResetNVR &dialog) {
        dialog.setAccount(QStringLiteral("admin"));
        dialog.setPassword(password);
        dialog.btSvae();
    };
}

} // namespace

class PasswordStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_PasswordView> step;

    void showStepFor(const QJsonObject &r, bool wait = true)
    {
        QVERIFY(startSim({r}, kScale));
        step->setDelegate(&page, target());
        step->viewDidAppear();
        QVERIFY(step->overlayShown() && !step->btNextEnabled());
        QVERIFY(!wait || waitFor([&] { return idle(); }));
    }
    bool idle() const { return !step->overlayShown(); }
    QString asError(const QString &key) const { return PasswordMessages::asError(*f->context, f->text(key)); }
    // The step asks on each of the computer's links and goes on at the first
    // answer: a check is done once the recorder has heard every copy.
    int verifiesPerCheck()
    {
        const LabEnv lab = LabEnv::fromEnvironment();
        const int links = int(!lab.pcIp.isEmpty()) + int(!lab.pcIp2.isEmpty());
        return waitFor([&] { return sim.log(QStringLiteral("verify")).size() == links; }) ? links : -1;
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        fresh(step, kScale);
    }
    void cleanup() { stop(step); }

    void factoryStateGetsANewPassword()
    {
        showStepFor(SimProcess::recorder(0));
        QCOMPARE(step->subStep(), int(Setup_PasswordView::SetPassword));
        QCOMPARE(step->content(), Setup_PasswordView::Content::SetForm);
        QVERIFY(!step->btResetVisible() && step->btNextEnabled());
        // Form checks answer before anything is sent: 25 accented letters are
        // 50 UTF-8 bytes, too long for the LAN command.
        auto &form = step->setForm();
        for (const auto &[pw, again, message] :
            {std::tuple {QStringLiteral("abcdef"), QStringLiteral("abcdeg"), asError(PasswordMessages::kMismatch)},
                std::tuple {QString(25, QChar(0xe9)), QString(25, QChar(0xe9)), asError(PasswordMessages::kInvalid)}}) {
            form.setPasswordText(pw);
            form.setConfirmText(again);
            step->onNextClicked();
            QCOMPARE(form.lbMessage(), message);
        }
        QVERIFY(idle() && sim.log(QStringLiteral("change")).isEmpty());
        // Return in a field is Next.
        form.setPasswordText(QStringLiteral("abc123"));
        form.setConfirmText(QStringLiteral("abc123"));
        form.returnPressed();
        leftWith(QStringLiteral("next:abc123"));
        QCOMPARE(step->getUserName() + ':' + step->getPassword(), QStringLiteral("admin:abc123"));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(recorder)), QStringLiteral("abc123"));
        QVERIFY(f->modal.shown().isEmpty());
    }

    void wrongThenRightCurrentPassword()
    {
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QCOMPARE(step->content(), Setup_PasswordView::Content::ConfirmForm);
        QVERIFY(step->btResetVisible());
        const int perCheck = verifiesPerCheck();
        auto &form = step->confirmForm();
        form.setPasswordText(QStringLiteral("wrong1"));
        step->onNextClicked();
        QVERIFY(waitFor([&] { return idle() && !form.lbMessage().isEmpty(); }));
        QCOMPARE(form.lbMessage(), asError(PasswordMessages::kInvalid));
        QVERIFY(page.calls.isEmpty());
        // A refused password is not asked again.
        QTRY_COMPARE_WITH_TIMEOUT(sim.log(QStringLiteral("verify")).size(), 2 * perCheck, 2000);
        form.setPasswordText(QStringLiteral("secret1"));
        QVERIFY(form.lbMessage().isEmpty());
        step->onNextClicked();
        leftWith(QStringLiteral("next:secret1"));
    }

    // The page is handed the password the recorder holds after the change.
    void confirmWithChangeHandsOnTheNewPassword()
    {
        showStepFor(SimProcess::configured(0, QStringLiteral("old123")));
        auto &form = step->confirmForm();
        form.setPasswordText(QStringLiteral("old123"));
        form.setChangePasswordChecked(true);
        form.setNewPasswordText(QStringLiteral("new456"));
        form.setConfirmText(QStringLiteral("new456"));
        step->onGotoSearchCamera();
        leftWith(QStringLiteral("cam:new456"));
        QCOMPARE(step->getPassword(), QStringLiteral("new456"));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(recorder)), QStringLiteral("new456"));
    }

    // The right account resets the recorder; the step counts down the wait the
    // recorder announced (its leading number, 50 for none) and then goes back
    // to the search.
    void rightResetAccountCountsDownAndGoesBack_data()
    {
        rows<QJsonValue, int>(
            {"announced", "seconds"}, {{"seconds", 12, 12}, {"seconds with their unit", "12s", 12}, {"none", 0, 50}});
    }
    void rightResetAccountCountsDownAndGoesBack()
    {
        QFETCH(QJsonValue, announced);
        QFETCH(int, seconds);
        showStepFor(merged(SimProcess::configured(0, QStringLiteral("secret1")), {{"resetWait", announced}}));
        f->modal.setScript<DiagResetNVR>(resetWith(QStringLiteral("secret1")));
        step->onResetClicked();
        QVERIFY(waitFor([&] { return step->secondsLeft() > 0; }));
        QCOMPARE(step->secondsLeft(), seconds);
        QVERIFY(step->overlayShown() && !step->btNextEnabled() && !step->btBackEnabled());
        QVERIFY(waitFor([&] { return step->secondsLeft() < seconds; }));
        QCOMPARE(step->overlayText(),
            fillFormat(f->text(QStringLiteral("SetupSetPwd ResetNVR")), {QString::number(step->secondsLeft())}));
        QVERIFY(page.calls.isEmpty());
        if (seconds > 12)
            return; // the long wait itself runs like the short one
        leftWith(QStringLiteral("back"));
        QVERIFY(idle());
        QCOMPARE(sim.log(QStringLiteral("reset")).size(), 1);
        QVERIFY(sim.passwordOf(SimProcess::macOf(recorder)).isEmpty());
    }

    // A reset check nobody answers returns to the form Reset was pressed from,
    // with Next working; a current password nobody answers leaves Next off
    // but Back and Reset on.
    void unansweredResetCheckReturnsToTheForm()
    {
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        f->modal.setScript<DiagResetNVR>(resetWith(QStringLiteral("secret1")));
        sim.stop();
        step->onResetClicked();
        QTRY_VERIFY_WITH_TIMEOUT(f->modal.shown().contains(kAlert), 8000);
        QVERIFY(idle());
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btResetEnabled());
        step->confirmForm().setPasswordText(QStringLiteral("secret1"));
        step->onNextClicked();
        QVERIFY(step->overlayShown());
        QTRY_COMPARE_WITH_TIMEOUT(f->modal.shown().count(kAlert), 2, 8000);
        QVERIFY(idle() && !step->btNextEnabled());
        QVERIFY(step->btBackEnabled() && step->btResetEnabled());
        QVERIFY(page.calls.isEmpty());
    }

    // A refused reset account reopens the dialog with its warning; an account
    // too long for the LAN command is refused without asking the recorder.
    void resetAccountRefusedThenCancelled()
    {
        showStepFor(SimProcess::configured(0, QStringLiteral("secret1")));
        const int perCheck = verifiesPerCheck();
        QStringList warnings;
        int opened = 0;
        f->modal.setScript<DiagResetNVR>([&](DiagResetNVR &dialog) {
            warnings << dialog.lbWarning();
            if (++opened == 3)
                return dialog.btCancel();
            resetWith(opened == 1 ? QStringLiteral("wrong1") : QString(49, QLatin1Char('x')))(dialog);
        });
        step->onResetClicked();
        QVERIFY(waitFor([&] { return opened == 3 && idle(); }));
        const QString invalid = f->text(PasswordMessages::kInvalid);
        QCOMPARE(warnings, (QStringList {QString(), invalid, invalid}));
        // The factory check and the wrong account; the long one never left.
        QTRY_COMPARE_WITH_TIMEOUT(sim.log(QStringLiteral("verify")).size(), 2 * perCheck, 2000);
        QCOMPARE(step->subStep(), int(Setup_PasswordView::ConfirmPassword));
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btResetEnabled());
        QVERIFY(page.calls.isEmpty());
    }
};

NVR_STEP_LAB("password", PasswordStepLabTest)
#include "tst_passwordsteplab.moc"
