#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/DiagResetNVR.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_PasswordView.h"

#include <functional>
#include <memory>

namespace {

const QString &kPasswordKey = Setup_PasswordView::kPageKey;

// Survives the step's visits: after a reset the search and this step come again.
struct ResetState
{
    bool used = false;
};

QString formMessage(Setup_PasswordView &step)
{
    return step.content() == Setup_PasswordView::Content::SetForm ? step.setForm().failure()
                                                                  : step.confirmForm().failure();
}

void startReset(Setup_PasswordView &step, HeadlessSession &session, const QJsonObject &account)
{
    auto tries = std::make_shared<int>(0);
    session.modal().setScript<DiagResetNVR>([&session, account, tries](DialogController &dialog) {
        auto &reset = static_cast<DiagResetNVR &>(dialog);
        if (++*tries > 1) {
            // The dialog came back: the recorder refused the account.
            reset.btCancel();
            session.fail(QStringLiteral("the recorder refused the reset account"));
            return;
        }
        reset.setAccount(account.value(QStringLiteral("user")).toString());
        reset.setPassword(account.value(QStringLiteral("password")).toString());
        reset.btSvae();
    });
    session.progress(QStringLiteral("resetting the recorder to its factory state"));
    // The countdown runs once the recorder has taken the reset.
    QObject::connect(&step, &PageController::changed, &session, [&step, &session] {
        if (step.secondsLeft() > 0)
            session.noteChanged(kPasswordKey);
    });
    step.onResetClicked();
}

// After Next: the step has moved on, shows why the password was not taken,
// or has told the user that the recorder did not answer. Only a password the
// recorder itself refused (asked) leads to a reset.
void checkOutcome(Setup_PasswordView &step, HeadlessSession &session, std::shared_ptr<ResetState> reset,
    qsizetype shownBefore, bool asked)
{
    const QString message = formMessage(step);
    const QJsonObject account = session.answersFor(kPasswordKey).value(QStringLiteral("reset")).toObject();
    if (asked && !message.isEmpty() && step.content() == Setup_PasswordView::Content::ConfirmForm && !account.isEmpty()
        && !reset->used) {
        reset->used = true;
        startReset(step, session, account);
    } else if (!message.isEmpty()) {
        session.fail(QStringLiteral("the password was not taken: %1").arg(message));
    } else if (session.modal().alertSince(shownBefore)) {
        session.fail(QStringLiteral("the recorder did not answer"));
    }
}

// Fills the form the step shows: the new recorder's password, or the current
// one with a change to newPassword when given.
void fillForm(Setup_PasswordView &step, const QString &password, const QString &newPassword)
{
    if (step.content() == Setup_PasswordView::Content::SetForm) {
        step.setForm().setPasswordText(password);
        step.setForm().setConfirmText(password);
        return;
    }
    step.confirmForm().setPasswordText(password);
    step.confirmForm().setChangePasswordChecked(!newPassword.isEmpty());
    if (!newPassword.isEmpty()) {
        step.confirmForm().setNewPasswordText(newPassword);
        step.confirmForm().setConfirmText(newPassword);
    }
}

// Next, then the outcome once the recorder has answered.
void submit(Setup_PasswordView &step, HeadlessSession &session, std::function<void(qsizetype, bool)> outcome)
{
    const qsizetype shownBefore = session.modal().shown().size();
    step.onNextClicked();
    if (!step.overlayShown()) {
        outcome(shownBefore, false);
        return;
    }
    session.when(
        step, [&step] { return !step.overlayShown(); }, [outcome, shownBefore] { outcome(shownBefore, true); },
        QStringLiteral("the recorder to take the password"));
}

void recordStep(HeadlessSession &session, bool factory, bool changed, bool reset)
{
    session.record(kPasswordKey,
        QJsonObject {{QStringLiteral("recorder"), factory ? QStringLiteral("factory") : QStringLiteral("configured")},
            {QStringLiteral("changed"), changed}, {QStringLiteral("reset"), reset}});
}

// A new recorder: a survey reads on with the factory login, which works until
// a password is set.
void surveyNewRecorder(HeadlessSession &session)
{
    session.wouldChange(kPasswordKey, QStringLiteral("the recorder is new: its password would be set"));
    recordStep(session, true, false, false);
    session.setupPage().setupPasswordNext(QString());
}

void answerForm(Setup_PasswordView &step, HeadlessSession &session, std::shared_ptr<ResetState> reset)
{
    if (!step.btNextEnabled()) {
        session.fail(QStringLiteral("the recorder did not answer"));
        return;
    }
    const QJsonObject answers = session.answersFor(kPasswordKey);
    const QString password = answers.value(QStringLiteral("password")).toString();
    const QString newPassword = answers.value(QStringLiteral("newPassword")).toString();
    const bool factory = step.content() == Setup_PasswordView::Content::SetForm;
    if (factory && session.survey()) {
        surveyNewRecorder(session);
        return;
    }
    // A survey only verifies: the change it would make is reported instead.
    const bool change = !factory && !newPassword.isEmpty();
    if (change && session.survey())
        session.wouldChange(kPasswordKey, QStringLiteral("the password would be changed"));
    fillForm(step, password, session.survey() ? QString() : newPassword);
    const bool changes = !session.survey() && (factory || change || reset->used);
    recordStep(session, factory, changes, reset->used);
    if (changes)
        session.noteChanged(kPasswordKey);
    submit(step, session, [&step, &session, reset](qsizetype shownBefore, bool asked) {
        checkOutcome(step, session, reset, shownBefore, asked && !session.survey());
    });
}

// A recorder that may hold the wanted password already: newPassword is tried
// first, and only when refused is the current one verified and changed.
void verifyWantedFirst(Setup_PasswordView &step, HeadlessSession &session, std::shared_ptr<ResetState> reset)
{
    const QString newPassword = session.answersFor(kPasswordKey).value(QStringLiteral("newPassword")).toString();
    if (newPassword.isEmpty() || reset->used || step.content() != Setup_PasswordView::Content::ConfirmForm
        || !step.btNextEnabled()) {
        answerForm(step, session, reset);
        return;
    }
    fillForm(step, newPassword, QString());
    recordStep(session, false, false, false);
    submit(step, session, [&step, &session, reset](qsizetype shownBefore, bool) {
        if (!formMessage(step).isEmpty())
            answerForm(step, session, reset); // refused: not yet the wanted one
        else if (session.modal().alertSince(shownBefore))
            session.fail(QStringLiteral("the recorder did not answer"));
    });
}

QString validatePassword(const QJsonObject &answers)
{
    QStringList mistakes;
    for (const QString &key : {QStringLiteral("password"), QStringLiteral("newPassword")}) {
        const QJsonValue value = answers.value(key);
        if (!value.isUndefined() && (!value.isString() || value.toString().isEmpty()))
            mistakes << QStringLiteral("\"%1\" must be a text that is not empty").arg(key);
    }
    const QJsonValue reset = answers.value(QStringLiteral("reset"));
    // Nothing else: a misspelt key beside them would go unnoticed.
    if (!reset.isUndefined()
        && !(reset.isObject() && reset.toObject().size() == 2 && reset[QStringLiteral("user")].isString()
            && reset[QStringLiteral("password")].isString()))
        mistakes << QStringLiteral("\"reset\" must hold the texts \"user\" and \"password\", and nothing else");
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addPasswordDrivers(HeadlessDrivers &drivers)
{
    auto reset = std::make_shared<ResetState>();
    auto drive = [reset](Setup_PasswordView &step, HeadlessSession &session) {
        if (session.nextAction(kPasswordKey) == QLatin1String("back")) {
            step.onBackClicked();
            return;
        }
        if (!session.answersFor(kPasswordKey).contains(QStringLiteral("password"))) {
            session.fail(QStringLiteral("the answers give no \"password\" for the recorder"));
            return;
        }
        session.when(
            step, [&step] { return !step.overlayShown(); },
            [&step, &session, reset] { verifyWantedFirst(step, session, reset); },
            QStringLiteral("the recorder's password state"));
    };
    drivers.add<Setup_PasswordView>(drive, validatePassword,
        {QStringLiteral("password"), QStringLiteral("newPassword"), QStringLiteral("reset"),
            QStringLiteral("actions")});
}
