#include "app/headless/HeadlessSession.h"

#include "app/headless/PrintableText.h"
#include "core/PageController.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_TimeZoneView.h"

#include <QTimer>

#include <cstdio>
#include <memory>

HeadlessSession::HeadlessSession(
    QJsonObject answers, ScriptedModalHost &modal, SetupStepDelegate &setupPage, bool survey, QObject *parent)
    : QObject(parent)
    , m_answers(std::move(answers))
    , m_modal(modal)
    , m_setupPage(setupPage)
    , m_survey(survey)
{
}

QJsonObject HeadlessSession::answersFor(const QString &pageKey) const
{
    return m_answers.value(pageKey).toObject();
}

QString HeadlessSession::nextAction(const QString &pageKey, const QString &fallback)
{
    const QJsonArray actions = answersFor(pageKey).value(QStringLiteral("actions")).toArray();
    int &used = m_actionsUsed[pageKey];
    if (used >= actions.size())
        return fallback;
    return actions.at(used++).toString();
}

void HeadlessSession::progress(const QString &line)
{
    // Lines carry what recorders, cameras and the portal said.
    std::fprintf(stderr, "nvrwizard: %s\n", printableText(line).toUtf8().constData());
}

void HeadlessSession::record(const QString &key, const QJsonValue &value)
{
    m_steps.insert(key, value);
}

void HeadlessSession::noteChanged(const QString &section)
{
    if (!m_changed.contains(section))
        m_changed << section;
}

QJsonArray HeadlessSession::changed() const
{
    static const QStringList kStepOrder = {Setup_PasswordView::kPageKey, Setup_TimeZoneView::kPageKey,
        Setup_HddView::kPageKey, Setup_SearchCamView::kPageKey, Setup_NimboraView::kPageKey};
    QJsonArray sections;
    for (const QString &section : kStepOrder) {
        if (m_changed.contains(section))
            sections.append(section);
    }
    return sections;
}

void HeadlessSession::wouldChange(const QString &section, const QString &reason)
{
    progress(QStringLiteral("would change %1: %2").arg(section, reason));
    m_wouldChange.append(QJsonObject {{QStringLiteral("step"), section}, {QStringLiteral("reason"), reason}});
}

int HeadlessSession::timeoutMs() const
{
    return m_answers.value(QStringLiteral("timeoutSeconds")).toInt(900) * 1000;
}

void HeadlessSession::when(PageController &page, std::function<bool()> ready, std::function<void()> act,
    const QString &waitingFor, int timeoutMs)
{
    if (ready()) {
        act();
        return;
    }
    progress(QStringLiteral("waiting for %1").arg(waitingFor));
    // The waiter owns the connections and the timer; deleting it ends the wait.
    auto *waiter = new QObject(this);
    auto *timer = new QTimer(waiter);
    timer->setSingleShot(true);
    auto done = std::make_shared<bool>(false);
    connect(&page, &PageController::changed, waiter, [this, waiter, done, ready, act] {
        if (*done || m_finished || !ready())
            return;
        // A page reports changes midway through its own handling; act once it
        // has finished, as a user would, and only if it still holds then.
        QTimer::singleShot(0, waiter, [this, waiter, done, ready, act] {
            if (*done || m_finished || !ready())
                return;
            *done = true;
            waiter->deleteLater();
            act();
        });
    });
    connect(timer, &QTimer::timeout, waiter, [this, waiter, done, waitingFor] {
        if (*done)
            return;
        *done = true;
        waiter->deleteLater();
        fail(QStringLiteral("gave up waiting for %1").arg(waitingFor));
    });
    timer->start(timeoutMs > 0 ? timeoutMs : this->timeoutMs());
}

void HeadlessSession::diagnose(const QString &cause, const QString &message)
{
    const QJsonObject diagnosis {{QStringLiteral("cause"), cause}, {QStringLiteral("message"), message}};
    if (m_diagnosis == diagnosis)
        return;
    m_diagnosis = diagnosis;
    progress(QStringLiteral("diagnosis: %1: %2").arg(cause, message));
}

void HeadlessSession::fileError(const QString &path, const QString &reason)
{
    progress(QStringLiteral("file not made: %1: %2").arg(path, reason));
    m_fileErrors.append(QStringLiteral("%1: %2").arg(path, reason));
}

void HeadlessSession::fail(const QString &message)
{
    if (m_finished)
        return;
    progress(QStringLiteral("failed: %1").arg(message));
    m_failure = message;
    m_finished = true;
    m_exitCode = 1;
    emit finished(m_exitCode);
}

void HeadlessSession::succeed()
{
    if (m_finished)
        return;
    m_finished = true;
    m_exitCode = 0;
    emit finished(m_exitCode);
}

void HeadlessSession::notePage(const QString &pageKey)
{
    m_pages.append(pageKey);
}
