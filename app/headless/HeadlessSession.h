#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>

class PageController;
class ScriptedModalHost;
class SetupStepDelegate;

// What the headless drivers share: the answers, the modal host whose dialog
// scripts they set, progress output and the summary being built, with what
// the run changed (or, surveying, would change) and read.
class HeadlessSession : public QObject
{
    Q_OBJECT
public:
    // A survey (--check) sends nothing that changes a recorder, a camera or
    // the portal; it leaves each step through the setup page instead.
    HeadlessSession(QJsonObject answers, ScriptedModalHost &modal, SetupStepDelegate &setupPage, bool survey,
        QObject *parent = nullptr);

    const QJsonObject &answers() const { return m_answers; }
    QJsonObject answersFor(const QString &pageKey) const;
    ScriptedModalHost &modal() { return m_modal; }
    bool survey() const { return m_survey; }
    SetupStepDelegate &setupPage() { return m_setupPage; }

    // The next of the page's "actions" ("next", "back", ...), one per call;
    // fallback once the list is used up.
    QString nextAction(const QString &pageKey, const QString &fallback = QStringLiteral("next"));

    // One line on standard error.
    void progress(const QString &line);
    // An entry of the summary's "steps" object.
    void record(const QString &key, const QJsonValue &value);
    // The step of this section sent a command that changes something.
    void noteChanged(const QString &section);
    // The sections noted, in step order.
    QJsonArray changed() const;
    // Surveying: what a real run would do at this step, and why.
    void wouldChange(const QString &section, const QString &reason);
    const QJsonArray &wouldChanges() const { return m_wouldChange; }
    // What the recorder holds as far as the run knows: "ip", "zone", "disks",
    // "channels"; null until read or written.
    void noteFact(const QString &key, const QJsonValue &value) { m_facts.insert(key, value); }
    QJsonValue fact(const QString &key) const { return m_facts.contains(key) ? m_facts.value(key) : QJsonValue(); }

    // Runs act once ready() holds, checking now and after every changed() of
    // the page (on the next event-loop pass); fails the run when it has not
    // held within timeoutMs (0: the answers' "timeoutSeconds").
    void when(PageController &page, std::function<bool()> ready, std::function<void()> act, const QString &waitingFor,
        int timeoutMs = 0);

    // Why the recorder cannot be reached, in machine and human words: one
    // line on standard error when it changes, and in the output at the end.
    void diagnose(const QString &cause, const QString &message);
    const QJsonValue &diagnosis() const { return m_diagnosis; }
    // The recorder answered: an earlier diagnosis no longer holds.
    void clearDiagnosis() { m_diagnosis = QJsonValue(); }

    // A file the run could not make, "path: reason"; the setup still counts.
    void fileError(const QString &path, const QString &reason);
    const QJsonArray &fileErrors() const { return m_fileErrors; }

    void fail(const QString &message);
    void succeed();

    bool isFinished() const { return m_finished; }
    int exitCode() const { return m_exitCode; }
    // Why the run failed; empty while it has not.
    const QString &failure() const { return m_failure; }
    const QJsonObject &steps() const { return m_steps; }
    void notePage(const QString &pageKey);
    const QJsonArray &pages() const { return m_pages; }
    int timeoutMs() const;

signals:
    void finished(int exitCode);

private:
    QJsonObject m_answers;
    ScriptedModalHost &m_modal;
    SetupStepDelegate &m_setupPage;
    const bool m_survey;
    QJsonObject m_steps;
    QStringList m_changed;
    QJsonArray m_wouldChange;
    QJsonObject m_facts;
    QJsonArray m_pages;
    QJsonValue m_diagnosis;
    QJsonArray m_fileErrors;
    QHash<QString, int> m_actionsUsed;
    bool m_finished = false;
    int m_exitCode = 0;
    QString m_failure;
};
