#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/Setup_NimboraView.h"

#include <QJsonValue>

namespace {

const QString kNimboraKey = Setup_NimboraView::kPageKey;
const QString kExisting = QStringLiteral("existing");
const QString kNew = QStringLiteral("new");
const QString kSkip = QStringLiteral("skip");
const QStringList kTextKeys = {QStringLiteral("account"), QStringLiteral("email"), QStringLiteral("password"),
    QStringLiteral("confirmPassword"), QStringLiteral("firstName"), QStringLiteral("lastName")};

using Phase = Setup_NimboraView::Phase;

QString answer(HeadlessSession &session, const char *key)
{
    return session.answersFor(kNimboraKey).value(QLatin1String(key)).toString();
}

QJsonValue emailOf(const QString &account)
{
    const QString email = account.section(QLatin1Char(':'), 0, 0);
    return email == QLatin1String("none") ? QJsonValue() : QJsonValue(email);
}

void record(HeadlessSession &session, const QString &outcome, const Setup_NimboraView &step)
{
    session.progress(QStringLiteral("cloud account: %1").arg(outcome));
    session.record(kNimboraKey,
        QJsonObject {{QStringLiteral("outcome"), outcome}, {QStringLiteral("email"), emailOf(step.leftWith())}});
}

// The step went on without a form: registered already, or no internet.
void recordWithoutForm(Setup_NimboraView &step, HeadlessSession &session)
{
    const auto info = step.nimboraInfo();
    const bool registered = info && isTrue(info->status());
    record(session, registered ? QStringLiteral("already registered") : QStringLiteral("offline"), step);
}

void fillForm(Setup_NimboraContentView &form, HeadlessSession &session, const QString &account)
{
    form.onSelectorChange(
        account == kNew ? Setup_NimboraContentView::CreateOne : Setup_NimboraContentView::AlreadyHave);
    form.setMail(answer(session, "email"));
    form.setPassword(answer(session, "password"));
    if (account != kNew)
        return;
    const QJsonValue confirm = session.answersFor(kNimboraKey).value(QStringLiteral("confirmPassword"));
    form.setRePassword(confirm.isString() ? confirm.toString() : answer(session, "password"));
    form.setFirstName(answer(session, "firstName"));
    form.setLastName(answer(session, "lastName"));
    form.btCheckTerms(session.answersFor(kNimboraKey).value(QStringLiteral("acceptTerms")).toBool());
}

void answerForm(Setup_NimboraView &step, HeadlessSession &session)
{
    if (session.nextAction(kNimboraKey) == QLatin1String("back")) {
        step.onBackClicked();
        return;
    }
    Setup_NimboraContentView &form = step.contentViewController();
    const QString account = answer(session, "account").isEmpty() ? kSkip : answer(session, "account");
    if (account == kSkip) {
        form.onSelectorChange(Setup_NimboraContentView::Pass);
        step.onNextClicked();
        record(session, QStringLiteral("skipped"), step);
        return;
    }
    fillForm(form, session, account);
    if (!step.btNextEnabled()) {
        session.fail(QStringLiteral("a new cloud account needs \"acceptTerms\": true"));
        return;
    }
    session.progress(account == kNew ? QStringLiteral("creating the cloud account %1").arg(form.getMail())
                                     : QStringLiteral("signing in to the cloud account %1").arg(form.getMail()));
    const qsizetype shownBefore = session.modal().shown().size();
    step.onNextClicked();
    if (step.phase() == Phase::Form) {
        session.fail(QStringLiteral("the cloud form did not take the answers: %1").arg(form.lbErrorMsg()));
        return;
    }
    // Past signing in, the portal and the recorder are being changed.
    session.when(
        step,
        [&step, &session] {
            if (step.phase() >= Phase::AddingDevice && step.phase() != Phase::Done)
                session.noteChanged(kNimboraKey);
            return step.phase() == Phase::Form || step.phase() == Phase::Done;
        },
        [&step, &session, &form, shownBefore] {
            if (step.phase() == Phase::Done)
                record(session, QStringLiteral("registered"), step);
            else if (session.modal().alertSince(shownBefore))
                session.fail(QStringLiteral("the cloud portal or the recorder could not be reached"));
            else
                session.fail(QStringLiteral("the cloud account was refused: %1").arg(form.lbErrorMsg()));
        },
        QStringLiteral("the cloud portal and the recorder to register the recorder"));
}

// Surveying ends here: what registering would do, and nothing after it (the
// summary would leave files and start recording).
void survey(Setup_NimboraView &step, HeadlessSession &session)
{
    const QString account = answer(session, "account");
    if (step.phase() == Phase::Done)
        recordWithoutForm(step, session);
    else if (account == kNew)
        session.wouldChange(kNimboraKey,
            QStringLiteral("a cloud account %1 would be made and the recorder registered with it")
                .arg(answer(session, "email")));
    else if (account == kExisting)
        session.wouldChange(kNimboraKey,
            QStringLiteral("the recorder would be registered with the cloud account %1").arg(answer(session, "email")));
    session.succeed();
}

void driveNimbora(Setup_NimboraView &step, HeadlessSession &session)
{
    session.when(
        step, [&step] { return step.phase() == Phase::Form || step.phase() == Phase::Done; },
        [&step, &session] {
            if (session.survey())
                survey(step, session);
            else if (step.phase() == Phase::Done)
                recordWithoutForm(step, session);
            else
                answerForm(step, session);
        },
        QStringLiteral("the recorder's cloud state"));
}

QString validateNimbora(const QJsonObject &answers)
{
    QStringList mistakes;
    for (const QString &key : kTextKeys) {
        const QJsonValue value = answers.value(key);
        if (!value.isUndefined() && !value.isString())
            mistakes << QStringLiteral("\"%1\" must be a text").arg(key);
    }
    const QJsonValue terms = answers.value(QStringLiteral("acceptTerms"));
    if (!terms.isUndefined() && !terms.isBool())
        mistakes << QStringLiteral("\"acceptTerms\" must be true or false");
    const QString account = answers.value(QStringLiteral("account")).toString(kSkip);
    if (account != kExisting && account != kNew && account != kSkip)
        mistakes << QStringLiteral("\"account\" must be \"existing\", \"new\" or \"skip\"");
    else if (account != kSkip
        && (answers.value(QStringLiteral("email")).toString().isEmpty()
            || answers.value(QStringLiteral("password")).toString().isEmpty()))
        mistakes << QStringLiteral("\"account\": \"%1\" needs \"email\" and \"password\"").arg(account);
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addNimboraDrivers(HeadlessDrivers &drivers)
{
    drivers.add<Setup_NimboraView>(driveNimbora, validateNimbora,
        kTextKeys + QStringList {QStringLiteral("acceptTerms"), QStringLiteral("actions")});
}
