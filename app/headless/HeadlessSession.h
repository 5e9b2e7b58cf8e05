#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <functional>

class PageController;
class ScriptedModalHost;

// What the headless drivers share: the answers, the modal host whose dialog
// scripts they set, progress output and the summary being built.
class HeadlessSession : public QObject
{
    Q_OBJECT
public:
    HeadlessSession(QJsonObject answers, ScriptedModalHost &modal, QObject *parent = nullptr);

    const QJsonObject &answers() const { return m_answers; }
    QJsonObject answersFor(const QString &pageKey) const;
    ScriptedModalHost &modal() { return m_modal; }

    // The next of the page's "actions" ("next", "back", ...), one per call;
    // fallback once the list is used up.
    QString nextAction(const QString &pageKey, const QString &fallback = QStringLiteral("next"));

    // One line on standard error.
    void progress(const QString &line);
    // An entry of the summary's "steps" object.
    void record(const QString &key, const QJsonValue &value);

    // Runs act once ready() holds, checking now and after every changed() of
    // the page (on the next event-loop pass); fails the run when it has not
    // held within timeoutMs (0: the answers' "timeoutSeconds").
    void when(PageController &page, std::function<bool()> ready, std::function<void()> act, const QString &waitingFor,
        int timeoutMs = 0);

    // Why the recorder cannot be reached, in machine and human words: one
    // line on standard error when it changes, and in the output at the end.
    void diagnose(const QString &cause, const QString &message);
    const QJsonValue &diagnosis() const { return m_diagnosis; }

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
    QJsonObject m_steps;
    QJsonArray m_pages;
    QJsonValue m_diagnosis;
    QJsonArray m_fileErrors;
    QHash<QString, int> m_actionsUsed;
    bool m_finished = false;
    int m_exitCode = 0;
    QString m_failure;
};
